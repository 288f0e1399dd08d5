#include "base/LibraryStatusTables.h"

#include <array>

using namespace NSQuorral;

namespace
{
constexpr u32 kNoLimit = 0xFFFFFFFF;
constexpr TStatusCodeRange kHighRange{100000, kNoLimit};
constexpr TStatusCodeRange kTinctRange{1003, kNoLimit};
constexpr TStatusCodeRange kKIVRange{667, kNoLimit};

constexpr TStatusCodeRow kTrellisTable[] = {
    {kFailureCode_BadAlloc, "", kTrellisOutOfMemory},
    {kFailureCode_LogicError_InvalidArgument, "", kTrellisInvalidArgument},
    {kFailureCode_LogicError_InvariantCorrupt, "", kTrellisInvariantCorrupt},
    {kFailureCode_LogicError_IllegalCallSequence, "", kTrellisIllegalCallSequence},
    {kFailureCode_LogicError, "", kTrellisLogicError},
    {kFailureCode_RuntimeError_FormatViolation, "", kTrellisFormatViolation},
    {kFailureCode_RuntimeError_UnsupportedFormat, "interface", kTrellisNoSuchInterface},
    {kFailureCode_RuntimeError_UnsupportedFormat, "api", kTrellisNoSuchAPI},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", kTrellisUnsupported},
    {kFailureCode_RuntimeError, "", kTrellisRuntimeError},
    {kFailureCode_EndOfTable, "", kTrellisOK},
};

// As the GUI library's, without the "api" row.
constexpr TStatusCodeRow kSprocketTable[] = {
    {kFailureCode_BadAlloc, "", kTrellisOutOfMemory},
    {kFailureCode_LogicError_InvalidArgument, "", kTrellisInvalidArgument},
    {kFailureCode_LogicError_IllegalCallSequence, "", kTrellisIllegalCallSequence},
    {kFailureCode_LogicError_InvariantCorrupt, "", kTrellisInvariantCorrupt},
    {kFailureCode_LogicError, "", kTrellisLogicError},
    {kFailureCode_RuntimeError_FormatViolation, "", kTrellisFormatViolation},
    {kFailureCode_RuntimeError_UnsupportedFormat, "interface", kTrellisNoSuchInterface},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", kTrellisUnsupported},
    {kFailureCode_RuntimeError, "", kTrellisRuntimeError},
    {kFailureCode_EndOfTable, "", kTrellisOK},
};

constexpr std::array<TStatusCodeRow, 11> ImageLibraryTable(u32 ok)
{
    return {{
        {kFailureCode_BadAlloc, "", ok + kImageOutOfMemory},
        {kFailureCode_RuntimeError_FormatViolation, "", ok + kImageFormatViolation},
        {kFailureCode_RuntimeError_UnsupportedFormat, "", ok + kImageUnsupported},
        {kFailureCode_RuntimeError_ReadFailure, "", ok + kImageReadFailure},
        {kFailureCode_RuntimeError_WriteFailure, "", ok + kImageWriteFailure},
        {kFailureCode_LogicError_InvalidArgument, "", ok + kImageInvalidArgument},
        {kFailureCode_LogicError_InvariantCorrupt, "", ok + kImageInvariantCorrupt},
        {kFailureCode_LogicError_IllegalCallSequence, "", ok + kImageIllegalCallSequence},
        {kFailureCode_LogicError, "", ok + kImageLogicError},
        {kFailureCode_RuntimeError, "", ok + kImageRuntimeError},
        {kFailureCode_EndOfTable, "", ok},
    }};
}

constexpr auto kOrielTable = ImageLibraryTable(kOrielOK);
constexpr auto kGliskTable = ImageLibraryTable(kGliskOK);
constexpr u32 kOrielRuntimeError = OrielStatus(kImageRuntimeError);
constexpr u32 kGliskRuntimeError = GliskStatus(kImageRuntimeError);

constexpr TStatusCodeRow kTinctTable[] = {
    {kFailureCode_BadAlloc, "", kTinctOutOfMemory},
    {kFailureCode_LogicError_InvalidArgument, "", kTinctInvalidArgument},
    {kFailureCode_LogicError_InvariantCorrupt, "", kTinctInvariantCorrupt},
    {kFailureCode_LogicError_IllegalCallSequence, "", kTinctIllegalCallSequence},
    {kFailureCode_LogicError, "", kTinctLogicError},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", kTinctUnsupported},
    {kFailureCode_RuntimeError, "", kTinctRuntimeError},
    {kFailureCode_EndOfTable, "", kTinctOK},
};

constexpr TStatusCodeRow kKIVTable[] = {
    {kFailureCode_BadAlloc, "", kKIVOutOfMemory},
    {kFailureCode_RuntimeError_FormatViolation, "kiv_file", kKIVDamagedFile},
    {kFailureCode_RuntimeError_VersionTooNew, "kiv_file", kKIVVersionTooNew},
    {kFailureCode_RuntimeError_UnsupportedFormat, "kiv_file_zeroloop", kKIVZeroLoop},
    {kFailureCode_RuntimeError, "", kKIVRuntimeError},
    {kFailureCode_EndOfTable, "", kKIVOK},
};

// A library's table, the range its tunnelled failure codes travel in, and its status for an
// exception that is no std::exception.
struct TLibraryTable
{
    TStatusCodeRange fRange;
    const TStatusCodeRow* fRows;
    u32 fNonStandardStatus;
};

constexpr TLibraryTable kTrellis{kHighRange, kTrellisTable, kTrellisRuntimeError};
constexpr TLibraryTable kSprocket{kHighRange, kSprocketTable, kTrellisRuntimeError};
constexpr TLibraryTable kOriel{kHighRange, kOrielTable.data(), kOrielRuntimeError};
constexpr TLibraryTable kGlisk{kHighRange, kGliskTable.data(), kGliskRuntimeError};
constexpr TLibraryTable kTinct{kTinctRange, kTinctTable, kTinctRuntimeError};
constexpr TLibraryTable kKIV{kKIVRange, kKIVTable, kKIVRuntimeError};

[[noreturn]] void ThrowFailure(const TLibraryTable& library, u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, library.fRange, library.fRows, site);
}

u32 StatusFromCurrentException(const TLibraryTable& library, const TThrowSite& site)
{
    return StatusCodeFromCurrentException(library.fRange, library.fRows, library.fNonStandardStatus, site);
}
} // namespace

TStatusCodeRange GetTrellisStatusRange()
{
    return kTrellis.fRange;
}
const TStatusCodeRow* GetTrellisStatusTable()
{
    return kTrellis.fRows;
}
void ThrowTrellisFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kTrellis, status, site);
}
u32 TrellisStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kTrellis, site);
}

TStatusCodeRange GetSprocketStatusRange()
{
    return kSprocket.fRange;
}
const TStatusCodeRow* GetSprocketStatusTable()
{
    return kSprocket.fRows;
}
void ThrowSprocketFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kSprocket, status, site);
}
u32 SprocketStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kSprocket, site);
}

TStatusCodeRange GetOrielStatusRange()
{
    return kOriel.fRange;
}
const TStatusCodeRow* GetOrielStatusTable()
{
    return kOriel.fRows;
}
void ThrowOrielFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kOriel, status, site);
}
u32 OrielStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kOriel, site);
}

TStatusCodeRange GetGliskStatusRange()
{
    return kGlisk.fRange;
}
const TStatusCodeRow* GetGliskStatusTable()
{
    return kGlisk.fRows;
}
void ThrowGliskFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kGlisk, status, site);
}
u32 GliskStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kGlisk, site);
}

TStatusCodeRange GetTinctStatusRange()
{
    return kTinct.fRange;
}
const TStatusCodeRow* GetTinctStatusTable()
{
    return kTinct.fRows;
}
void ThrowTinctFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kTinct, status, site);
}
u32 TinctStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kTinct, site);
}

TStatusCodeRange GetKIVStatusRange()
{
    return kKIV.fRange;
}
const TStatusCodeRow* GetKIVStatusTable()
{
    return kKIV.fRows;
}
void ThrowKIVFailure(u32 status, const TThrowSite& site)
{
    ThrowFailure(kKIV, status, site);
}
u32 KIVStatusFromCurrentException(const TThrowSite& site)
{
    return StatusFromCurrentException(kKIV, site);
}

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
} // namespace

TStatusCodeRange GetTrellisStatusRange()
{
    return kHighRange;
}
const TStatusCodeRow* GetTrellisStatusTable()
{
    return kTrellisTable;
}

void ThrowTrellisFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kTrellisTable, site);
}

u32 TrellisStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kTrellisTable, kTrellisRuntimeError, site);
}

TStatusCodeRange GetSprocketStatusRange()
{
    return kHighRange;
}
const TStatusCodeRow* GetSprocketStatusTable()
{
    return kSprocketTable;
}

void ThrowSprocketFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kSprocketTable, site);
}

u32 SprocketStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kSprocketTable, kTrellisRuntimeError, site);
}

TStatusCodeRange GetOrielStatusRange()
{
    return kHighRange;
}
const TStatusCodeRow* GetOrielStatusTable()
{
    return kOrielTable.data();
}

void ThrowOrielFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kOrielTable.data(), site);
}

u32 OrielStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kOrielTable.data(), kOrielRuntimeError, site);
}

TStatusCodeRange GetGliskStatusRange()
{
    return kHighRange;
}
const TStatusCodeRow* GetGliskStatusTable()
{
    return kGliskTable.data();
}

void ThrowGliskFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kGliskTable.data(), site);
}

u32 GliskStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kGliskTable.data(), kGliskRuntimeError, site);
}

TStatusCodeRange GetTinctStatusRange()
{
    return kTinctRange;
}
const TStatusCodeRow* GetTinctStatusTable()
{
    return kTinctTable;
}

void ThrowTinctFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kTinctRange, kTinctTable, site);
}

u32 TinctStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kTinctRange, kTinctTable, kTinctRuntimeError, site);
}

TStatusCodeRange GetKIVStatusRange()
{
    return kKIVRange;
}
const TStatusCodeRow* GetKIVStatusTable()
{
    return kKIVTable;
}

void ThrowKIVFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kKIVRange, kKIVTable, site);
}

u32 KIVStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kKIVRange, kKIVTable, kKIVRuntimeError, site);
}

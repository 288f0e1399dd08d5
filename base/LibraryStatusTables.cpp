#include "base/LibraryStatusTables.h"

#include <array>

using namespace NSQuorral;

namespace
{
constexpr u32 kNoLimit = 0xFFFFFFFF;
constexpr TStatusCodeRange kHighRange{100000, kNoLimit};
constexpr TStatusCodeRange kTinctRange{1003, kNoLimit};
constexpr TStatusCodeRange kKIVRange{667, kNoLimit};

constexpr u32 kTrellisRuntimeError = 12007;
constexpr u32 kOrielRuntimeError = 740;
constexpr u32 kGliskRuntimeError = 780;
constexpr u32 kTinctRuntimeError = 1002;
constexpr u32 kKIVRuntimeError = 666;

constexpr TStatusCodeRow kTrellisTable[] = {
    {kFailureCode_BadAlloc, "", 12001},
    {kFailureCode_LogicError_InvalidArgument, "", 12002},
    {kFailureCode_LogicError_InvariantCorrupt, "", 12008},
    {kFailureCode_LogicError_IllegalCallSequence, "", 12003},
    {kFailureCode_LogicError, "", 12004},
    {kFailureCode_RuntimeError_FormatViolation, "", 12005},
    {kFailureCode_RuntimeError_UnsupportedFormat, "interface", 12009},
    {kFailureCode_RuntimeError_UnsupportedFormat, "api", 12010},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 12006},
    {kFailureCode_RuntimeError, "", kTrellisRuntimeError},
    {kFailureCode_EndOfTable, "", kTrellisOK},
};

// As the GUI library's, without the "api" row.
constexpr TStatusCodeRow kSprocketTable[] = {
    {kFailureCode_BadAlloc, "", 12001},
    {kFailureCode_LogicError_InvalidArgument, "", 12002},
    {kFailureCode_LogicError_IllegalCallSequence, "", 12003},
    {kFailureCode_LogicError_InvariantCorrupt, "", 12008},
    {kFailureCode_LogicError, "", 12004},
    {kFailureCode_RuntimeError_FormatViolation, "", 12005},
    {kFailureCode_RuntimeError_UnsupportedFormat, "interface", 12009},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 12006},
    {kFailureCode_RuntimeError, "", kTrellisRuntimeError},
    {kFailureCode_EndOfTable, "", kTrellisOK},
};

// The PNG and JPEG libraries number the same rows upwards from their success codes.
constexpr std::array<TStatusCodeRow, 11> ImageLibraryTable(u32 ok)
{
    return {{
        {kFailureCode_BadAlloc, "", ok + 1},
        {kFailureCode_RuntimeError_FormatViolation, "", ok + 2},
        {kFailureCode_RuntimeError_UnsupportedFormat, "", ok + 3},
        {kFailureCode_RuntimeError_ReadFailure, "", ok + 4},
        {kFailureCode_RuntimeError_WriteFailure, "", ok + 5},
        {kFailureCode_LogicError_InvalidArgument, "", ok + 6},
        {kFailureCode_LogicError_InvariantCorrupt, "", ok + 7},
        {kFailureCode_LogicError_IllegalCallSequence, "", ok + 8},
        {kFailureCode_LogicError, "", ok + 9},
        {kFailureCode_RuntimeError, "", ok + 10},
        {kFailureCode_EndOfTable, "", ok},
    }};
}

constexpr auto kOrielTable = ImageLibraryTable(kOrielOK);
constexpr auto kGliskTable = ImageLibraryTable(kGliskOK);
static_assert(kOrielTable[9].fStatus == kOrielRuntimeError && kGliskTable[9].fStatus == kGliskRuntimeError);

constexpr TStatusCodeRow kTinctTable[] = {
    {kFailureCode_BadAlloc, "", 992},
    {kFailureCode_LogicError_InvalidArgument, "", 993},
    {kFailureCode_LogicError_InvariantCorrupt, "", 994},
    {kFailureCode_LogicError_IllegalCallSequence, "", 995},
    {kFailureCode_LogicError, "", 996},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 997},
    {kFailureCode_RuntimeError, "", kTinctRuntimeError},
    {kFailureCode_EndOfTable, "", kTinctOK},
};

constexpr TStatusCodeRow kKIVTable[] = {
    {kFailureCode_BadAlloc, "", 105},
    {kFailureCode_RuntimeError_FormatViolation, "kiv_file", 106},
    {kFailureCode_RuntimeError_VersionTooNew, "kiv_file", 107},
    {kFailureCode_RuntimeError_UnsupportedFormat, "kiv_file_zeroloop", 108},
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

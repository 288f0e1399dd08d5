#include "base/LibraryStatusTables.h"

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

constexpr TStatusCodeRow kOrielTable[] = {
    {kFailureCode_BadAlloc, "", 731},
    {kFailureCode_RuntimeError_FormatViolation, "", 732},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 733},
    {kFailureCode_RuntimeError_ReadFailure, "", 734},
    {kFailureCode_RuntimeError_WriteFailure, "", 735},
    {kFailureCode_LogicError_InvalidArgument, "", 736},
    {kFailureCode_LogicError_InvariantCorrupt, "", 737},
    {kFailureCode_LogicError_IllegalCallSequence, "", 738},
    {kFailureCode_LogicError, "", 739},
    {kFailureCode_RuntimeError, "", kOrielRuntimeError},
    {kFailureCode_EndOfTable, "", kOrielOK},
};

constexpr TStatusCodeRow kGliskTable[] = {
    {kFailureCode_BadAlloc, "", 771},
    {kFailureCode_RuntimeError_FormatViolation, "", 772},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 773},
    {kFailureCode_RuntimeError_ReadFailure, "", 774},
    {kFailureCode_RuntimeError_WriteFailure, "", 775},
    {kFailureCode_LogicError_InvalidArgument, "", 776},
    {kFailureCode_LogicError_InvariantCorrupt, "", 777},
    {kFailureCode_LogicError_IllegalCallSequence, "", 778},
    {kFailureCode_LogicError, "", 779},
    {kFailureCode_RuntimeError, "", kGliskRuntimeError},
    {kFailureCode_EndOfTable, "", kGliskOK},
};

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
    return kOrielTable;
}

void ThrowOrielFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kOrielTable, site);
}

u32 OrielStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kOrielTable, kOrielRuntimeError, site);
}

TStatusCodeRange GetGliskStatusRange()
{
    return kHighRange;
}
const TStatusCodeRow* GetGliskStatusTable()
{
    return kGliskTable;
}

void ThrowGliskFailure(u32 status, const TThrowSite& site)
{
    ThrowByStatusCode(status, kHighRange, kGliskTable, site);
}

u32 GliskStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kHighRange, kGliskTable, kGliskRuntimeError, site);
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

#pragma once
// The status tables of the GUI (Trellis), widget (Sprocket), PNG (Oriel), JPEG (Glisk), pixel
// (Tinct) and sliced-loop (KIV) libraries, with their throw and catch-all operations. A library's
// failure code in a status is thrown as the exception of its row; in a callback's catch-all
// handler the *StatusFromCurrentException operation gives the status to answer.
#include "base/StatusCodes.h"
#include "base/StatusFence.h"

// Every status the libraries answer, by name. The GUI (Trellis) and the widget (Sprocket)
// libraries share their codes; the widget library never answers kTrellisNoSuchAPI.
constexpr u32 kTrellisOK = 12000;
constexpr u32 kTrellisOutOfMemory = 12001;
constexpr u32 kTrellisInvalidArgument = 12002;
constexpr u32 kTrellisIllegalCallSequence = 12003;
constexpr u32 kTrellisLogicError = 12004; // also the preset of an out-status
constexpr u32 kTrellisFormatViolation = 12005;
constexpr u32 kTrellisUnsupported = 12006;
constexpr u32 kTrellisRuntimeError = 12007; // also for an exception that is no std::exception
constexpr u32 kTrellisInvariantCorrupt = 12008;
constexpr u32 kTrellisNoSuchInterface = 12009;
constexpr u32 kTrellisNoSuchAPI = 12010;

// The PNG (Oriel) and JPEG (Glisk) libraries number the same rows upwards from their success
// codes: a kImage* constant is that offset, OrielStatus and GliskStatus give the library's status.
constexpr u32 kOrielOK = 730;
constexpr u32 kGliskOK = 770;
constexpr u32 kImageOutOfMemory = 1;
constexpr u32 kImageFormatViolation = 2;
constexpr u32 kImageUnsupported = 3;
constexpr u32 kImageReadFailure = 4;
constexpr u32 kImageWriteFailure = 5;
constexpr u32 kImageInvalidArgument = 6;
constexpr u32 kImageInvariantCorrupt = 7;
constexpr u32 kImageIllegalCallSequence = 8;
constexpr u32 kImageLogicError = 9;
constexpr u32 kImageRuntimeError = 10; // also for an exception that is no std::exception
constexpr u32 OrielStatus(u32 imageStatus)
{
    return kOrielOK + imageStatus;
}
constexpr u32 GliskStatus(u32 imageStatus)
{
    return kGliskOK + imageStatus;
}

constexpr u32 kTinctOK = 991;
constexpr u32 kTinctOutOfMemory = 992;
constexpr u32 kTinctInvalidArgument = 993;
constexpr u32 kTinctInvariantCorrupt = 994;
constexpr u32 kTinctIllegalCallSequence = 995;
constexpr u32 kTinctLogicError = 996;
constexpr u32 kTinctUnsupported = 997;
constexpr u32 kTinctRuntimeError = 1002; // also for an exception that is no std::exception

constexpr u32 kKIVOK = 1; // the loop library also answers 2 and 3 for success
constexpr u32 kKIVOutOfMemory = 105;
constexpr u32 kKIVDamagedFile = 106;
constexpr u32 kKIVVersionTooNew = 107;
constexpr u32 kKIVZeroLoop = 108;     // the loop's bars and beats are not set
constexpr u32 kKIVRuntimeError = 666; // also for an exception that is no std::exception

NSQuorral::TStatusCodeRange GetTrellisStatusRange();
const NSQuorral::TStatusCodeRow* GetTrellisStatusTable();
[[noreturn]] void ThrowTrellisFailure(u32 status,
                                      const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 TrellisStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetSprocketStatusRange();
const NSQuorral::TStatusCodeRow* GetSprocketStatusTable();
[[noreturn]] void ThrowSprocketFailure(u32 status,
                                       const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 SprocketStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetOrielStatusRange();
const NSQuorral::TStatusCodeRow* GetOrielStatusTable();
[[noreturn]] void ThrowOrielFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 OrielStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetGliskStatusRange();
const NSQuorral::TStatusCodeRow* GetGliskStatusTable();
[[noreturn]] void ThrowGliskFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 GliskStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetTinctStatusRange();
const NSQuorral::TStatusCodeRow* GetTinctStatusTable();
[[noreturn]] void ThrowTinctFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 TinctStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetKIVStatusRange();
const NSQuorral::TStatusCodeRow* GetKIVStatusTable();
[[noreturn]] void ThrowKIVFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
u32 KIVStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

// Each library's side of the one boundary fence (base/StatusFence.h).
inline constexpr NSQuorral::TStatusMapping kTrellisStatusMapping{kTrellisOK,
                                                                 TrellisStatusFromCurrentException};
inline constexpr NSQuorral::TStatusMapping kSprocketStatusMapping{kTrellisOK,
                                                                  SprocketStatusFromCurrentException};
inline constexpr NSQuorral::TStatusMapping kTinctStatusMapping{kTinctOK, TinctStatusFromCurrentException};
inline constexpr NSQuorral::TStatusMapping kKIVStatusMapping{kKIVOK, KIVStatusFromCurrentException};

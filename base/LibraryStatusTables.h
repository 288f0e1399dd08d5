#pragma once
// The status tables of the GUI (Trellis), widget (Sprocket), PNG (Oriel), JPEG (Glisk), pixel
// (Tinct) and sliced-loop (KIV) libraries, with their throw and catch-all operations. A library's
// failure code in a status is thrown as the exception of its row; in a callback's catch-all
// handler the *StatusFromCurrentException operation gives the status to answer.
#include "base/StatusCodes.h"

constexpr u32 kTrellisOK = 12000; // the GUI and the widget library share their codes
constexpr u32 kOrielOK = 730;
constexpr u32 kGliskOK = 770;
constexpr u32 kTinctOK = 991;
constexpr u32 kKIVOK = 1; // the loop library also answers 2 and 3 for success

NSQuorral::TStatusCodeRange GetTrellisStatusRange();
const NSQuorral::TStatusCodeRow* GetTrellisStatusTable();
[[noreturn]] void ThrowTrellisFailure(u32 status,
                                      const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 12007 for an exception that is no std::exception.
u32 TrellisStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetSprocketStatusRange();
const NSQuorral::TStatusCodeRow* GetSprocketStatusTable();
[[noreturn]] void ThrowSprocketFailure(u32 status,
                                       const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 12007 for an exception that is no std::exception.
u32 SprocketStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetOrielStatusRange();
const NSQuorral::TStatusCodeRow* GetOrielStatusTable();
[[noreturn]] void ThrowOrielFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 740 for an exception that is no std::exception.
u32 OrielStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetGliskStatusRange();
const NSQuorral::TStatusCodeRow* GetGliskStatusTable();
[[noreturn]] void ThrowGliskFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 780 for an exception that is no std::exception.
u32 GliskStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetTinctStatusRange();
const NSQuorral::TStatusCodeRow* GetTinctStatusTable();
[[noreturn]] void ThrowTinctFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 1002 for an exception that is no std::exception.
u32 TinctStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

NSQuorral::TStatusCodeRange GetKIVStatusRange();
const NSQuorral::TStatusCodeRow* GetKIVStatusTable();
[[noreturn]] void ThrowKIVFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
// 666 for an exception that is no std::exception.
u32 KIVStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

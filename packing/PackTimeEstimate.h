#pragma once
// The time-remaining estimate of a pack: from the start of verification, each new overall
// progress value gives the total time the pack would take at the rate so far; a smoothed total is
// shown only once it has settled, and the time the user spends answering confirmations is left
// out.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <functional>

namespace NSVantlePacking
{
// Milliseconds of a monotonic clock; only differences mean anything.
using TMillisecondClock = std::function<i64()>;

class CPackTimeEstimate
{
public:
    explicit CPackTimeEstimate(TMillisecondClock clock);

    i64 Now() const { return fClock(); }

    // Begins (or begins again) estimating from now, with nothing known yet.
    void Start();
    // The time between the two is not counted as time of the pack.
    void BeginPause();
    void EndPause();
    // Counts in a new overall progress (tenths of a percent); a value already counted, 0, or any
    // value before Start changes nothing.
    void Update(u32 progress);

    // "Time remaining: …" once the estimate has settled, "…Estimating…" while it may be shown but
    // has not settled, else empty.
    NSTextPackage::TUTF16String GetTimeText() const;

private:
    TMillisecondClock fClock;
    u8 fEstimating = 0;
    i64 fEstimateStart = 0;
    // Total time from fEstimateStart to the end of the pack.
    i64 fSmoothedEstimate = 0;
    // Updates in a row whose estimate agreed with the smoothed one; the time is shown at kSettled
    // and from then on.
    u32 fStableCount = 0;
    u32 fLastProgress = 0;
    u8 fEstimateValid = 0;
    i64 fPauseStart = 0;
    i64 fPausedTime = 0;

    i64 Elapsed() const;
};
} // namespace NSVantlePacking

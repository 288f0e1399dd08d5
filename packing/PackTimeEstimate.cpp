#include "packing/PackTimeEstimate.h"

#include "base/TextConversions.h"
#include "base/TextTemplates.h"
#include "packing/ProgramStrings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

constexpr u16 kHoursAndMinutes = 60;
constexpr u16 kMinutes = 61;
constexpr u16 kAboutOneMinute = 62;
constexpr u16 kLessThanOneMinute = 63;
constexpr u16 kEstimating = 64;

// The estimate may be shown once this much time has passed and the smoothed total reached
// kShownTotal: earlier estimates of a short pack only flicker.
constexpr i64 kShownAfter = 10000;
constexpr i64 kShownTotal = 30000;
// Each new estimate weighs 1/16 against the smoothed total.
constexpr double kKeptWeight = 0.9375;
constexpr double kNewWeight = 0.0625;
// The smoothed total has settled after this many updates in a row within kStableSpread of it.
constexpr u32 kSettled = 120;
constexpr i64 kStableSpread = 1500;

TUTF16String TextWith(u16 entry, const char* argument)
{
    return NSTextPackage::ExpandTemplate(GetProgramString(entry), {NSTextPackage::ASCIIToUTF16(argument, 0)});
}

TUTF16String RemainingText(i64 remaining)
{
    const i64 seconds = remaining / 1000;
    const i64 minutes = seconds / 60;
    char number[32];
    if (minutes > 60)
    {
        std::snprintf(number, sizeof number, "%02d:%02d", int(minutes / 60), int(minutes % 60));
        return TextWith(kHoursAndMinutes, number);
    }
    if (seconds >= 90)
    {
        // Rounded to the nearest minute, one digit preceded by a blank.
        std::snprintf(number, sizeof number, "%2d", int((seconds + 30) / 60));
        return TextWith(kMinutes, number);
    }
    return GetProgramString(seconds > 35 ? kAboutOneMinute : kLessThanOneMinute);
}
} // namespace

CPackTimeEstimate::CPackTimeEstimate(TMillisecondClock clock) : fClock(std::move(clock)) {}

void CPackTimeEstimate::Start()
{
    fEstimateStart = Now();
    fStableCount = 0;
    fLastProgress = 0;
    fSmoothedEstimate = 0;
    fPauseStart = 0;
    fPausedTime = 0;
    fEstimateValid = 0;
    fEstimating = 1;
}

void CPackTimeEstimate::BeginPause()
{
    fPauseStart = Now();
}

void CPackTimeEstimate::EndPause()
{
    fPausedTime += Now() - fPauseStart;
}

void CPackTimeEstimate::Update(u32 progress)
{
    if (fEstimating == 0 || progress == fLastProgress || progress == 0)
        return;
    const i64 elapsed = Elapsed();
    // The total the pack would take at the rate so far.
    const double estimate = double(elapsed) * 1000.0 / double(progress);
    if (fEstimateValid == 0 && elapsed > kShownAfter && fSmoothedEstimate >= kShownTotal)
        fEstimateValid = 1;
    const i64 previous = fSmoothedEstimate;
    fSmoothedEstimate = i64(double(fSmoothedEstimate) * kKeptWeight + estimate * kNewWeight);
    if (fEstimateValid != 0 && fStableCount < kSettled)
        fStableCount = std::fabs(double(previous) - estimate) < double(kStableSpread) ? fStableCount + 1 : 0;
    fLastProgress = progress;
}

TUTF16String CPackTimeEstimate::GetTimeText() const
{
    if (fEstimating == 0)
        return {};
    if (fStableCount >= kSettled)
        return RemainingText(std::max<i64>(fSmoothedEstimate - Elapsed(), 0));
    return fEstimateValid != 0 ? GetProgramString(kEstimating) : TUTF16String();
}

i64 CPackTimeEstimate::Elapsed() const
{
    return Now() - fPausedTime - fEstimateStart;
}
} // namespace NSVantlePacking

// The time-remaining estimate through an injected clock: the texts by remaining time, when the
// estimate is shown at all, and the pause that is left out of it. The texts come from the
// program's string table through the real GUI library.
#include "base/TextConversions.h"
#include "gui/TrellisInterface.h"
#include "packing/PackTimeEstimate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using NSVantlePacking::CPackTimeEstimate;

// A pack that reaches each tenth of a percent at the same rate, total milliseconds for the whole.
constexpr i64 kSteadyTotal = 10'000'000;
// By then a steady pack's estimate has settled.
constexpr u32 kSettledProgress = 300;

class PackTimeEstimateTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }

    std::string Text() const { return NSTextPackage::UTF16ToUTF8(fEstimate.GetTimeText()); }

    // Reports progress 1 to last, each at the time the steady pack reaches it.
    void RunSteadily(i64 total, u32 last)
    {
        for (u32 progress = 1; progress <= last; ++progress)
        {
            fNow = fStart + total * progress / 1000;
            fEstimate.Update(progress);
        }
    }

    i64 fNow = 5000;
    i64 fStart = 5000;
    CPackTimeEstimate fEstimate{[this] { return fNow; }};
};

TEST_F(PackTimeEstimateTest, TheSettledEstimateNamesTheRemainingTime)
{
    fEstimate.Start();
    RunSteadily(kSteadyTotal, kSettledProgress);
    struct Case
    {
        i64 fRemainingSeconds;
        const char* fText;
    };
    const Case kCases[] = {
        {7199, "Time remaining: 01:59"},
        {3700, "Time remaining: 01:01"},
        {3600, "Time remaining: 60 minutes"},
        {600, "Time remaining: 10 minutes"},
        {120, "Time remaining:  2 minutes"},
        {90, "Time remaining:  2 minutes"},
        {89, "Time remaining: About one minute"},
        {36, "Time remaining: About one minute"},
        {35, "Time remaining: Less than one minute…"},
        {0, "Time remaining: Less than one minute…"},
        {-600, "Time remaining: Less than one minute…"}, // later than estimated
    };
    for (const Case& c : kCases)
    {
        // Half a second into the whole second, so the last millisecond of smoothing does not count.
        fNow = fStart + kSteadyTotal - c.fRemainingSeconds * 1000 - 500;
        EXPECT_EQ(Text(), c.fText) << c.fRemainingSeconds << " s";
    }
}

TEST_F(PackTimeEstimateTest, NothingIsShownUntilEstimatingThenEstimatingUntilSettledThenTheTimeForGood)
{
    EXPECT_EQ(Text(), "");
    fEstimate.Update(10);
    EXPECT_EQ(Text(), "") << "not estimating before the start";

    fEstimate.Start();
    std::vector<std::string> shown;
    for (u32 progress = 1; progress <= kSettledProgress; ++progress)
    {
        fNow = fStart + kSteadyTotal * progress / 1000;
        fEstimate.Update(progress);
        const std::string text = Text();
        const std::string kind = text.empty()                            ? "none"
                                 : text == "Time remaining: Estimating…" ? "estimating"
                                                                         : "time";
        if (shown.empty() || shown.back() != kind)
            shown.push_back(kind);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"none", "estimating", "time"}));

    // A sudden change of rate no longer takes the time back to "Estimating…".
    fNow += 3'600'000;
    fEstimate.Update(kSettledProgress + 1);
    EXPECT_NE(Text(), "Time remaining: Estimating…");
    EXPECT_NE(Text(), "");
}

TEST_F(PackTimeEstimateTest, ShortOrQuickPacksNeverShowATime)
{
    // Milliseconds since the start at which each tenth of a percent is reached.
    const auto slowStartDoneIn10Seconds = [](u32 progress)
    { return progress == 1 ? 5000 : 5000 + progress * 5; };
    const auto steady25Seconds = [](u32 progress) { return i64(progress) * 25; };
    for (const auto& timeOf : std::vector<std::function<i64(u32)>>{slowStartDoneIn10Seconds, steady25Seconds})
    {
        fNow = fStart;
        fEstimate.Start();
        for (u32 progress = 1; progress <= 1000; ++progress)
        {
            fNow = fStart + timeOf(progress);
            fEstimate.Update(progress);
            ASSERT_EQ(Text(), "") << progress;
        }
    }
}

TEST_F(PackTimeEstimateTest, RepeatedAndZeroProgressLeaveTheEstimateAlone)
{
    fEstimate.Start();
    RunSteadily(kSteadyTotal, kSettledProgress);
    fNow = fStart + kSteadyTotal / 2;
    const std::string settled = Text();
    // At this time a new report of the same value would pull the estimate far down.
    fEstimate.Update(kSettledProgress);
    fEstimate.Update(0);
    EXPECT_EQ(Text(), settled);
}

TEST_F(PackTimeEstimateTest, APauseIsLeftOutOfTheEstimate)
{
    i64 pausedNow = fNow;
    CPackTimeEstimate paused([&] { return pausedNow; });
    fEstimate.Start();
    paused.Start();
    constexpr i64 kPause = 2 * 3'600'000;
    for (u32 progress = 1; progress <= kSettledProgress; ++progress)
    {
        fNow = fStart + kSteadyTotal * progress / 1000;
        pausedNow = fNow + (progress > 40 ? kPause : 0);
        if (progress == 40)
        {
            paused.BeginPause();
            pausedNow += kPause;
            paused.EndPause();
        }
        fEstimate.Update(progress);
        paused.Update(progress);
        ASSERT_EQ(NSTextPackage::UTF16ToUTF8(paused.GetTimeText()), Text()) << progress;
    }
    EXPECT_EQ(Text().rfind("Time remaining: ", 0), 0u);
}
} // namespace

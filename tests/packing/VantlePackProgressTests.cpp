// The main window's pack progress over the program's own views: text views over stand-in native
// views, a real progress bar of our widget library, the real GUI library's string and alert
// tables with its headless answerer, and an injected clock. The stand-in library counts the
// event runs that keep the window responsive.
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "gui/SprocketInterface.h"
#include "gui/VRAMBitmap.h"
#include "packing/VantlePackProgress.h"
#include "tests/gui/ViewDoubles.h"
#include "tests/packing/SourceFolderFixture.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace
{
using namespace NSPackingTests;
using NSFerrant::CBorderStaticTextView;
using NSVantlePacking::CVantlePackProgress;
using NSVantlePacking::TTextViewPtr;

// Views over stand-in native views; string and alert tables and alerts from the real library;
// event runs counted, with a status of the test's choosing.
class CPackWindowTrellis final : public CViewLibrary
{
public:
    u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) override
    {
        return fReal->GetResourceText(spec, getter);
    }
    u32 RunAlert(INativeWindow* window, u32 operation, const TAlertDescriptor* alert,
                 NSTrellis::IAlertListener* listener) override
    {
        fWhileAlertShows();
        return fReal->RunAlert(window, operation, alert, listener);
    }
    u32 ProcessEvents() override
    {
        ++fEventRuns;
        return fEventsStatus;
    }

    ITrellis* fReal = nullptr;
    int fEventRuns = 0;
    u32 fEventsStatus = kTrellisOK;
    std::function<void()> fWhileAlertShows = [] {};
};

template <class TException, class TAction> std::optional<std::string> ThrownMessage(TAction action)
{
    try
    {
        action();
    }
    catch (const TException& thrown)
    {
        return std::string(thrown.what());
    }
    return std::nullopt;
}

struct TShownAlert
{
    std::string fTitle;
    std::string fMessage;
    bool operator==(const TShownAlert&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TShownAlert& alert)
{
    return out << "[" << alert.fTitle << "] " << alert.fMessage;
}

// Past the display's refresh interval.
constexpr i64 kRefreshed = 201;

class VantlePackProgressTest : public CSourceFolderTest
{
protected:
    void SetUp() override
    {
        CSourceFolderTest::SetUp();
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        CreateSprocketInterface(GetTrellisInterface());
        fBarParent = NSTrellisGlue::WrapContentView(&fBarWindow);
        fBar = NSSprocketUtils::CreateProgressView(*fBarParent, {0, 0, 200, 16}, {}, "progress");
        fTrellis.fReal = ExchangeTrellisInterface(&fTrellis);
        fRoot = NSTrellisGlue::WrapContentView(&fRootNative);
        for (TTextViewPtr* view : TextViews())
            *view = NSTrellisGlue::MakeViewPtr(new CBorderStaticTextView(*fRoot, {}));
        fSplash = NSTrellisGlue::MakeViewPtr(
            new NSFerrant::CDirectBitmapView(*fRoot, {0, 0, 64, 64}, "splash", nullptr));
        fJob = MakeJob();
    }
    void TearDown() override
    {
        fProgress.reset();
        for (TTextViewPtr* view : TextViews())
            view->reset();
        fSplash.reset();
        fRoot.reset();
        ExchangeTrellisInterface(fTrellis.fReal);
        fBar.reset();
        fBarParent.reset();
        ReleaseSprocketInterface();
        TrellisHeadless_Enable(0);
        CSourceFolderTest::TearDown();
    }

    std::vector<TTextViewPtr*> TextViews()
    {
        return {&fName, &fComments, &fCopyright, &fURL, &fFileCount, &fExternal, &fLine, &fTime};
    }

    CVantlePackProgress& MakeProgress(u8 warnExternalReferences)
    {
        fProgress = std::make_unique<CVantlePackProgress>(
            warnExternalReferences, fName, fComments, fCopyright, fURL, fSplash, fFileCount, fExternal, fLine,
            fBar, fTime, &fStop, [this] { return fNow; });
        return *fProgress;
    }

    static std::string Shown(const TTextViewPtr& view) { return NSTextPackage::UTF16ToUTF8(view->GetText()); }

    NSSprocket::TProgressViewRecord Bar() const
    {
        NSSprocket::TProgressViewRecord record{};
        EXPECT_EQ(fBar->GetProperties(&record), kTrellisOK);
        return record;
    }

    static std::vector<TShownAlert> Alerts()
    {
        u32 count = 0;
        EXPECT_EQ(TrellisHeadless_CountRecords(&count), kTrellisOK);
        std::vector<TShownAlert> alerts;
        for (u32 i = 0; i < count; ++i)
        {
            TTrellisHeadlessRecord record{};
            EXPECT_EQ(TrellisHeadless_GetRecord(i, &record), kTrellisOK);
            alerts.push_back({NSTextPackage::UTF16ToUTF8(TUTF16StringOf(record.fAlert.fTitle)),
                              NSTextPackage::UTF16ToUTF8(TUTF16StringOf(record.fAlert.fMessage))});
        }
        return alerts;
    }
    static NSTextPackage::TUTF16String TUTF16StringOf(const u16* text)
    {
        return NSTextPackage::TUTF16String(text);
    }

    CPackWindowTrellis fTrellis;
    CWindowView fBarWindow;
    std::shared_ptr<NSTrellisGlue::CABCView> fBarParent;
    NSSprocketUtils::TProgressViewPtr fBar;
    CFakeView fRootNative{fTrellis.fLog, nullptr};
    std::shared_ptr<NSTrellisGlue::CABCView> fRoot;
    TTextViewPtr fName, fComments, fCopyright, fURL, fFileCount, fExternal, fLine, fTime;
    std::shared_ptr<NSFerrant::CDirectBitmapView> fSplash;
    TPackJobHandle fJob;
    u8 fStop = 0;
    i64 fNow = 1000;
    std::unique_ptr<CVantlePackProgress> fProgress;
};

TEST(VantlePackProgress, OverallProgressWeighsEachPhase)
{
    struct Case
    {
        u32 fPhase;
        u64 fCount;
        u64 fDone;
        u32 fProgress;
    };
    const Case kCases[] = {
        {0, 0, 0, 0},
        {0, 10, 0, 0},
        {0, 10, 10, 10},
        {1, 1, 1, 20},
        {2, 5, 5, 50},
        {3, 4, 2, 75},
        {4, 3, 1, 320},
        {4, 0, 0, 0},
        {5, 1, 0, 760},
        {7, 1, 1, 890},
        {8, 3, 1, 923},
        {8, 7, 7, 990},
        {8, 1u << 20, 1u << 20, 990},
        {9, 5, 0, 990}, // past the last phase: everything before it is done
    };
    for (const Case& c : kCases)
        EXPECT_EQ(CVantlePackProgress::OverallProgress(c.fPhase, c.fCount, c.fDone), c.fProgress)
            << c.fPhase << " " << c.fCount << " " << c.fDone;
}

TEST_F(VantlePackProgressTest, EachPhaseShowsItsTitleThenItsItems)
{
    struct Case
    {
        u32 fPhase;
        const char* fTitle;
        const char* fItemLine; // for Samples/Old/Snare.aif
    };
    const Case kCases[] = {
        {0, "Scanning folder…", "Scanning folder…"},
        {1, "Scanning folder…", "Scanning folder…"},
        {2, "Scanning folder structure…", "Scanning folder: “Samples:Old:Snare.aif”"},
        {3, "1/5 Verifying…", "1/5 Verifying: \r“Samples:Old:Snare.aif”"},
        {4, "2/5 Packing…", "2/5 Packing: \r“Samples:Old:Snare.aif”"},
        {5, "3/5 Building index…", "3/5 Building index…"},
        {6, "3/5 Building index…", "3/5 Indexing: \r“Samples:Old:Snare.aif”"},
        {7, "4/5 Composing file…", "4/5 Composing file…"},
        {8, "5/5 Verifying…", "5/5 Verifying: \r“Samples:Old:Snare.aif”"},
    };
    CVantlePackProgress& progress = MakeProgress(1);
    const CSourceNode* snare = NodeAt(*fJob, "Samples/Old/Snare.aif");
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fPhase);
        fNow += kRefreshed;
        progress.BeginPhase(fJob, c.fPhase, 10);
        EXPECT_EQ(Shown(fLine), c.fTitle);
        fNow += kRefreshed;
        progress.Item(fJob, 3, snare, {});
        EXPECT_EQ(Shown(fLine), c.fItemLine);
        fNow += kRefreshed;
        progress.EndPhase(fJob, c.fPhase);
        EXPECT_EQ(Shown(fLine), "");
    }

    // An entry of the finished package is named by its text.
    progress.BeginPhase(fJob, 8, 10);
    fNow += kRefreshed;
    progress.Item(fJob, 3, nullptr, Text("Patches:Lead.crv"));
    EXPECT_EQ(Shown(fLine), "5/5 Verifying: \r“Patches:Lead.crv”");
}

TEST_F(VantlePackProgressTest, AStopRequestEndsThePackQuietlyAtTheNextReportAndIsUsedUp)
{
    CVantlePackProgress& progress = MakeProgress(1);
    const std::vector<std::pair<const char*, std::function<void()>>> reports = {
        {"begin", [&] { progress.BeginPhase(fJob, 4, 10); }},
        {"item", [&] { progress.Item(fJob, 1, nullptr, Text("x")); }},
        {"end", [&] { progress.EndPhase(fJob, 4); }},
    };
    for (const auto& [name, report] : reports)
    {
        SCOPED_TRACE(name);
        fStop = 1;
        EXPECT_EQ(ThrownMessage<NSQuorral::XSilentAbort>(report), "User aborted");
        EXPECT_EQ(fStop, 0);
        EXPECT_NO_THROW(report()) << "the request is used up";
    }
}

TEST_F(VantlePackProgressTest, TheBarAndTheLineAreRefreshedAtMostEvery200msAndEventsRunBetween)
{
    fNow = 0;
    CVantlePackProgress& progress = MakeProgress(1);
    EXPECT_EQ(fTrellis.fEventRuns, 1);
    progress.BeginPhase(fJob, 4, 100);
    const CSourceNode* kick = NodeAt(*fJob, "Samples/Kick.aif");
    struct Step
    {
        i64 fTime;
        u64 fIndex; // the phase's end for kEnd
        u32 fBar;   // what the bar shows after the report
        u32 fRunning;
        const char* fLine;
        int fEventRuns;
    };
    constexpr u64 kEnd = ~u64(0);
    const char* const kKickLine = "2/5 Packing: \r“Samples:Kick.aif”";
    const Step kSteps[] = {
        {0, 0, 0, 1, "", 1},
        {150, 50, 0, 1, "", 2},          // events only
        {200, 60, 0, 1, "", 2},          // neither: 200 ms is not past the interval
        {201, 70, 562, 1, kKickLine, 3}, // refreshed
        {302, 80, 562, 1, kKickLine, 4}, // events only: 152 ms since the last events
        {402, 90, 694, 1, kKickLine, 5}, // refreshed
        {500, 95, 694, 1, kKickLine, 6}, // events only
        {603, kEnd, 760, 0, "", 7},      // the phase's end refreshed: not running, no line
    };
    for (const Step& step : kSteps)
    {
        SCOPED_TRACE(step.fTime);
        fNow = step.fTime;
        if (step.fIndex == kEnd)
            progress.EndPhase(fJob, 4);
        else if (step.fTime != 0)
            progress.Item(fJob, step.fIndex, kick, {});
        EXPECT_EQ(Bar().fValue, step.fBar);
        EXPECT_EQ(Bar().fUnnamed20, step.fRunning);
        EXPECT_EQ(Shown(fLine), step.fLine);
        EXPECT_EQ(fTrellis.fEventRuns, step.fEventRuns);
    }
}

TEST_F(VantlePackProgressTest, TheDisplayIsResetWhenMadeAndWhenDoneEvenWhenEventsFail)
{
    NSSprocket::TProgressViewRecord stale = Bar();
    stale.fValue = 500;
    stale.fUnnamed20 = 0;
    ASSERT_EQ(fBar->SetProperties(&stale), kTrellisOK);
    fLine->SetText(Text("stale"));
    MakeProgress(1);
    EXPECT_EQ(Bar().fValue, 0u);
    EXPECT_EQ(Bar().fUnnamed20, 1u);
    EXPECT_EQ(Shown(fLine), "");
    EXPECT_EQ(fTrellis.fEventRuns, 1);

    fLine->SetText(Text("line"));
    fTime->SetText(Text("time"));
    ASSERT_EQ(fBar->SetProperties(&stale), kTrellisOK);
    fTrellis.fEventsStatus = kTrellisIllegalCallSequence;
    EXPECT_NO_THROW(fProgress.reset());
    EXPECT_EQ(Shown(fLine), "");
    EXPECT_EQ(Shown(fTime), "");
    EXPECT_EQ(Bar().fValue, 0u);
    EXPECT_EQ(Bar().fUnnamed20, 1u);
    EXPECT_EQ(fTrellis.fEventRuns, 2);
}

TEST_F(VantlePackProgressTest, TheInformationViewsShowTheJobsPackageAndItsFileCount)
{
    fJob->fInfo.fComments = Text("Drums");
    fJob->fInfo.fCopyright = Text("(c) Bank");
    fJob->fSplashImage = NSFerrant::NewBitmap32(2, 2);
    fFileCount->SetText(Text("stale"));
    fExternal->SetText(Text("stale"));
    CVantlePackProgress& progress = MakeProgress(1);
    progress.BeginPhase(fJob, 0, 0);
    EXPECT_EQ((std::vector<std::string>{Shown(fName), Shown(fComments), Shown(fCopyright), Shown(fURL),
                                        Shown(fFileCount), Shown(fExternal)}),
              (std::vector<std::string>{"Bank", "Drums", "(c) Bank", "http://bank", "", ""}));
    EXPECT_EQ(fSplash->GetBitmap(), fJob->fSplashImage);
    progress.EndPhase(fJob, 0);

    // The information files are read in phase 1: its end shows what they said.
    progress.BeginPhase(fJob, 1, 0);
    fJob->fInfo.fName = Text("Renamed");
    fJob->fSplashImage.reset();
    progress.EndPhase(fJob, 1);
    EXPECT_EQ(Shown(fName), "Renamed");
    EXPECT_EQ(fSplash->GetBitmap(), nullptr);

    for (const auto& [files, shown] : {std::pair<u32, const char*>{4, "3"}, {1, "0"}, {0, "0"}})
    {
        fJob->fInfo.fFileCount = files;
        progress.BeginPhase(fJob, 2, 0);
        progress.EndPhase(fJob, 2);
        EXPECT_EQ(Shown(fFileCount), shown) << files;
    }
}

TEST_F(VantlePackProgressTest, FailedOrUnresolvedFilesEndThePackAfterVerificationWithoutAsking)
{
    CSourceNode* song = NodeAt(*fJob, "Song.sng");
    fJob->fExternalReferences[song] = {DatabaseReference("Other", {"a.wav"})};
    CVantlePackProgress& progress = MakeProgress(1);
    progress.BeginPhase(fJob, 3, 1);
    fJob->fUnresolvedReferences[song] = {RelativeReference(0, {"gone.wav"})};
    EXPECT_EQ(ThrownMessage<NSQuorral::XAbort>([&] { progress.EndPhase(fJob, 3); }),
              "vantle has unresolved entries");
    progress.BeginPhase(fJob, 3, 1);
    fJob->fFailedFiles.insert(song);
    EXPECT_EQ(ThrownMessage<NSQuorral::XAbort>([&] { progress.EndPhase(fJob, 3); }),
              "vantle has failed entries");
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(Shown(fExternal), "");
}

TEST_F(VantlePackProgressTest, EachFileIsAskedOnlyAboutThePackagesItIsTheFirstToBring)
{
    CSourceNode* song = NodeAt(*fJob, "Song.sng");
    CSourceNode* kick = NodeAt(*fJob, "Samples/Kick.aif");
    CSourceNode* first = std::min(song, kick);
    CSourceNode* second = std::max(song, kick);
    const std::string firstPath = TextOf(GetItemDisplayPath(first->fItem));
    const std::string secondPath = TextOf(GetItemDisplayPath(second->fItem));
    const std::string title = "External Vantles referenced";
    struct Case
    {
        std::vector<std::string> fFirstBrings;
        std::vector<std::string> fSecondBrings;
        std::vector<TShownAlert> fAsked;
        const char* fListed;
    };
    const Case kCases[] = {
        {{"Zeta"},
         {"Zeta", "Alpha"},
         {{title, "The file “" + firstPath + "” refers to the Vantle 'Zeta'.\rContinue anyway?"},
          {title, "The file “" + secondPath + "” refers to the Vantle 'Alpha'.\rContinue anyway?"}},
         "Alpha, Zeta"},
        {{"Zeta", "Alpha", "Zeta"},
         {"Alpha"},
         {{title, "The file “" + firstPath + "” refers to the Vantles 'Zeta', 'Alpha'.\rContinue anyway?"}},
         "Alpha, Zeta"},
    };
    for (const Case& c : kCases)
    {
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK); // no records, no queued answers
        fJob->fExternalReferences.clear();
        for (const std::string& name : c.fFirstBrings)
            fJob->fExternalReferences[first].push_back(DatabaseReference(name, {"a.wav"}));
        for (const std::string& name : c.fSecondBrings)
            fJob->fExternalReferences[second].push_back(DatabaseReference(name, {"b.wav"}));
        CVantlePackProgress& progress = MakeProgress(1);
        progress.BeginPhase(fJob, 3, 0);
        EXPECT_NO_THROW(progress.EndPhase(fJob, 3)); // every alert answered "Continue Anyway"
        EXPECT_EQ(Alerts(), c.fAsked);
        EXPECT_EQ(Shown(fExternal), c.fListed);
    }
}

TEST_F(VantlePackProgressTest, WithoutTheWarningNothingIsAskedYetThePackagesAreListed)
{
    fJob->fExternalReferences[NodeAt(*fJob, "Song.sng")] = {DatabaseReference("Beta", {"a.wav"}),
                                                            DatabaseReference("Alpha", {"b.wav"})};
    CVantlePackProgress& progress = MakeProgress(0);
    progress.BeginPhase(fJob, 3, 0);
    progress.EndPhase(fJob, 3);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(Shown(fExternal), "Alpha, Beta");
}

TEST_F(VantlePackProgressTest, DecliningAReferencedPackageEndsThePackWithAnEmptyAbort)
{
    fJob->fExternalReferences[NodeAt(*fJob, "Song.sng")] = {DatabaseReference("Beta", {"a.wav"})};
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(kAlertAnswerNextToLastButton), kTrellisOK); // Cancel
    CVantlePackProgress& progress = MakeProgress(1);
    progress.BeginPhase(fJob, 3, 0);
    EXPECT_EQ(ThrownMessage<NSQuorral::XAbort>([&] { progress.EndPhase(fJob, 3); }), "");
    EXPECT_EQ(Alerts().size(), 1u);
}

TEST_F(VantlePackProgressTest, TimeSpentAnsweringTheConfirmationIsLeftOutOfTheEstimate)
{
    fJob->fExternalReferences[NodeAt(*fJob, "Song.sng")] = {DatabaseReference("Beta", {"a.wav"})};
    // A steady pack, 100 ms per tenth of a percent: verification, the confirmation (answered at once
    // or after ten hours), then packing; the time texts shown during packing.
    const auto packAnsweringAfter = [&](i64 answerTime)
    {
        fNow = 0;
        fTrellis.fWhileAlertShows = [&] { fNow += answerTime; };
        CVantlePackProgress& progress = MakeProgress(1);
        progress.BeginPhase(fJob, 3, 50);
        for (u64 index = 0; index < 50; ++index)
        {
            fNow += 100; // each item a tenth of a percent of the whole
            progress.Item(fJob, index, nullptr, Text("x"));
        }
        const i64 beforeAlert = fNow;
        progress.EndPhase(fJob, 3);
        const i64 paused = fNow - beforeAlert;
        std::vector<std::string> shown;
        progress.BeginPhase(fJob, 4, 660);
        for (u64 index = 0; index < 660; ++index)
        {
            fNow = beforeAlert + paused + i64(index + 1) * 100;
            progress.Item(fJob, index, nullptr, Text("x"));
            shown.push_back(Shown(fTime));
        }
        return shown;
    };
    const std::vector<std::string> answeredAtOnce = packAnsweringAfter(0);
    EXPECT_EQ(answeredAtOnce.back().rfind("Time remaining: ", 0), 0u);
    EXPECT_NE(answeredAtOnce.back(), "Time remaining: Estimating…");
    EXPECT_EQ(packAnsweringAfter(10 * 3'600'000), answeredAtOnce);
}
} // namespace

// The entry point's own pieces: the block handed to the GUI library's run, the report of a failure
// that ends the start-up (through the report's test hook), and the exit code.
#include "app/ExitCode.h"
#include "app/ProgramRun.h"
#include "app/StartupBlock.h"
#include "app/StartupFailure.h"

#include "base/Quorral.h"
#include "base/SystemDescription.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

using namespace NSVantleApp;
using NSTextPackage::TUTF16String;

namespace
{
TUTF16String TextOf(const u16 (&field)[256])
{
    return TUTF16String(field);
}

TEST(StartupBlock, NamesTheMakerTheProgramAndTheAboutItem)
{
    const TTrellisStartupBlock block = MakeStartupBlock(MakeText(u"Setup Vantle Packer"));
    EXPECT_EQ(sizeof(block), 13840u);
    EXPECT_EQ(TextOf(block.fCompanyName), MakeText(u"Quillmont Software"));
    EXPECT_EQ(TextOf(block.fDisplayName), MakeText(u"Setup Vantle Packer"));
    EXPECT_EQ(TextOf(block.fAboutItem), MakeText(u"About VantlePacker..."));
    EXPECT_EQ(block.fVersion, 1u);
    EXPECT_EQ(std::vector<u8>(block.fZero, block.fZero + sizeof(block.fZero)),
              std::vector<u8>(sizeof(block.fZero)));

    // A name longer than the field keeps its first 255 units and the terminator.
    const TTrellisStartupBlock longName = MakeStartupBlock(TUTF16String(300, u'x'));
    EXPECT_EQ(TextOf(longName.fDisplayName), TUTF16String(255, u'x'));
}

struct TReport
{
    std::string fTitle, fText, fDetail;
    bool operator==(const TReport&) const = default;
};

std::vector<TReport> gReports;

void RecordReport(const std::string& title, const std::string& text, const std::string& detail)
{
    gReports.push_back({title, text, detail});
}

class StartupFailure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gReports.clear();
        fPrevious = SetFatalReporter(&RecordReport);
    }
    void TearDown() override { SetFatalReporter(fPrevious); }

    TFatalReporter fPrevious = nullptr;
};

TEST_F(StartupFailure, TheUnexpectedFailuresAreReportedAndTheQuietOnesAreNot)
{
    const std::string kUnexpected = "VantlePacker cannot run because of an unexpected error.";
    const std::string kRuntime = "VantlePacker cannot run because of an unexpected runtime error.";
    struct Case
    {
        const char* fName;
        std::function<void()> fThrow;
        std::vector<TReport> fReports;
    };
    const Case cases[] = {
        {"an operating system the GUI library cannot run on",
         [] { NSQuorral::Throw<NSQuorral::XUnsupportedFormat>("", "api"); },
         {{"VantlePacker", "VantlePacker requires Windows XP in order to run.",
           "Please upgrade your operating system."}}},
        {"another unsupported format",
         [] { NSQuorral::Throw<NSQuorral::XUnsupportedFormat>("", "file"); },
         {{"VantlePacker", kUnexpected, ""}}},
        {"a quiet end", [] { NSQuorral::Throw<NSQuorral::XSilentAbort>(); }, {}},
        {"hsq", [] { NSQuorral::Throw<NSQuorral::XFormatViolation>("", "hsq"); }, {}},
        {"hsq_magic", [] { NSQuorral::Throw<NSQuorral::XNotFound>("", "hsq_magic"); }, {}},
        {"a failure of the program",
         [] { NSQuorral::Throw<NSQuorral::XOpen>("", "dll"); },
         {{"VantlePacker", kRuntime, ""}}},
        {"a plain runtime error", [] { throw std::runtime_error("x"); }, {{"VantlePacker", kRuntime, ""}}},
        {"a negative CoInitialize",
         [] { NSQuorral::Throw<std::exception>(); },
         {{"VantlePacker", kUnexpected, ""}}},
        {"exhausted memory", [] { throw std::bad_alloc(); }, {{"VantlePacker", kUnexpected, ""}}},
        {"no standard exception", [] { throw 42; }, {{"VantlePacker", kUnexpected, ""}}},
    };
    for (const Case& c : cases)
    {
        gReports.clear();
        bool reported = false;
        try
        {
            c.fThrow();
        }
        catch (...)
        {
            reported = ReportStartupFailure();
        }
        EXPECT_EQ(gReports, c.fReports) << c.fName;
        EXPECT_EQ(reported, !c.fReports.empty()) << c.fName;
    }
}

template <class TGetter> bool IsMade(TGetter get)
{
    try
    {
        return get() != nullptr;
    }
    catch (const NSQuorral::XIllegalCallSequence&)
    {
        return false;
    }
}

// What stood when the machine's description was gathered, once per gathering.
struct TGathering
{
    bool fGUILibraryMade;
    bool fWidgetLibraryMade;
    bool operator==(const TGathering&) const = default;
};

std::vector<TGathering> gGatherings;

void RecordGathering(SSystemDescription& description)
{
    gGatherings.push_back({IsMade(&GetTrellisInterface), IsMade(&GetSprocketInterface)});
    GatherSystemDescription(description);
}

TEST(StartupLibraries, TheMachineIsDescribedOnceRightAfterTheGUILibraryIsMade)
{
    gGatherings.clear();
    MakeRunLibraries(&RecordGathering);
    const bool widgetLibraryMade = IsMade(&GetSprocketInterface);
    ReleaseSprocketInterface();
    ReleaseTrellisInterface();
    EXPECT_EQ(gGatherings, (std::vector<TGathering>{{true, false}}));
    EXPECT_TRUE(widgetLibraryMade);
}

TEST(ProgramExitCode, ANormalRunEndsWithZeroUnlessAFatalReportEndedIt)
{
    EXPECT_EQ(GetProgramExitCode(kRunModeNormal, false), 0u);
    EXPECT_NE(GetProgramExitCode(kRunModeNormal, true), 0u);
    SetExitCode(kExitCodeCancelled);
    for (const bool reported : {false, true})
    {
        EXPECT_EQ(GetProgramExitCode(kRunModeInstall, reported), kExitCodeCancelled);
        EXPECT_EQ(GetProgramExitCode(kRunModeUninstall, reported), kExitCodeCancelled);
    }
    SetExitCode(kExitCodeFailed);
}
} // namespace

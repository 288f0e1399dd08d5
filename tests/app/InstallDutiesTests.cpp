// The duty runners and the exit codes of the install modes, with duties that log what they are
// asked; the relaunch of a normal start with the shell's start replaced by a command that ends
// with a chosen exit code.
#include "app/CommandLine.h"
#include "app/ExitCode.h"
#include "app/InstallDuties.h"
#include "base/Quorral.h"
#include "tests/app/ElevationDoubles.h"
#include "tests/app/InstallDutyDoubles.h"

#include <gtest/gtest.h>

namespace
{
using namespace NSVantleApp;
using NSInstallDuties::TInstallDuties;
using TLog = std::vector<std::string>;

// The run mode and argument list of a command line for the time of a test.
class CCommandLine
{
public:
    explicit CCommandLine(const std::string& line) { ParseCommandLineMode(line); }
    ~CCommandLine() { ParseCommandLineMode(""); }
};

TEST_F(InstallDutiesTest, InstallRunsTheSelectedPendingDutiesWithWhatFollowsTheirName)
{
    const CCommandLine line("/install /AlphaXYZ /Gamma /delta");
    auto alpha = MakeDuty("Alpha");
    auto beta = MakeDuty("Beta");
    auto gamma = MakeDuty("Gamma");
    auto delta = MakeDuty("Delta");
    auto done = MakeDuty("Gamma");
    done->fNeedsInstall = false;
    InstallDuties({alpha, beta, gamma, delta, done});
    EXPECT_EQ(fLog, (TLog{"install Alpha [XYZ]", "install Gamma []"}));
}

TEST_F(InstallDutiesTest, UninstallUndoesTheDoneDutiesLastFirstAndSkipsFailures)
{
    auto first = MakeDuty("First");
    auto notDone = MakeDuty("NotDone");
    auto failing = MakeDuty("Failing");
    auto last = MakeDuty("Last");
    first->fInstalled = failing->fInstalled = last->fInstalled = true;
    failing->fFailure = [] { NSQuorral::Throw<NSQuorral::XLocked>(); };
    UninstallDuties({first, notDone, failing, last});
    EXPECT_EQ(fLog, (TLog{"uninstall Last", "uninstall Failing", "uninstall First"}));
}

TEST_F(InstallDutiesTest, UninstallStopsAtACancelAndUndoesNothingWhenDoneCannotBeTold)
{
    for (const auto& cancel : std::vector<std::function<void()>>{[] { NSQuorral::Throw<NSQuorral::XAbort>(); },
                                                                  [] { NSQuorral::Throw<NSQuorral::XSilentAbort>(); }})
    {
        fLog.clear();
        auto first = MakeDuty("First");
        auto cancelled = MakeDuty("Cancelled");
        first->fInstalled = cancelled->fInstalled = true;
        cancelled->fFailure = cancel;
        EXPECT_NO_THROW(UninstallDuties({first, cancelled}));
        EXPECT_EQ(fLog, (TLog{"uninstall Cancelled"}));
    }

    fLog.clear();
    auto first = MakeDuty("First");
    auto unknown = MakeDuty("Unknown");
    first->fInstalled = unknown->fInstalled = true;
    unknown->fIsInstalledFailure = [] { NSQuorral::Throw<NSQuorral::XFormatViolation>(); };
    EXPECT_NO_THROW(UninstallDuties({first, unknown}));
    EXPECT_TRUE(fLog.empty());
}

TEST_F(InstallDutiesTest, TheInstallModesEndQuietlyWithTheExitCodeOfTheirOutcome)
{
    const auto kThrowsAbort = [] { NSQuorral::Throw<NSQuorral::XAbort>(); };
    const auto kThrowsSilentAbort = [] { NSQuorral::Throw<NSQuorral::XSilentAbort>(); };
    const auto kThrowsOutOfSpace = [] { NSQuorral::Throw<NSQuorral::XOutOfSpace>(); };
    const auto kThrowsLocked = [] { NSQuorral::Throw<NSQuorral::XLocked>(); };
    const struct
    {
        const char* fLine;
        bool fAdministrator;
        std::function<void()> fFailure;
        u32 fExitCode;
        TLog fLog;
        std::vector<std::string> fAlerts;
    } kCases[] = {
        {"/install /Duty", true, nullptr, kExitCodeDone, {"install Duty []"}, {}},
        {"/install /Duty", false, nullptr, kExitCodeCancelled, {}, {"301/1"}},
        {"/install /Duty", true, kThrowsAbort, kExitCodeCancelled, {"install Duty []"}, {}},
        {"/install /Duty", true, kThrowsSilentAbort, kExitCodeCancelled, {"install Duty []"}, {}},
        {"/install /Duty", true, kThrowsOutOfSpace, kExitCodeFailed, {"install Duty []"}, {"301/2"}},
        {"/install /Duty", true, kThrowsLocked, kExitCodeFailed, {"install Duty []"}, {"301/3"}},
        {"/uninstall", true, nullptr, kExitCodeDone, {"uninstall Duty"}, {}},
        {"/uninstall", true, kThrowsLocked, kExitCodeDone, {"uninstall Duty"}, {}},
        {"/uninstall", true, kThrowsAbort, kExitCodeDone, {"uninstall Duty"}, {}},
        {"/uninstall", false, nullptr, kExitCodeCancelled, {}, {"301/1"}},
    };
    TInstallDutiesContext context;
    context.fNotAdministratorAlert = NSFerrant::MakeAlertID(301, 1);
    context.fOutOfSpaceAlert = NSFerrant::MakeAlertID(301, 2);
    context.fFailureAlert = NSFerrant::MakeAlertID(301, 3);
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(std::string(c.fLine) + (c.fAdministrator ? "" : " as a plain user"));
        TearDown();
        SetUp();
        fLog.clear();
        const CCommandLine line(c.fLine);
        const CElevationCallsOverride user(c.fAdministrator ? RealElevationCalls() : PlainUserCalls());
        auto duty = MakeDuty("Duty");
        duty->fInstalled = true;
        duty->fFailure = c.fFailure;
        SetExitCode(kExitCodeFailed);
        EXPECT_THROW(RunInstallDuties(context, {duty}), NSQuorral::XSilentAbort);
        EXPECT_EQ(GetExitCode(), c.fExitCode);
        EXPECT_EQ(fLog, c.fLog);
        EXPECT_EQ(ShownAlerts(), c.fAlerts);
    }
}

TEST_F(InstallDutiesTest, AFailureWithoutAnAlertStillEndsWithTheFailedExitCode)
{
    const CCommandLine line("/install /Duty");
    auto duty = MakeDuty("Duty");
    duty->fFailure = [] { NSQuorral::Throw<NSQuorral::XOutOfSpace>(); };
    SetExitCode(kExitCodeDone);
    EXPECT_THROW(RunInstallDuties(TInstallDutiesContext{}, {duty}), NSQuorral::XSilentAbort);
    EXPECT_EQ(GetExitCode(), kExitCodeFailed);
    EXPECT_TRUE(ShownAlerts().empty());
}

TEST_F(InstallDutiesTest, ANormalStartWithNothingPendingStartsNothing)
{
    const CElevationCallsOverride shell(RecordingShellCalls());
    TShellDouble::Reset();
    auto done = MakeDuty("Done");
    done->fNeedsInstall = false;
    EXPECT_NO_THROW(RunInstallDuties(TInstallDutiesContext{}, {done}));
    EXPECT_TRUE(TShellDouble::sStarts.empty());
    EXPECT_TRUE(fLog.empty());
}

TEST_F(InstallDutiesTest, ANormalStartRelaunchesWithThePendingDutiesEscapedOnce)
{
    const CElevationCallsOverride shell(RecordingShellCalls());
    TShellDouble::Reset(0);
    auto plain = MakeDuty("RegisterApplicationPath");
    auto done = MakeDuty("Done");
    done->fNeedsInstall = false;
    auto described = MakeDuty("Path");
    described->fDescription = "C:\\x \"y\"";
    EXPECT_NO_THROW(RunInstallDuties(TInstallDutiesContext{}, {plain, done, described}));
    EXPECT_EQ(fLog, (TLog{"prepare RegisterApplicationPath", "prepare Path"}));
    ASSERT_EQ(TShellDouble::sStarts.size(), 1u);
    const TShellStart& start = TShellDouble::sStarts[0];
    EXPECT_EQ(start.fVerb, L"open") << "an administrator without User Account Control";
    EXPECT_NE(start.fFile.find(L"app_tests"), std::wstring::npos) << "the program's own file";
    EXPECT_EQ(start.fParameters, L"/install /RegisterApplicationPath \"/PathC:\\\\x \\\"y\\\"\"");
}

TEST_F(InstallDutiesTest, ANormalStartGoesOnOnlyWhenTheRelaunchedCopyExitsWithZero)
{
    const CElevationCallsOverride shell(RecordingShellCalls());
    for (const DWORD exitCode : {0ul, 1ul, 2ul, 77ul, 0xFFFFFFFFul})
    {
        SCOPED_TRACE(exitCode);
        TShellDouble::Reset(exitCode);
        auto pending = MakeDuty("Pending");
        if (exitCode == 0)
            EXPECT_NO_THROW(RunInstallDuties(TInstallDutiesContext{}, {pending}));
        else
            EXPECT_THROW(RunInstallDuties(TInstallDutiesContext{}, {pending}), NSQuorral::XSilentAbort);
        EXPECT_EQ(TShellDouble::sStarts.size(), 1u);
    }
    EXPECT_TRUE(ShownAlerts().empty());
}
} // namespace

#include "base/Quorral.h"
#include "base/TestEnvDebugger.h"
#include "base/TestPackage.h"
#include "tests/base/FailingAllocation.h"
#include "tests/support/TestRegistryQueries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <thread>

using namespace NSTestPackage;
using NSTestSupport::FindSuite;
using NSTestSupport::SuiteNames;

namespace
{
std::vector<std::string> Lines(const ITestCase& test)
{
    return std::vector<std::string>(test.GetTrace().begin(), test.GetTrace().end());
}

// Remembers every line the package sends, to show who still listens.
struct CRecordingListener : ITraceListener
{
    void OnTrace(const std::string& line) override { fLines.push_back(line); }
    std::vector<std::string> fLines;
};

void DoNothing() {}

TEST(TestRegistry, QuickTestsShareTheSuiteOfTheirExactNameAndSuitesSortAsUnsignedBytes)
{
    TTestRegistry registry;
    const char* const kRegistrations[][2] = {
        {"b", "first of b"}, {"\xE4", "high byte"}, {"ab", "ab"},
        {"a", "prefix"},     {"B", "upper"},        {"b", "second of b"},
    };
    for (const auto& registration : kRegistrations)
        RegisterQuickTest(registry, registration[0], &DoNothing, registration[1]);

    EXPECT_EQ(SuiteNames(registry), (std::vector<std::string>{"B", "a", "ab", "b", "\xE4"}));
    EXPECT_EQ(registry.fOwnedSuites.size(), 5u);
    const CTestSuite* b = FindSuite(registry, "b");
    ASSERT_NE(b, nullptr);
    std::vector<std::string> names;
    for (const auto& test : b->fCases)
        names.push_back(test->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"first of b", "second of b"}));
}

void FailAtLine12OfT()
{
    GetTestDebugger().VerifyFailed("t", 12, "x");
}

TEST(TestRunner, FailingCheckLeavesItsLineThenTheFailedLines)
{
    CQuickTestRunner runner("Fails", &FailAtLine12OfT);
    EXPECT_FALSE(runner.Run());
    EXPECT_EQ(Lines(runner),
              (std::vector<std::string>{"t(12): TEST_VERIFY failure (x)",
                                        "Test 'Fails' FAILED:", "\tt(12): TEST_VERIFY failure (x)"}));

    // The runner no longer listens.
    CRecordingListener probe;
    AddTraceListener(&probe);
    GetTestDebugger().Trace("after the run");
    RemoveTraceListener(&probe);
    EXPECT_EQ(probe.fLines, std::vector<std::string>{"after the run"});
    EXPECT_EQ(runner.GetTrace().size(), 3u);
}

void VerifyFalse()
{
    const bool x = false;
    TEST_VERIFY_IN("Parts\\Sample", x);
}

TEST(TestRunner, VerifyMacroReportsSourceLineAndExpressionAsUnitTestFailure)
{
    CRecordingListener probe;
    AddTraceListener(&probe);
    try
    {
        VerifyFalse();
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const NSQuorral::XUnitTestFailure& e)
    {
        ASSERT_EQ(probe.fLines.size(), 1u);
        EXPECT_EQ(e.what(), probe.fLines[0]);
        EXPECT_EQ(probe.fLines[0].rfind("Parts\\Sample(", 0), 0u) << probe.fLines[0];
        EXPECT_NE(probe.fLines[0].find("): TEST_VERIFY failure (x)"), std::string::npos) << probe.fLines[0];
    }
    RemoveTraceListener(&probe);
}

int gRuns = 0;

void TraceRunNumberAndFailTheFirstRun()
{
    ++gRuns;
    GetTestDebugger().Trace(("run " + std::to_string(gRuns)).c_str());
    TEST_VERIFY(gRuns > 1);
}

TEST(TestRunner, RunAgainKeepsOnlyTheLastRunsTrace)
{
    gRuns = 0;
    CQuickTestRunner runner("Twice", &TraceRunNumberAndFailTheFirstRun);
    EXPECT_FALSE(runner.Run());
    EXPECT_EQ(runner.GetTrace().size(), 4u);
    EXPECT_TRUE(runner.Run());
    EXPECT_EQ(Lines(runner), std::vector<std::string>{"run 2"});
}

void ThrowNonStandard()
{
    throw 42;
}

TEST(TestRunner, NonStandardExceptionPassesThroughAndTheRunnerStopsListening)
{
    CQuickTestRunner runner("Int", &ThrowNonStandard);
    EXPECT_THROW(runner.Run(), int);
    GetTestDebugger().Trace("after the run");
    EXPECT_TRUE(runner.GetTrace().empty());
}

struct CCountingFixture
{
    explicit CCountingFixture(const std::string& name) : fName(name) { fNames.push_back(name); }
    void Test()
    {
        ++fTestsOnThisFixture;
        TEST_VERIFY(fTestsOnThisFixture == 1);
    }

    static std::vector<std::string> fNames;
    std::string fName;
    int fTestsOnThisFixture = 0;
};
std::vector<std::string> CCountingFixture::fNames;

TEST(TestRunner, FixtureRunnerMakesAFreshFixtureFromTheNameEachRun)
{
    CCountingFixture::fNames.clear();
    CTestRunner<CCountingFixture> runner("Fixture", &CCountingFixture::Test);
    EXPECT_TRUE(runner.Run());
    EXPECT_TRUE(runner.Run());
    EXPECT_EQ(CCountingFixture::fNames, (std::vector<std::string>{"Fixture", "Fixture"}));
}

TEST(TestDebugger, IndentPrefixesTracesAndUnindentRestoresIt)
{
    CRecordingListener probe;
    AddTraceListener(&probe);
    IDebugger& debugger = GetTestDebugger();
    debugger.Trace("a");
    debugger.Indent();
    debugger.Trace("b");
    debugger.Indent();
    debugger.Trace("c");
    debugger.Unindent();
    debugger.Unindent();
    debugger.Trace("d");
    EXPECT_THROW(debugger.Unindent(), std::out_of_range);
    debugger.Trace("e");
    RemoveTraceListener(&probe);
    EXPECT_EQ(probe.fLines, (std::vector<std::string>{"a", "!  b", "!  !  c", "d", "e"}));
}

TEST(TestDebugger, RemovingAListenerTakesOnlyItsFirstEntry)
{
    CRecordingListener probe;
    CRecordingListener absent;
    AddTraceListener(&probe);
    AddTraceListener(&probe);
    RemoveTraceListener(&absent);
    RemoveTraceListener(&probe);
    GetTestDebugger().Trace("once");
    RemoveTraceListener(&probe);
    GetTestDebugger().Trace("not heard");
    EXPECT_EQ(probe.fLines, std::vector<std::string>{"once"});
}

TEST(TestEnvDebugger, PrintsTracesAndAssertionsAndFailsTheAssertion)
{
    CSimpleTestEnvDebugger& debugger = GetSimpleTestEnvDebugger();
    EXPECT_EQ(debugger.GetName(), "");
    NSQuorral::TThrowSite site;
    std::snprintf(site.fSecondText, sizeof site.fSecondText, "%s", "Source.cpp");
    site.fLine = 31;

    testing::internal::CaptureStdout();
    debugger.Trace(nullptr, "hello");
    std::string thrown;
    try
    {
        debugger.Assert(&site, "a == b");
    }
    catch (const NSQuorral::XUnitTestFailure& e)
    {
        thrown = e.what();
    }
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "TRACE : > hello\nASSERT: > Source.cpp:31  ASSERT(a == b)\n");
    EXPECT_EQ(thrown, "Assert");
}

// The name is copied under the lock; a copy that cannot allocate must not leave the lock held,
// or every other thread's next trace fails once the lock's wait gives up.
TEST(TestEnvDebugger, AFailedNameCopyLeavesTheLockFree)
{
    CSimpleTestEnvDebugger debugger("a name too long to be kept inside the string");
    NSTestSupport::FailNextAllocation();
    EXPECT_THROW(debugger.GetName(), std::bad_alloc);

    std::string nameSeenElsewhere;
    std::thread other([&] {
        try
        {
            nameSeenElsewhere = debugger.GetName();
        }
        catch (const std::exception&)
        {
        }
    });
    other.join();
    EXPECT_EQ(nameSeenElsewhere, "a name too long to be kept inside the string");
}
} // namespace

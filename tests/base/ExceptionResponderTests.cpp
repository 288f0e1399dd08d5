#include "base/ExceptionResponder.h"
#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSQuorral;

namespace
{
class CRecordingResponder : public IExceptionResponder
{
public:
    void RespondToException(const std::exception& exception) override { fSeen = exception.what(); }
    void RespondToUnknownException() override { fSeen = "(unknown)"; }

    std::string fSeen;
};

// The responder is process-wide; each test leaves none registered.
class ExceptionResponder : public testing::Test
{
protected:
    void SetUp() override { SetExceptionResponder(&fResponder); }
    void TearDown() override { SetExceptionResponder(nullptr); }

    CRecordingResponder fResponder;
};

TEST_F(ExceptionResponder, StandardExceptionReachesTheResponderAndTheHandlerGoesOn)
{
    bool handlerFinished = false;
    try
    {
        ThrowException(CThrowContext(TThrowSite{}) << XOpen("cannot open"));
    }
    catch (...)
    {
        RespondToCurrentException();
        handlerFinished = true;
    }
    EXPECT_TRUE(handlerFinished);
    EXPECT_EQ(fResponder.fSeen, "cannot open");
}

TEST_F(ExceptionResponder, OtherExceptionReachesTheResponderAsUnknown)
{
    try
    {
        throw 42;
    }
    catch (...)
    {
        RespondToCurrentException();
    }
    EXPECT_EQ(fResponder.fSeen, "(unknown)");
}

void RespondWithoutResponder()
{
    try
    {
        ThrowException(CThrowContext(TThrowSite{}) << XAbort(""));
    }
    catch (...)
    {
        RespondToCurrentException();
    }
}

// The child process ends with exit code -1, all 32 bits set (Linux sees its low 8 bits, 255).
TEST(ExceptionResponderDeathTest, WithoutResponderTheProcessEndsWithMinusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RespondWithoutResponder(), testing::ExitedWithCode(-1), "");
}
// Run only as a child process, by the CTest test that watches its exit code from Linux.
TEST(ExceptionResponderChild, DISABLED_EndsWithoutResponder)
{
    RespondWithoutResponder();
}
} // namespace

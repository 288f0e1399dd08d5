#include "base/WriteProgress.h"

#include "base/ExceptionClasses.h"

#include <gtest/gtest.h>

#include <future>

namespace
{
using TWritten = CWriteProgress::TWritten;

// A reader on its own thread, waiting for the bytes up to end; get() joins it.
std::future<TWritten> WaitOnAnotherThread(const CWriteProgress& progress, i64 end)
{
    return std::async(std::launch::async, [&progress, end] { return progress.WaitFor(end); });
}

TEST(WriteProgressTests, AReaderBehindTheWriterGetsWhatIsWrittenOnceItIsThere)
{
    CWriteProgress progress;
    progress.Advance(100);
    const TWritten behind = progress.WaitFor(60);
    EXPECT_EQ(behind.fBytes, 100);
    EXPECT_FALSE(behind.fComplete);

    std::future<TWritten> ahead = WaitOnAnotherThread(progress, 300);
    progress.Advance(200);
    progress.Advance(150); // never back
    progress.Advance(300);
    const TWritten caughtUp = ahead.get();
    EXPECT_EQ(caughtUp.fBytes, 300);
    EXPECT_FALSE(caughtUp.fComplete);
}

TEST(WriteProgressTests, AWaitBeyondTheEndEndsWhenTheStretchIsComplete)
{
    CWriteProgress progress;
    std::future<TWritten> beyond = WaitOnAnotherThread(progress, 1000);
    progress.Advance(200);
    progress.Finish(250);
    const TWritten complete = beyond.get();
    EXPECT_EQ(complete.fBytes, 250);
    EXPECT_TRUE(complete.fComplete);
    EXPECT_TRUE(progress.WaitFor(5000).fComplete);
}

TEST(WriteProgressTests, AWriterThatEndsIncompleteEndsEveryWaitWithAFailedRead)
{
    CWriteProgress progress;
    progress.Advance(10);
    std::future<TWritten> waiting = WaitOnAnotherThread(progress, 20);
    progress.Fail();
    EXPECT_THROW(waiting.get(), NSQuorral::XRead);
    EXPECT_THROW(progress.WaitFor(5), NSQuorral::XRead) << "also what was written before";
}
} // namespace

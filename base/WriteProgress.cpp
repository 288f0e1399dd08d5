#include "base/WriteProgress.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

#include <algorithm>

void CWriteProgress::Advance(i64 end)
{
    {
        const std::lock_guard<std::mutex> lock(fLock);
        if (end <= fWritten)
            return;
        fWritten = end;
    }
    fChanged.notify_all();
}

void CWriteProgress::Finish(i64 size)
{
    {
        const std::lock_guard<std::mutex> lock(fLock);
        fWritten = size;
        fState = EState::kComplete;
    }
    fChanged.notify_all();
}

void CWriteProgress::Fail()
{
    {
        const std::lock_guard<std::mutex> lock(fLock);
        fState = EState::kFailed;
    }
    fChanged.notify_all();
}

CWriteProgress::TWritten CWriteProgress::WaitFor(i64 end) const
{
    std::unique_lock<std::mutex> lock(fLock);
    fChanged.wait(lock, [&] { return fState != EState::kWriting || fWritten >= end; });
    if (fState == EState::kFailed)
        NSQuorral::Throw<NSQuorral::XRead>();
    return {fWritten, fState == EState::kComplete};
}

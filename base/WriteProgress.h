#pragma once
// How far one thread has written a stretch of bytes that it writes front to back, for threads
// that read the stretch behind it: a reader waits until the writer has written past what it
// needs, or has ended, either complete or not.
#include "base/Types.h"

#include <condition_variable>
#include <mutex>

class CWriteProgress
{
public:
    struct TWritten
    {
        i64 fBytes;
        // The stretch is complete: fBytes is its size.
        bool fComplete;
    };

    // The writer's side. Bytes [0, end) are written (an end below an earlier one changes nothing).
    void Advance(i64 end);
    // The stretch is complete with this size.
    void Finish(i64 size);
    // The writer ended without completing the stretch (it failed or was stopped): every wait, now
    // and later, ends with XRead.
    void Fail();

    // The reader's side: waits until [0, end) is written or the stretch is complete, and answers
    // what is written then. XRead once the writer has failed.
    TWritten WaitFor(i64 end) const;

private:
    enum class EState
    {
        kWriting,
        kComplete,
        kFailed
    };

    mutable std::mutex fLock;
    mutable std::condition_variable fChanged;
    i64 fWritten = 0;
    EState fState = EState::kWriting;
};

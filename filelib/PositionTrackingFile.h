#pragma once
// An open file handle that transfers at given byte positions from the handle's own position,
// never naming an offset in the call: Wine answers a transfer at an explicit offset markedly
// slower than a seek followed by a transfer from the position. The handle's position is
// remembered, so a transfer that starts where the last one ended, as in a file read front to
// back, needs no seek either.
#include "base/PieceWiseTransfer.h"
#include "base/Types.h"
#include "base/WinHandles.h"

#include <windows.h>

#include <mutex>

namespace NSFileLibInternals
{
class CPositionTrackingFile
{
public:
    explicit CPositionTrackingFile(HANDLE handle) : fHandle(handle) {}

    bool IsOpen() const { return fHandle.IsOpen(); }
    HANDLE Get() const { return fHandle.Get(); }
    void Close() { fHandle.Close(); }

    // Moves count bytes at position in platform calls of at most maxPerCall bytes; error is
    // the failed call's error.
    ETransfer Read(u64 position, u64 count, u64 maxPerCall, u8* buffer, DWORD& error) const;
    ETransfer Write(u64 position, u64 count, u64 maxPerCall, const u8* buffer, DWORD& error) const;

private:
    static constexpr u64 kUnknownPosition = ~u64(0);

    template <class TCall> ETransfer Transfer(u64 position, u64 count, u64 maxPerCall, DWORD& error, TCall&& call) const;
    // Moves the handle's position to at unless it stands there already.
    bool SeekTo(u64 at) const;

    CWinFileHandle fHandle;
    // One transfer at a time, so that the position a transfer relies on is still the handle's.
    mutable std::mutex fMutex;
    // A newly opened handle stands at the start; after a failed or short call the position is
    // not known until the next transfer seeks.
    mutable u64 fPosition = 0;
};
} // namespace NSFileLibInternals

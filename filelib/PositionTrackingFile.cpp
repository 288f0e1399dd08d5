#include "filelib/PositionTrackingFile.h"

#include "base/Win32Calls.h"

namespace NSFileLibInternals
{
bool CPositionTrackingFile::SeekTo(u64 at) const
{
    if (at == fPosition)
        return true;
    LARGE_INTEGER distance;
    distance.QuadPart = LONGLONG(at);
    return Win32Calls().SetFilePointerEx(fHandle.Get(), distance, nullptr, FILE_BEGIN) != FALSE;
}

template <class TCall>
ETransfer CPositionTrackingFile::Transfer(u64 position, u64 count, u64 maxPerCall, DWORD& error, TCall&& call) const
{
    const std::lock_guard<std::mutex> lock(fMutex);
    const ETransfer result = TransferInPieces(count, maxPerCall, [&](u64 done, DWORD piece, DWORD* moved) {
        const u64 at = position + done;
        const bool succeeded = SeekTo(at) && call(done, piece, moved);
        fPosition = succeeded && *moved == piece ? at + piece : kUnknownPosition;
        return succeeded;
    });
    if (result == ETransfer::kFailed)
        error = ::GetLastError();
    return result;
}

ETransfer CPositionTrackingFile::Read(u64 position, u64 count, u64 maxPerCall, u8* buffer, DWORD& error) const
{
    return Transfer(position, count, maxPerCall, error, [&](u64 done, DWORD piece, DWORD* moved) {
        return Win32Calls().ReadFile(fHandle.Get(), buffer + done, piece, moved, nullptr) != FALSE;
    });
}

ETransfer CPositionTrackingFile::Write(u64 position, u64 count, u64 maxPerCall, const u8* buffer, DWORD& error) const
{
    return Transfer(position, count, maxPerCall, error, [&](u64 done, DWORD piece, DWORD* moved) {
        return Win32Calls().WriteFile(fHandle.Get(), buffer + done, piece, moved, nullptr) != FALSE;
    });
}
} // namespace NSFileLibInternals

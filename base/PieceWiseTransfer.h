#pragma once
// A transfer of any size through platform calls (ReadFile, WriteFile) that each move at most a
// 32-bit count: the bytes go in pieces of at most maxPiece, one call each.
#include "base/Types.h"

#include <windows.h>

#include <algorithm>

enum class ETransfer
{
    kDone,
    kFailed, // a call failed; GetLastError still holds its error
    kShort,  // a call moved fewer bytes than asked
};

// call(done, piece, &moved) moves the piece that starts done bytes into the transfer and answers
// the platform call's result.
template <class TCall> ETransfer TransferInPieces(u64 count, u64 maxPiece, TCall&& call)
{
    for (u64 done = 0; done < count;)
    {
        const DWORD piece = DWORD(std::min(count - done, maxPiece));
        DWORD moved = 0;
        if (!call(done, piece, &moved))
            return ETransfer::kFailed;
        if (moved != piece)
            return ETransfer::kShort;
        done += piece;
    }
    return ETransfer::kDone;
}

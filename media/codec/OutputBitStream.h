#pragma once
// Packs variable-length codes, most significant bit first, into big-endian 32-bit code words on a
// media. Words collect in a 4096-byte buffer that reaches the media in whole 4096-byte writes
// while coding, plus one shorter write per flush.
#include "base/Types.h"
#include "base/ByteOrder.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}

class COutputBitStream
{
public:
    // Words are written at the destination's position, which advances; the media must outlive
    // the stream.
    explicit COutputBitStream(NSFerrant::CMedia& destination);
    // Flushes once more; a failure of that flush is swallowed (call Flush to see it).
    ~COutputBitStream();
    COutputBitStream(const COutputBitStream&) = delete;
    COutputBitStream& operator=(const COutputBitStream&) = delete;

    // Appends the low count bits of value (count 0 to 32; value below 2^count).
    void PutBits(u32 count, u32 value);

    // Closes the current word and writes the buffered bytes to the media. Each flush emits the
    // words of the bits put since the previous one, the last padded with zero bits, and always at
    // least one (a zero word when no bit was put).
    void Flush();

private:
    friend class CBitRun;
    static constexpr u32 kBufferSize = 4096;

    // Writes the buffered words up to end and answers the buffer's start.
    u8* WriteWords(const u8* end);

    NSFerrant::CMedia& fDestination;
    std::unique_ptr<u8[]> fBuffer;
    // The pending bits, fewer than 32, left-aligned in fAccumulator; the bits below them are zero.
    u64 fAccumulator = 0;
    u32 fPendingBits = 0;
    u8* fNext;                     // where the next word goes; at the buffer's end when it is full
    bool fWroteSinceFlush = false; // a whole buffer went out since the last flush
};

// The stream's pending bits and buffer position held by value for a run of codes, so that they
// stay in registers; they go back to the stream when the run ends.
class CBitRun
{
public:
    explicit CBitRun(COutputBitStream& stream)
        : fStream(stream), fAccumulator(stream.fAccumulator), fPendingBits(stream.fPendingBits),
          fNext(stream.fNext), fEnd(stream.fBuffer.get() + COutputBitStream::kBufferSize)
    {
    }
    ~CBitRun()
    {
        fStream.fAccumulator = fAccumulator;
        fStream.fPendingBits = fPendingBits;
        fStream.fNext = fNext;
    }
    CBitRun(const CBitRun&) = delete;
    CBitRun& operator=(const CBitRun&) = delete;

    // Appends the low count bits of value (count 0 to 32; value below 2^count).
    void PutBits(u32 count, u32 value)
    {
        // A full buffer goes out when the next word needs room.
        if (fNext == fEnd)
            fNext = fStream.WriteWords(fNext);
        // Two shifts of at most 32 each: count and the pending bits can both be 0. Fewer than 32
        // bits were pending, so all of them fit.
        fAccumulator |= (u64(value) << (32 - count)) << (32 - fPendingBits);
        fPendingBits += count;
        // Without branches on the data: the top word is always stored and counts only once it is
        // whole.
        NSByteOrder::WriteBE32(fNext, u32(fAccumulator >> 32));
        const u32 whole = fPendingBits & 32;
        fNext += whole >> 3;
        fAccumulator <<= whole;
        fPendingBits -= whole;
    }

private:
    COutputBitStream& fStream;
    u64 fAccumulator;
    u32 fPendingBits;
    u8* fNext;
    u8* const fEnd;
};

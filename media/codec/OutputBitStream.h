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
    void PutBits(u32 count, u32 value)
    {
        // A word leaves only when a further bit needs room, so a completely filled word stays
        // pending until the next bit or the flush; Flush relies on that.
        if (fPendingBits + count > 64)
        {
            EmitWord(u32(fAccumulator >> (fPendingBits - 32)));
            fPendingBits -= 32;
        }
        fAccumulator = (fAccumulator << count) | value;
        fPendingBits += count;
    }

    // Closes the current word, always emitting at least one (a zero word when nothing is
    // pending), pads it with zero bits and writes the buffered bytes to the media.
    void Flush();

private:
    static constexpr u32 kBufferSize = 4096;

    void EmitWord(u32 word)
    {
        if (fBytesUsed == kBufferSize)
            WriteBuffer();
        NSByteOrder::WriteBE32(fBuffer.get() + fBytesUsed, word);
        fBytesUsed += 4;
    }
    void WriteBuffer();

    NSFerrant::CMedia& fDestination;
    // The pending bits, right-aligned: up to two words, of which only the low fPendingBits count.
    u64 fAccumulator = 0;
    u32 fPendingBits = 0;
    std::unique_ptr<u8[]> fBuffer;
    u32 fBytesUsed = 0;
};

#include "media/codec/OutputBitStream.h"

#include "base/Media.h"

COutputBitStream::COutputBitStream(NSFerrant::CMedia& destination)
    : fDestination(destination), fBuffer(new u8[kBufferSize]), fNext(fBuffer.get())
{
}

COutputBitStream::~COutputBitStream()
{
    try
    {
        Flush();
    }
    catch (...)
    {
    }
}

void COutputBitStream::PutBits(u32 count, u32 value)
{
    CBitRun(*this).PutBits(count, value);
}

void COutputBitStream::Flush()
{
    u8* const start = fBuffer.get();
    if (fNext == start + kBufferSize)
        fNext = WriteWords(fNext);
    // The last word's bits are already left-aligned on zero bits; an empty word comes out as zero.
    if (fPendingBits > 0 || (fNext == start && !fWroteSinceFlush))
    {
        NSByteOrder::WriteBE32(fNext, u32(fAccumulator >> 32));
        fNext += 4;
    }
    fAccumulator = 0;
    fPendingBits = 0;
    if (fNext != start)
        fNext = WriteWords(fNext);
    fWroteSinceFlush = false;
}

u8* COutputBitStream::WriteWords(const u8* end)
{
    NSFerrant::WriteBytes(fDestination, end - fBuffer.get(), fBuffer.get());
    fWroteSinceFlush = true;
    return fBuffer.get();
}

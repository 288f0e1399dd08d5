#include "media/codec/OutputBitStream.h"

#include "base/Media.h"

COutputBitStream::COutputBitStream(NSFerrant::CMedia& destination)
    : fDestination(destination), fBuffer(new u8[kBufferSize])
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

void COutputBitStream::Flush()
{
    if (fPendingBits > 32)
    {
        EmitWord(u32(fAccumulator >> (fPendingBits - 32)));
        fPendingBits -= 32;
    }
    // Left-align the last word's bits; an empty word comes out as zero.
    EmitWord(u32(fAccumulator << (32 - fPendingBits)));
    fAccumulator = 0;
    fPendingBits = 0;
    WriteBuffer();
}

void COutputBitStream::WriteBuffer()
{
    if (fBytesUsed == 0)
        return;
    NSFerrant::WriteBytes(fDestination, fBytesUsed, fBuffer.get());
    fBytesUsed = 0;
}

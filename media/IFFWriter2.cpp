#include "media/IFFWriter2.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "base/Throw.h"

namespace NSFerrant
{
namespace
{
void WriteFourCC(CMedia& media, TFourCC fourCC)
{
    u8 bytes[4];
    NSByteOrder::WriteBE32(bytes, fourCC);
    WriteBytes(media, 4, bytes);
}
} // namespace

CIFFWriter2::CIFFWriter2(CMedia& media, TChunkSizeEncoder encodeSize) : fWindow(&media), fEncodeSize(encodeSize)
{
}

CIFFWriter2::CIFFWriter2(CIFFWriter2& parent, const TIFFChunk& chunk)
    : fParent(&parent), fOwnedWindow(parent.OpenChunkData(chunk)), fWindow(fOwnedWindow.get()), fChunk(chunk),
      fEncodeSize(parent.fEncodeSize)
{
}

CIFFWriter2::~CIFFWriter2() = default;

TIFFChunk CIFFWriter2::BeginGroup(u32 kind, TFourCC groupID, TFourCC type)
{
    TIFFChunk chunk = BeginChunk(groupID);
    WriteFourCC(*fWindow, type);
    chunk.fKind = kind;
    chunk.fFourCC = type;
    return chunk;
}

TIFFChunk CIFFWriter2::BeginFORM(TFourCC type)
{
    return BeginGroup(kChunkKindFORM, kFourCC_FORM, type);
}

TIFFChunk CIFFWriter2::BeginLIST(TFourCC type)
{
    return BeginGroup(kChunkKindLIST, kFourCC_LIST, type);
}

TIFFChunk CIFFWriter2::BeginChunk(TFourCC id)
{
    TIFFChunk chunk;
    chunk.fKind = kChunkKindPlain;
    chunk.fFourCC = id;
    chunk.fHeaderOffset = fWindow->fPosition;
    chunk.fSize = 0;
    WriteFourCC(*fWindow, id);
    u8 sizeBytes[4];
    fEncodeSize(sizeBytes, 0);
    WriteBytes(*fWindow, 4, sizeBytes);
    return chunk;
}

i64 CIFFWriter2::WriteChunk(TFourCC id, i64 size, const void* data)
{
    const TIFFChunk chunk = BeginChunk(id);
    {
        const std::unique_ptr<CPartialMedia> window = OpenChunkData(chunk);
        WriteBytes(*window, size, data);
    }
    EndChunk(chunk, size);
    return fWindow->fPosition - chunk.fHeaderOffset;
}

std::unique_ptr<CPartialMedia> CIFFWriter2::OpenChunkData(const TIFFChunk& chunk)
{
    return std::make_unique<CPartialMedia>(fWindow, GetChunkDataOffset(chunk), CPartialMedia::kOpenEnded);
}

void CIFFWriter2::EndChunk(const TIFFChunk& chunk, i64 dataSize)
{
    const i64 end = GetChunkDataOffset(chunk) + dataSize;
    const i64 storedSize = dataSize + (chunk.fKind == kChunkKindPlain ? 0 : 4);
    // The size field has 32 bits; a larger chunk cannot be stored.
    if (storedSize < 0 || storedSize > i64(0xFFFFFFFF))
        NSQuorral::Throw<NSQuorral::XOutOfSpace>();

    u8 sizeBytes[4];
    fEncodeSize(sizeBytes, u32(storedSize));
    fWindow->fPosition = chunk.fHeaderOffset + 4;
    WriteBytes(*fWindow, 4, sizeBytes);
    fWindow->fPosition = end;
    if (end & 1)
        WriteU8(*fWindow, 0);
    if (auto* child = dynamic_cast<CABCChildMedia*>(fWindow))
        child->PropagatePosition(false);
}

CRIFFWriter2::CRIFFWriter2(CMedia& media, TChunkSizeEncoder encodeSize) : CIFFWriter2(media, encodeSize)
{
}

CRIFFWriter2::CRIFFWriter2(CIFFWriter2& parent, const TIFFChunk& chunk) : CIFFWriter2(parent, chunk)
{
}

CRIFFWriter2::~CRIFFWriter2() = default;
} // namespace NSFerrant

#include "media/IFFReader2.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

namespace NSFerrant
{
namespace
{
TFourCC ReadFourCC(CMedia& media, bool checkRoom)
{
    if (checkRoom && GetBytesLeft(media) < 4)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    const TFourCC fourCC = ReadU32BE(media);
    if (!IsValidFourCC(fourCC))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return fourCC;
}
} // namespace

CIFFReader2::CIFFReader2(CMedia& media, TChunkSizeDecoder decodeSize) : fWindow(&media), fDecodeSize(decodeSize)
{
}

CIFFReader2::CIFFReader2(CIFFReader2& parent, const TIFFChunk& chunk)
    : fParent(&parent), fOwnedWindow(parent.OpenChunkData(chunk)), fWindow(fOwnedWindow.get()), fChunk(chunk),
      fDecodeSize(parent.fDecodeSize), fDepth(parent.fDepth + 1)
{
    // A small file can nest groups a hundred thousand deep; no document of ours comes near this.
    if (fDepth > kMaxChunkNestingDepth)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

CIFFReader2::~CIFFReader2() = default;

TIFFChunk CIFFReader2::ReadChunkHeader()
{
    return ReadChunkHeaderOf(kFourCC_FORM, true);
}

TIFFChunk CIFFReader2::ReadChunkHeaderOf(TFourCC groupID, bool checkRoom)
{
    CMedia& media = *fWindow;
    const i64 headerOffset = media.fPosition;
    const TFourCC id = ReadFourCC(media, checkRoom);

    if (checkRoom && GetBytesLeft(media) < 4)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    u8 sizeBytes[4];
    ReadBytes(media, 4, sizeBytes);
    const i64 size = fDecodeSize(sizeBytes);
    if (size > GetBytesLeft(media))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();

    TIFFChunk chunk;
    chunk.fHeaderOffset = headerOffset;
    chunk.fSize = size;
    if (id == groupID)
        chunk.fKind = kChunkKindFORM;
    else if (id == kFourCC_CAT)
        chunk.fKind = kChunkKindCAT;
    else if (id == kFourCC_LIST)
        chunk.fKind = kChunkKindLIST;
    else
    {
        chunk.fKind = kChunkKindPlain;
        chunk.fFourCC = id;
        return chunk;
    }
    chunk.fFourCC = ReadFourCC(media, checkRoom);
    return chunk;
}

bool CIFFReader2::FirstChunk(TIFFChunk& chunk)
{
    fWindow->fPosition = 0;
    if (fWindow->GetSize() < 8)
        return false;
    chunk = ReadChunkHeader();
    return true;
}

bool CIFFReader2::NextChunk(const TIFFChunk& current, TIFFChunk& next)
{
    const i64 offset = GetNextChunkOffset(current);
    if (offset >= fWindow->GetSize())
        return false;
    fWindow->fPosition = offset;
    next = ReadChunkHeader();
    return true;
}

bool CIFFReader2::Find(u32 kind, TFourCC fourCC, TIFFChunk& chunk)
{
    TIFFChunk candidate;
    for (bool more = FirstChunk(candidate); more; more = NextChunk(candidate, candidate))
    {
        if (candidate.fKind == kind && candidate.fFourCC == fourCC)
        {
            chunk = candidate;
            return true;
        }
    }
    return false;
}

bool CIFFReader2::FindChunk(TFourCC id, TIFFChunk& chunk)
{
    return Find(kChunkKindPlain, id, chunk);
}

bool CIFFReader2::FindFORM(TFourCC type, TIFFChunk& chunk)
{
    return Find(kChunkKindFORM, type, chunk);
}

bool CIFFReader2::FindCAT(TFourCC type, TIFFChunk& chunk)
{
    return Find(kChunkKindCAT, type, chunk);
}

bool CIFFReader2::FindLIST(TFourCC type, TIFFChunk& chunk)
{
    return Find(kChunkKindLIST, type, chunk);
}

void CIFFReader2::ReadChunkData(const TIFFChunk& chunk, void* destination)
{
    const std::unique_ptr<CPartialMedia> data = OpenChunkData(chunk);
    const i64 size = GetChunkDataSize(chunk);
    if (size > data->GetSize() - data->fPosition)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    ReadBytes(*data, size, destination);
    data->PropagatePosition(false);
}

std::unique_ptr<CPartialMedia> CIFFReader2::OpenChunkData(const TIFFChunk& chunk)
{
    const CMedia& window = *fWindow;
    return std::make_unique<CPartialMedia>(window, GetChunkDataOffset(chunk), GetChunkDataSize(chunk));
}

CRIFFReader2::CRIFFReader2(CMedia& media, TChunkSizeDecoder decodeSize) : CIFFReader2(media, decodeSize)
{
}

CRIFFReader2::CRIFFReader2(CIFFReader2& parent, const TIFFChunk& chunk) : CIFFReader2(parent, chunk)
{
}

TIFFChunk CRIFFReader2::ReadChunkHeader()
{
    return ReadChunkHeaderOf(kFourCC_RIFF, false);
}

bool IsRIFFMedia(CMedia& media) noexcept
{
    const i64 position = media.fPosition;
    bool isRIFF = false;
    try
    {
        CRIFFReader2 reader(media);
        TIFFChunk chunk;
        isRIFF = reader.FirstChunk(chunk) && chunk.fKind >= kChunkKindFORM && chunk.fKind <= kChunkKindLIST &&
                 chunk.fSize + 8 <= media.GetSize();
    }
    catch (...)
    {
        isRIFF = false;
    }
    media.fPosition = position;
    return isRIFF;
}
} // namespace NSFerrant

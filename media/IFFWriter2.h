#pragma once
// One-level chunk writer: writes chunks inside one window of a media. Nesting is built on it by
// CIFFFileWriter. Headers are written with a size of 0 and patched by EndChunk.
#include "base/ByteOrder.h"
#include "media/IFFChunk.h"
#include "base/Media.h"

#include <memory>

namespace NSFerrant
{
class CIFFWriter2
{
public:
    // Root writer over a whole media, which it does not own.
    explicit CIFFWriter2(CMedia& media, TChunkSizeEncoder encodeSize = &NSByteOrder::WriteBE32);
    // Writer of the data of a group the parent has just begun; the parent must outlive it.
    CIFFWriter2(CIFFWriter2& parent, const TIFFChunk& chunk);
    CIFFWriter2(const CIFFWriter2&) = delete;
    CIFFWriter2& operator=(const CIFFWriter2&) = delete;
    virtual ~CIFFWriter2();

    // Each writes a header at the position and answers its descriptor; the position ends where
    // the data starts. BeginGroup writes groupID, a size of 0 and the type (the RIFF writer's
    // user begins its "RIFF" group with it, kind 1).
    TIFFChunk BeginGroup(u32 kind, TFourCC groupID, TFourCC type);
    TIFFChunk BeginFORM(TFourCC type);
    TIFFChunk BeginLIST(TFourCC type);
    TIFFChunk BeginChunk(TFourCC id);

    // A whole plain chunk at the position; answers the bytes written (header, data, pad byte).
    i64 WriteChunk(TFourCC id, i64 size, const void* data);

    // An open-ended writable window over the chunk's data, positioned relative to this writer.
    std::unique_ptr<CPartialMedia> OpenChunkData(const TIFFChunk& chunk);

    // Patches the size field for dataSize bytes of data, moves the position after the data and
    // writes the pad byte of an odd end. A stored size that does not fit 32 bits is XOutOfSpace.
    void EndChunk(const TIFFChunk& chunk, i64 dataSize);

    CMedia& GetMedia() { return *fWindow; }
    const TIFFChunk& GetChunk() const { return fChunk; }
    CIFFWriter2* GetParent() const { return fParent; }

private:
    CIFFWriter2* fParent = nullptr;
    std::unique_ptr<CPartialMedia> fOwnedWindow;
    CMedia* fWindow;
    TIFFChunk fChunk;
    TChunkSizeEncoder fEncodeSize;
};

// The RIFF writer: little-endian sizes.
class CRIFFWriter2 : public CIFFWriter2
{
public:
    explicit CRIFFWriter2(CMedia& media, TChunkSizeEncoder encodeSize = &NSByteOrder::WriteLE32);
    CRIFFWriter2(CIFFWriter2& parent, const TIFFChunk& chunk);
    ~CRIFFWriter2() override;
};
} // namespace NSFerrant

#pragma once
// One-level chunk reader: reads the chunks inside one window of a media. Nesting is built on it
// by CIFFFileReader.
#include "base/ByteOrder.h"
#include "media/IFFChunk.h"
#include "base/Media.h"

#include <memory>

namespace NSFerrant
{
// Groups nested deeper than this are refused as a format violation.
constexpr u32 kMaxChunkNestingDepth = 1024;

class CIFFReader2
{
public:
    // Root reader over a whole media, which it does not own.
    explicit CIFFReader2(CMedia& media, TChunkSizeDecoder decodeSize = &NSByteOrder::ReadBE32);
    // Reader of the data of the chunk the parent has just read; the parent must outlive it. A
    // reader more than kMaxChunkNestingDepth levels below its root is XFormatViolation.
    CIFFReader2(CIFFReader2& parent, const TIFFChunk& chunk);
    CIFFReader2(const CIFFReader2&) = delete;
    CIFFReader2& operator=(const CIFFReader2&) = delete;
    virtual ~CIFFReader2();

    // The descriptor of the chunk whose header starts at the position; the position ends where
    // the chunk's data starts.
    virtual TIFFChunk ReadChunkHeader();

    // False when the window holds fewer than 8 bytes.
    bool FirstChunk(TIFFChunk& chunk);
    // False at the end of the window; 1 to 7 stray bytes after the last chunk are a format violation.
    bool NextChunk(const TIFFChunk& current, TIFFChunk& next);
    // Searches from the start of the window.
    bool FindChunk(TFourCC id, TIFFChunk& chunk);
    bool FindFORM(TFourCC type, TIFFChunk& chunk);
    bool FindCAT(TFourCC type, TIFFChunk& chunk);
    bool FindLIST(TFourCC type, TIFFChunk& chunk);

    // Copies the whole data of the chunk whose header was read last; the position ends after it.
    void ReadChunkData(const TIFFChunk& chunk, void* destination);
    // A read-only window over the chunk's data, positioned relative to this reader's position.
    std::unique_ptr<CPartialMedia> OpenChunkData(const TIFFChunk& chunk);

    CMedia& GetMedia() { return *fWindow; }
    const TIFFChunk& GetChunk() const { return fChunk; }
    CIFFReader2* GetParent() const { return fParent; }

protected:
    // The header rules shared by IFF and RIFF: groupID is the id of kind 1 ("FORM" or "RIFF");
    // checkRoom tests that each field is there before reading it.
    TIFFChunk ReadChunkHeaderOf(TFourCC groupID, bool checkRoom);

private:
    bool Find(u32 kind, TFourCC fourCC, TIFFChunk& chunk);

    CIFFReader2* fParent = nullptr;
    std::unique_ptr<CPartialMedia> fOwnedWindow;
    CMedia* fWindow;
    TIFFChunk fChunk;
    TChunkSizeDecoder fDecodeSize;
    // Levels below the root reader.
    u32 fDepth = 0;
};

// The RIFF reader: little-endian sizes, "RIFF" as the id of kind 1, and no room tests before the
// header fields (a truncated header fails in the window's read).
class CRIFFReader2 : public CIFFReader2
{
public:
    explicit CRIFFReader2(CMedia& media, TChunkSizeDecoder decodeSize = &NSByteOrder::ReadLE32);
    CRIFFReader2(CIFFReader2& parent, const TIFFChunk& chunk);

    TIFFChunk ReadChunkHeader() override;
};

// True when the media starts with a RIFF, "CAT " or LIST group that fits in it. Never throws;
// the media's position is left as it was.
bool IsRIFFMedia(CMedia& media) noexcept;
} // namespace NSFerrant

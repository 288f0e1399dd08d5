#pragma once
// zlib compression of the rest of a media into another media, through the byte-range
// operations of NSZipPackage.
#include "base/Media.h"
#include "media/ZipPackage.h"

namespace NSFerrant
{
// Adapters from a media to the byte-range interfaces; they borrow the media and never move its
// position.
class CMediaByteReader : public NSZipPackage::IByteReader
{
public:
    explicit CMediaByteReader(const CMedia& media) : fMedia(media) {}
    void Read(i64 offset, i64 size, void* destination) override { fMedia.Read(offset, size, destination); }

private:
    const CMedia& fMedia;
};

class CMediaByteWriter : public NSZipPackage::IByteWriter
{
public:
    explicit CMediaByteWriter(CMedia& media) : fMedia(media) {}
    void Write(i64 offset, i64 size, const void* source) override { fMedia.Write(offset, size, source); }
    i64 GetSize() override { return fMedia.GetSize(); }

private:
    CMedia& fMedia;
};

// Deflates the source from its position to its end into the destination at its position, which
// advances by the compressed size. The source's position is not moved. The level is always 9;
// the argument is kept for callers that pass one.
void CompressMedia(const CMedia& source, CMedia& destination, u32 level);

// Inflates the source from its position to its end into the destination at its position, which
// advances by the bytes produced. The source's position is not moved. A stream that would produce
// more than limit bytes is XFormatViolation (see NSZipPackage::Inflate).
void DecompressMedia(const CMedia& source, CMedia& destination, u64 limit);
} // namespace NSFerrant

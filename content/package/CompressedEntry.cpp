#include "content/package/CompressedEntry.h"

#include "base/ByteOrder.h"
#include "content/package/PackageFailures.h"
#include "media/MediaCompression.h"

#include <algorithm>

namespace
{
// The first reserve of the unpacked bytes, however large the stored size claims they are: a
// small crafted entry cannot make a large allocation; a real one grows as its stream yields.
constexpr i64 kLargestFirstReserve = 1 << 20;

// Writes into a memory media and refuses any byte at or past the limit, before the media grows.
class CBoundedMemoryWriter : public NSZipPackage::IByteWriter
{
public:
    CBoundedMemoryWriter(NSFerrant::COwnedMemoryMedia& media, i64 limit) : fMedia(media), fLimit(limit) {}

    void Write(i64 offset, i64 size, const void* source) override
    {
        if (offset < 0 || size > fLimit - offset)
            ThrowPackageFormatViolation();
        fMedia.Write(offset, size, source);
    }
    i64 GetSize() override { return fMedia.GetSize(); }

private:
    NSFerrant::COwnedMemoryMedia& fMedia;
    i64 fLimit;
};
} // namespace

std::shared_ptr<NSFerrant::CMedia> InflateCompressedEntry(const NSFerrant::CMedia& entry)
{
    const i64 entrySize = entry.GetSize();
    if (entrySize < kCompressedEntryHeaderSize)
        ThrowPackageFormatViolation();
    u8 header[kCompressedEntryHeaderSize];
    entry.Read(0, kCompressedEntryHeaderSize, header);
    if (NSByteOrder::ReadBE32(header) != kCompressedEntryMark)
        ThrowPackageFormatViolation();
    const i64 unpackedSize = NSByteOrder::ReadBE32(header + 4);
    if (unpackedSize == 0)
        ThrowPackageFormatViolation();

    auto unpacked =
        std::make_shared<NSFerrant::COwnedMemoryMedia>(std::min(unpackedSize, kLargestFirstReserve));
    NSFerrant::CMediaByteReader reader(entry);
    CBoundedMemoryWriter writer(*unpacked, unpackedSize);
    u64 produced = 0; // no expected size: fewer bytes than stored are accepted
    NSZipPackage::Inflate(reader, kCompressedEntryHeaderSize, entrySize - kCompressedEntryHeaderSize, writer,
                          0, produced, u64(unpackedSize));
    unpacked->fPosition = 0;
    return unpacked;
}

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
    const u32 unpackedSize = NSByteOrder::ReadBE32(header + 4);
    if (unpackedSize == 0)
        ThrowPackageFormatViolation();

    auto unpacked =
        std::make_shared<NSFerrant::COwnedMemoryMedia>(std::min<i64>(unpackedSize, kLargestFirstReserve));
    NSFerrant::CMediaByteReader reader(entry);
    NSFerrant::CMediaByteWriter writer(*unpacked);
    u64 produced = 0; // no expected size: fewer bytes than stored are accepted
    NSZipPackage::Inflate(reader, kCompressedEntryHeaderSize, entrySize - kCompressedEntryHeaderSize, writer,
                          0, produced, unpackedSize);
    unpacked->fPosition = 0;
    return unpacked;
}

#include "content/package/CompressedEntry.h"

#include "base/ByteOrder.h"
#include "content/package/PackageFailures.h"
#include "content/package/UnpackedEntryMedia.h"
#include "media/MediaCompression.h"

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

    const std::shared_ptr<NSFerrant::CMedia> unpacked = MakeUnpackedEntryMedia(unpackedSize);
    NSFerrant::CMediaByteReader reader(entry);
    NSFerrant::CMediaByteWriter writer(*unpacked);
    u64 produced = 0; // no expected size: fewer bytes than stored are accepted
    NSZipPackage::Inflate(reader, kCompressedEntryHeaderSize, entrySize - kCompressedEntryHeaderSize, writer,
                          0, produced, unpackedSize);
    unpacked->fPosition = 0;
    return unpacked;
}

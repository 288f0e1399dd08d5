#include "tests/support/VantlePackageWriter.h"

#include "content/package/CompressedEntry.h"
#include "content/package/VantleHeader.h"
#include "content/package/VantleIndexRow.h"
#include "media/MediaCompression.h"

namespace NSTestSupport
{
namespace
{
// The file count, index start and data start come just before the package version and the date.
constexpr size_t kCountsSize = 12;
constexpr size_t kDateSize = 8;

template <class TPart> TBytes StoredForm(const TPart& part)
{
    NSFerrant::COwnedMemoryMedia media(0);
    part.Write(media);
    return BytesOf(media);
}
} // namespace

TWrittenPackage WriteTestPackageHead(const TTestPackage& package, const std::vector<u32>& entrySizes)
{
    TWrittenPackage written;
    CVantleInfo& info = written.fInfo;
    info = package.fInfo;
    info.fCreatorVersion = package.fCreator.fVersion;

    TBytes rows;
    u64 dataSize = 0;
    for (size_t i = 0; i < package.fEntries.size(); ++i)
    {
        const TTestEntry& entry = package.fEntries[i];
        const CVantleIndexRow row{entry.fName, u32(dataSize), entrySizes[i], entry.fHidden,
                                  entry.fPackedType};
        const TBytes stored = StoredForm(row);
        rows.insert(rows.end(), stored.begin(), stored.end());
        dataSize += entrySizes[i];
    }

    // The block's length does not depend on the counts' values. An older creator's block ends
    // after the counts: the package version and date are left out.
    u8 version[NSFerrant::kLongVersionSize];
    const size_t tailSize = NSFerrant::EncodeVersion(info.fPackageVersion, version) + kDateSize;
    const bool withTail = NSFerrant::CompareVersions(info.fCreatorVersion, kFirstCreatorVersionWithDate) !=
                          NSFerrant::kVersionOlder;
    const size_t fullSize = StoredForm(info).size();
    const size_t infoSize = withTail ? fullSize : fullSize - tailSize;
    written.fCountsOffset = size_t(kVantleInfoOffset) + fullSize - tailSize - kCountsSize;
    written.fInfoEnd = size_t(kVantleInfoOffset) + infoSize;

    info.fFileCount = u32(package.fEntries.size());
    info.fIndexStart = u32(written.fInfoEnd);
    info.fDataStart = u32(written.fInfoEnd + rows.size());
    TBytes infoBytes = StoredForm(info);
    infoBytes.resize(infoSize);

    u8 creator[NSFerrant::kCreatorBlockSize];
    NSFerrant::EncodeCreatorBlock(package.fCreator, creator);
    TBytes& bytes = written.fBytes;
    PutBE32(bytes, kVantleMagic);
    PutBE32(bytes, 0);
    bytes.insert(bytes.end(), creator, creator + NSFerrant::kCreatorBlockSize);
    bytes = Concat({bytes, infoBytes, rows});
    PatchBE32(bytes, 4, u32(bytes.size() + dataSize));
    return written;
}

TWrittenPackage WriteTestPackage(const TTestPackage& package)
{
    std::vector<u32> sizes;
    for (const TTestEntry& entry : package.fEntries)
        sizes.push_back(u32(entry.fBytes.size()));
    TWrittenPackage written = WriteTestPackageHead(package, sizes);
    for (const TTestEntry& entry : package.fEntries)
        written.fBytes.insert(written.fBytes.end(), entry.fBytes.begin(), entry.fBytes.end());
    return written;
}

TBytes FrameCompressedEntry(const TBytes& file, u32 storedSize)
{
    TBytes framed;
    PutBE32(framed, kCompressedEntryMark);
    PutBE32(framed, storedSize);
    NSFerrant::COwnedMemoryMedia source = MediaOf(file);
    NSFerrant::COwnedMemoryMedia deflated(0);
    NSFerrant::CompressMedia(source, deflated, 9);
    return Concat({framed, BytesOf(deflated)});
}
} // namespace NSTestSupport

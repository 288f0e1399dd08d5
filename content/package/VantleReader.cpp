#include "content/package/VantleReader.h"

#include "content/package/PackageFailures.h"
#include "content/package/VantleIndexRow.h"
#include "base/Media.h"

#include <vector>

namespace
{
// The whole index, [index start, data start), in one read of the package; the rows are parsed
// from memory. The header check keeps index start <= data start <= the package's size.
std::unique_ptr<NSFerrant::COwnedMemoryMedia> ReadIndex(const CVantleData& data)
{
    const CVantleInfo& info = data.GetInfo();
    const i64 indexSize = i64(info.fDataStart) - info.fIndexStart;
    if (indexSize == 0)
        return std::make_unique<NSFerrant::COwnedMemoryMedia>(0);
    std::vector<u8> bytes(static_cast<size_t>(indexSize));
    NSFerrant::ReadBytesAt(data.GetMedia(), info.fIndexStart, indexSize, bytes.data());
    return std::make_unique<NSFerrant::COwnedMemoryMedia>(indexSize, bytes.data());
}
} // namespace

CVantleReader::CVantleReader(const std::shared_ptr<NSFileLib::IFileSpec>& file, u32 kind) : fFile(file)
{
    if (!ProbeVantleFile(fFile.get()))
        ThrowPackageFormatViolation();
    fData = std::make_shared<CVantleData>(fFile.get(), kind);
}

CVantleReader::~CVantleReader() = default;

void CVantleReader::VisitEntries(IVantleEntryVisitor& visitor) const
{
    const TVantleDataPtr data = fData; // the walk holds the package open whatever the visitor drops
    const CVantleInfo& info = data->GetInfo();
    const std::unique_ptr<NSFerrant::COwnedMemoryMedia> index = ReadIndex(*data);
    const u64 dataAreaSize = u64(data->GetSize()) - info.fDataStart;
    CVantleIndexRow row;
    for (u32 i = 0; i < info.fFileCount; ++i)
    {
        const u64 rowOffset = info.fIndexStart + u64(index->fPosition);
        row.Read(*index);
        if (u64(row.fOffset) + row.fSize > dataAreaSize)
            ThrowPackageFormatViolation();
        const CVantleEntryLocation location{data,      rowOffset,   row.fOffset,
                                            row.fSize, row.fHidden, row.fPackedType};
        if (!visitor.Visit(location, row))
            return;
    }
}

std::shared_ptr<NSFerrant::CMedia> CVantleReader::OpenMedia() const
{
    return OpenVantleWindow(fData, 0, fData->GetMedia().GetSize());
}

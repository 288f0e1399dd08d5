#include "content/package/VantleEntryMedia.h"

#include "content/package/CompressedEntry.h"
#include "content/package/PackageFailures.h"
#include "content/package/PackedFileTypes.h"
#include "base/Media.h"

namespace
{
// A window that keeps the package it reads open. The window part stores only a pointer to the
// package media; the data held beside it keeps that media alive.
class CHeldVantleWindow : public NSFerrant::CPartialMedia
{
public:
    CHeldVantleWindow(const TVantleDataPtr& data, i64 offset, i64 length)
        : NSFerrant::CPartialMedia(data->GetMedia(), offset, length), fData(data)
    {
    }

private:
    TVantleDataPtr fData;
};
} // namespace

std::shared_ptr<NSFerrant::CMedia> OpenVantleWindow(const TVantleDataPtr& data, i64 offset, i64 length)
{
    return std::make_shared<CHeldVantleWindow>(data, offset, length);
}

std::shared_ptr<NSFerrant::CMedia> OpenEntryMedia(const CVantleEntryLocation& location)
{
    return OpenEntryMedia(location.fData, location.fOffset, location.fSize, location.fPackedType);
}

std::shared_ptr<NSFerrant::CMedia> OpenEntryMedia(const TVantleDataPtr& data, u32 offset, u32 size,
                                                  u32 packedType)
{
    const i64 entryStart = i64(data->GetInfo().fDataStart) + offset;
    if (entryStart + size > data->GetSize())
        ThrowPackageFormatViolation();
    std::shared_ptr<NSFerrant::CMedia> window = OpenVantleWindow(data, entryStart, size);
    if (IsCompressedEntryType(packedType))
        return InflateCompressedEntry(*window);
    window->fPosition = 0;
    return window;
}

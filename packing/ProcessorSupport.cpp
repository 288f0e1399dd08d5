#include "packing/ProcessorSupport.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"
#include "base/Media.h"

#include <algorithm>

namespace NSVantlePacking
{
namespace
{
constexpr i64 kProbeSize = 4096;
}

std::shared_ptr<NSFerrant::CMedia> OpenSourceMedia(const CItemPtr& source)
{
    std::shared_ptr<NSFerrant::CMedia> media = source->OpenMedia();
    if (!media)
        NSQuorral::Throw<NSQuorral::XOpen>();
    media->fPosition = 0;
    return media;
}

void CopyRestOfMedia(NSFerrant::CMedia& source, NSFerrant::CMedia& destination)
{
    NSFerrant::CopyBytes(destination, NSFerrant::GetBytesLeft(source), source, kCopyPieceSize);
}

void ReadProbe(NSFerrant::CMedia& media)
{
    const i64 size = media.GetSize();
    if (size < 1)
        return;
    u8 buffer[kProbeSize];
    NSFerrant::ReadBytesAt(media, 0, std::min(size, kProbeSize), buffer);
    if (size > kProbeSize)
    {
        const i64 middle = size / 2;
        NSFerrant::ReadBytesAt(media, middle, std::min(size - middle, kProbeSize), buffer);
        NSFerrant::ReadBytesAt(media, size - kProbeSize, kProbeSize, buffer);
    }
    media.fPosition = size;
}

void CopyFileToMedia(const CItemPtr& source, NSFerrant::CMedia& destination)
{
    const std::shared_ptr<NSFerrant::CMedia> media = OpenSourceMedia(source);
    CopyRestOfMedia(*media, destination);
}

i64 GetMemoryReserve(const CItemPtr& source)
{
    constexpr u64 kLargestReserve = 64 * 1024 * 1024;
    return i64(std::min(source->GetSize(), kLargestReserve));
}

void WriteThroughMemory(i64 reserve, NSFerrant::CMedia& destination,
                        const std::function<void(NSFerrant::CMedia&)>& write)
{
    NSFerrant::COwnedMemoryMedia result(reserve);
    write(result);
    result.fPosition = 0;
    CopyRestOfMedia(result, destination);
}

void NoteProhibitedDevice(const NSTextPackage::TUTF16String& device, const TDeviceNameList& prohibited,
                          TDeviceNameList& usedProhibited)
{
    if (std::find(prohibited.begin(), prohibited.end(), device) != prohibited.end())
        usedProhibited.push_back(device);
}
} // namespace NSVantlePacking

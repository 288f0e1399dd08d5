#include "content/paths/DiskScanner.h"

#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "content/paths/MountedVolumes.h"

#include <algorithm>

bool CABCDiskScanner::Scan()
{
    const std::vector<NSFileLibSupport::TVolumeSpecPtr> volumes =
        NSDiskScanner::GetMountedVolumes().GetVolumes();
    for (const NSFileLibSupport::TVolumeSpecPtr& volume : volumes)
    {
        try
        {
            if (OfferVolume(volume.get()))
                return true;
        }
        catch (const NSQuorral::XSilentAbort&)
        {
            throw;
        }
        catch (...)
        {
            // An empty, vanished or unreadable drive must not hide the volumes after it.
        }
    }
    return false;
}

NSFileLibSupport::TVolumeSpecPtr CABCDiskScanner::GetFoundVolume()
{
    return fFoundVolume;
}

bool CABCDiskScanner::OfferVolume(NSFileLib::IVolumeSpec* volume)
{
    NSDiskScanner::IMountedVolumes& mounted = NSDiskScanner::GetMountedVolumes();
    NSFileLib::SVolumeInfo info{};
    NSFileLibSupport::ThrowIfFileLibError(mounted.GetVolumeInfo(volume, &info));
    const bool accepted =
        std::find(fAcceptedTypes.begin(), fAcceptedTypes.end(), info.kind) != fAcceptedTypes.end();
    if (!accepted || info.isAvailable == 0)
        return false;
    NSFileLib::SVolumeDetails details{};
    const NSFileLib::TFileLibStatus status = mounted.GetVolumeDetails(volume, &details);
    // A floppy drive without a readable disk answers the generic failure; that is no error.
    if (status == NSFileLib::kFileLibUnknownError && info.kind == NSFileLib::kVolumeKindFloppy)
        return false;
    NSFileLibSupport::ThrowIfFileLibError(status);
    details.label[std::size(details.label) - 1] = 0;
    return OnVolume(volume, details.label);
}

#pragma once
// Walks the mounted volumes, keeps those of the accepted kinds that are available, and offers
// each with its label to a hook. Used once: construct, Scan, then GetFoundVolume when the scan
// answered true.
#include "filelib/FileLibWrappers.h"

#include <vector>

namespace NSDiskScanner
{
class IDiskScanner
{
public:
    // True when the hook stopped the scan.
    virtual bool Scan() = 0;
    // The volume is borrowed for the call; true stops the scan.
    virtual bool OnVolume(NSFileLib::IVolumeSpec* volume, const u16* label) = 0;
    virtual ~IDiskScanner() = default;
};
} // namespace NSDiskScanner

class CABCDiskScanner : public NSDiskScanner::IDiskScanner
{
public:
    // A volume whose information or label cannot be read is passed over; only XSilentAbort
    // leaves the scan, and a failure to list the volumes at all.
    bool Scan() override;
    // Empty when the hook kept nothing.
    virtual NSFileLibSupport::TVolumeSpecPtr GetFoundVolume();

protected:
    NSFileLibSupport::TVolumeSpecPtr fFoundVolume;
    std::vector<u32> fAcceptedTypes{NSFileLib::kVolumeKindCDROM, NSFileLib::kVolumeKindRemovable};

private:
    bool OfferVolume(NSFileLib::IVolumeSpec* volume);
};

#pragma once
// Finds the first mounted volume of one kind whose label equals a wanted name, ignoring case.
#include "base/HashedString.h"
#include "content/paths/DiskScanner.h"

class CVolumeFinder final : public CABCDiskScanner
{
public:
    // volumeKind is an NSFileLib::EVolumeKind; only that kind is offered.
    CVolumeFinder(u32 volumeKind, const THashedString& wantedName);
    ~CVolumeFinder() override = default;

    // Keeps a clone of a volume whose label matches and stops the scan.
    bool OnVolume(NSFileLib::IVolumeSpec* volume, const u16* label) override;

private:
    THashedString fWantedName;
};

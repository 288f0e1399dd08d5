#include "content/paths/VolumeFinder.h"

CVolumeFinder::CVolumeFinder(u32 volumeKind, const THashedString& wantedName) : fWantedName(wantedName)
{
    fAcceptedTypes.assign(1, volumeKind);
}

bool CVolumeFinder::OnVolume(NSFileLib::IVolumeSpec* volume, const u16* label)
{
    if (THashedString(NSTextPackage::TUTF16String(label)) != fWantedName)
        return false;
    fFoundVolume = NSFileLibSupport::CloneVolumeSpec(volume);
    return true;
}

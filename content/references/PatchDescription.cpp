#include "content/references/PatchDescription.h"

#include "content/references/DescriptionFields.h"
#include "content/references/DeviceTypeNames.h"
#include "content/references/StoredVersions.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

using NSStoredVersions::IsExactly;
using NSStoredVersions::IsOlderThan;

CSF10DevicePatchDescriptionChunk::CSF10DevicePatchDescriptionChunk(NSFerrant::CMedia& media)
    : fVersion(NSFerrant::ReadVersion(media))
{
    if (fVersion.fMajor != 1 && !IsExactly(fVersion, 2, 0, 0))
        ThrowVersionMismatch(NSFerrant::TVersion{1, 0, 0}, NSFerrant::TVersion{1, 3, 0}, fVersion);

    if (IsExactly(fVersion, 1, 0, 0))
    {
        fDeviceTypeName = NSDescriptionFields::ReadDeviceTypeCode(media);
        fName = NSDescriptionFields::ReadANSINameField(media);
    }
    else if (IsExactly(fVersion, 1, 1, 0))
    {
        fDeviceTypeName = NSDescriptionFields::ReadDeviceTypeCode(media);
        fName = NSFerrant::ReadNameString(media);
    }
    else if (IsExactly(fVersion, 1, 2, 0))
    {
        fDeviceTypeName = NSFerrant::ReadNameString(media);
        fName = NSFerrant::ReadNameString(media);
    }
    else if (!IsOlderThan(fVersion, 1, 3, 0))
    {
        NSFerrant::ReadU8(media);
        fName = NSFerrant::ReadNameString(media);
        fDeviceTypeName = NSFerrant::ReadNameString(media);
    }
}

void CSF10DevicePatchDescriptionChunk::Write(NSFerrant::CMedia& media) const
{
    NSFerrant::WriteVersion(fVersion, media);
    NSFerrant::WriteU8(media, GetDeviceTypeFromName(fDeviceTypeName));
    NSFerrant::WriteNameString(media, fName);
    NSFerrant::WriteNameString(media, fDeviceTypeName);
}

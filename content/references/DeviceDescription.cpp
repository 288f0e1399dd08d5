#include "content/references/DeviceDescription.h"

#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"
#include "content/references/DescriptionFields.h"
#include "content/references/DeviceTypeNames.h"
#include "content/references/StoredVersions.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

using NSDescriptionFields::ReadDeviceTypeCode;
using NSDescriptionFields::ReadFlag;
using NSStoredVersions::IsAtLeast;
using NSStoredVersions::IsExactly;

CSF10DeviceDescriptionChunk::CSF10DeviceDescriptionChunk(NSFerrant::CMedia& media)
    : fVersion(NSFerrant::ReadVersion(media))
{
    switch (fVersion.fMajor)
    {
    case 1:
        ReadMajor1(media);
        break;
    case 2:
    case 3:
        ReadMajor2Or3(media);
        break;
    default:
        ThrowVersionMismatch(NSFerrant::TVersion{1, 0, 0}, NSFerrant::TVersion{3, 4, 0}, fVersion);
    }
}

void CSF10DeviceDescriptionChunk::ReadMajor1(NSFerrant::CMedia& media)
{
    const bool v100 = IsExactly(fVersion, 1, 0, 0);
    const bool v110 = IsExactly(fVersion, 1, 1, 0);
    const bool v120 = IsExactly(fVersion, 1, 2, 0);
    const bool v130 = IsExactly(fVersion, 1, 3, 0);
    if (!v100 && !v110 && !v120 && !v130)
        return;
    if (v100 || v110)
        fDeviceTypeName = ReadDeviceTypeCode(media);
    else if (v120)
        fDeviceTypeName = NSFerrant::ReadNameString(media);
    else
        NSFerrant::ReadU8(media);
    fNumber = NSFerrant::ReadU8(media);
    fName = v100 ? NSDescriptionFields::ReadANSINameField(media) : NSFerrant::ReadNameString(media);
    fFlagB = ReadFlag(media);
    fValueA = NSFerrant::ReadU32BE(media);
    fValueB = NSFerrant::ReadU32BE(media);
    if (v130)
        fDeviceTypeName = NSFerrant::ReadNameString(media);
}

void CSF10DeviceDescriptionChunk::ReadMajor2Or3(NSFerrant::CMedia& media)
{
    const bool major3 = fVersion.fMajor == 3;
    // The fields that came after the type name, each from the version of its major that added it.
    const auto since = [&](u32 minor2, u32 minor3)
    { return IsAtLeast(fVersion, fVersion.fMajor, major3 ? minor3 : minor2, 0); };

    NSFerrant::ReadU8(media);
    fNumber = NSFerrant::ReadU32BE(media);
    fName = NSFerrant::ReadNameString(media);
    fFlagB = ReadFlag(media);
    fValueA = NSFerrant::ReadU32BE(media);
    fValueB = NSFerrant::ReadU32BE(media);
    fDeviceTypeName = NSFerrant::ReadNameString(media);
    if (since(1, 0))
        fCode = MapDescriptionCode(u8(NSFerrant::ReadU32BE(media)));
    if (major3 ? since(0, 1) : IsExactly(fVersion, 2, 2, 0))
        fDeviceVersion = NSFerrant::ReadVersion(media);
    if (since(3, 2))
        fFlagA = ReadFlag(media);
    if (since(4, 3))
        fCode = NSFerrant::ReadU32BE(media);
    if (since(5, 4))
    {
        fFlagC = ReadFlag(media);
        fFlagD = ReadFlag(media);
        fFlagE = ReadFlag(media);
    }
}

void CSF10DeviceDescriptionChunk::Write(NSFerrant::CMedia&) const
{
    NSQuorral::ThrowException(
        NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
        << NSQuorral::XIllegalCallSequence("Cannot write CSF10DeviceDescriptionChunk in Vantle Packer"));
}

#pragma once
// The description at the top of a device patch (its "DESC" chunk): the type name of the device
// the patch is for.
#include "base/VersionNumbers.h"
#include "content/references/ABCFormat.h"

class CSF10DevicePatchDescriptionChunk : public NSFerrant::CABCFormat
{
public:
    // Reads from the media's position: any 1.x (those between 1.2.0 and 1.3.0 as their version
    // alone, those from 1.3.0 on in the 1.3.0 layout) and 2.0.0. Major 0 is XVersionTooOld, any
    // other version XVersionTooNew.
    explicit CSF10DevicePatchDescriptionChunk(NSFerrant::CMedia& media);

    // fVersion, then the layout of 1.3.0 and 2.0.0.
    void Write(NSFerrant::CMedia& media) const override;

    NSFerrant::TVersion fVersion;
    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fDeviceTypeName;
};

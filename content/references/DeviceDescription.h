#pragma once
// The description of one device of a song (the "DESC" chunk of each member of the song's "DEVL"
// list). The program reads it only for the device's type name; it never writes one.
#include "base/VersionNumbers.h"
#include "content/references/ABCFormat.h"

class CSF10DeviceDescriptionChunk : public NSFerrant::CABCFormat
{
public:
    // Reads from the media's position. Majors 1 to 3 are read (a 1.x other than 1.0.0 to 1.3.0
    // as its version alone); major 0 is XVersionTooOld, a major above 3 XVersionTooNew.
    explicit CSF10DeviceDescriptionChunk(NSFerrant::CMedia& media);

    // Always XIllegalCallSequence: the program never writes a device description.
    void Write(NSFerrant::CMedia& media) const override;

    NSFerrant::TVersion fVersion;
    u32 fNumber = 0xFFFFFFFF;
    NSTextPackage::TUTF16String fName;
    bool fFlagA = true;
    bool fFlagB = false;
    u32 fValueA = 0;
    u32 fValueB = 0;
    // The only field the packing engine uses: matched against the prohibited devices.
    NSTextPackage::TUTF16String fDeviceTypeName;
    u32 fCode = 255;
    bool fFlagC = false;
    bool fFlagD = false;
    bool fFlagE = false;
    NSFerrant::TVersion fDeviceVersion;

private:
    void ReadMajor1(NSFerrant::CMedia& media);
    void ReadMajor2Or3(NSFerrant::CMedia& media);
};

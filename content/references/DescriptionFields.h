#pragma once
// Stored fields shared by the device and patch descriptions.
#include "base/UTF16String.h"

namespace NSFerrant
{
class CMedia;
}

namespace NSDescriptionFields
{
// A field of exactly 64 bytes of text in the system's ANSI code page, ended by its first zero
// byte; the last byte always ends it, so at most 63 bytes are text.
NSTextPackage::TUTF16String ReadANSINameField(NSFerrant::CMedia& media);
// A one-byte device type code, as its name.
NSTextPackage::TUTF16String ReadDeviceTypeCode(NSFerrant::CMedia& media);
// A byte; any value but 0 is true.
bool ReadFlag(NSFerrant::CMedia& media);
} // namespace NSDescriptionFields

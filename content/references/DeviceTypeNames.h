#pragma once
// The device type names that the oldest device and patch descriptions store as a one-byte code,
// and the code map of some device description versions.
#include "base/UTF16String.h"

constexpr u8 kDeviceTypeNameCount = 19;
constexpr u8 kNoDeviceType = 255;

// The name of a stored code; a code of 19 or more is XFormatViolation.
NSTextPackage::TUTF16String GetDeviceTypeName(u8 code);
// The code of the first name equal to name, unit for unit; kNoDeviceType when none is.
u8 GetDeviceTypeFromName(const NSTextPackage::TUTF16String& name);
// The mapped value of a code 0 to 15; 255 for any other code.
u8 MapDescriptionCode(u8 code);

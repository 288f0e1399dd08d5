#pragma once
// The failures of a pack that the pack driver turns into alerts: each carries one of these
// object types in the last frame of its body.
#include "base/FixedName.h"
#include "base/UTF16String.h"

#include <exception>

namespace NSVantlePacking
{
NSQuorral::TFixedName GetVantleNameObjectType();      // "vantlename": the package has no NAME
NSQuorral::TFixedName GetVantleSplashObjectType();    // "vantlesplash": SPLASH.JPG missing or unusable
NSQuorral::TFixedName GetVantleFileEntryObjectType(); // "vantlefileentry": a source file or entry failed
// The key of the integer property that holds a failed entry's packed type (0: no packer takes it).
NSQuorral::TFixedName GetVantleFileEntryTypeKey(); // "vantlefileentrytype"

// Raises the caught exception again, keeping its class, as the failure of one entry: its display
// path (or its path inside the package), its relative path when it has one (empty: none) and its
// packed type.
[[noreturn]] void ThrowFileEntryFailure(const std::exception& caught,
                                        const NSTextPackage::TUTF16String& displayPath,
                                        const NSTextPackage::TUTF16String& relativePath, u32 packedType);
} // namespace NSVantlePacking

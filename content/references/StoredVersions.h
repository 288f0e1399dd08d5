#pragma once
// Tests of a stored record's version against the layouts its reader knows, in the order of
// CompareVersions (the build is never compared).
#include "base/VersionNumbers.h"

namespace NSStoredVersions
{
inline bool IsOlderThan(const NSFerrant::TVersion& stored, u32 major, u32 minor, u32 fix)
{
    return NSFerrant::CompareVersions(stored, NSFerrant::TVersion{major, minor, fix}) ==
           NSFerrant::kVersionOlder;
}

inline bool IsAtLeast(const NSFerrant::TVersion& stored, u32 major, u32 minor, u32 fix)
{
    return !IsOlderThan(stored, major, minor, fix);
}

inline bool IsExactly(const NSFerrant::TVersion& stored, u32 major, u32 minor, u32 fix)
{
    return NSFerrant::CompareVersions(stored, NSFerrant::TVersion{major, minor, fix}) ==
           NSFerrant::kVersionEqual;
}
} // namespace NSStoredVersions

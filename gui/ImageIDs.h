#pragma once
// The identity of a bitmap and the registry that gives every identity a numeric cache id for the
// whole run.
#include "base/ResourceID.h"

namespace NSFerrant
{
enum EImageIDKind : u32
{
    kImageIDNone = 79,
    kImageIDResource = 80,
    kImageIDNumber = 81,
};

constexpr u32 kNoCacheID = 0xFFFFFFFF;

struct TImageID
{
    u32 fKind = kImageIDNone;
    u32 fCacheID = kNoCacheID; // until registered
    TResourceID fResource;
    u32 fNumber = 0;
    u32 fSecond = 0;
};

// A resource identity's position in the registry of resources; a number's position in the
// registry of numbers with bit 0x80000000 set; kNoCacheID for any other kind. A new identity is
// appended; positions are never reused.
u32 RegisterImageID(const TImageID& id);

// "PNGF", built once.
const NSTextPackage::TUTF16String& GetPNGImageResourceType();
// The registered identity of PNG image resource `number`.
TImageID MakePNGImageID(u16 number);
} // namespace NSFerrant

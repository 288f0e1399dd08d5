#include "gui/ImageIDs.h"

#include "base/TextConversions.h"

#include <algorithm>
#include <vector>

namespace NSFerrant
{
namespace
{
constexpr u32 kNumberBit = 0x80000000;
constexpr u32 kPNGImageNumber = 666;

bool SameResource(const TResourceID& a, const TResourceID& b)
{
    return a.fKind == b.fKind && a.fType == b.fType && a.fID == b.fID && a.fName == b.fName &&
           a.fAuxText == b.fAuxText && a.fIndex == b.fIndex && a.fQualifier == b.fQualifier;
}

template <class TValue, class TSame> u32 PositionOf(std::vector<TValue>& registry, const TValue& value, TSame same)
{
    const auto found =
        std::find_if(registry.begin(), registry.end(), [&](const TValue& entry) { return same(entry, value); });
    if (found != registry.end())
        return u32(found - registry.begin());
    registry.push_back(value);
    return u32(registry.size() - 1);
}
} // namespace

u32 RegisterImageID(const TImageID& id)
{
    static std::vector<TResourceID> resources;
    static std::vector<u32> numbers;
    switch (id.fKind)
    {
    case kImageIDResource:
        return PositionOf(resources, id.fResource, SameResource);
    case kImageIDNumber:
        return PositionOf(numbers, id.fNumber, [](u32 a, u32 b) { return a == b; }) | kNumberBit;
    default:
        return kNoCacheID;
    }
}

const NSTextPackage::TUTF16String& GetPNGImageResourceType()
{
    static const NSTextPackage::TUTF16String type = NSTextPackage::ASCIIToUTF16("PNGF", 0);
    return type;
}

TImageID MakePNGImageID(u16 number)
{
    TImageID id;
    id.fKind = kImageIDResource;
    id.fResource = TResourceID(GetPNGImageResourceType(), i16(number));
    id.fNumber = kPNGImageNumber;
    id.fSecond = kPNGImageNumber;
    id.fCacheID = RegisterImageID(id);
    return id;
}
} // namespace NSFerrant

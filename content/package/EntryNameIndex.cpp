#include "content/package/EntryNameIndex.h"

#include "base/TextCase.h"
#include "base/TextCompare.h"

u32 HashEntryName(const NSTextPackage::TUTF16String& name)
{
    u32 hash = 0;
    const auto add = [&hash](u8 byte) {
        hash += byte;
        hash += hash << 10;
        hash ^= hash >> 6;
    };
    for (const char16_t unit : NSTextPackage::ToUpper(name))
    {
        add(u8(unit & 0xFF));
        add(u8(unit >> 8));
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

bool AreEntryNamesEqual(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b)
{
    return NSTextPackage::CompareText(a, b, NSTextPackage::kCompareIgnoreCase) == NSTextPackage::kCompareEqual;
}

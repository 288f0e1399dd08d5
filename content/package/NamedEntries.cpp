#include "content/package/NamedEntries.h"

#include "base/HashedString.h"
#include "base/TextCompare.h"

u32 HashEntryName(const NSTextPackage::TUTF16String& name)
{
    return HashIgnoringCase(name);
}

bool AreEntryNamesEqual(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b)
{
    return NSTextPackage::CompareText(a, b, NSTextPackage::kCompareIgnoreCase) == NSTextPackage::kCompareEqual;
}

#include "base/HashedString.h"

#include "base/TextCase.h"
#include "base/TextCompare.h"

#include <utility>

u32 HashIgnoringCase(const NSTextPackage::TUTF16String& text)
{
    u32 h = 0;
    for (const u16 unit : NSTextPackage::ToUpper(text))
    {
        for (const u8 byte : {u8(unit), u8(unit >> 8)})
        {
            h += byte;
            h += h << 10;
            h ^= h >> 6;
        }
    }
    h += h << 3;
    h ^= h >> 11;
    h += h << 15;
    return h;
}

u32 THashedString::GetHash() const
{
    if (!fHashValid)
    {
        fHash = HashIgnoringCase(fText);
        fHashValid = 1;
    }
    return fHash;
}

bool THashedString::operator==(const THashedString& other) const
{
    if (fText.size() != other.fText.size())
        return false;
    if (GetHash() != other.GetHash())
        return false;
    return NSTextPackage::CompareText(fText, other.fText, NSTextPackage::kCompareIgnoreCase) ==
           NSTextPackage::kCompareEqual;
}

void THashedString::Swap(THashedString& other) noexcept
{
    fText.swap(other.fText);
    std::swap(fHashValid, other.fHashValid);
    std::swap(fHash, other.fHash);
}

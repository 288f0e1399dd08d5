#include "base/TextBuffers.h"

#include "base/TextConversions.h"

namespace NSTextPackage
{
TUTF16String TruncateText(const TUTF16String& text, std::size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text;
    std::size_t keep = maxUnits;
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
        --keep;
    return text.substr(0, keep);
}

TUTF16String ReplaceCharacters(const TUTF16String& text, const std::string& characterSet)
{
    const TUTF16String set = ASCIIToUTF16(characterSet, 0);
    TUTF16String result = text;
    for (u16& unit : result)
    {
        if (set.find(unit) != TUTF16String::npos)
            unit = u'_';
    }
    return result;
}

std::size_t GetWideLength(const u16* text)
{
    std::size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

void CopyWide(u16* destination, const u16* source, std::size_t maxUnits)
{
    std::size_t copied = 0;
    for (; copied < maxUnits && source[copied] != 0; ++copied)
        destination[copied] = source[copied];
    destination[copied] = 0;
}
} // namespace NSTextPackage

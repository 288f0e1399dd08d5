#include "media/UTF32Text.h"

namespace NSTextPackage
{
TUTF16String UTF32ToUTF16(const TUTF32String& codePoints)
{
    TUTF16String text;
    text.reserve(codePoints.size());
    for (const u32 codePoint : codePoints)
    {
        if (codePoint < 0x10000)
        {
            text.push_back(u16(codePoint));
            continue;
        }
        text.push_back(u16(0xD800 + ((codePoint - 0x10000) >> 10)));
        text.push_back(u16(0xDC00 + (codePoint & 0x3FF)));
    }
    return text;
}
} // namespace NSTextPackage

#include "content/references/ASCIIText.h"

#include "base/TextConversions.h"

#include <cstring>

namespace NSASCIIText
{
bool Equals(const NSTextPackage::TUTF16String& text, const char* ascii)
{
    const size_t length = std::strlen(ascii);
    if (text.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        if (text[i] != u16(u8(ascii[i])))
            return false;
    }
    return true;
}

NSTextPackage::TUTF16String Widen(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}
} // namespace NSASCIIText

#include "base/TextTemplates.h"

namespace NSTextPackage
{
namespace
{
bool IsDigit(u16 unit)
{
    return unit >= u'0' && unit <= u'9';
}
} // namespace

TUTF16String ExpandTemplate(const TUTF16String& templateText, const std::vector<TUTF16String>& arguments)
{
    TUTF16String result;
    const std::size_t end = templateText.find(u16(0)); // npos when there is no zero unit
    const std::size_t length = end == TUTF16String::npos ? templateText.size() : end;
    std::size_t i = 0;
    while (i < length)
    {
        const u16 unit = templateText[i++];
        if (unit != u'^' || i == length || !IsDigit(templateText[i]))
        {
            result.push_back(unit);
            continue;
        }
        // Read in 32-bit arithmetic: a number too large wraps around.
        u32 number = 0;
        while (i < length && IsDigit(templateText[i]))
            number = number * 10 + u32(templateText[i++] - u'0');
        const i32 index = i32(number);
        if (index >= 0 && std::size_t(index) < arguments.size())
            result += arguments[std::size_t(index)];
    }
    return result;
}
} // namespace NSTextPackage

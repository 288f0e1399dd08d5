#include "base/NumberText.h"

#include <charconv>
#include <cstdlib>
#include <string>

#include "base/TextConversions.h"

namespace NSTextPackage
{
TUTF16String FormatInteger(i64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return ASCIIToUTF16(std::string(digits, end), ' ');
}

bool ParseInteger(const TUTF16String& text, i64& value)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'+'))
        ++start;
    std::string run;
    for (std::size_t i = start; i < text.size(); ++i)
    {
        const u16 unit = text[i];
        if (!(unit >= u'0' && unit <= u'9') && unit != u'-')
            break;
        run.push_back(char(unit));
    }
    // strtoll reads an optional sign and the digits after it, saturating out of range.
    char* end = nullptr;
    const long long parsed = std::strtoll(run.c_str(), &end, 10);
    if (end == run.c_str())
    {
        value = 0;
        return false;
    }
    value = parsed;
    return true;
}
} // namespace NSTextPackage

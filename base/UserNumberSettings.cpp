#include "base/UserNumberSettings.h"

#include <windows.h>

#include <iterator>

#include "base/TextConversions.h"

namespace NSTextPackage
{
std::optional<TUTF16String> ReadUserNumberSetting(ENumberSetting setting)
{
    const LCTYPE item = setting == ENumberSetting::kGrouping             ? LOCALE_SGROUPING
                        : setting == ENumberSetting::kThousandsSeparator ? LOCALE_STHOUSAND
                                                                         : LOCALE_SDECIMAL;
    // Separators hold at most 4 units and the grouping 10, terminator included.
    wchar_t buffer[32] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, int(std::size(buffer)));
    if (length <= 0)
        return std::nullopt;
    return FromWide(buffer);
}
} // namespace NSTextPackage

#pragma once
// The user's number settings as Windows keeps them in the regional settings: the platform file of
// the grouped numbers (GroupedNumbers.h), whose formatting and reading are portable.
#include <optional>

#include "base/UTF16String.h"

namespace NSTextPackage
{
enum class ENumberSetting
{
    kGrouping, // as Windows writes it: "3;0", "3;2;0", "3"
    kThousandsSeparator,
    kDecimalPoint,
};

// The user's default value of the setting; nothing when it cannot be read.
std::optional<TUTF16String> ReadUserNumberSetting(ENumberSetting setting);
} // namespace NSTextPackage

// The fuzz build's stand-in for base/UserNumberSettings.cpp: the number settings of en-US, the
// locale the tests run under.
#include "base/UserNumberSettings.h"

#include "base/TextConversions.h"

namespace NSTextPackage
{
std::optional<TUTF16String> ReadUserNumberSetting(ENumberSetting setting)
{
    switch (setting)
    {
    case ENumberSetting::kGrouping:
        return ASCIIToUTF16("3;0", 0);
    case ENumberSetting::kThousandsSeparator:
        return ASCIIToUTF16(",", 0);
    case ENumberSetting::kDecimalPoint:
        return ASCIIToUTF16(".", 0);
    }
    return std::nullopt;
}
} // namespace NSTextPackage

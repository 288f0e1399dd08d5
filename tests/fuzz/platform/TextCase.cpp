// The fuzz build's stand-in for base/TextCase.cpp: the case pairs of ASCII and Latin-1, unit by
// unit; every other unit is its own case.
#include "base/TextCase.h"

namespace NSTextPackage
{
namespace
{
constexpr u16 kMultiplicationSign = 0xD7;
constexpr u16 kDivisionSign = 0xF7;
constexpr u16 kLowerYDiaeresis = 0xFF;
constexpr u16 kUpperYDiaeresis = 0x178;

bool IsUpperLetter(u16 unit)
{
    return (unit >= 'A' && unit <= 'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != kMultiplicationSign);
}

bool IsLowerLetter(u16 unit)
{
    return (unit >= 'a' && unit <= 'z') || (unit >= 0xE0 && unit <= 0xFE && unit != kDivisionSign);
}

template <class TMapping> TUTF16String MapUnits(TUTF16String text, TMapping mapping)
{
    for (u16& unit : text)
        unit = mapping(unit);
    return text;
}
} // namespace

TUTF16String ToUpper(const TUTF16String& text)
{
    return MapUnits(text, [](u16 unit) {
        if (unit == kLowerYDiaeresis)
            return kUpperYDiaeresis;
        return IsLowerLetter(unit) ? u16(unit - 0x20) : unit;
    });
}

TUTF16String ToLower(const TUTF16String& text)
{
    return MapUnits(text, [](u16 unit) {
        if (unit == kUpperYDiaeresis)
            return kLowerYDiaeresis;
        return IsUpperLetter(unit) ? u16(unit + 0x20) : unit;
    });
}
} // namespace NSTextPackage

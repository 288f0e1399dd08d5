#pragma once
// UTF-16 test texts from u"" literals, embedded zero units included.
#include <cstddef>
#include <initializer_list>

#include "base/UTF16String.h"

template <std::size_t N> NSTextPackage::TUTF16String MakeText(const char16_t (&literal)[N])
{
    return NSTextPackage::TUTF16String(literal, literal + N - 1);
}

inline NSTextPackage::TUTF16String MakeUnits(std::initializer_list<u16> units)
{
    return NSTextPackage::TUTF16String(units);
}

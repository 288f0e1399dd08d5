#pragma once
// The texts of the records: zero-terminated UTF-16 in fixed fields. A field read without a
// terminator ends at its last unit; a text written is cut to leave room for the terminator.
#include "base/Types.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace NSSprocketLibrary
{
template <std::size_t N>
std::wstring TextOfField(const u16 (&field)[N])
{
    const std::size_t length = std::find(field, field + N, u16(0)) - field;
    return std::wstring(field, field + length);
}

template <std::size_t N>
void WriteTextField(u16 (&field)[N], const std::wstring& text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field);
    std::fill(field + length, field + N, u16(0));
}
} // namespace NSSprocketLibrary

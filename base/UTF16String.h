#pragma once
// The text type of every name, path and user-visible text: UTF-16 code units, no normalisation.
#include <string>

#include "base/Types.h"

namespace NSTextPackage
{
using TUTF16String = std::basic_string<u16>;

// Win32 takes and gives wchar_t, which is the same 16-bit unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(u16));

inline const wchar_t* AsWide(const TUTF16String& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline TUTF16String FromWide(const wchar_t* text)
{
    return TUTF16String(reinterpret_cast<const u16*>(text));
}

inline TUTF16String FromWide(const wchar_t* text, std::size_t count)
{
    return TUTF16String(reinterpret_cast<const u16*>(text), count);
}
} // namespace NSTextPackage

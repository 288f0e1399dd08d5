#include "base/TextCase.h"

#include <windows.h>

#include "base/TextFailure.h"

namespace NSTextPackage
{
namespace
{
using TCaseMapping = DWORD(WINAPI*)(LPWSTR, DWORD);

TUTF16String MapCase(const TUTF16String& text, TCaseMapping mapping)
{
    if (text.empty())
        return text;
    TUTF16String result = text;
    const DWORD length = DWORD(CheckedPlatformLength(result.size()));
    const DWORD converted = mapping(reinterpret_cast<wchar_t*>(result.data()), length);
    if (converted == 0)
        ThrowTextFailure(std::exception());
    result.resize(converted);
    return result;
}
} // namespace

TUTF16String ToUpper(const TUTF16String& text)
{
    return MapCase(text, CharUpperBuffW);
}

TUTF16String ToLower(const TUTF16String& text)
{
    return MapCase(text, CharLowerBuffW);
}
} // namespace NSTextPackage

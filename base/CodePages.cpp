#include "base/TextConversions.h"

// The conversions that need the platform's code-page tables: the one file of the text package
// that calls Windows for them.
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "base/TextFailure.h"

namespace NSTextPackage
{
TUTF16String CodePageToUTF16(const std::string& bytes, u32 codePage)
{
    if (bytes.empty())
        return {};
    const int inputLength = CheckedPlatformLength(bytes.size());
    const int capacity = CheckedPlatformLength(bytes.size(), 3);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity));
    SetLastError(0);
    const int written = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inputLength,
                                            buffer.data(), capacity);
    if (written == 0 && GetLastError() != 0)
        ThrowTextFailure(std::exception());
    return FromWide(buffer.data(), std::size_t(written));
}

std::string UTF16ToCodePage(const TUTF16String& text, u32 codePage)
{
    if (text.empty())
        return {};
    const int inputLength = CheckedPlatformLength(text.size());
    const int capacity = CheckedPlatformLength(text.size(), 6);
    std::vector<char> buffer(static_cast<std::size_t>(capacity));
    // The UTF code pages map every character and refuse a default character.
    const bool takesDefault = codePage != CP_UTF8 && codePage != CP_UTF7;
    BOOL usedDefault = FALSE;
    SetLastError(0);
    const int written =
        WideCharToMultiByte(codePage, 0, AsWide(text), inputLength, buffer.data(), capacity,
                            takesDefault ? "?" : nullptr, takesDefault ? &usedDefault : nullptr);
    if (written == 0 && GetLastError() != 0)
        ThrowTextFailure(std::logic_error(""));
    return std::string(buffer.data(), std::size_t(written));
}

TUTF16String ANSIToUTF16(const std::string& bytes)
{
    return CodePageToUTF16(bytes, GetACP());
}

std::string UTF16ToANSI(const TUTF16String& text)
{
    return UTF16ToCodePage(text, GetACP());
}
} // namespace NSTextPackage

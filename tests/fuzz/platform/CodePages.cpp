// The fuzz build's stand-in for base/CodePages.cpp: code page 1252 from a table (the code page
// the tests run under, so also the ANSI code page) and UTF-8; any other code page is refused.
#include "base/TextConversions.h"

#include <stdexcept>

#include "base/TextFailure.h"

namespace NSTextPackage
{
namespace
{
constexpr u32 kCodePage1252 = 1252;
constexpr u32 kCodePageUTF8 = 65001;

// The units of bytes 0x80..0x9F; the five bytes 1252 leaves free map to the C1 controls of the
// same value, as Windows maps them.
constexpr u16 kHighControls1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

u16 UnitOf1252(u8 byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls1252[byte - 0x80] : byte;
}

char ByteOf1252(u16 unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return char(unit);
    for (u8 i = 0; i < 32; ++i)
        if (kHighControls1252[i] == unit)
            return char(0x80 + i);
    return '?';
}

void CheckCodePage(u32 codePage)
{
    if (codePage != kCodePage1252 && codePage != kCodePageUTF8)
        ThrowTextFailure(std::invalid_argument("code page not in the fuzz build"));
}
} // namespace

TUTF16String CodePageToUTF16(const std::string& bytes, u32 codePage)
{
    CheckCodePage(codePage);
    CheckedPlatformLength(bytes.size(), 3);
    if (codePage == kCodePageUTF8)
    {
        try
        {
            return UTF8ToUTF16(bytes);
        }
        catch (const std::exception&)
        {
            ThrowTextFailure(std::exception());
        }
    }
    TUTF16String result;
    result.reserve(bytes.size());
    for (const char byte : bytes)
        result.push_back(UnitOf1252(u8(byte)));
    return result;
}

std::string UTF16ToCodePage(const TUTF16String& text, u32 codePage)
{
    CheckCodePage(codePage);
    CheckedPlatformLength(text.size(), 6);
    if (codePage == kCodePageUTF8)
        return UTF16ToUTF8(text);
    std::string result;
    result.reserve(text.size());
    for (const u16 unit : text)
        result.push_back(ByteOf1252(unit));
    return result;
}

TUTF16String ANSIToUTF16(const std::string& bytes)
{
    return CodePageToUTF16(bytes, kCodePage1252);
}

std::string UTF16ToANSI(const TUTF16String& text)
{
    return UTF16ToCodePage(text, kCodePage1252);
}
} // namespace NSTextPackage

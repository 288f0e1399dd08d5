#pragma once
// Conversions between UTF-16 text and bytes: UTF-8, 7-bit ASCII and Windows code pages.
// Every failure is thrown with the object type "unicode"; none returns an error code.
#include <string>

#include "base/UTF16String.h"

namespace NSTextPackage
{
// Decodes untrusted UTF-8: a stray continuation byte, a lead byte of F8..FF, a bad or missing
// continuation byte, an encoded surrogate (U+D800..U+DFFF) and a code point above U+10FFFF are
// XFormatViolation. Overlong forms are accepted as they decode (C0 80 is U+0000).
TUTF16String UTF8ToUTF16(const std::string& utf8);
// Decodes text that must never fail: every byte that starts no well-formed sequence becomes one
// U+FFFD; well-formed text decodes as with UTF8ToUTF16.
TUTF16String UTF8ToUTF16Replacing(const std::string& utf8);
// Every surrogate that is not half of a high-low pair becomes U+FFFD, so the text can be encoded.
void ReplaceUnpairedSurrogates(TUTF16String& text);
// An unpaired surrogate is XFormatViolation "High-surrogate missing! Broken Unicode".
std::string UTF16ToUTF8(const TUTF16String& text);
inline TUTF16String FromUTF8(const std::string& utf8)
{
    return UTF8ToUTF16(utf8);
}
inline std::string ToUTF8(const TUTF16String& text)
{
    return UTF16ToUTF8(text);
}

// A byte above 127 becomes the replacement code point, or is XFormatViolation when it is 0.
// Literals in the code are widened with a replacement of 0.
TUTF16String ASCIIToUTF16(const std::string& ascii, u32 replacement);
// One byte per unit; every unit above 127 becomes the replacement byte.
std::string UTF16ToASCII(const TUTF16String& text, char replacement);

// The code-page conversions are the platform's (base/CodePages.cpp).
// Bytes invalid in the code page make the conversion fail (a plain std::exception).
TUTF16String CodePageToUTF16(const std::string& bytes, u32 codePage);
// Characters the code page cannot hold (after the platform's best fit) become "?".
std::string UTF16ToCodePage(const TUTF16String& text, u32 codePage);
// The system ANSI code page (GetACP).
TUTF16String ANSIToUTF16(const std::string& bytes);
std::string UTF16ToANSI(const TUTF16String& text);
TUTF16String Windows1252ToUTF16(const std::string& bytes);
std::string UTF16ToWindows1252(const TUTF16String& text);
} // namespace NSTextPackage

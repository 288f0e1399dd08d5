#pragma once
// The stored forms of names and texts in the program's binary formats. All functions work at the
// media's position and advance it.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <string>

namespace NSFerrant
{
class CMedia;

// No stored name is larger; a larger count is a format violation before anything is allocated.
constexpr u32 kMaxStoredNameBytes = 16 * 1024 * 1024;

// The name string: a big-endian u32 count and the text in Windows-1252 when that form holds the
// text unit for unit; else FF FF FF FF, the version 1.0.0, a count and the text in UTF-8.
// A text that needs more than kMaxStoredNameBytes is XFormatViolation and nothing is written.
void WriteNameString(CMedia& media, const NSTextPackage::TUTF16String& text);
// The text ends at its first zero byte; the whole count is consumed. Line breaks of the
// Windows-1252 form (CR, LF, CR LF) become U+2029; the UTF-8 form keeps them.
NSTextPackage::TUTF16String ReadNameString(CMedia& media);
// The bytes WriteNameString writes for the text. Never throws: a text that WriteNameString refuses
// (too large, or without a stored form) is answered too, for the writing to fail in its turn.
i64 GetNameStringSize(const NSTextPackage::TUTF16String& text);

// The UTF-8 string: a big-endian u32 count and the text in UTF-8; the reader accepts counts
// below kMaxUTF8StringBytes only.
constexpr u32 kMaxUTF8StringBytes = 16384;
void WriteUTF8String(CMedia& media, const NSTextPackage::TUTF16String& text);
NSTextPackage::TUTF16String ReadUTF8String(CMedia& media);

// The parts of a stored name: its big-endian u32 count (XFormatViolation when fewer than 4 bytes
// are left), and its count bytes taken up to the first zero byte (XFormatViolation, before
// anything is allocated, when count exceeds the bytes left or kMaxStoredNameBytes).
u32 ReadNameCount(CMedia& media);
std::string ReadNameBytes(CMedia& media, u32 count);
} // namespace NSFerrant

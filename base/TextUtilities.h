#pragma once
// Small text utilities: a run of text up to a delimiter, and the two line-break conversions of the
// creator block's maker text.
#include "base/UTF16String.h"

#include <string>

namespace NSFerrant
{
// The text from start up to the first unit that is one of the delimiters (not included), or to the
// end when there is none. A start beyond the text's length throws std::out_of_range.
NSTextPackage::TUTF16String ExtractUntil(const NSTextPackage::TUTF16String& text, u64 start,
                                         const NSTextPackage::TUTF16String& delimiters);

constexpr std::size_t kDroppedNewlinesBufferSize = 129;

// Zero-fills the buffer, then copies the text's bytes without its LFs until 128 bytes are written
// or the text ends; the last byte stays 0.
void CopyTextDroppingNewlines(char (&buffer)[kDroppedNewlinesBufferSize], const std::string& text);

// The text up to its NUL with an LF inserted after every CR (so CR LF becomes CR LF LF).
std::string ConvertCRToCRLF(const char* text);
} // namespace NSFerrant

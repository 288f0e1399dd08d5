#include "base/TextConversions.h"

#include <optional>
#include <stdexcept>

#include "base/Quorral.h"
#include "base/TextFailure.h"

namespace NSTextPackage
{
namespace
{
constexpr u32 kMaxCodePoint = 0x10FFFF;
constexpr char kMissingHighSurrogate[] = "High-surrogate missing! Broken Unicode";
constexpr char kBeyondUnicode[] = "Character code bigger than max Unicode";

[[noreturn]] void ThrowFormatViolation(const char* message)
{
    ThrowTextFailure(NSQuorral::XFormatViolation(message));
}

bool IsHighSurrogate(u32 unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(u32 unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendCodePoint(TUTF16String& out, u32 codePoint)
{
    if (codePoint < 0x10000)
    {
        out.push_back(u16(codePoint));
        return;
    }
    out.push_back(u16(((codePoint - 0x10000) >> 10) + 0xD800));
    out.push_back(u16((codePoint & 0x3FF) + 0xDC00));
}

void AppendUTF8(std::string& out, u32 codePoint)
{
    if (codePoint < 0x80)
    {
        out.push_back(char(codePoint));
    }
    else if (codePoint < 0x800)
    {
        out.push_back(char(0xC0 | (codePoint >> 6)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    }
    else if (codePoint < 0x10000)
    {
        out.push_back(char(0xE0 | (codePoint >> 12)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    }
    else
    {
        out.push_back(char(0xF0 | ((codePoint >> 18) & 0x07)));
        out.push_back(char(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    }
}

// The lead byte of a UTF-8 sequence: how many continuation bytes follow and the bits it gives.
struct TLeadByte
{
    bool fValid;
    std::size_t fFollowing;
    u32 fBits;
};

TLeadByte DecodeLeadByte(u8 lead)
{
    if (lead < 0x80)
        return {true, 0, lead};
    if (lead < 0xC0) // a continuation byte where a sequence starts
        return {false, 0, 0};
    if (lead < 0xE0)
        return {true, 1, u32(lead & 0x1F)};
    if (lead < 0xF0)
        return {true, 2, u32(lead & 0x0F)};
    if (lead < 0xF8)
        return {true, 3, u32(lead & 0x07)};
    return {false, 0, 0}; // five- to seven-byte forms only ever encode beyond U+10FFFF
}
} // namespace

namespace
{
constexpr u16 kReplacementCharacter = 0xFFFD;

// The code point of the UTF-8 sequence at next, which advances past it; nothing when the
// sequence is malformed, and then next has advanced past its lead byte only.
std::optional<u32> DecodeUTF8Sequence(const u8*& next, const u8* const end)
{
    const u8* const start = next;
    const TLeadByte lead = DecodeLeadByte(*next++);
    if (!lead.fValid || std::size_t(end - next) < lead.fFollowing)
        return std::nullopt;
    u32 codePoint = lead.fBits;
    for (std::size_t i = 0; i < lead.fFollowing; ++i)
    {
        const u8 continuation = next[i];
        if ((continuation & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (continuation & 0x3F);
    }
    // A surrogate is no character: decoded, it would make text that cannot be encoded again.
    if (codePoint > kMaxCodePoint || IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint))
        return std::nullopt;
    next = start + 1 + lead.fFollowing;
    return codePoint;
}

// Decodes UTF-8, handing each malformed sequence's lead byte to onMalformed.
template <class TOnMalformed> TUTF16String DecodeUTF8(const std::string& utf8, TOnMalformed&& onMalformed)
{
    TUTF16String result;
    // Never more units than bytes: one byte gives at most one unit, four bytes two.
    result.reserve(utf8.size());
    const u8* next = reinterpret_cast<const u8*>(utf8.data());
    const u8* const end = next + utf8.size();
    while (next < end)
    {
        if (const std::optional<u32> codePoint = DecodeUTF8Sequence(next, end))
            AppendCodePoint(result, *codePoint);
        else
            onMalformed(result);
    }
    return result;
}
} // namespace

TUTF16String UTF8ToUTF16(const std::string& utf8)
{
    return DecodeUTF8(utf8, [](TUTF16String&) { ThrowFormatViolation(""); });
}

TUTF16String UTF8ToUTF16Replacing(const std::string& utf8)
{
    return DecodeUTF8(utf8, [](TUTF16String& result) { result.push_back(kReplacementCharacter); });
}

void ReplaceUnpairedSurrogates(TUTF16String& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            text[i] = kReplacementCharacter;
    }
}

std::string UTF16ToUTF8(const TUTF16String& text)
{
    std::string result;
    result.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        u32 codePoint = text[i];
        if (IsLowSurrogate(codePoint))
            ThrowFormatViolation(kMissingHighSurrogate);
        if (IsHighSurrogate(codePoint))
        {
            // A high surrogate must be followed by its low surrogate; joining it with any other
            // unit would swallow that unit.
            if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1]))
                ThrowFormatViolation(kMissingHighSurrogate);
            codePoint = ((codePoint - 0xD800) << 10) + (text[++i] - 0xDC00) + 0x10000;
        }
        AppendUTF8(result, codePoint);
    }
    return result;
}

TUTF16String ASCIIToUTF16(const std::string& ascii, u32 replacement)
{
    if (replacement > kMaxCodePoint)
        ThrowFormatViolation(kBeyondUnicode);
    TUTF16String result;
    result.reserve(ascii.size());
    for (const char c : ascii)
    {
        const u8 byte = u8(c);
        if (byte <= 127)
            result.push_back(byte);
        else if (replacement == 0)
            ThrowFormatViolation("");
        else
            AppendCodePoint(result, replacement);
    }
    return result;
}

std::string UTF16ToASCII(const TUTF16String& text, char replacement)
{
    std::string result;
    result.reserve(text.size());
    for (const u16 unit : text)
        result.push_back(unit <= 127 ? char(unit) : replacement);
    return result;
}

TUTF16String Windows1252ToUTF16(const std::string& bytes)
{
    return CodePageToUTF16(bytes, 1252);
}

std::string UTF16ToWindows1252(const TUTF16String& text)
{
    return UTF16ToCodePage(text, 1252);
}
} // namespace NSTextPackage

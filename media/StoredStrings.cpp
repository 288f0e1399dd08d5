#include "media/StoredStrings.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "base/VersionNumbers.h"
#include "base/Media.h"

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
constexpr u32 kUTF8NameEscape = 0xFFFFFFFF;
constexpr TVersion kUTF8NameVersion{1, 0, 0};
constexpr i64 kCountSize = 4;
constexpr u16 kParagraphSeparator = 0x2029;

// The text's bytes in the form it is stored in: Windows-1252 when that form holds the text unit for
// unit, else UTF-8.
struct TStoredName
{
    bool fIsUTF8;
    std::string fBytes;
};

TStoredName ChooseStoredName(const TUTF16String& text)
{
    std::string windows1252 = NSTextPackage::UTF16ToWindows1252(text);
    if (NSTextPackage::Windows1252ToUTF16(windows1252) == text)
        return {false, std::move(windows1252)};
    return {true, NSTextPackage::UTF16ToUTF8(text)};
}

// A u32 count followed by the bytes.
void WriteCounted(CMedia& media, const std::string& bytes)
{
    WriteU32BE(media, u32(bytes.size()));
    WriteBytes(media, i64(bytes.size()), bytes.data());
}

// CR becomes U+2029 and swallows an LF right after it; every other LF becomes U+2029.
TUTF16String NormaliseLineBreaks(const TUTF16String& text)
{
    TUTF16String result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\r')
        {
            result.push_back(kParagraphSeparator);
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
        else
        {
            result.push_back(text[i] == '\n' ? kParagraphSeparator : text[i]);
        }
    }
    return result;
}
std::string ReadCountedBytes(CMedia& media, u32 count)
{
    std::string bytes(count, '\0');
    ReadBytes(media, count, bytes.data());
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    return bytes;
}
} // namespace

u32 ReadNameCount(CMedia& media)
{
    if (GetBytesLeft(media) < 4)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return ReadU32BE(media);
}

std::string ReadNameBytes(CMedia& media, u32 count)
{
    if (count > GetBytesLeft(media) || count > kMaxStoredNameBytes)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return ReadCountedBytes(media, count);
}

void WriteNameString(CMedia& media, const TUTF16String& text)
{
    const TStoredName stored = ChooseStoredName(text);
    if (stored.fBytes.size() > kMaxStoredNameBytes)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (stored.fIsUTF8)
    {
        WriteU32BE(media, kUTF8NameEscape);
        WriteVersion(kUTF8NameVersion, media);
    }
    WriteCounted(media, stored.fBytes);
}

i64 GetNameStringSize(const TUTF16String& text)
{
    TStoredName stored;
    try
    {
        stored = ChooseStoredName(text);
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        // A text that no form holds fails where it is written; until then it takes its count.
        return kCountSize;
    }
    i64 size = kCountSize + i64(stored.fBytes.size());
    if (stored.fIsUTF8)
    {
        u8 version[kLongVersionSize];
        size += kCountSize + i64(EncodeVersion(kUTF8NameVersion, version));
    }
    return size;
}

TUTF16String ReadNameString(CMedia& media)
{
    const u32 count = ReadNameCount(media);
    if (count != kUTF8NameEscape)
        return NormaliseLineBreaks(NSTextPackage::Windows1252ToUTF16(ReadNameBytes(media, count)));
    if (ReadVersion(media).fMajor != 1)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    return NSTextPackage::UTF8ToUTF16(ReadNameBytes(media, ReadNameCount(media)));
}

void WriteUTF8String(CMedia& media, const TUTF16String& text)
{
    WriteCounted(media, NSTextPackage::UTF16ToUTF8(text));
}

TUTF16String ReadUTF8String(CMedia& media)
{
    const u32 count = ReadU32BE(media);
    if (count >= kMaxUTF8StringBytes)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return NSTextPackage::UTF8ToUTF16(ReadCountedBytes(media, count));
}
} // namespace NSFerrant

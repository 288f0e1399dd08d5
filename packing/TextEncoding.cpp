#include "packing/TextEncoding.h"

#include "base/TextConversions.h"
#include "base/Media.h"

#include <algorithm>

namespace NSVantlePacking
{
namespace
{
// What an information file may start with to declare its encoding; "8" or "16" and a quote follow.
constexpr char kMarker[] = "CHARACTER_ENCODING=\"UTF-";
constexpr std::size_t kMarkerLength = sizeof(kMarker) - 1;

u8 UpperASCII(u8 byte)
{
    return byte >= 'a' && byte <= 'z' ? u8(byte - 32) : byte;
}

std::string ReadStart(NSFerrant::CMedia& media, i64 count)
{
    std::string bytes(std::size_t(std::min(media.GetSize(), count)), '\0');
    media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}

u8 At(const std::string& bytes, std::size_t index)
{
    return u8(bytes[index]);
}

bool DeclaresUTF8(NSFerrant::CMedia& media)
{
    const std::string bytes = ReadStart(media, 29);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return true;
    if (bytes.size() < kMarkerLength + 2)
        return false;
    for (std::size_t i = 0; i < kMarkerLength; ++i)
        if (UpperASCII(At(bytes, i)) != u8(kMarker[i]))
            return false;
    return bytes[kMarkerLength] == '8' && bytes[kMarkerLength + 1] == '"';
}

// highFirst: the zero byte of each ASCII unit comes first (big-endian).
bool DeclaresUTF16(NSFerrant::CMedia& media, bool highFirst)
{
    const std::string bytes = ReadStart(media, 56);
    const std::string mark = highFirst ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    if (bytes.rfind(mark, 0) == 0)
        return true;
    if (bytes.size() < 2 * kMarkerLength + 6)
        return false;
    const std::size_t zero = highFirst ? 0 : 1;
    const std::size_t text = 1 - zero;
    const auto unitIs = [&](std::size_t unit, char wanted, bool upper)
    {
        const u8 byte = At(bytes, 2 * unit + text);
        return At(bytes, 2 * unit + zero) == 0 && (upper ? UpperASCII(byte) : byte) == u8(wanted);
    };
    for (std::size_t i = 0; i < kMarkerLength; ++i)
        if (!unitIs(i, kMarker[i], true))
            return false;
    return unitIs(kMarkerLength, '1', false) && unitIs(kMarkerLength + 1, '6', false) &&
           unitIs(kMarkerLength + 2, '"', false);
}

NSTextPackage::TUTF16String DecodeUTF16(const std::string& bytes, bool bigEndian)
{
    NSTextPackage::TUTF16String text(bytes.size() / 2, u16(0));
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const u16 first = At(bytes, 2 * i);
        const u16 second = At(bytes, 2 * i + 1);
        text[i] = bigEndian ? u16(first << 8 | second) : u16(second << 8 | first);
    }
    NSTextPackage::ReplaceUnpairedSurrogates(text);
    return text;
}
} // namespace

ETextEncoding SniffTextEncoding(NSFerrant::CMedia& media)
{
    const i64 size = media.GetSize();
    if (size >= 3 && DeclaresUTF8(media))
        return kTextUTF8;
    if (size >= 2 && DeclaresUTF16(media, true))
        return kTextUTF16BigEndian;
    if (size >= 2 && DeclaresUTF16(media, false))
        return kTextUTF16LittleEndian;
    return kTextWindowsLatin;
}

NSTextPackage::TUTF16String DecodeText(const std::string& bytes, ETextEncoding encoding)
{
    switch (encoding)
    {
    case kTextUTF8:
        return NSTextPackage::UTF8ToUTF16Replacing(bytes);
    case kTextUTF16BigEndian:
        return DecodeUTF16(bytes, true);
    case kTextUTF16LittleEndian:
        return DecodeUTF16(bytes, false);
    case kTextWindowsLatin:
        break;
    }
    return NSTextPackage::Windows1252ToUTF16(bytes);
}

std::string ReadInformationFileBytes(NSFerrant::CMedia& media)
{
    std::string bytes(std::size_t(std::min(media.GetSize(), kLargestInformationFile)), '\0');
    media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}
} // namespace NSVantlePacking

#include "base/VersionNumbers.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "base/NumberText.h"
#include "base/TextConversions.h"
#include "base/TextTemplates.h"
#include "base/Throw.h"
#include "base/ThrowContext.h"
#include "base/Media.h"

#include <algorithm>
#include <limits>

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
bool IsLongForm(const u8* bytes)
{
    return bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF && bytes[4] == 0xFF;
}

bool FitsShortForm(const TVersion& version)
{
    return version.fMajor < 255 && version.fMinor < 255 && version.fFix < 255 &&
           version.fStage == kVersionStageFinal && version.fStageRevision == 0 && version.fBuild == 0;
}

bool IsNoVersion(const TVersion& version)
{
    return version == TVersion();
}

// Orders two numbers: kVersionNewer when a is larger.
u32 CompareNumbers(u32 a, u32 b)
{
    if (a == b)
        return kVersionEqual;
    return a > b ? kVersionNewer : kVersionOlder;
}

TUTF16String Literal(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

bool IsBlank(u16 unit)
{
    return unit == ' ' || (unit >= '\t' && unit <= '\r');
}

// One number the way the C library's decimal conversion reads it: leading blanks, an optional
// sign, digits up to the first other unit, saturating at the signed 32-bit limits; stored as u32.
u32 ReadDecimal(const TUTF16String& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    i64 value = 0;
    const i64 limit = negative ? -i64(std::numeric_limits<i32>::min()) : std::numeric_limits<i32>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), limit);
    return u32(i32(negative ? -value : value));
}

// One dotted component: the text up to the first "." is read as a number and removed, with the
// dot; what follows remains for the next component.
u32 TakeLeadingNumber(TUTF16String& text)
{
    const size_t dot = text.find(u16('.'));
    const u32 number = ReadDecimal(text.substr(0, dot));
    text = dot == TUTF16String::npos ? TUTF16String() : text.substr(dot + 1);
    return number;
}
} // namespace

std::size_t EncodeVersion(const TVersion& version, u8* out)
{
    out[0] = kVersionMarker;
    if (FitsShortForm(version))
    {
        out[1] = u8(version.fMajor);
        out[2] = u8(version.fMinor);
        out[3] = u8(version.fFix);
        out[4] = 0;
        return kShortVersionSize;
    }
    NSByteOrder::WriteBE32(out + 1, 0xFFFFFFFF);
    const u32 fields[6] = {version.fMajor, version.fMinor,         version.fFix,
                           version.fStage, version.fStageRevision, version.fBuild};
    for (int i = 0; i < 6; ++i)
        NSByteOrder::WriteBE32(out + 5 + 4 * i, fields[i]);
    return kLongVersionSize;
}

bool DecodeVersion(TVersion& version, const u8* bytes)
{
    if (bytes[0] != kVersionMarker)
        return false;
    TVersion decoded;
    if (IsLongForm(bytes))
    {
        decoded.fMajor = NSByteOrder::ReadBE32(bytes + 5);
        decoded.fMinor = NSByteOrder::ReadBE32(bytes + 9);
        decoded.fFix = NSByteOrder::ReadBE32(bytes + 13);
        decoded.fStage = NSByteOrder::ReadBE32(bytes + 17);
        decoded.fStageRevision = NSByteOrder::ReadBE32(bytes + 21);
        decoded.fBuild = NSByteOrder::ReadBE32(bytes + 25);
        if (decoded.fStage < kVersionStageDevelopment || decoded.fStage > kVersionStageFinal)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
    }
    else
    {
        // Byte 4 is written as 0 and never read.
        decoded.fMajor = bytes[1];
        decoded.fMinor = bytes[2];
        decoded.fFix = bytes[3];
    }
    version = decoded;
    return true;
}

TVersion ReadVersion(CMedia& media)
{
    u8 bytes[kLongVersionSize];
    if (GetBytesLeft(media) < i64(kShortVersionSize))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    ReadBytes(media, kShortVersionSize, bytes);
    if (bytes[0] != kVersionMarker)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (IsLongForm(bytes))
    {
        const i64 rest = kLongVersionSize - kShortVersionSize;
        if (GetBytesLeft(media) < rest)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        ReadBytes(media, rest, bytes + kShortVersionSize);
    }
    TVersion version;
    DecodeVersion(version, bytes);
    return version;
}

void WriteVersion(const TVersion& version, CMedia& media)
{
    u8 bytes[kLongVersionSize];
    const std::size_t size = EncodeVersion(version, bytes);
    WriteBytes(media, i64(size), bytes);
}

u32 CompareVersions(const TVersion& a, const TVersion& b)
{
    for (const auto field : {&TVersion::fMajor, &TVersion::fMinor, &TVersion::fFix, &TVersion::fStage})
    {
        const u32 order = CompareNumbers(a.*field, b.*field);
        if (order != kVersionEqual)
            return order;
    }
    if (a.fStage == kVersionStageFinal && (a.fStageRevision == 0) != (b.fStageRevision == 0))
        return a.fStageRevision == 0 ? kVersionNewer : kVersionOlder;
    return CompareNumbers(a.fStageRevision, b.fStageRevision);
}

TUTF16String FormatVersion(const TVersion& version, const TUTF16String& fallback)
{
    const TVersionTexts texts = {fallback,
                                 Literal("^0.^1"),
                                 Literal("^0.^1.^2"),
                                 Literal("^0^1^2"),
                                 Literal("^0 build ^1"),
                                 {Literal("d"), Literal("a"), Literal("b"), Literal("f")},
                                 &NSTextPackage::FormatInteger};
    return ComposeVersionText(version, texts);
}

TUTF16String ComposeVersionText(const TVersion& version, const TVersionTexts& texts)
{
    if (IsNoVersion(version))
        return texts.fNoVersion;
    using NSTextPackage::ExpandTemplate;
    const auto number = texts.fFormatNumber;
    TUTF16String text =
        version.fFix == 0
            ? ExpandTemplate(texts.fMajorMinor, {number(version.fMajor), number(version.fMinor)})
            : ExpandTemplate(texts.fMajorMinorFix,
                             {number(version.fMajor), number(version.fMinor), number(version.fFix)});
    if (version.fStage != kVersionStageFinal || version.fStageRevision != 0)
    {
        const bool known = version.fStage >= kVersionStageDevelopment && version.fStage <= kVersionStageFinal;
        const TUTF16String& letter = texts.fStageLetters[known ? version.fStage - 1 : 0];
        text = ExpandTemplate(texts.fWithStage, {text, letter, number(version.fStageRevision)});
    }
    if (version.fBuild != 0)
        text = ExpandTemplate(texts.fWithBuild, {text, number(version.fBuild)});
    return text;
}

TVersion ParseVersion(const TUTF16String& text)
{
    TVersion version;
    if (text.empty() || text == Literal("n/a"))
        return version;

    // FormatVersion ends a version with a build in " build N"; without this, the "b" of "build"
    // would read as a beta stage.
    TUTF16String rest = text;
    const TUTF16String buildMarker = Literal(" build ");
    const size_t build = rest.rfind(buildMarker);
    if (build != TUTF16String::npos)
    {
        version.fBuild = ReadDecimal(rest.substr(build + buildMarker.size()));
        rest.resize(build);
    }

    const size_t stage = rest.find_first_of(Literal("dabf"));
    TUTF16String numbers = rest.substr(0, stage);
    version.fMajor = TakeLeadingNumber(numbers);
    version.fMinor = TakeLeadingNumber(numbers);
    version.fFix = TakeLeadingNumber(numbers);
    if (stage != TUTF16String::npos)
    {
        switch (rest[stage])
        {
        case 'd':
            version.fStage = kVersionStageDevelopment;
            break;
        case 'a':
            version.fStage = kVersionStageAlpha;
            break;
        case 'b':
            version.fStage = kVersionStageBeta;
            break;
        default:
            version.fStage = kVersionStageFinal;
            break;
        }
        version.fStageRevision = ReadDecimal(rest.substr(stage + 1));
    }
    return version;
}
} // namespace NSFerrant

void ThrowVersionMismatch(const NSFerrant::TVersion& oldest, const NSFerrant::TVersion& newest,
                          const NSFerrant::TVersion& found)
{
    NSQuorral::CThrowContext context(NSQuorral::TThrowSite{});
    if (NSFerrant::CompareVersions(oldest, found) == NSFerrant::kVersionNewer)
        NSQuorral::ThrowException(context << NSQuorral::XVersionTooOld(""));
    if (found.fMajor > newest.fMajor)
        NSQuorral::ThrowException(context << NSQuorral::XVersionTooNew(""));
    NSQuorral::ThrowException(context << NSQuorral::XUnsupportedFormat(""));
}

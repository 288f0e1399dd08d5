// INFO.TXT and the other information files: encodings, the scanner, the keys and their values.
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Media.h"
#include "packing/InfoText.h"
#include "packing/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using NSTextPackage::TUTF16String;

std::string UTF16Bytes(const std::string& utf8, bool bigEndian)
{
    std::string bytes;
    for (const u16 unit : NSTextPackage::UTF8ToUTF16(utf8))
    {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string Joined(const std::vector<TUTF16String>& list)
{
    std::string text;
    for (const TUTF16String& item : list)
        text += (text.empty() ? "" : ",") + NSTextPackage::UTF16ToUTF8(item);
    return "[" + text + "]";
}

// Everything the parse gives back, in one line.
std::string Summary(const CVantleInfo& info, const SPackSettings& settings)
{
    const auto flag = [](u8 value) { return char('0' + value); };
    return "name=" + NSTextPackage::UTF16ToUTF8(info.fName) +
           " url=" + NSTextPackage::UTF16ToUTF8(info.fURL) +
           " comments=" + NSTextPackage::UTF16ToUTF8(info.fComments) +
           " copyright=" + NSTextPackage::UTF16ToUTF8(info.fCopyright) +
           " version=" + std::to_string(info.fPackageVersion.fMajor) + "." +
           std::to_string(info.fPackageVersion.fMinor) + "." + std::to_string(info.fPackageVersion.fFix) +
           " devices=" + Joined(settings.fProhibitedDevices) +
           " flags=" + flag(settings.fWarnAboutProhibitedDevices) + flag(settings.fSkipProhibitedDevices) +
           flag(settings.fWarnAboutUnusedSamples) + flag(settings.fSkipUnusedSamples) +
           flag(settings.fPropagateSampleSkipping) + " skip=" + Joined(settings.fSkipItems);
}

const std::string kDefaults = "name= url= comments= copyright= version=1.0.0 devices=[] flags=10000 skip=[]";

std::string Parsed(const std::string& bytes)
{
    NSFerrant::COwnedMemoryMedia media(i64(bytes.size()), bytes.data());
    SPackSettings settings;
    const CVantleInfo info = NSVantlePacking::ParseInfoText(media, settings);
    EXPECT_EQ(media.fPosition, i64(bytes.size()));
    EXPECT_EQ(info.fCreatorVersion, (NSFerrant::TVersion{1, 2, 0}));
    return Summary(info, settings);
}

struct TInfoCase
{
    const char* fWhat;
    std::string fBytes;
    std::string fExpected;
};

std::string WithName(const std::string& name)
{
    return "name=" + name + " url= comments= copyright= version=1.0.0 devices=[] flags=10000 skip=[]";
}

const std::string kCafe = "Caf\xC3\xA9";

const TInfoCase kInfoCases[] = {
    {"empty file", "", kDefaults},
    {"only blanks and line breaks", " \t\r\n \n", kDefaults},
    {"all texts",
     "NAME=\"Bank\"\r\nURL = \"http://x\"\nCOMMENTS=\"c\" COPYRIGHT=\"(c) me\"\nVERSION=\"2.1.3\"",
     "name=Bank url=http://x comments=c copyright=(c) me version=2.1.3 devices=[] flags=10000 skip=[]"},
    // Encodings.
    {"code page 1252 by default", "NAME=\"Caf\xE9\"", WithName(kCafe)},
    {"UTF-8 with its mark", "\xEF\xBB\xBFNAME=\"" + kCafe + "\"", WithName(kCafe)},
    {"UTF-8 declared in lower case", "character_encoding=\"utf-8\"\nNAME=\"" + kCafe + "\"", WithName(kCafe)},
    {"UTF-16LE with its mark", UTF16Bytes("\xEF\xBB\xBFNAME=\"" + kCafe + "\"", false), WithName(kCafe)},
    {"UTF-16BE with its mark", UTF16Bytes("\xEF\xBB\xBFNAME=\"" + kCafe + "\"", true), WithName(kCafe)},
    {"UTF-16LE declared", UTF16Bytes("CHARACTER_ENCODING=\"UTF-16\"\nNAME=\"" + kCafe + "\"", false),
     WithName(kCafe)},
    {"UTF-16BE declared", UTF16Bytes("Character_Encoding=\"UTF-16\"\nNAME=\"" + kCafe + "\"", true),
     WithName(kCafe)},
    {"UTF-16 declared as 16LE is read as 1252",
     UTF16Bytes("CHARACTER_ENCODING=\"UTF-16LE\"\nNAME=\"x\"", false), kDefaults},
    {"UTF-16 without mark or marker is read as 1252", UTF16Bytes("NAME=\"x\"", false), kDefaults},
    {"marker not at the start", "\nCHARACTER_ENCODING=\"UTF-8\"\nNAME=\"Caf\xC3\xA9\"",
     WithName("Caf\xC3\x83\xC2\xA9")},
    // What is no character in the encoding reads as U+FFFD, and the parse goes on.
    {"malformed UTF-8", "\xEF\xBB\xBFNAME=\"a\xFF" "b\xC3\" URL=\"\xE0\x80\"",
     "name=a\xEF\xBF\xBD" "b\xEF\xBF\xBD url=\xEF\xBF\xBD\xEF\xBF\xBD comments= copyright= version=1.0.0 "
     "devices=[] flags=10000 skip=[]"},
    {"UTF-16LE with an unpaired high surrogate",
     UTF16Bytes("\xEF\xBB\xBFNAME=\"a", false) + std::string("\x00\xD8", 2) + UTF16Bytes("b\"", false),
     WithName("a\xEF\xBF\xBD" "b")},
    {"UTF-16BE with a lone low surrogate at the end of a value",
     UTF16Bytes("\xEF\xBB\xBFNAME=\"a", true) + std::string("\xDC\x00", 2) + UTF16Bytes("\"", true),
     WithName("a\xEF\xBF\xBD")},
    {"UTF-16LE with a surrogate pair", UTF16Bytes("\xEF\xBB\xBFNAME=\"\xF0\x9F\x8E\xB5\"", false),
     WithName("\xF0\x9F\x8E\xB5")},
    // Information files are small: what lies beyond the bound is not read.
    {"an entry beyond the bound", std::string(size_t(NSVantlePacking::kLargestInformationFile) - 9, ' ') +
                                      "NAME=\"a\" URL=\"b\"",
     WithName("a")},
    // Scanner states.
    {"lower-case key", "name=\"a\"", WithName("a")},
    {"blank and colon before the quote", "NAME : \"a\"", WithName("a")},
    {"TAB inside a key", "NAME\t=\"a\"", kDefaults},
    {"unquoted value takes the next quoted text", "NAME=Bank\nURL=\"http://x\"", WithName("http://x")},
    {"value over two lines", "NAME=\"Ba\r\nnk\"", WithName("Bank")},
    {"unterminated quote", "NAME=\"Bank", kDefaults},
    {"key at the end without value", "NAME=\"a\" URL", WithName("a")},
    {"mark in the middle starts a key", "NAME=\"a\" \xEF\xBB\xBFURL=\"b\"", WithName("a")},
    {"unknown key", "COLOUR=\"red\"", kDefaults},
    {"unreadable version reads as numbers 0", "VERSION=\"one\"",
     "name= url= comments= copyright= version=0.0.0 devices=[] flags=10000 skip=[]"},
    // Later wins, adding keys, lists.
    {"NAME twice keeps the second", "NAME=\"a\" NAME=\"b\"", WithName("b")},
    {"lists split and add", "PROHIBITED_DEVICES=\"A, B,,C\"\nPROHIBITED_DEVICES=\"D,\"",
     "name= url= comments= copyright= version=1.0.0 devices=[A, B,C,D] flags=10000 skip=[]"},
    {"skip items add", "SKIP_ITEM=\"Samples/Old\" SKIP_ITEM=\"x.aif\"",
     "name= url= comments= copyright= version=1.0.0 devices=[] flags=10000 skip=[Samples/Old,x.aif]"},
    // Booleans.
    {"yes in any case sets",
     "SKIP_PROHIBITED_DEVICES=\"yes\" WARN_ABOUT_UNUSED_SAMPLES=\"YES\" "
     "SKIP_UNUSED_SAMPLES=\"Yes\" PROPAGATE_SAMPLE_SKIPPING_TO_PATCHES_AND_SONGS=\"yEs\"",
     "name= url= comments= copyright= version=1.0.0 devices=[] flags=11111 skip=[]"},
    {"anything else clears",
     "WARN_ABOUT_PROHIBITED_DEVICES=\"YES \" SKIP_PROHIBITED_DEVICES=\"TRUE\" "
     "WARN_ABOUT_UNUSED_SAMPLES=\"1\" SKIP_UNUSED_SAMPLES=\"\"",
     "name= url= comments= copyright= version=1.0.0 devices=[] flags=00000 skip=[]"},
    {"later boolean wins", "SKIP_UNUSED_SAMPLES=\"yes\" SKIP_UNUSED_SAMPLES=\"no\"", kDefaults},
};

TEST(InfoTextTest, ParsesEachCase)
{
    for (const TInfoCase& c : kInfoCases)
        EXPECT_EQ(Parsed(c.fBytes), c.fExpected) << c.fWhat;
}

TEST(InfoTextTest, SniffingReadsOnlyTheStartAndLeavesThePosition)
{
    struct TSniffCase
    {
        std::string fBytes;
        NSVantlePacking::ETextEncoding fExpected;
    };
    const TSniffCase cases[] = {
        {"", NSVantlePacking::kTextWindowsLatin},
        {"\xEF\xBB", NSVantlePacking::kTextWindowsLatin},
        {"\xEF\xBB\xBF", NSVantlePacking::kTextUTF8},
        {"\xFE\xFF", NSVantlePacking::kTextUTF16BigEndian},
        {"\xFF\xFE", NSVantlePacking::kTextUTF16LittleEndian},
        {"CHARACTER_ENCODING=\"UTF-8", NSVantlePacking::kTextWindowsLatin},
        {"CHARACTER_ENCODING=\"UTF-8\"", NSVantlePacking::kTextUTF8},
        {"CHARACTER_ENCODING=\"UTF-16\"", NSVantlePacking::kTextWindowsLatin},
        {UTF16Bytes("CHARACTER_ENCODING=\"UTF-16\"", true), NSVantlePacking::kTextUTF16BigEndian},
        {UTF16Bytes("CHARACTER_ENCODING=\"UTF-16", true), NSVantlePacking::kTextWindowsLatin},
        {UTF16Bytes("CHARACTER_ENCODING=\"UTF-8\"", false), NSVantlePacking::kTextWindowsLatin},
    };
    for (const TSniffCase& c : cases)
    {
        NSFerrant::COwnedMemoryMedia media(i64(c.fBytes.size()), c.fBytes.data());
        media.fPosition = 7;
        EXPECT_EQ(NSVantlePacking::SniffTextEncoding(media), c.fExpected) << c.fBytes;
        EXPECT_EQ(media.fPosition, 7);
    }
}

TEST(InfoTextTest, TrimTextRemovesOnlyLineBreaksAndNULsAtTheEnd)
{
    const auto trimmed = [](const std::string& text)
    { return NSTextPackage::UTF16ToUTF8(NSVantlePacking::TrimText(NSTextPackage::UTF8ToUTF16(text))); };
    EXPECT_EQ(trimmed(std::string("\r\n Bank \t\r\n\0\n", 12)), "\r\n Bank \t");
    EXPECT_EQ(trimmed("\r\n"), "");
    EXPECT_EQ(trimmed("a\rb"), "a\rb");
}
} // namespace

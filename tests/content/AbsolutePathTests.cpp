#include "content/references/AbsolutePath.h"

#include "media/xml/XMLWriter.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/content/PathStorage.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

// A path whose fields show what a read leaves as it was.
CAbsolutePath PreparedPath()
{
    CAbsolutePath path;
    path.fPartOfVantle = 1;
    path.fNativeURLMode = kNativeURLWin32Directory;
    path.fNativeURL = "kept";
    return path;
}

TEST(AbsolutePath, ReadsEveryStoredVersion)
{
    struct TCase
    {
        const char* label;
        TBytes stored;
        bool eightBit;
        std::string volume;
        u32 kind;
        std::vector<std::string> components;
        u8 partOfVantle;
        u8 matchWithoutExtension;
        u32 mode;
        std::string url;
    };
    const TBytes kick = Names({"kick"});
    const TCase kCases[] = {
        {"1.2.0 named volume",
         Concat({Version(1, 2, 0), U8(1), Name("Data"), kick}),
         false,
         "Data",
         13,
         {"kick"},
         1,
         1,
         74,
         "kept"},
        {"1.2.0 unnamed volume",
         Concat({Version(1, 2, 0), U8(1), Name(""), kick}),
         false,
         "",
         15,
         {"kick"},
         1,
         1,
         74,
         "kept"},
        {"1.4.0",
         Concat({Version(1, 4, 0), U8(1), Name("Data"), U8(11), kick, U8(0)}),
         false,
         "Data",
         11,
         {"kick"},
         0,
         1,
         74,
         "kept"},
        {"1.5.0 eight-bit",
         Concat({Version(1, 5, 0), U8(1), Name("K\xC3\xBChl"), U8(11), Names({"K\xC3\xBChl"}), U8(2)}),
         true,
         "K\xC3\xBChl",
         11,
         {"K\xC3\xBChl"},
         1,
         1,
         74,
         "kept"},
        {"1.6.0 eight-bit, flag kept",
         Concat({Version(1, 6, 0), U8(1), Name("D"), U8(12), kick, U8(1)}),
         true,
         "D",
         12,
         {"kick"},
         1,
         0,
         74,
         "kept"},
        {"1.7.0",
         Concat({Version(1, 7, 0), U8(1), Name("K\xC3\xBChl"), U8(12), kick, U8(1)}),
         false,
         "K\xC3\x83\xC2\xBChl",
         12,
         {"kick"},
         1,
         0,
         74,
         "kept"},
        {"1.8.0 URL count 0 keeps the URL",
         Concat({Version(1, 8, 0), U8(1), Name("D"), U8(14), kick, U8(1), U8(75), U32(0)}),
         false,
         "D",
         14,
         {"kick"},
         1,
         0,
         75,
         "kept"},
        {"1.9.0",
         Concat(
             {Version(1, 9, 0), U8(1), Name("D"), U8(11), kick, U8(1), U8(74), Name("file:///C:/"), U8(1)}),
         false,
         "D",
         11,
         {"kick"},
         1,
         1,
         74,
         "file:///C:/"},
        {"1.9.0 flag 2 reads 0",
         Concat({Version(1, 9, 0), U8(1), Name(""), U8(15), kick, U8(0), U8(71), U32(0), U8(2)}),
         false,
         "",
         15,
         {"kick"},
         0,
         0,
         71,
         "kept"},
    };
    for (const TCase& c : kCases)
    {
        CAbsolutePath path = PreparedPath();
        NSFerrant::COwnedMemoryMedia media = MediaOf(c.stored);
        EXPECT_EQ(path.Read(media), c.eightBit) << c.label;
        EXPECT_EQ(media.fPosition, i64(c.stored.size())) << c.label;
        EXPECT_EQ(path.fValid, 1) << c.label;
        EXPECT_EQ(UTF8Of(path.fVolumeName), c.volume) << c.label;
        EXPECT_EQ(path.fVolumeType, c.kind) << c.label;
        EXPECT_EQ(TextsOf(path.fComponents), c.components) << c.label;
        EXPECT_EQ(path.fPartOfVantle, c.partOfVantle) << c.label;
        EXPECT_EQ(path.fMatchWithoutExtension, c.matchWithoutExtension) << c.label;
        EXPECT_EQ(path.fNativeURLMode, c.mode) << c.label;
        EXPECT_EQ(path.fNativeURL, c.url) << c.label;
    }
}

TEST(AbsolutePath, AVersion100PathIsConsumedAndInvalid)
{
    CAbsolutePath path;
    path.fValid = 1;
    ReadWhole(path, Concat({Version(1, 0, 0), U8(1), Name("a"), Name("b"), Names({"c", "d"})}));
    EXPECT_EQ(path.fValid, 0);
}

TEST(AbsolutePath, RefusesOtherMajorsBadModesAndURLCountsPastTheEnd)
{
    const TBytes head = Concat({U8(1), Name("D"), U8(11), Names({"kick"}), U8(1)});
    CAbsolutePath path;
    NSFerrant::COwnedMemoryMedia major2 = MediaOf(Concat({Version(2, 0, 0), head, U8(71), U32(0), U8(0)}));
    EXPECT_THROW(path.Read(major2), NSQuorral::XUnsupportedFormat);
    for (u8 mode : {70, 76})
    {
        NSFerrant::COwnedMemoryMedia media =
            MediaOf(Concat({Version(1, 9, 0), head, U8(mode), U32(0), U8(0)}));
        EXPECT_THROW(path.Read(media), NSQuorral::XFormatViolation) << int(mode);
    }
    for (u32 count : {0xFFFFFFFFu, 2u})
    {
        NSFerrant::COwnedMemoryMedia media =
            MediaOf(Concat({Version(1, 9, 0), head, U8(74), U32(count), U8(0)}));
        EXPECT_THROW(path.Read(media), NSQuorral::XFormatViolation) << count;
    }
}

CAbsolutePath FullPath()
{
    CAbsolutePath path;
    path.fValid = 1;
    path.fVolumeName = THashedString(U("Data"));
    path.fVolumeType = NSFileLib::kVolumeKindFixed;
    path.fComponents = ComponentsOf({"Samples", "kick.wav"});
    path.fPartOfVantle = 1;
    path.fMatchWithoutExtension = 1;
    path.fNativeURLMode = kNativeURLWin32File;
    path.fNativeURL = "file:///C:/kick.wav";
    return path;
}

TEST(AbsolutePath, WritesBothFormsByteForByteAndReadsTheNewerBack)
{
    const CAbsolutePath path = FullPath();
    const TBytes body = Concat({U8(1), Name("Data"), U8(11), Names({"Samples", "kick.wav"}), U8(1)});
    EXPECT_EQ(WrittenBytes(path, CAbsolutePath::kOlderForm), Concat({Version(1, 4, 0), body}));
    const TBytes newer = Concat({Version(1, 9, 0), body, U8(75), Name("file:///C:/kick.wav"), U8(1)});
    EXPECT_EQ(WrittenBytes(path, CAbsolutePath::kNewerForm), newer);

    CAbsolutePath back;
    ReadWhole(back, newer);
    EXPECT_EQ(back.fValid, 1);
    EXPECT_EQ(UTF8Of(back.fVolumeName), "Data");
    EXPECT_EQ(back.fVolumeType, 11u);
    EXPECT_EQ(TextsOf(back.fComponents), TextsOf(path.fComponents));
    EXPECT_EQ(back.fPartOfVantle, 1);
    EXPECT_EQ(back.fMatchWithoutExtension, 1);
    EXPECT_EQ(back.fNativeURLMode, 75u);
    EXPECT_EQ(back.fNativeURL, path.fNativeURL);
}

TEST(AbsolutePath, XMLRoundTrip)
{
    const CAbsolutePath path = FullPath();
    const std::shared_ptr<NSFerrant::CXMLElement> element = path.WriteXML();
    ASSERT_TRUE(element);
    ASSERT_EQ(element->fChildren.size(), 3u);
    EXPECT_EQ(UTF8Of(element->fChildren[0]->fAttributes[1]->fValue), "hd");
    EXPECT_EQ(UTF8Of(element->fChildren[1]->fText), "/Samples/kick.wav");
    EXPECT_EQ(UTF8Of(element->fChildren[1]->fAttributes[0]->fValue), "yes");
    EXPECT_EQ(UTF8Of(element->fChildren[2]->fAttributes[0]->fValue), "Win32File");

    CAbsolutePath back;
    back.ReadXML(element);
    EXPECT_EQ(back.fValid, 1);
    EXPECT_EQ(UTF8Of(back.fVolumeName), "Data");
    EXPECT_EQ(back.fVolumeType, 11u);
    EXPECT_EQ(TextsOf(back.fComponents), TextsOf(path.fComponents));
    EXPECT_EQ(back.fPartOfVantle, 1);
    EXPECT_EQ(back.fNativeURLMode, 75u);
    EXPECT_EQ(back.fNativeURL, path.fNativeURL);

    CAbsolutePath noURL = FullPath();
    noURL.fNativeURLMode = kNativeURLNone;
    noURL.fVolumeType = 3;
    const std::shared_ptr<NSFerrant::CXMLElement> shorter = noURL.WriteXML();
    EXPECT_EQ(shorter->fChildren.size(), 2u);
    EXPECT_EQ(UTF8Of(shorter->fChildren[0]->fAttributes[1]->fValue), "");
}

// A path of no components (a volume's root, read from an element without a "Path") has no path
// text that reads back: its written element must read back as that path.
TEST(AbsolutePath, APathWithoutComponentsWritesXMLThatReadsBack)
{
    CAbsolutePath path;
    path.ReadXML(ParseElement("<AbsolutePath><Volume name=\"Data\" type=\"hd\"/></AbsolutePath>"));
    ASSERT_EQ(path.fValid, 1);
    const std::string written = NSFerrant::WriteXMLDocument({path.WriteXML()});
    CAbsolutePath back;
    back.ReadXML(ParseElement(written.substr(written.find("<AbsolutePath"))));
    EXPECT_EQ(back.fValid, 1) << written;
    EXPECT_EQ(UTF8Of(back.fVolumeName), "Data") << written;
    EXPECT_EQ(back.fVolumeType, NSFileLib::kVolumeKindFixed) << written;
    EXPECT_TRUE(back.fComponents.empty()) << written;
}

TEST(AbsolutePath, ReadXMLRefusesMalformedElementsWithItsMessages)
{
    struct TCase
    {
        const char* xml;
        const char* message;
    };
    const TCase kCases[] = {
        {"<AbsolutePath><Path>/a</Path></AbsolutePath>",
         "AbsolutePath/Path element must have a 'partOfVantle' attribute"},
        {"<AbsolutePath><Path partOfVantle=\"no\" x=\"1\">/a</Path></AbsolutePath>",
         "AbsolutePath/Path element must have a 'partOfVantle' attribute"},
        {"<AbsolutePath><Path partOfVantle=\"Yes\">/a</Path></AbsolutePath>",
         "'partOfVantle' attribute must be either 'yes' or 'no'"},
        {"<AbsolutePath><NativeURL>u</NativeURL></AbsolutePath>",
         "AbsolutePath/NativeURL element must have a 'mode' attribute"},
        {"<AbsolutePath><NativeURL mode=\"win32File\">u</NativeURL></AbsolutePath>",
         "AbsolutePath/NativeURL/@mode attribute set to illegal value"},
        {"<AbsolutePath><Path partOfVantle=\"no\">a</Path></AbsolutePath>",
         "AbsolutePath/Path must start with a '/'"},
    };
    for (const TCase& c : kCases)
    {
        CAbsolutePath path;
        EXPECT_EQ(MessageThrown<NSQuorral::XFormatViolation>([&] { path.ReadXML(ParseElement(c.xml)); }),
                  c.message)
            << c.xml;
    }
}

TEST(AbsolutePath, ReadXMLTakesTheVolumeFromItsAttributes)
{
    CAbsolutePath path;
    path.ReadXML(ParseElement("<AbsolutePath><Volume name=\"A\" type=\"floppy\">ignored</Volume>"
                              "<Volume type=\"Network\" name=\"B\"/><Other/></AbsolutePath>"));
    EXPECT_EQ(path.fValid, 1);
    EXPECT_EQ(UTF8Of(path.fVolumeName), "B");
    EXPECT_EQ(path.fVolumeType, 10u);
}

class AbsolutePathTexts : public RootNamesTest
{
};

TEST_F(AbsolutePathTexts, StartAtTheVolumeOrTheDesktop)
{
    CAbsolutePath path = FullPath();
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "Data/Samples/kick.wav");
    EXPECT_EQ(UTF8Of(path.GetLastName()), "kick.wav");
    path.fVolumeName = THashedString();
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "Desktop/Samples/kick.wav");
    path.fVolumeName = THashedString(U("Data"));
    path.fComponents.clear();
    EXPECT_EQ(UTF8Of(path.GetLastName()), "Data");
    EXPECT_EQ(UTF8Of(CAbsolutePath().GetDisplayText()), "*invalid absolute path*");
}
} // namespace

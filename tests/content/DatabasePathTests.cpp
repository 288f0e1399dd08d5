#include "content/references/DatabasePath.h"

#include "media/xml/XMLWriter.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/content/PathStorage.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

TEST(DatabasePath, ReadsEveryStoredVersion)
{
    struct TCase
    {
        const char* label;
        TBytes stored;
        std::string packageName;
        std::vector<std::string> components;
        u8 flag;
        u32 kind;
    };
    const TCase kCases[] = {
        {"1.0.0 has no package name",
         Concat({Version(1, 0, 0), U8(1), Names({"Pkg", "kick"})}),
         "",
         {"Pkg", "kick"},
         1,
         97},
        {"1.1.0", Concat({Version(1, 1, 0), U8(1), Name("Pkg"), Names({"kick"})}), "Pkg", {"kick"}, 1, 98},
        {"1.3.0 eight-bit, flag kept",
         Concat({Version(1, 3, 0), U8(1), Name("K\xC3\xBChl"), Names({"K\xC3\xBChl"})}),
         "K\xC3\xBChl",
         {"K\xC3\xBChl"},
         0,
         98},
        {"1.4.0",
         Concat({Version(1, 4, 0), U8(1), Name("K\xC3\xBChl"), Names({})}),
         "K\xC3\x83\xC2\xBChl",
         {},
         0,
         98},
        {"1.5.0 any flag byte but 0 is 1",
         Concat({Version(1, 5, 0), U8(1), Name(""), Names({"a"}), U8(2)}),
         "",
         {"a"},
         1,
         97},
        {"2.0.0 kind byte 2",
         Concat({Version(2, 0, 0), U8(1), Name("Pkg"), Names({"a"}), U8(0), U8(2)}),
         "Pkg",
         {"a"},
         0,
         99},
        {"3.4.0 kind byte 5",
         Concat({Version(3, 4, 0), U8(1), Name("Pkg"), Names({"a"}), U8(1), U8(5)}),
         "Pkg",
         {"a"},
         1,
         102},
        {"3.0.0 kind byte 0",
         Concat({Version(3, 0, 0), U8(1), Name("Pkg"), Names({"a"}), U8(1), U8(0)}),
         "Pkg",
         {"a"},
         1,
         97},
    };
    for (const TCase& c : kCases)
    {
        CDatabasePath path;
        ReadWhole(path, c.stored);
        EXPECT_EQ(path.fValid, 1) << c.label;
        EXPECT_EQ(UTF8Of(path.fVantleName), c.packageName) << c.label;
        EXPECT_EQ(TextsOf(path.fComponents), c.components) << c.label;
        EXPECT_EQ(path.fFlag, c.flag) << c.label;
        EXPECT_EQ(path.fPathKind, c.kind) << c.label;
    }
}

TEST(DatabasePath, RefusesUnknownVersionsAndKindBytes)
{
    const TBytes fields = Concat({U8(1), Name("Pkg"), Names({"a"}), U8(1)});
    for (const TBytes& version : {Version(0, 9, 0), Version(4, 0, 0)})
    {
        CDatabasePath path;
        NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({version, fields, U8(0)}));
        EXPECT_THROW(path.Read(media), NSQuorral::XUnsupportedFormat);
    }
    CDatabasePath path;
    NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({Version(2, 0, 0), fields, U8(6)}));
    EXPECT_THROW(path.Read(media), NSQuorral::XFormatViolation);
}

TEST(DatabasePath, WritesBothFormsByteForByteByKind)
{
    struct TCase
    {
        u32 kind;
        TBytes older;
        TBytes newer;
    };
    const TBytes body = Concat({U8(1), Name("Pkg"), Names({"Samples", "kick.wav"})});
    const TCase kCases[] = {
        {97, Concat({Version(1, 2, 0), body}), Concat({Version(1, 5, 0), body, U8(1)})},
        {98, Concat({Version(1, 2, 0), body}), Concat({Version(1, 5, 0), body, U8(1)})},
        {99, Concat({Version(1, 2, 0), U8(0)}), Concat({Version(2, 0, 0), body, U8(1), U8(2)})},
        {100, Concat({Version(1, 2, 0), body}), Concat({Version(1, 5, 0), body, U8(1)})},
        {101, Concat({Version(1, 2, 0), U8(0)}), Concat({Version(3, 0, 0), body, U8(1), U8(4)})},
        {102, Concat({Version(1, 2, 0), U8(0)}), Concat({Version(3, 0, 0), body, U8(1), U8(5)})},
    };
    for (const TCase& c : kCases)
    {
        CDatabasePath path;
        path.fValid = 1;
        path.fPathKind = c.kind;
        path.fVantleName = THashedString(U("Pkg"));
        path.fComponents = ComponentsOf({"Samples", "kick.wav"});
        path.fFlag = 9;
        EXPECT_EQ(WrittenBytes(path, CDatabasePath::kOlderForm), c.older) << c.kind;
        EXPECT_EQ(WrittenBytes(path, CDatabasePath::kNewerForm), c.newer) << c.kind;
    }
}

TEST(DatabasePath, AKind100PathReadsBackByItsPackageName)
{
    for (const char* name : {"Pkg", ""})
    {
        CDatabasePath path;
        path.fValid = 1;
        path.fPathKind = kDatabasePathKind100;
        path.fVantleName = THashedString(U(name));
        CDatabasePath back;
        ReadWhole(back, WrittenBytes(path, CDatabasePath::kNewerForm));
        EXPECT_EQ(back.fPathKind, *name ? 98u : 97u);
    }
}

TEST(DatabasePath, XMLRoundTripKeepsTheGramolaKind)
{
    CDatabasePath path;
    path.fValid = 1;
    path.fPathKind = kDatabasePathGramola;
    path.fVantleName = THashedString(U("Pkg"));
    path.fComponents = ComponentsOf({"Samples", "kick"});
    const std::shared_ptr<NSFerrant::CXMLElement> element = path.WriteXML();
    ASSERT_TRUE(element);
    ASSERT_EQ(element->fChildren.size(), 2u);
    EXPECT_EQ(UTF8Of(element->fChildren[0]->fName), "VantleName");
    EXPECT_EQ(UTF8Of(element->fChildren[1]->fText), "/Samples/kick");
    ASSERT_EQ(element->fChildren[1]->fAttributes.size(), 1u);

    CDatabasePath back;
    back.ReadXML(element);
    EXPECT_EQ(back.fValid, 1);
    EXPECT_EQ(back.fPathKind, 99u);
    EXPECT_EQ(UTF8Of(back.fVantleName), "Pkg");
    EXPECT_EQ(TextsOf(back.fComponents), TextsOf(path.fComponents));

    path.fPathKind = kDatabasePathInPackage;
    EXPECT_TRUE(path.WriteXML()->fChildren[1]->fAttributes.empty());
}

// A path of no components (the element read without a "Path") has no path text that reads back:
// its written element, as the patch packer writes it, must read back as that path.
TEST(DatabasePath, APathWithoutComponentsWritesXMLThatReadsBack)
{
    for (const char* name : {"", "Other"})
    {
        CDatabasePath path;
        path.ReadXML(
            ParseElement(std::string("<DatabasePath><VantleName>") + name + "</VantleName></DatabasePath>"));
        ASSERT_EQ(path.fValid, 1);
        const std::string written = NSFerrant::WriteXMLDocument({path.WriteXML()});
        CDatabasePath back;
        back.ReadXML(ParseElement(written.substr(written.find("<DatabasePath"))));
        EXPECT_EQ(back.fValid, 1) << written;
        EXPECT_EQ(back.fPathKind, path.fPathKind) << written;
        EXPECT_EQ(UTF8Of(back.fVantleName), name) << written;
        EXPECT_TRUE(back.fComponents.empty()) << written;
    }
}

TEST(DatabasePath, ReadXMLTakesTheKindOnlyFromAPathAttributeSpelledExactly)
{
    struct TCase
    {
        const char* xml;
        u32 kind;
        std::vector<std::string> components;
    };
    const TCase kCases[] = {
        {"<DatabasePath pathKind=\"gramola\"><VantleName>P</VantleName><Path>/a</Path></DatabasePath>",
         98,
         {"a"}},
        {"<DatabasePath><VantleName></VantleName><Path pathKind=\"Gramola\">/a</Path></DatabasePath>",
         97,
         {"a"}},
        {"<DatabasePath><Path pathKind=\"gramola\">/a</Path><Path>/b</Path></DatabasePath>", 99, {"a", "b"}},
        {"<DatabasePath/>", 97, {}},
    };
    for (const TCase& c : kCases)
    {
        CDatabasePath path;
        path.ReadXML(ParseElement(c.xml));
        EXPECT_EQ(path.fValid, 1) << c.xml;
        EXPECT_EQ(path.fPathKind, c.kind) << c.xml;
        EXPECT_EQ(TextsOf(path.fComponents), c.components) << c.xml;
    }
    CDatabasePath path;
    EXPECT_EQ(MessageThrown<NSQuorral::XFormatViolation>(
                  [&] { path.ReadXML(ParseElement("<DatabasePath><Path>a</Path></DatabasePath>")); }),
              "DatabasePath must start with a '/'");
}

class DatabasePathTexts : public RootNamesTest
{
};

TEST_F(DatabasePathTexts, StartAtTheDatabaseRootsName)
{
    CDatabasePath path;
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "*invalid database path*");
    EXPECT_EQ(UTF8Of(path.GetLastName()), "Vantles");
    path.fValid = 1;
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "Vantles");
    path.fVantleName = THashedString(U("Other"));
    path.fComponents = ComponentsOf({"Pkg", "Samples", "kick.wav"});
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "Vantles:Pkg/Samples/kick.wav");
    EXPECT_EQ(UTF8Of(path.GetLastName()), "kick.wav");
}
} // namespace

#include "content/references/RelativePath.h"

#include "tests/content/ContentTestSupport.h"
#include "tests/content/PathStorage.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

// "Kühl" in UTF-8: the counted UTF-8 form reads it as four letters, a name string (Windows-1252)
// as five.
const std::string kUTF8Name = "K\xC3\xBChl";
const std::string kAsWindows1252 = "K\xC3\x83\xC2\xBChl";

TEST(RelativePath, ReadsEveryStoredVersion)
{
    struct TCase
    {
        const char* label;
        TBytes stored;
        u8 flagBefore;
        std::vector<std::string> components;
        u8 flag;
    };
    const TBytes head = Concat({U8(1), U32(2)});
    const TCase kCases[] = {
        {"1.0.0",
         Concat({Version(1, 0, 0), head, Names({"Samples", kUTF8Name})}),
         0,
         {"Samples", kAsWindows1252},
         1},
        {"1.1.0", Concat({Version(1, 1, 0), head, Names({kUTF8Name})}), 0, {kAsWindows1252}, 1},
        {"1.2.0 eight-bit", Concat({Version(1, 2, 0), head, Names({kUTF8Name})}), 0, {"K\xC3\xBChl"}, 1},
        {"1.3.0 eight-bit, flag kept",
         Concat({Version(1, 3, 0), head, Names({kUTF8Name})}),
         0,
         {"K\xC3\xBChl"},
         0},
        {"1.3.0 flag kept set", Concat({Version(1, 3, 0), head, Names({"a"})}), 1, {"a"}, 1},
        {"1.4.0", Concat({Version(1, 4, 0), head, Names({kUTF8Name})}), 0, {kAsWindows1252}, 0},
        {"1.5.0 flag 1", Concat({Version(1, 5, 0), head, Names({"a"}), U8(1)}), 0, {"a"}, 1},
        {"1.5.0 flag 2 reads 0", Concat({Version(1, 5, 0), head, Names({"a"}), U8(2)}), 1, {"a"}, 0},
        {"1.9.0", Concat({Version(1, 9, 0), head, Names({}), U8(1)}), 0, {}, 1},
    };
    for (const TCase& c : kCases)
    {
        CRelativePath path;
        path.fFlag = c.flagBefore;
        ReadWhole(path, c.stored);
        EXPECT_EQ(path.fValid, 1) << c.label;
        EXPECT_EQ(path.fStepUp, 2u) << c.label;
        EXPECT_EQ(TextsOf(path.fComponents), c.components) << c.label;
        EXPECT_EQ(path.fFlag, c.flag) << c.label;
    }
}

TEST(RelativePath, RefusesVersionsOfAnotherMajorAndStepUpsNoPathCanClimb)
{
    for (u32 stepUp : {CRelativePath::kMaxStepUp, CRelativePath::kMaxStepUp + 1, 0xFFFFFFFFu})
    {
        CRelativePath path;
        NSFerrant::COwnedMemoryMedia media =
            MediaOf(Concat({Version(1, 5, 0), U8(1), U32(stepUp), Names({"a"}), U8(0)}));
        if (stepUp == CRelativePath::kMaxStepUp)
        {
            path.Read(media);
            EXPECT_EQ(path.GetDisplayText().size(), 3 * size_t(stepUp) + 1);
        }
        else
        {
            EXPECT_THROW(path.Read(media), NSQuorral::XFormatViolation) << stepUp;
        }
    }

    for (const TBytes& version : {Version(0, 9, 0), Version(2, 0, 0)})
    {
        CRelativePath path;
        NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({version, U8(1), U32(0), Names({"a"})}));
        EXPECT_THROW(path.Read(media), NSQuorral::XUnsupportedFormat);
    }
}

TEST(RelativePath, WritesBothFormsByteForByte)
{
    CRelativePath path;
    path.fValid = 1;
    path.fStepUp = 2;
    path.fComponents = ComponentsOf({"Samples", "kick.wav"});
    path.fFlag = 7;
    const TBytes body = Concat({U8(1), U32(2), Names({"Samples", "kick.wav"})});
    EXPECT_EQ(WrittenBytes(path, CRelativePath::kOlderForm), Concat({Version(1, 1, 0), body}));
    EXPECT_EQ(WrittenBytes(path, CRelativePath::kNewerForm), Concat({Version(1, 5, 0), body, U8(1)}));

    CRelativePath back;
    ReadWhole(back, WrittenBytes(path, CRelativePath::kNewerForm));
    EXPECT_EQ(back.fFlag, 1);
    EXPECT_EQ(TextsOf(back.fComponents), TextsOf(path.fComponents));
}

TEST(RelativePath, XMLRoundTripAndDisplayText)
{
    CRelativePath path;
    path.fValid = 1;
    path.fStepUp = 2;
    path.fComponents = ComponentsOf({"Samples", "kick"});
    const std::shared_ptr<NSFerrant::CXMLElement> element = path.WriteXML();
    ASSERT_TRUE(element);
    EXPECT_EQ(UTF8Of(element->fName), "RelativePath");
    ASSERT_EQ(element->fChildren.size(), 2u);
    EXPECT_EQ(UTF8Of(element->fChildren[0]->fText), "/Samples/kick");
    EXPECT_EQ(UTF8Of(element->fChildren[1]->fText), "2");

    CRelativePath back;
    back.ReadXML(element);
    EXPECT_EQ(back.fValid, 1);
    EXPECT_EQ(back.fStepUp, 2u);
    EXPECT_EQ(TextsOf(back.fComponents), TextsOf(path.fComponents));

    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "../../Samples/kick");
    path.fStepUp = 0;
    EXPECT_EQ(UTF8Of(path.GetDisplayText()), "Samples/kick");
    EXPECT_EQ(path.GetComponents().first, 0u);
    EXPECT_EQ(UTF8Of(CRelativePath().GetDisplayText()), "*invalid relative path*");
    EXPECT_FALSE(CRelativePath().WriteXML());
}

TEST(RelativePath, ReadXMLRefusesMalformedElementsWithItsMessages)
{
    struct TCase
    {
        const char* xml;
        const char* message;
    };
    const TCase kCases[] = {
        {"<RelativePath><Path>/a</Path></RelativePath>",
         "RelativePath must have two elements, Path and StepUp"},
        {"<RelativePath><StepUp>1</StepUp><Path>/a</Path></RelativePath>",
         "RelativePath must have two elements, Path and StepUp"},
        {"<RelativePath><Path>/a</Path><StepUp>1</StepUp><X/></RelativePath>",
         "RelativePath must have two elements, Path and StepUp"},
        {"<RelativePath><Path>a/b</Path><StepUp>1</StepUp></RelativePath>",
         "RelativePath must start with a '/'"},
        {"<RelativePath><Path></Path><StepUp>1</StepUp></RelativePath>",
         "RelativePath must start with a '/'"},
        {"<RelativePath><Path>/a</Path><StepUp>one</StepUp></RelativePath>",
         "Failed converting StepUp value to int"},
        {"<RelativePath><Path>/a</Path><StepUp>-1</StepUp></RelativePath>",
         "Failed converting StepUp value to int"},
        {"<RelativePath><Path>/a</Path><StepUp>3000000000</StepUp></RelativePath>",
         "Failed converting StepUp value to int"},
        {"<RelativePath><Path>/a</Path><StepUp>32768</StepUp></RelativePath>",
         "Failed converting StepUp value to int"},
    };
    for (const TCase& c : kCases)
    {
        CRelativePath path;
        EXPECT_EQ(MessageThrown<NSQuorral::XFormatViolation>([&] { path.ReadXML(ParseElement(c.xml)); }),
                  c.message)
            << c.xml;
    }
}

TEST(RelativePath, ReadXMLAppendsPathBeforeTheStepUpIsConvertedAndIgnoresOtherElements)
{
    CRelativePath path;
    path.fComponents = ComponentsOf({"kept"});
    EXPECT_THROW(
        path.ReadXML(ParseElement("<RelativePath><Path>/a//b</Path><StepUp>x</StepUp></RelativePath>")),
        NSQuorral::XFormatViolation);
    EXPECT_EQ(TextsOf(path.fComponents), (std::vector<std::string>{"kept", "a", "", "b"}));

    CRelativePath other;
    other.fValid = 1;
    other.ReadXML(ParseElement("<AbsolutePath/>"));
    EXPECT_EQ(other.fValid, 0);
    other.ReadXML(nullptr);
    EXPECT_EQ(other.fValid, 0);
}
} // namespace

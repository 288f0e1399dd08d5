#include "content/references/AbsolutePath.h"
#include "content/references/DatabasePath.h"
#include "content/references/RelativePath.h"

#include "tests/content/ContentTestSupport.h"
#include "tests/content/PathStorage.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

template <class TPath> void ExpectInvalidForms(u32 olderCode, const TBytes& older, const TBytes& newer)
{
    const TPath invalid;
    EXPECT_EQ(WrittenBytes(invalid, olderCode), older);
    EXPECT_EQ(WrittenBytes(invalid, olderCode - 1), newer);
    EXPECT_EQ(WrittenBytes(invalid, 0), newer);
    for (const TBytes& stored : {older, newer})
    {
        TPath path;
        path.fValid = 1;
        ReadWhole(path, stored);
        EXPECT_EQ(path.fValid, 0);
    }
}

TEST(PathDescriptions, AnInvalidPathIsItsVersionFollowedByZeroInEitherForm)
{
    ExpectInvalidForms<CRelativePath>(CRelativePath::kOlderForm, Concat({Version(1, 1, 0), U8(0)}),
                                      Concat({Version(1, 5, 0), U8(0)}));
    ExpectInvalidForms<CDatabasePath>(CDatabasePath::kOlderForm, Concat({Version(1, 2, 0), U8(0)}),
                                      Concat({Version(1, 5, 0), U8(0)}));
    ExpectInvalidForms<CAbsolutePath>(CAbsolutePath::kOlderForm, Concat({Version(1, 4, 0), U8(0)}),
                                      Concat({Version(1, 9, 0), U8(0)}));
}

TEST(PathDescriptions, PathTextsKeepEmptyComponentsAndNeedALeadingSlash)
{
    struct TCase
    {
        const char* text;
        bool accepted;
        std::vector<std::string> components;
    };
    const TCase kCases[] = {
        {"/a/b", true, {"a", "b"}}, {"/", true, {""}},  {"/a//b", true, {"a", "", "b"}},
        {"/a/", true, {"a", ""}},   {"a/b", false, {}}, {"", false, {}},
        {" /a", false, {}},
    };
    for (const TCase& c : kCases)
    {
        TPathComponents components = ComponentsOf({"kept"});
        EXPECT_EQ(NSPathComponents::AppendPathText(U(c.text), components), c.accepted) << c.text;
        std::vector<std::string> expected{"kept"};
        expected.insert(expected.end(), c.components.begin(), c.components.end());
        EXPECT_EQ(TextsOf(components), expected) << c.text;
    }
    EXPECT_EQ(UTF8Of(NSPathComponents::FormatPathText(ComponentsOf({"a", "b"}))), "/a/b");
    EXPECT_EQ(UTF8Of(NSPathComponents::FormatPathText({})), "");
}

TEST(PathDescriptions, ComponentsCompareIgnoringCase)
{
    EXPECT_EQ(THashedString(U("SAMPLES")), THashedString(U("Samples")));
    EXPECT_NE(THashedString(U("Samples")), THashedString(U("Sample")));
}

TEST(PathDescriptions, AComponentCountBeyondTheBytesLeftIsRefusedBeforeReading)
{
    for (u32 count : {0xFFFFFFFFu, 0x40000000u, 3u})
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({U32(count), Name("a"), Name("b")}));
        EXPECT_THROW(NSPathComponents::ReadComponents(media, false), NSQuorral::XFormatViolation) << count;
    }
}
} // namespace

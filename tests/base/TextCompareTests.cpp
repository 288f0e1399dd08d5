#include <gtest/gtest.h>

#include <vector>

#include "base/TextCase.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
struct CompareCase
{
    const char* name;
    TUTF16String a;
    TUTF16String b;
    u32 mode;
    ECompareResult expected;
};

const CompareCase kCases[] = {
    {"equal", MakeText(u"abc"), MakeText(u"abc"), 0, kCompareEqual},
    {"case respected", MakeText(u"abc"), MakeText(u"ABC"), 0, kCompareLess},
    {"case ignored", MakeText(u"abc"), MakeText(u"ABC"), 1, kCompareEqual},
    {"other modes respect case", MakeText(u"abc"), MakeText(u"ABC"), 2, kCompareLess},
    {"byte-order mark skipped", MakeText(u"\uFEFFabc"), MakeText(u"abc"), 0, kCompareEqual},
    {"byte-order mark skipped ignoring case", MakeText(u"\uFEFFabc"), MakeText(u"ABC"), 1, kCompareEqual},
    {"byte-order marks on both sides", MakeText(u"\uFEFFa"), MakeText(u"\uFEFFa"), 0, kCompareEqual},
    {"width ignored", MakeText(u"\uFF21"), MakeText(u"A"), 0, kCompareEqual},
    {"less", MakeText(u"a"), MakeText(u"b"), 0, kCompareLess},
    {"greater", MakeText(u"b"), MakeText(u"a"), 1, kCompareGreater},
    {"prefix sorts first", MakeText(u"ab"), MakeText(u"abc"), 0, kCompareLess},
    {"both empty", TUTF16String(), TUTF16String(), 0, kCompareEqual},
    {"only a byte-order mark is empty", MakeText(u"\uFEFF"), TUTF16String(), 0, kCompareEqual},
};

TEST(CompareText, ComparesInTheUserLocale)
{
    for (const CompareCase& c : kCases)
        EXPECT_EQ(CompareText(c.a, c.b, c.mode), c.expected) << c.name;
}

TEST(CompareText, TextLessOrdersMaps)
{
    EXPECT_TRUE(TextLess(MakeText(u"a"), MakeText(u"b")));
    EXPECT_FALSE(TextLess(MakeText(u"b"), MakeText(u"a")));
    EXPECT_FALSE(TextLess(MakeText(u"a"), MakeText(u"a")));
}

// The shortcut for ASCII names must answer as the platform does, pair for pair.
TEST(CompareText, EqualIgnoringCaseAgreesWithThePlatform)
{
    std::vector<TUTF16String> texts;
    for (char16_t unit = 0x20; unit < 0x7F; ++unit)
        texts.push_back(TUTF16String(1, unit));
    for (const TUTF16String& word :
         {MakeText(u".wav"), MakeText(u".WAV"), MakeText(u".wave"), MakeText(u"co-op"), MakeText(u"coop"),
          MakeText(u"it's"), MakeText(u"its"), MakeText(u"a b"), MakeText(u"ab"), MakeText(u"\uFEFF.wav"),
          MakeText(u"\uFF21"), MakeText(u"\u00E9"), MakeText(u"\u00C9"), TUTF16String()})
        texts.push_back(word);
    for (const TUTF16String& a : texts)
        for (const TUTF16String& b : texts)
            ASSERT_EQ(EqualIgnoringCase(a, b), CompareText(a, b, kCompareIgnoreCase) == kCompareEqual)
                << UTF16ToUTF8(a) << " / " << UTF16ToUTF8(b);
}

TEST(TextCase, MapsEveryUnit)
{
    EXPECT_EQ(ToUpper(MakeText(u"abc \u00E9\u00DF1")), MakeText(u"ABC \u00C9\u00DF1"));
    EXPECT_EQ(ToLower(MakeText(u"ABC \u00C9Z")), MakeText(u"abc \u00E9z"));
    EXPECT_EQ(ToUpper(TUTF16String()), TUTF16String());
    EXPECT_EQ(ToLower(TUTF16String()), TUTF16String());
}
} // namespace

#include <gtest/gtest.h>

#include "base/TextTemplates.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
struct TemplateCase
{
    const char* name;
    TUTF16String templateText;
    std::vector<TUTF16String> arguments;
    TUTF16String expected;
};

const TemplateCase kCases[] = {
    {"two arguments", MakeText(u"^0.^1"), {MakeText(u"2"), MakeText(u"10")}, MakeText(u"2.10")},
    {"missing argument vanishes", MakeText(u"^0 (build ^1)"), {MakeText(u"7")}, MakeText(u"7 (build )")},
    {"number beyond the arguments", MakeText(u"^5"), {MakeText(u"a"), MakeText(u"b")}, TUTF16String()},
    {"circumflex at the end stays", MakeText(u"100^"), {}, MakeText(u"100^")},
    {"circumflex before a placeholder", MakeText(u"^^1"), {MakeText(u"x"), MakeText(u"y")}, MakeText(u"^y")},
    {"leading zero digits", MakeText(u"^01"), {MakeText(u"x"), MakeText(u"y")}, MakeText(u"y")},
    {"all digits are one number", MakeText(u"^10"), {MakeText(u"x"), MakeText(u"y")}, TUTF16String()},
    {"number wraps in 32 bits", MakeText(u"[^4294967296]"), {MakeText(u"x")}, MakeText(u"[x]")},
    {"negative as 32-bit value vanishes", MakeText(u"[^2147483648]"), {MakeText(u"x")}, MakeText(u"[]")},
    {"argument is not expanded again",
     MakeText(u"^0^1"),
     {MakeText(u"^1"), MakeText(u"z")},
     MakeText(u"^1z")},
    {"embedded zero unit ends the template", MakeText(u"a\0^0"), {MakeText(u"x")}, MakeText(u"a")},
    {"template starting with a zero unit", MakeText(u"\0a"), {}, TUTF16String()},
    {"empty template", TUTF16String(), {MakeText(u"x")}, TUTF16String()},
};

TEST(ExpandTemplate, ReplacesPlaceholdersByArguments)
{
    for (const TemplateCase& c : kCases)
        EXPECT_EQ(ExpandTemplate(c.templateText, c.arguments), c.expected) << c.name;
}
} // namespace

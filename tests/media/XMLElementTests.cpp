#include "media/xml/XMLElement.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
using NSFerrant::CXMLAttribute;
using NSFerrant::CXMLElement;
using NSTextPackage::TUTF16String;

struct NameCase
{
    TUTF16String name;
    bool accepted;
};

const NameCase kNameCases[] = {
    {MakeText(u"a b"), false}, {MakeText(u"a/b"), false},      {MakeText(u"a=b"), false},
    {MakeText(u"/"), false},   {MakeText(u"xml:space"), true}, {MakeText(u"xml::space"), true},
    {TUTF16String(), true},    {MakeText(u"a\tb"), true},      {MakeText(u"\u00e9\U0001F600"), true},
};

TEST(XMLElement, EveryNameSetterRejectsSlashSpaceAndEquals)
{
    for (const NameCase& c : kNameCases)
    {
        SCOPED_TRACE(NSTextPackage::ToUTF8(c.name));
        CXMLElement element(MakeText(u"ok"), TUTF16String());
        if (c.accepted)
        {
            EXPECT_NO_THROW(CXMLElement(c.name, MakeText(u"t")));
            EXPECT_NO_THROW(CXMLElement(c.name, MakeText(u"t"), 7));
            EXPECT_NO_THROW(CXMLAttribute(c.name, MakeText(u"v")));
            element.SetName(c.name);
            EXPECT_EQ(element.fName, c.name);
            continue;
        }
        EXPECT_THROW(CXMLElement(c.name, MakeText(u"t")), std::invalid_argument);
        EXPECT_THROW(CXMLElement(c.name, MakeText(u"t"), 7), std::invalid_argument);
        EXPECT_THROW(CXMLAttribute(c.name, MakeText(u"v")), std::invalid_argument);
        EXPECT_THROW(element.SetName(c.name), std::invalid_argument);
        EXPECT_EQ(element.fName, MakeText(u"ok")) << "a rejected name must leave the element unchanged";
    }
}

TEST(XMLElement, RejectedNameIsThrownThroughTheErrorFramework)
{
    try
    {
        CXMLElement(MakeText(u"a/b"), TUTF16String());
        FAIL() << "no exception";
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_STREQ(error.what(), "");
        EXPECT_EQ(NSQuorral::GetLastFrame(NSQuorral::GetExceptionBody(error)).GetKind(), 11u);
    }
}

TEST(XMLElement, ConstructorsKeepTextAndLineNumber)
{
    const CXMLElement byCode(MakeText(u"a"), MakeText(u" x "));
    EXPECT_EQ(byCode.fText, MakeText(u" x "));
    EXPECT_EQ(byCode.fLineNumber, 0u);
    EXPECT_TRUE(byCode.fAttributes.empty());
    EXPECT_TRUE(byCode.fChildren.empty());
    EXPECT_EQ(CXMLElement(MakeText(u"a"), TUTF16String(), 12).fLineNumber, 12u);
}

TEST(XMLElement, XMLSpaceIsTheFirstAttributeWithTheTwoColonName)
{
    CXMLElement element(MakeText(u"a"), TUTF16String());
    EXPECT_EQ(element.GetXMLSpace(), TUTF16String());
    element.fAttributes.push_back(
        std::make_shared<CXMLAttribute>(MakeText(u"xml:space"), MakeText(u"preserve")));
    EXPECT_EQ(element.GetXMLSpace(), TUTF16String()) << "one colon is not this dialect's attribute";
    element.fAttributes.push_back(
        std::make_shared<CXMLAttribute>(MakeText(u"xml::space"), MakeText(u"first")));
    element.fAttributes.push_back(
        std::make_shared<CXMLAttribute>(MakeText(u"xml::space"), MakeText(u"second")));
    EXPECT_EQ(element.GetXMLSpace(), MakeText(u"first"));
    EXPECT_EQ(NSFerrant::kXMLSpaceAttributeName, MakeText(u"xml::space"));
    EXPECT_EQ(NSFerrant::kXMLSpacePreserve, MakeText(u"preserve"));
}

TEST(XMLElement, FindComparesNamesExactlyWithinTheRange)
{
    NSFerrant::TXMLElementList list;
    for (const char16_t* name : {u"Path", u"", u"path", u"Path"})
        list.push_back(std::make_shared<CXMLElement>(
            TUTF16String(name, name + std::char_traits<char16_t>::length(name)), TUTF16String()));

    EXPECT_EQ(NSFerrant::FindXMLElement(list.begin(), list.end(), MakeText(u"Path")), list[0]);
    EXPECT_EQ(NSFerrant::FindXMLElement(list.begin() + 1, list.end(), MakeText(u"Path")), list[3]);
    EXPECT_EQ(NSFerrant::FindXMLElement(list.begin(), list.end(), TUTF16String()), list[1]);
    EXPECT_EQ(NSFerrant::FindXMLElement(list.begin(), list.end(), MakeText(u"PATH")), nullptr);
    EXPECT_EQ(NSFerrant::FindXMLElement(list.begin(), list.begin(), MakeText(u"Path")), nullptr);
}

TEST(XMLElement, SwapReplacesContentSeenThroughEveryListHoldingTheElement)
{
    auto shared = std::make_shared<CXMLElement>(MakeText(u"old"), MakeText(u"old text"), 4);
    NSFerrant::TXMLElementList first{shared};
    NSFerrant::TXMLElementList second{shared};

    CXMLElement replacement(MakeText(u"new"), MakeText(u"new text"));
    replacement.fAttributes.push_back(std::make_shared<CXMLAttribute>(MakeText(u"k"), MakeText(u"v")));
    replacement.fChildren.push_back(std::make_shared<CXMLElement>(MakeText(u"child"), TUTF16String()));
    first[0]->Swap(replacement);

    for (const auto* list : {&first, &second})
    {
        const CXMLElement& e = *(*list)[0];
        EXPECT_EQ(e.fName, MakeText(u"new"));
        EXPECT_EQ(e.fText, MakeText(u"new text"));
        EXPECT_EQ(e.fLineNumber, 0u);
        ASSERT_EQ(e.fAttributes.size(), 1u);
        ASSERT_EQ(e.fChildren.size(), 1u);
    }
    EXPECT_EQ(replacement.fName, MakeText(u"old"));
    EXPECT_EQ(replacement.fText, MakeText(u"old text"));
    EXPECT_EQ(replacement.fLineNumber, 4u);
    EXPECT_TRUE(replacement.fAttributes.empty());
    EXPECT_TRUE(replacement.fChildren.empty());
}
} // namespace

#include "media/xml/XMLWriter.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "media/xml/XMLParser.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
using NSFerrant::CXMLAttribute;
using NSFerrant::CXMLElement;
using NSFerrant::TXMLElementList;
using NSTextPackage::TUTF16String;

TUTF16String W(const std::string& utf8)
{
    return NSTextPackage::UTF8ToUTF16(utf8);
}

std::shared_ptr<CXMLElement>
Element(const std::string& name, const std::string& text = std::string(),
        std::initializer_list<std::pair<const char*, const char*>> attributes = {})
{
    auto element = std::make_shared<CXMLElement>(W(name), W(text));
    for (const auto& [key, value] : attributes)
        element->fAttributes.push_back(std::make_shared<CXMLAttribute>(W(key), W(value)));
    return element;
}

TXMLElementList Parse(const std::string& document)
{
    return NSFerrant::ParseXMLDocument(document.data(), document.data() + document.size());
}

// Equal names, texts, attributes and children; line numbers are not compared.
void ExpectEqualTrees(const TXMLElementList& expected, const TXMLElementList& actual,
                      const std::string& path = "")
{
    ASSERT_EQ(expected.size(), actual.size()) << path;
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const CXMLElement& e = *expected[i];
        const CXMLElement& a = *actual[i];
        const std::string here = path + "/" + NSTextPackage::ToUTF8(e.fName);
        EXPECT_EQ(NSTextPackage::ToUTF8(a.fName), NSTextPackage::ToUTF8(e.fName)) << here;
        EXPECT_EQ(NSTextPackage::ToUTF8(a.fText), NSTextPackage::ToUTF8(e.fText)) << here;
        ASSERT_EQ(a.fAttributes.size(), e.fAttributes.size()) << here;
        for (size_t k = 0; k < e.fAttributes.size(); ++k)
        {
            EXPECT_EQ(a.fAttributes[k]->fName, e.fAttributes[k]->fName) << here;
            EXPECT_EQ(NSTextPackage::ToUTF8(a.fAttributes[k]->fValue),
                      NSTextPackage::ToUTF8(e.fAttributes[k]->fValue))
                << here;
        }
        ExpectEqualTrees(e.fChildren, a.fChildren, here);
    }
}

TEST(XMLWriter, EmptyDocumentIsTheDeclarationLine)
{
    EXPECT_EQ(NSFerrant::WriteXMLDocument({}), "<?xml version=\"1.0\"?>\r\n");
}

TEST(XMLWriter, WritesTheFixedLayoutByteForByte)
{
    auto root = Element("SampleReference", "", {{"type", "sample"}});
    root->fChildren = {
        Element("Package", "", {{"name", "Drums"}}),
        Element("Note", "a < b"),
        Element("Code", "  x</y>", {{"xml::space", "preserve"}}),
        Element("Keep", "a\n", {{"xml::space", "preserve"}, {"q", "\"&'<>"}}),
        Element("Empty"),
    };
    root->fChildren[3]->fChildren = {Element("In"), Element("Out")};

    const std::string expected = "<?xml version=\"1.0\"?>\r\n"
                                 "<SampleReference type=\"sample\" >\r\n"
                                 "    <Package name=\"Drums\" />\r\n"
                                 "    <Note>\r\n"
                                 "        a &lt; b\r\n"
                                 "    </Note>\r\n"
                                 "    <Code xml::space=\"preserve\" >\r\n"
                                 "<![CDATA[  x</y>]]>\r\n"
                                 "</Code>\r\n"
                                 "    <Keep xml::space=\"preserve\"  q=\"&quot;&amp;&apos;&lt;&gt;\" >\r\n"
                                 "a\n\r\n"
                                 "<In/>\r\n"
                                 "        <Out/>\r\n"
                                 "    </Keep>\r\n"
                                 "    <Empty/>\r\n"
                                 "</SampleReference>\r\n";
    const TXMLElementList document{root};
    EXPECT_EQ(NSFerrant::WriteXMLDocument(document), expected);

    const TXMLElementList parsed = Parse(expected);
    ExpectEqualTrees(document, parsed);
    EXPECT_EQ(parsed[0]->fChildren[1]->fLineNumber, 4u);
    EXPECT_EQ(parsed[0]->fChildren[4]->fLineNumber, 16u);
}

TEST(XMLWriter, TextThatWouldEndACDATASectionEarlyIsEscaped)
{
    const TXMLElementList document{Element("a", "x]]></y>")};
    const std::string written = NSFerrant::WriteXMLDocument(document);
    EXPECT_EQ(written, "<?xml version=\"1.0\"?>\r\n<a>\r\n    x]]&gt;&lt;/y&gt;\r\n</a>\r\n");
    ExpectEqualTrees(document, Parse(written));
}

// Every round of reading and writing gives the same text back, at any depth.
TEST(XMLWriter, PreservedTextSurvivesRepeatedRoundTrips)
{
    auto inner = Element("Path", "  two\tspaces \r\n", {{"xml::space", "preserve"}});
    auto middle = Element("Middle");
    middle->fChildren = {inner};
    auto outer = Element("Outer");
    outer->fChildren = {middle};
    TXMLElementList document{outer};

    const std::string first = NSFerrant::WriteXMLDocument(document);
    for (int round = 0; round < 3; ++round)
    {
        const TXMLElementList parsed = Parse(NSFerrant::WriteXMLDocument(document));
        ExpectEqualTrees(TXMLElementList{outer}, parsed);
        EXPECT_EQ(NSFerrant::WriteXMLDocument(parsed), first);
        document = parsed;
    }
}

TEST(XMLWriter, InvalidUTF16FailsInTheTextConversion)
{
    const TXMLElementList document{std::make_shared<CXMLElement>(W("a"), MakeUnits({'x', 0xDC00}))};
    EXPECT_THROW(NSFerrant::WriteXMLDocument(document), NSQuorral::XFormatViolation);
}

TEST(XMLWriter, NamesMadeByReferencesReadBackEqual)
{
    // Each document's one element is named "aAb", with the attribute "x\u00E9y" where there is one.
    const char* const documents[] = {
        "<a&#x41;b/>",
        "<a&#65;b></aAb>",
        "<aAb x&#xE9;y='1'/>",
        "<&#x61;Ab x\xC3\xA9&#x79;=\"1\"/>",
    };
    for (const char* body : documents)
    {
        SCOPED_TRACE(body);
        const TXMLElementList parsed = Parse(std::string("<?xml version=\"1.0\"?>") + body + "\r\n");
        ASSERT_EQ(parsed.size(), 1u);
        EXPECT_EQ(NSTextPackage::ToUTF8(parsed[0]->fName), "aAb");
        for (const auto& attribute : parsed[0]->fAttributes)
            EXPECT_EQ(NSTextPackage::ToUTF8(attribute->fName), "x\xC3\xA9y");
        ExpectEqualTrees(parsed, Parse(NSFerrant::WriteXMLDocument(parsed)));
    }
    // Names of characters no markup needs, made by references, are written as they are.
    const TXMLElementList control = Parse("<?xml?><a&#1;b c&#x7F;d='1'/>\r\n");
    ASSERT_EQ(control.size(), 1u);
    ExpectEqualTrees(control, Parse(NSFerrant::WriteXMLDocument(control)));
}

// Random trees in the form the parser gives back: element and attribute names of the dialect,
// attribute values and preserved texts of any characters, other texts without tabs and line
// breaks and without spaces at their ends (the parser folds and trims those).
class CTreeGenerator
{
public:
    explicit CTreeGenerator(u32 seed) : fRandom(seed) {}

    TXMLElementList MakeList(int depth)
    {
        TXMLElementList list;
        const int count = depth == 0 ? 1 + Below(3) : Below(depth < 4 ? 4 : 1);
        for (int i = 0; i < count; ++i)
            list.push_back(MakeElement(depth));
        return list;
    }

private:
    std::shared_ptr<CXMLElement> MakeElement(int depth)
    {
        static const char* const kNames[] = {
            "a", "Sample", "x:y", "n-1", "_u.v", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "!x", "a?b"};
        // Pieces of texts; the blanks come last, so that a count that leaves them out picks none.
        // clang-format off
        static const char* const kPieces[] = {
            "a", "Z", "0", " ", "  ", "\"", "&", "'", "<", ">", "</", "/>", "]]>", "<![CDATA[", "&amp;",
            "&#10;", ";", "\xC3\xA9", "\xF0\x9F\x98\x80",
            "\t", "\r", "\n", "\r\n"};
        // clang-format on
        const size_t kBlankPieces = 4;

        auto element = std::make_shared<CXMLElement>(W(kNames[Below(std::size(kNames))]), TUTF16String());
        const bool preserve = Below(3) == 0;
        const int attributeCount = Below(4);
        const int preserveAt = Below(attributeCount + 1);
        for (int i = 0; i <= attributeCount; ++i)
        {
            if (preserve && i == preserveAt)
                element->fAttributes.push_back(
                    std::make_shared<CXMLAttribute>(W("xml::space"), W("preserve")));
            if (i < attributeCount)
                element->fAttributes.push_back(std::make_shared<CXMLAttribute>(
                    W(kNames[Below(std::size(kNames))]), W(Text(kPieces, std::size(kPieces)))));
        }

        std::string text =
            preserve ? Text(kPieces, std::size(kPieces)) : Text(kPieces, std::size(kPieces) - kBlankPieces);
        if (!preserve)
        {
            const size_t first = text.find_first_not_of(' ');
            text =
                first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
        }
        element->fText = W(text);
        if (depth < 4)
            element->fChildren = MakeList(depth + 1);
        return element;
    }

    std::string Text(const char* const* pieces, size_t count)
    {
        std::string text;
        for (int n = Below(6); n > 0; --n)
            text += pieces[Below(int(count))];
        return text;
    }

    int Below(size_t bound) { return int(fRandom() % bound); }

    std::mt19937 fRandom;
};

TEST(XMLWriter, GeneratedTreesReadBackEqual)
{
    CTreeGenerator generator(0x5EED);
    for (int round = 0; round < 300; ++round)
    {
        const TXMLElementList document = generator.MakeList(0);
        const std::string written = NSFerrant::WriteXMLDocument(document);
        SCOPED_TRACE(written);
        const TXMLElementList parsed = Parse(written);
        ExpectEqualTrees(document, parsed);
        EXPECT_EQ(NSFerrant::WriteXMLDocument(parsed), written);
        if (HasFailure())
            break;
    }
}
} // namespace

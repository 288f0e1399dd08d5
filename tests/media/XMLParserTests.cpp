#include "media/xml/XMLParser.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

namespace
{
using NSFerrant::TXMLElementList;
using NSTextPackage::TUTF16String;

const std::string kDeclaration = "<?xml version=\"1.0\"?>";

TXMLElementList Parse(const std::string& document)
{
    return NSFerrant::ParseXMLDocument(document.data(), document.data() + document.size());
}

std::string U8(const TUTF16String& text)
{
    return NSTextPackage::ToUTF8(text);
}

struct TXMLFailure
{
    std::string cause;
    std::string value;
    u32 line;
};

const char* const kCauses[] = {
    "xml_format_tag_error",  "expected_char_error", "unexpected_char_error", "unexpected_end_of_file_error",
    "unsupported_amp_error", "tag_mismatch_error",  "nesting_too_deep_error"};

// The parser's error for the document, read from the properties callers test; nothing when
// the document parses.
std::optional<TXMLFailure> ParseFailure(const std::string& document)
{
    try
    {
        Parse(document);
        return std::nullopt;
    }
    catch (const NSQuorral::XFormatViolation& error)
    {
        EXPECT_STREQ(error.what(), "");
        const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(error);
        EXPECT_TRUE(NSQuorral::HasTargetObjectType(body, "xml_format"));
        const NSQuorral::TPropertyValue line = NSQuorral::GetProperty(body, "line_number");
        EXPECT_EQ(line.GetTag(), NSQuorral::kPropertyTag_Integer);
        TXMLFailure failure{"", "", u32(line.GetValue())};
        for (const char* cause : kCauses)
        {
            const NSQuorral::TPropertyValue value = NSQuorral::GetProperty(body, cause);
            if (value.GetTag() == NSQuorral::kPropertyTag_Text)
            {
                EXPECT_EQ(failure.cause, "") << "two causes";
                failure.cause = cause;
                failure.value = value.GetText();
            }
        }
        return failure;
    }
}

struct FailureCase
{
    std::string document;
    const char* cause;
    std::string value;
    u32 line;
};

const FailureCase kFailureCases[] = {
    // Declaration.
    {"\xEF\xBB\xBF<?xml version=\"1.0\"?><a/>", "xml_format_tag_error", "", 1},
    {"<?xm", "unexpected_end_of_file_error", "", 1},
    {"<?xml", "unexpected_end_of_file_error", "", 1},
    {"<?xml version=\"1.0\"", "unexpected_end_of_file_error", "", 1},
    {"<?xml version='1.0'?><a/>", "xml_format_tag_error", "", 1},
    {"<?xml version=\"1.1\"?><a/>", "xml_format_tag_error", "", 1},
    {"<?xml encoding=\"UTF-8\" version=\"1.0\"?><a/>", "xml_format_tag_error", "", 1},
    {"<?xml\nversion=\"1.0\"?><a/>", "xml_format_tag_error", "", 2},
    {"<?xml version=\"1.0\"?x<a/>", "expected_char_error", ">", 1},
    {"<?xml version=\"1.0\"?", "unexpected_end_of_file_error", "", 1},
    // Tags.
    {kDeclaration + "</b>", "tag_mismatch_error", "", 1},
    {kDeclaration + "<a>text", "tag_mismatch_error", "a", 1},
    {kDeclaration + "<a>", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "<a><", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "<a></b>", "tag_mismatch_error", "a", 1},
    {kDeclaration + "<a></a >", "unexpected_char_error", " ", 1},
    {kDeclaration + "<a>\n <b>\n </c>\n</a>", "tag_mismatch_error", "b", 3},
    {kDeclaration + "<a b c='1'/>", "unexpected_char_error", " ", 1},
    {kDeclaration + "<a b\tc/>", "unexpected_char_error", "\t", 1},
    {kDeclaration + "<a x='1<2'/>", "unexpected_char_error", "<", 1},
    {kDeclaration + "<a x='1>2'/>", "unexpected_char_error", ">", 1},
    {kDeclaration + "<a x=1/>", "expected_char_error", "\"'", 1},
    {kDeclaration + "<a x=", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "<a =''/>", "unexpected_char_error", "=", 1},
    {kDeclaration + "<a/x>", "expected_char_error", ">", 1},
    {kDeclaration + "<a/", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "< />", "unexpected_char_error", "/", 1},
    {kDeclaration + "< >", "unexpected_char_error", ">", 1},
    {kDeclaration + "<x='1'>", "unexpected_char_error", ">", 1},
    {kDeclaration + "\n<a x='\n\n' y='<'/>", "unexpected_char_error", "<", 4},
    {kDeclaration + "<a><![CDATA[never closed", "tag_mismatch_error", "a", 1},
    // References.
    {kDeclaration + "<a>&#;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#x;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#xG1;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#abc;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#--;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#-65;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#x110000;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#1114112;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#xFFFFFFFF;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#xD800;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&#57343;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&foo;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&amx;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&apo;</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&lt</a>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a x='&quo'/>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a&bogus;/>", "unsupported_amp_error", "", 1},
    {kDeclaration + "<a>&am", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "<a>&#12", "unexpected_end_of_file_error", "", 1},
    {kDeclaration + "<a>&amp;", "tag_mismatch_error", "a", 1},
    {kDeclaration + "<!DOCTYPE d [&bogus;]><a/>", "unsupported_amp_error", "", 1},
    // Names that hold a separator or markup, made by references or standing in the bytes, and
    // element names that would read back as a comment, a document type or an instruction.
    {kDeclaration + "<a&#x2F;b/>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a&#x20;b/>", "unexpected_char_error", " ", 1},
    {kDeclaration + "<a&#x3D;b/>", "unexpected_char_error", "=", 1},
    {kDeclaration + "<a&#x3E;b/>", "unexpected_char_error", ">", 1},
    {kDeclaration + "<a&gt;b></a&gt;b>", "unexpected_char_error", ">", 1},
    {kDeclaration + "<a&#x26;b/>", "unexpected_char_error", "&", 1},
    {kDeclaration + "<a&amp;b x='1'/>", "unexpected_char_error", "&", 1},
    {kDeclaration + "<a&lt;b/>", "unexpected_char_error", "<", 1},
    {kDeclaration + "<a&quot;b/>", "unexpected_char_error", "\"", 1},
    {kDeclaration + "<a&apos;b/>", "unexpected_char_error", "'", 1},
    {kDeclaration + "<a&#13;b/>", "unexpected_char_error", "\r", 1},
    {kDeclaration + "\n<a&#10;b/>", "unexpected_char_error", "\n", 2},
    {kDeclaration + "<a&#9;b/>", "unexpected_char_error", "\t", 1},
    {kDeclaration + "<a\"b/>", "unexpected_char_error", "\"", 1},
    {kDeclaration + "<a<b/>", "unexpected_char_error", "<", 1},
    {kDeclaration + "<a x&#x2F;y='1'/>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a x&#61;y='1'/>", "unexpected_char_error", "=", 1},
    {kDeclaration + "<a x&#x3E;y='1'/>", "unexpected_char_error", ">", 1},
    {kDeclaration + "<a x&#x26;y='1'/>", "unexpected_char_error", "&", 1},
    {kDeclaration + "<a\nx&#10;y='1'/>", "unexpected_char_error", "\n", 2},
    {kDeclaration + "<a x'y='1'/>", "unexpected_char_error", "'", 1},
    // Overlong UTF-8 forms are checked as the characters they decode to.
    {kDeclaration + "<a\xC0\xAF" "b/>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a\xE0\x80\xAF" "b/>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a\xE0\x80\xAF" "b></a\xE0\x80\xAF" "b>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a x\xC0\xAFy='1'/>", "unexpected_char_error", "/", 1},
    {kDeclaration + "<a x\xC0\xBDy='1'/>", "unexpected_char_error", "=", 1},
    {kDeclaration + "<a\xC0\xA0x='1'/>", "unexpected_char_error", " ", 1},
    {kDeclaration + "<\xC0\xA1--x/>", "unexpected_char_error", "!", 1},
    {kDeclaration + "<\xC0\xBFx/>", "unexpected_char_error", "?", 1},
    {kDeclaration + "<&#x21;--x/>", "unexpected_char_error", "!", 1},
    {kDeclaration + "<&#x21;DOCTYPE/>", "unexpected_char_error", "!", 1},
    {kDeclaration + "<&#x3F;x/>", "unexpected_char_error", "?", 1},
    // A section opener after the text run starts an element; written as the first child it would
    // read back as the element's section.
    {kDeclaration + "<a><b/>\n<![CDATA[y]/></a>", "unexpected_char_error", "!", 2},
    {kDeclaration + "<&#x21;[CDATA[y]/>", "unexpected_char_error", "!", 1},
    // Line counting through comments, references and skipped text.
    {kDeclaration + "<!--\n\n-->\n<a>&bad;</a>", "unsupported_amp_error", "", 4},
    {kDeclaration + "\n<a>x&#10;\ny\n</b>", "tag_mismatch_error", "a", 4},
};

TEST(XMLParser, FailuresCarryCauseValueAndLine)
{
    for (const FailureCase& c : kFailureCases)
    {
        SCOPED_TRACE(c.document);
        const std::optional<TXMLFailure> failure = ParseFailure(c.document);
        ASSERT_TRUE(failure.has_value()) << "parsed";
        EXPECT_EQ(failure->cause, c.cause);
        EXPECT_EQ(failure->value, c.value);
        EXPECT_EQ(failure->line, c.line);
    }
}

TEST(XMLParser, DeclarationForms)
{
    for (const std::string declaration : {"<?xml?>", "<?xml   version=\"1.0\" encoding='UTF-8'?>",
                                          "<?xml encoding=\"UTF-8\"?>", "<?xml version=\"1.0\"standalone?>"})
    {
        SCOPED_TRACE(declaration);
        const TXMLElementList elements = Parse(declaration + "<a/>");
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(U8(elements[0]->fName), "a");
    }
}

TEST(XMLParser, ReadsElementsChildrenAndTopLevelLists)
{
    const TXMLElementList nested = Parse(kDeclaration + "<a><b/></a>\r\nxyz");
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_EQ(U8(nested[0]->fName), "a");
    ASSERT_EQ(nested[0]->fChildren.size(), 1u);
    EXPECT_EQ(U8(nested[0]->fChildren[0]->fName), "b");

    EXPECT_TRUE(Parse(kDeclaration).empty());
    EXPECT_TRUE(Parse(kDeclaration + "\r\njust text").empty());
    const TXMLElementList two = Parse(kDeclaration + "<a/>\n<b></b>");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(U8(two[1]->fName), "b");

    const TXMLElementList mixed = Parse(kDeclaration + "<a>text<b/>tail<c/></a>");
    EXPECT_EQ(U8(mixed[0]->fText), "text");
    ASSERT_EQ(mixed[0]->fChildren.size(), 2u);
    EXPECT_EQ(U8(mixed[0]->fChildren[1]->fName), "c");
}

TEST(XMLParser, ElementsRecordTheLineOfTheirStartTag)
{
    const TXMLElementList elements = Parse(kDeclaration + "\n\n<a>\r\n<b\n/><!--\n-->\n<c/></a>");
    EXPECT_EQ(elements[0]->fLineNumber, 3u);
    EXPECT_EQ(elements[0]->fChildren[0]->fLineNumber, 4u);
    EXPECT_EQ(elements[0]->fChildren[1]->fLineNumber, 7u);
}

TEST(XMLParser, ReadsAttributesInOrder)
{
    const TXMLElementList elements =
        Parse(kDeclaration + "<a\n  x=' 1\t2 '\ty=\"'\" z='\"' x='&lt;&#x41;'\n/>");
    const auto& attributes = elements[0]->fAttributes;
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(U8(attributes[0]->fName), "x");
    EXPECT_EQ(U8(attributes[0]->fValue), " 1\t2 ");
    EXPECT_EQ(U8(attributes[1]->fValue), "'");
    EXPECT_EQ(U8(attributes[2]->fValue), "\"");
    EXPECT_EQ(U8(attributes[3]->fName), "x");
    EXPECT_EQ(U8(attributes[3]->fValue), "<A");

    EXPECT_TRUE(Parse(kDeclaration + "<a b/>")[0]->fAttributes.empty()) << "a pending token is dropped";
    EXPECT_TRUE(Parse(kDeclaration + "<a b></a>")[0]->fAttributes.empty());
    EXPECT_EQ(U8(Parse(kDeclaration + "<  a/>")[0]->fName), "a") << "blanks after '<' are allowed";
    EXPECT_EQ(U8(Parse(kDeclaration + "<&#xE9;t&#xE9;/>")[0]->fName), "\xC3\xA9t\xC3\xA9");
}

struct TextCase
{
    std::string content; // between <a...> and </a>
    std::string text;    // fText as UTF-8
};

const TextCase kTextCases[] = {
    {" one\r\n\t two  ", "one  two"},
    {"\r\n    indented line\r\n", "indented line"},
    {"\n\nx", "x"},
    {"x&#10;y&#9;z", "x\ny\tz"},
    {"&#65;&#x41;&#X41;&#+65;&#6a;", "AAAA\x06"},
    {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
    {"&#x1F600;&#x10FFFF;&#xe9;", "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\xC3\xA9"},
    {"&#000000065;", "\x06;"},
    {"&#x0000004142;", "A2;"},
    {"<![CDATA[<x>]]> y", "<x>"},
    {"  <![CDATA[ a\n\tb ]]>", "a\n\tb"},
    {"<![CDATA[x]]]>", "x]"},
    {"x <!-- no comment in text -->", "x"},
    {"x\r", "x"},
    {"", ""},
};

TEST(XMLParser, TextRunsFoldTrimAndDecode)
{
    for (const TextCase& c : kTextCases)
    {
        SCOPED_TRACE(c.content);
        const TXMLElementList elements = Parse(kDeclaration + "<a>" + c.content + "</a>");
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(U8(elements[0]->fText), c.text);
    }
}

const TextCase kPreservedTextCases[] = {
    {"\r\n  x\r\n", "  x"},
    {"\n\n\tx \n", "\n\tx "},
    {"  a  \r\n\r\n", "  a  \r\n"},
    {"<![CDATA[ a ]]>", " a "},
};

TEST(XMLParser, PreservedTextsKeepTheirWhitespace)
{
    for (const TextCase& c : kPreservedTextCases)
    {
        SCOPED_TRACE(c.content);
        for (const char* attribute : {" xml::space='preserve'", " xml::space=\"preserve\""})
        {
            const TXMLElementList elements =
                Parse(kDeclaration + "<a" + attribute + ">" + c.content + "</a>");
            EXPECT_EQ(U8(elements[0]->fText), c.text);
        }
    }
    EXPECT_EQ(U8(Parse(kDeclaration + "<a xml:space='preserve'>  x  </a>")[0]->fText), "x");
}

// Whatever ends the text, only bytes that exist are compared: each of these documents ends
// right after the construct that the parser has to recognise.
TEST(XMLParser, DocumentsEndingRightAfterAConstructAreRead)
{
    EXPECT_EQ(U8(Parse(kDeclaration + "<a>x</a>")[0]->fText), "x");
    EXPECT_EQ(U8(Parse(kDeclaration + "<a><![CDATA[x]]></a>")[0]->fText), "x");
    EXPECT_EQ(Parse(kDeclaration + "<a/><!-- c -->").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><!---->").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><?pi?>").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><!DOCTYPE d &amp;").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><!DOCTYPE d [&lt;]>").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><!-- unterminated").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><?unterminated?").size(), 1u);
    EXPECT_EQ(Parse(kDeclaration + "<a/><b x='&amp;").size(), 1u)
        << "an element cut off in its start tag is dropped";
}

TEST(XMLParser, SkipsCommentsInstructionsAndDocumentType)
{
    const TXMLElementList elements =
        Parse(kDeclaration + "<!DOCTYPE a [<!ENTITY e 'x>y'>]><?pi a?b?><!-- <b/> -- -->"
                             "<a><!-- c --><?p?><c/></a>");
    ASSERT_EQ(elements.size(), 1u);
    ASSERT_EQ(elements[0]->fChildren.size(), 1u);
    EXPECT_EQ(U8(elements[0]->fChildren[0]->fName), "c");
}

TEST(XMLParser, MalformedUTF8FailsInTheTextConversion)
{
    // A lead byte that starts nothing, and an encoded surrogate (U+D800), in a text and in a name.
    for (const std::string body : {"<a>\xFF</a>", "<a>\xED\xA0\x80</a>", "<a\xED\xA0\x80/>"})
    {
        SCOPED_TRACE(body);
        try
        {
            Parse(kDeclaration + body);
            ADD_FAILURE() << "parsed";
        }
        catch (const NSQuorral::XFormatViolation& error)
        {
            EXPECT_TRUE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(error), "unicode"));
        }
    }
}

std::string Nested(size_t depth)
{
    std::string document = kDeclaration;
    for (size_t i = 0; i < depth; ++i)
        document += "<e>";
    for (size_t i = 0; i < depth; ++i)
        document += "</e>";
    return document;
}

TEST(XMLParser, NestingIsBoundedInsteadOfExhaustingTheStack)
{
    const TXMLElementList deepest = Parse(Nested(NSFerrant::kMaxXMLNestingDepth));
    size_t depth = 0;
    for (auto e = deepest.empty() ? nullptr : deepest[0]; e;
         e = e->fChildren.empty() ? nullptr : e->fChildren[0])
        ++depth;
    EXPECT_EQ(depth, NSFerrant::kMaxXMLNestingDepth);

    for (const size_t tooDeep : {size_t(NSFerrant::kMaxXMLNestingDepth) + 1, size_t(100000)})
    {
        const std::optional<TXMLFailure> failure = ParseFailure(Nested(tooDeep));
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->cause, "nesting_too_deep_error");
        EXPECT_EQ(failure->line, 1u);
    }
}

// Mutations of valid documents: every outcome is a parsed list or an exception of the error
// framework; a crash or a hang fails the run.
TEST(XMLParser, MutatedDocumentsNeverCrashOrHang)
{
    const std::string seeds[] = {
        kDeclaration +
            "\r\n<SampleReference type=\"sample\" >\r\n    <Package name=\"Drums &amp; Bass\" />\r\n"
            "    <Path xml::space=\"preserve\" >\r\n  a/b\r\n</Path>\r\n</SampleReference>\r\n",
        kDeclaration + "<!DOCTYPE x [<!ENTITY e 'v'>]><?pi?><!-- c --><a x='&#x1F600;' y=\"&quot;\">"
                       "<![CDATA[</a>]]><b>&#10;&lt;&gt;&apos;</b><c/></a>",
    };
    const char interesting[] = "<>/!?&#;=\"' \t\r\n[]-xXaA0";
    std::mt19937 random(20261210);
    size_t parsed = 0;
    for (int round = 0; round < 4000; ++round)
    {
        std::string document = seeds[round % 2];
        const int edits = 1 + int(random() % 4);
        for (int edit = 0; edit < edits && !document.empty(); ++edit)
        {
            const size_t at = random() % document.size();
            const char byte =
                random() % 3 ? interesting[random() % (sizeof(interesting) - 1)] : char(random());
            switch (random() % 4)
            {
            case 0:
                document[at] = byte;
                break;
            case 1:
                document.insert(document.begin() + at, byte);
                break;
            case 2:
                document.erase(at, 1 + random() % 8);
                break;
            default:
                document.resize(at);
            }
        }
        try
        {
            Parse(document);
            ++parsed;
        }
        catch (const std::exception&)
        {
        }
    }
    EXPECT_GT(parsed, 0u);
}
} // namespace

#include "media/xml/XMLWriter.h"

#include "base/TextConversions.h"

namespace NSFerrant
{
namespace
{
const char kLineEnd[] = "\r\n";
const char kIndentStep[] = "    ";

std::string EscapeXMLText(const std::string& utf8)
{
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8)
    {
        switch (c)
        {
        case '"':
            escaped += "&quot;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string EscapeXMLText(const NSTextPackage::TUTF16String& text)
{
    return EscapeXMLText(NSTextPackage::ToUTF8(text));
}

// Texts that look like markup go into a CDATA section. Not when the section would end early at a
// "]]>" inside the text, nor for preserved text that ends in a line break: the parser drops a line
// break that ends a text run, and only the escaped form is followed by the written line end.
void WriteXMLText(std::string& out, const NSTextPackage::TUTF16String& text, bool preserve)
{
    const std::string utf8 = NSTextPackage::ToUTF8(text);
    const bool looksLikeMarkup = utf8.find("</") != std::string::npos || utf8.find("/>") != std::string::npos;
    const bool endsInLineBreak = utf8.back() == '\r' || utf8.back() == '\n';
    if (looksLikeMarkup && utf8.find("]]>") == std::string::npos && !(preserve && endsInLineBreak))
    {
        out += "<![CDATA[";
        out += utf8;
        out += "]]>";
    }
    else
        out += EscapeXMLText(utf8);
}

// lineIndent is the indentation of the start tag's own line; indent is the element's level.
void WriteXMLElement(std::string& out, const CXMLElement& element, const std::string& indent,
                     const std::string& lineIndent)
{
    out += lineIndent;
    out += '<';
    out += EscapeXMLText(element.fName);
    for (const auto& attribute : element.fAttributes)
    {
        out += ' ';
        out += NSTextPackage::ToUTF8(attribute->fName);
        out += "=\"";
        out += EscapeXMLText(attribute->fValue);
        out += "\" ";
    }
    if (element.fText.empty() && element.fChildren.empty())
    {
        out += "/>";
        out += kLineEnd;
        return;
    }

    out += '>';
    const bool preserve = element.GetXMLSpace() == kXMLSpacePreserve;
    if (!element.fText.empty())
    {
        out += kLineEnd;
        if (!preserve)
            out += indent + kIndentStep;
        WriteXMLText(out, element.fText, preserve);
    }
    out += kLineEnd;

    // The parser keeps every blank of a preserved text up to the next tag, so in a preserved
    // element the line after the text starts without indentation.
    const std::string childIndent = indent + kIndentStep;
    for (size_t i = 0; i < element.fChildren.size(); ++i)
        WriteXMLElement(out, *element.fChildren[i], childIndent, preserve && i == 0 ? "" : childIndent);
    if (!(preserve && element.fChildren.empty()))
        out += indent;
    out += "</";
    out += EscapeXMLText(element.fName);
    out += '>';
    out += kLineEnd;
}
} // namespace

std::string WriteXMLDocument(const TXMLElementList& elements)
{
    std::string out = "<?xml version=\"1.0\"?>";
    out += kLineEnd;
    for (const auto& element : elements)
        WriteXMLElement(out, *element, std::string(), std::string());
    return out;
}
} // namespace NSFerrant

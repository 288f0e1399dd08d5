#include "media/xml/XMLParser.h"

#include "base/Quorral.h"
#include "base/NumberText.h"
#include "base/TextConversions.h"
#include "media/UTF32Text.h"

#include <string>
#include <string_view>

namespace NSFerrant
{
namespace
{
// Cause keys of the parser's errors; each carries a text value (often empty).
const char kXMLFormatTagError[] = "xml_format_tag_error";
const char kExpectedCharError[] = "expected_char_error";
const char kUnexpectedCharError[] = "unexpected_char_error";
const char kUnexpectedEndOfFileError[] = "unexpected_end_of_file_error";
const char kUnsupportedAmpError[] = "unsupported_amp_error";
const char kTagMismatchError[] = "tag_mismatch_error";
const char kNestingTooDeepError[] = "nesting_too_deep_error";

[[noreturn]] void ThrowXMLError(u32 line, const char* cause, const std::string& value)
{
    NSQuorral::CThrowContext context{NSQuorral::TThrowSite()};
    context << NSQuorral::XFormatViolation("");
    context.SetTargetObjectType("xml_format");
    context.SetProperty(NSQuorral::MakeIntegerProperty("line_number", line));
    context.SetProperty(NSQuorral::MakeStringProperty(cause, value));
    NSQuorral::ThrowException(context);
}

bool IsXMLBlank(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Characters that end or split a name in a tag, or that the writer would escape in a start tag
// but not in the end tag's comparison. A name holding one, possibly made by a reference, could
// not be written back so that it reads back the same.
bool IsNameBreakingChar(char c)
{
    return IsXMLBlank(c) || c == '/' || c == '=' || c == '<' || c == '>' || c == '&' || c == '"' || c == '\'';
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void RemoveTrailingLineBreak(NSTextPackage::TUTF16String& text)
{
    const size_t length = text.size();
    if (length >= 2 && text[length - 2] == '\r' && text[length - 1] == '\n')
        text.resize(length - 2);
    else if (length >= 1 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        text.resize(length - 1);
}

void TrimSpaces(NSTextPackage::TUTF16String& text)
{
    const size_t first = text.find_first_not_of(u16(' '));
    if (first == NSTextPackage::TUTF16String::npos)
        text.clear();
    else
        text = text.substr(first, text.find_last_not_of(u16(' ')) - first + 1);
}

// One pass over the bytes with a cursor and a line counter; every consumed line feed counts,
// wherever it stands. Nothing reads at or beyond fEnd.
class CXMLParser
{
public:
    CXMLParser(const char* begin, const char* end) : fCursor(begin), fEnd(end), fLine(1) {}

    TXMLElementList ParseDocument()
    {
        if (TakeXMLChars(5) != "<?xml")
            Fail(kXMLFormatTagError);
        ReadDeclaration();
        return ParseXMLNodes(std::string(), 1);
    }

private:
    void ReadDeclaration()
    {
        std::string declaration;
        for (;;)
        {
            // A declaration cut off by the end is a truncated document, not an empty one.
            const char c = TakeXMLChar();
            if (c == ' ' && declaration.empty())
                continue;
            if (c == '?')
            {
                if (TakeXMLChar() != '>')
                    Fail(kExpectedCharError, ">");
                break;
            }
            declaration += c;
        }
        // Only a declaration that names no version, or version "1.0" in double quotes first, is read.
        if (declaration.find("version=") != std::string::npos &&
            declaration.compare(0, 13, "version=\"1.0\"") != 0)
            Fail(kXMLFormatTagError);
    }

    // The sibling elements up to the closing tag of parentName (empty at the top level), each
    // at the given nesting depth. Text between and after them is not kept.
    TXMLElementList ParseXMLNodes(const std::string& parentName, u32 depth)
    {
        TXMLElementList elements;
        for (;;)
        {
            if (AtEnd())
            {
                if (parentName.empty())
                    return elements;
                Fail(kTagMismatchError, parentName);
            }
            if (TakeXMLChar() != '<')
                continue;
            if (AtEnd())
                Fail(kUnexpectedEndOfFileError);
            if (PeekXMLChars("!--"))
                SkipComment();
            else if (PeekXMLChars("!DOCTYPE"))
                SkipDocumentType();
            else if (PeekXMLChars("/"))
            {
                if (ReadClosingTag(parentName))
                    return elements;
            }
            else if (PeekXMLChars("?"))
                SkipProcessingInstruction();
            else
                ParseXMLElement(elements, depth);
        }
    }

    void SkipComment()
    {
        TakeXMLChars(3);
        while (!AtEnd())
        {
            if (TakeXMLChar() == '-' && PeekXMLChars("->"))
            {
                TakeXMLChars(2);
                return;
            }
        }
    }

    void SkipDocumentType()
    {
        TakeXMLChars(8);
        while (!AtEnd())
        {
            if (PeekXMLChars(">"))
            {
                TakeXMLChar();
                return;
            }
            if (PeekXMLChars("["))
            {
                TakeXMLChar();
                while (!PeekXMLChars("]"))
                {
                    if (AtEnd())
                        return;
                    DropXMLChar();
                }
                TakeXMLChar();
                continue;
            }
            DropXMLChar();
        }
    }

    void SkipProcessingInstruction()
    {
        TakeXMLChar();
        while (!AtEnd())
        {
            if (TakeXMLChar() == '?' && PeekXMLChars(">"))
            {
                TakeXMLChar();
                return;
            }
        }
    }

    // True when the closing tag names parentName; false when the text ends inside it.
    bool ReadClosingTag(const std::string& parentName)
    {
        TakeXMLChar();
        std::string name;
        while (!AtEnd())
        {
            const char c = TakeXMLChar();
            if (c == '>')
            {
                if (name != parentName)
                    Fail(kTagMismatchError, parentName);
                return true;
            }
            if (c == ' ')
                Fail(kUnexpectedCharError, " ");
            name += c;
        }
        return false;
    }

    // Reads one element whose "<" has been consumed and appends it to elements; an element whose
    // start tag the end of the text cuts off is dropped.
    void ParseXMLElement(TXMLElementList& elements, u32 depth)
    {
        if (depth > kMaxXMLNestingDepth)
            Fail(kNestingTooDeepError);
        auto element = std::make_shared<CXMLElement>(NSTextPackage::TUTF16String(),
                                                     NSTextPackage::TUTF16String(), fLine);
        std::string name;
        std::string token;
        while (!AtEnd())
        {
            const char c = *fCursor;
            if (IsXMLBlank(c))
            {
                TakeXMLChar();
                if (name.empty())
                {
                    name.swap(token);
                    DecodeElementName(name);
                }
                else if (!token.empty())
                    Fail(kUnexpectedCharError, std::string(1, c));
            }
            else if (c == '/')
            {
                TakeXMLChar();
                if (TakeXMLChar() != '>')
                    Fail(kExpectedCharError, ">");
                element->SetName(TakePendingName(name, token, "/"));
                elements.push_back(element);
                return;
            }
            else if (c == '=')
            {
                TakeXMLChar();
                if (token.empty())
                    Fail(kUnexpectedCharError, "=");
                const NSTextPackage::TUTF16String attributeName = DecodeName(token);
                token.clear();
                ReadAttributeValue(*element, attributeName);
            }
            else if (c == '>')
            {
                TakeXMLChar();
                NSTextPackage::TUTF16String decodedName = TakePendingName(name, token, ">");
                const bool preserve = element->GetXMLSpace() == kXMLSpacePreserve;
                NSTextPackage::TUTF16String text = ReadXMLText(preserve);
                element->SetName(decodedName);
                element->fText.swap(text);
                element->fChildren = ParseXMLNodes(name, depth + 1);
                elements.push_back(element);
                return;
            }
            else
            {
                bool fromNumericReference = false;
                token += DecodeXMLChar(fromNumericReference);
            }
        }
    }

    // At the end of a start tag a pending token names the element when no name was set yet;
    // otherwise it is dropped. Answers the element's name, decoded and checked.
    NSTextPackage::TUTF16String TakePendingName(std::string& name, const std::string& token, const char* endMark)
    {
        if (name.empty())
            name = token;
        if (name.empty())
            Fail(kUnexpectedCharError, endMark);
        return DecodeElementName(name);
    }

    // Names are checked as the characters they decode to: an overlong UTF-8 form of "/" is "/".
    NSTextPackage::TUTF16String DecodeName(const std::string& name) const
    {
        NSTextPackage::TUTF16String decoded = NSTextPackage::UTF8ToUTF16(name);
        for (const u16 unit : decoded)
        {
            if (unit < 0x80 && IsNameBreakingChar(char(unit)))
                Fail(kUnexpectedCharError, std::string(1, char(unit)));
        }
        return decoded;
    }

    // An element name must also not read back as the start of a comment, a document type, a
    // processing instruction or, written as a first child, the parent's CDATA section.
    NSTextPackage::TUTF16String DecodeElementName(const std::string& name) const
    {
        NSTextPackage::TUTF16String decoded = DecodeName(name);
        const auto startsWith = [&decoded](const char* prefix)
        {
            const NSTextPackage::TUTF16String wanted = NSTextPackage::UTF8ToUTF16(prefix);
            return decoded.compare(0, wanted.size(), wanted) == 0;
        };
        if (startsWith("!--") || startsWith("!DOCTYPE") || startsWith("![CDATA["))
            Fail(kUnexpectedCharError, "!");
        if (startsWith("?"))
            Fail(kUnexpectedCharError, "?");
        return decoded;
    }

    void ReadAttributeValue(CXMLElement& element, const NSTextPackage::TUTF16String& attributeName)
    {
        const char quote = TakeXMLChar();
        if (quote != '"' && quote != '\'')
            Fail(kExpectedCharError, "\"'");
        std::string value;
        while (!AtEnd())
        {
            const char c = *fCursor;
            if (c == '<' || c == '>')
                Fail(kUnexpectedCharError, std::string(1, c));
            if (c == quote)
            {
                TakeXMLChar();
                element.fAttributes.push_back(
                    std::make_shared<CXMLAttribute>(attributeName, NSTextPackage::UTF8ToUTF16(value)));
                return;
            }
            bool fromNumericReference = false;
            value += DecodeXMLChar(fromNumericReference);
        }
    }

    // The text run right after a start tag's ">": up to the first "<", or one CDATA section.
    NSTextPackage::TUTF16String ReadXMLText(bool preserve)
    {
        if (AtEnd())
            Fail(kUnexpectedEndOfFileError);
        if (PeekXMLChars("\r"))
            TakeXMLChar();
        if (PeekXMLChars("\n"))
            TakeXMLChar();

        std::string bytes;
        bool folded = true;
        while (!AtEnd())
        {
            if (PeekXMLChars("<"))
            {
                if (PeekXMLChars("<![CDATA["))
                {
                    TakeXMLChars(9);
                    ReadCDATA(bytes);
                }
                break;
            }
            bool fromNumericReference = false;
            const std::string decoded = DecodeXMLChar(fromNumericReference);
            if (decoded.size() == 1 && IsXMLBlank(decoded[0]) && decoded[0] != ' ')
            {
                if (preserve || fromNumericReference)
                    bytes += decoded;
                else if (!folded)
                {
                    bytes += ' ';
                    folded = true;
                }
            }
            else
            {
                bytes += decoded;
                folded = false;
            }
        }

        NSTextPackage::TUTF16String text = NSTextPackage::UTF8ToUTF16(bytes);
        if (!preserve)
            TrimSpaces(text);
        RemoveTrailingLineBreak(text);
        return text;
    }

    void ReadCDATA(std::string& bytes)
    {
        while (!AtEnd())
        {
            if (PeekXMLChars("]]>"))
            {
                TakeXMLChars(3);
                return;
            }
            bytes += TakeXMLChar();
        }
    }

    // The UTF-8 bytes of one character, a named entity or a numeric character reference.
    std::string DecodeXMLChar(bool& fromNumericReference)
    {
        fromNumericReference = false;
        const char c = TakeXMLChar();
        if (c != '&')
            return std::string(1, c);
        switch (TakeXMLChar())
        {
        case '#':
            fromNumericReference = true;
            return DecodeNumericReference();
        case 'a':
        {
            const char next = TakeXMLChar();
            if (next == 'm')
                return TakeEntityTail("p;", "&");
            if (next == 'p')
                return TakeEntityTail("os;", "'");
            break;
        }
        case 'g':
            return TakeEntityTail("t;", ">");
        case 'l':
            return TakeEntityTail("t;", "<");
        case 'q':
            return TakeEntityTail("uot;", "\"");
        }
        Fail(kUnsupportedAmpError);
    }

    void DropXMLChar()
    {
        bool fromNumericReference = false;
        DecodeXMLChar(fromNumericReference);
    }

    std::string TakeEntityTail(std::string_view tail, const char* result)
    {
        if (TakeXMLChars(tail.size()) != tail)
            Fail(kUnsupportedAmpError);
        return result;
    }

    // At most 8 digits are read; the byte after the eighth is consumed whatever it is.
    std::string DecodeNumericReference()
    {
        char digit = TakeXMLChar();
        const bool hexadecimal = digit == 'x' || digit == 'X';
        if (hexadecimal)
            digit = TakeXMLChar();
        if (digit == ';')
            Fail(kUnsupportedAmpError);
        std::string digits;
        for (;;)
        {
            digits += digit;
            if (digits.size() == 8)
            {
                TakeXMLChar();
                break;
            }
            digit = TakeXMLChar();
            if (digit == ';')
                break;
        }

        i64 value = 0;
        if (hexadecimal)
        {
            for (const char d : digits)
            {
                const int digitValue = HexDigitValue(d);
                if (digitValue < 0)
                    Fail(kUnsupportedAmpError);
                value = value * 16 + digitValue;
            }
        }
        else if (!NSTextPackage::ParseInteger(NSTextPackage::UTF8ToUTF16(digits), value))
            Fail(kUnsupportedAmpError);
        // Only Unicode scalar values name a character.
        if (value < 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            Fail(kUnsupportedAmpError);
        return NSTextPackage::UTF16ToUTF8(
            NSTextPackage::UTF32ToUTF16(NSTextPackage::TUTF32String(1, u32(value))));
    }

    bool AtEnd() const { return fCursor == fEnd; }

    // True when the next bytes are expected; only bytes that exist are compared.
    bool PeekXMLChars(std::string_view expected) const
    {
        return size_t(fEnd - fCursor) >= expected.size() &&
               std::string_view(fCursor, expected.size()) == expected;
    }

    char TakeXMLChar()
    {
        if (AtEnd())
            Fail(kUnexpectedEndOfFileError);
        const char c = *fCursor++;
        if (c == '\n')
            ++fLine;
        return c;
    }

    std::string TakeXMLChars(size_t count)
    {
        if (size_t(fEnd - fCursor) < count)
            Fail(kUnexpectedEndOfFileError);
        std::string bytes;
        for (size_t i = 0; i < count; ++i)
            bytes += TakeXMLChar();
        return bytes;
    }

    [[noreturn]] void Fail(const char* cause, const std::string& value = std::string()) const
    {
        ThrowXMLError(fLine, cause, value);
    }

    const char* fCursor;
    const char* const fEnd;
    u32 fLine;
};
} // namespace

TXMLElementList ParseXMLDocument(const char* begin, const char* end)
{
    return CXMLParser(begin, end).ParseDocument();
}
} // namespace NSFerrant

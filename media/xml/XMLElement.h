#pragma once
// The in-memory tree of the program's XML dialect: elements with a name, a text, attributes
// and ordered children. A document is the ordered list of its top-level elements.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
// Names never contain '/', ' ' or '='; every setter of a name checks this and throws
// std::invalid_argument. Values and texts are unrestricted.
class CXMLAttribute
{
public:
    CXMLAttribute(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& value);

    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fValue;
};

class CXMLElement;
using TXMLElementList = std::vector<std::shared_ptr<CXMLElement>>;

// Elements share ownership of their attributes and children and hold no parent pointer, so a
// subtree can be moved into another list or dropped on its own.
class CXMLElement
{
public:
    CXMLElement(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& text);
    CXMLElement(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& text,
                u32 lineNumber);

    void SetName(const NSTextPackage::TUTF16String& name);

    // Exchanges all fields, so an element held by a parent's list can take new content in place.
    void Swap(CXMLElement& other);

    // The value of the first "xml::space" attribute, empty when there is none.
    NSTextPackage::TUTF16String GetXMLSpace() const;

    NSTextPackage::TUTF16String fName;
    // Only the text between the start tag and the first child element.
    NSTextPackage::TUTF16String fText;
    // 1-based line of the start tag in parsed text; 0 for an element built by code.
    u32 fLineNumber;
    std::vector<std::shared_ptr<CXMLAttribute>> fAttributes;
    TXMLElementList fChildren;
};

// "xml::space" (two colons: this dialect's spelling) and "preserve": an element with this
// attribute value keeps its text's whitespace exactly.
extern const NSTextPackage::TUTF16String kXMLSpaceAttributeName;
extern const NSTextPackage::TUTF16String kXMLSpacePreserve;

// The first element of [first, last) whose name equals name unit for unit; empty when none does.
std::shared_ptr<CXMLElement> FindXMLElement(TXMLElementList::const_iterator first,
                                            TXMLElementList::const_iterator last,
                                            const NSTextPackage::TUTF16String& name);
} // namespace NSFerrant

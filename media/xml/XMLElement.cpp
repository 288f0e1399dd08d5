#include "media/xml/XMLElement.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <algorithm>
#include <stdexcept>

namespace NSFerrant
{
namespace
{
void CheckXMLName(const NSTextPackage::TUTF16String& name)
{
    for (const u16 forbidden : {u16('/'), u16(' '), u16('=')})
    {
        if (name.find(forbidden) != NSTextPackage::TUTF16String::npos)
        {
            NSQuorral::CThrowContext context{NSQuorral::TThrowSite()};
            context << std::invalid_argument("");
            NSQuorral::ThrowException(context);
        }
    }
}
} // namespace

const NSTextPackage::TUTF16String kXMLSpaceAttributeName = NSTextPackage::ASCIIToUTF16("xml::space", 0);
const NSTextPackage::TUTF16String kXMLSpacePreserve = NSTextPackage::ASCIIToUTF16("preserve", 0);

CXMLAttribute::CXMLAttribute(const NSTextPackage::TUTF16String& name,
                             const NSTextPackage::TUTF16String& value)
    : fName(name), fValue(value)
{
    CheckXMLName(fName);
}

CXMLElement::CXMLElement(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& text)
    : CXMLElement(name, text, 0)
{
}

CXMLElement::CXMLElement(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& text,
                         u32 lineNumber)
    : fName(name), fText(text), fLineNumber(lineNumber)
{
    CheckXMLName(fName);
}

void CXMLElement::SetName(const NSTextPackage::TUTF16String& name)
{
    CheckXMLName(name);
    fName = name;
}

void CXMLElement::Swap(CXMLElement& other)
{
    fName.swap(other.fName);
    fText.swap(other.fText);
    std::swap(fLineNumber, other.fLineNumber);
    fAttributes.swap(other.fAttributes);
    fChildren.swap(other.fChildren);
}

NSTextPackage::TUTF16String CXMLElement::GetXMLSpace() const
{
    for (const auto& attribute : fAttributes)
    {
        if (attribute->fName == kXMLSpaceAttributeName)
            return attribute->fValue;
    }
    return {};
}

std::shared_ptr<CXMLElement> FindXMLElement(TXMLElementList::const_iterator first,
                                            TXMLElementList::const_iterator last,
                                            const NSTextPackage::TUTF16String& name)
{
    const auto found = std::find_if(
        first, last, [&name](const std::shared_ptr<CXMLElement>& e) { return e->fName == name; });
    return found == last ? nullptr : *found;
}
} // namespace NSFerrant

#include "content/references/XMLBuilders.h"

#include "content/references/ASCIIText.h"

namespace NSXMLBuilders
{
std::shared_ptr<NSFerrant::CXMLElement> NewElement(const char* name, const NSTextPackage::TUTF16String& text)
{
    return std::make_shared<NSFerrant::CXMLElement>(NSASCIIText::Widen(name), text);
}

void AddAttribute(NSFerrant::CXMLElement& element, const char* name, const NSTextPackage::TUTF16String& value)
{
    element.fAttributes.push_back(
        std::make_shared<NSFerrant::CXMLAttribute>(NSASCIIText::Widen(name), value));
}

NSFerrant::CXMLElement& AddChild(NSFerrant::CXMLElement& parent, const char* name,
                                 const NSTextPackage::TUTF16String& text)
{
    parent.fChildren.push_back(NewElement(name, text));
    return *parent.fChildren.back();
}
} // namespace NSXMLBuilders

#pragma once
// Building the elements of the host's XML from ASCII names.
#include "media/xml/XMLElement.h"

#include <memory>

namespace NSXMLBuilders
{
std::shared_ptr<NSFerrant::CXMLElement> NewElement(const char* name,
                                                   const NSTextPackage::TUTF16String& text = {});
void AddAttribute(NSFerrant::CXMLElement& element, const char* name,
                  const NSTextPackage::TUTF16String& value);
// A new child with that name and text, appended to the parent's children.
NSFerrant::CXMLElement& AddChild(NSFerrant::CXMLElement& parent, const char* name,
                                 const NSTextPackage::TUTF16String& text = {});
} // namespace NSXMLBuilders

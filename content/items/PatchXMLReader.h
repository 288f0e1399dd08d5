#pragma once
// Reader of device patch XML ("GramolaPatch" documents): checks the document's outer shape and
// its format version and hands back the root element.
#include "base/VersionNumbers.h"
#include "media/xml/XMLElement.h"

#include <memory>
#include <string>

namespace NSFerrant
{
class CMedia;
}

struct TPatchXMLDocument
{
    NSFerrant::TVersion fVersion;
    std::shared_ptr<NSFerrant::CXMLElement> fRoot;
};

// The newest format version read.
constexpr NSFerrant::TVersion kNewestPatchXMLVersion{2, 0, 0};

// kind names the document in the messages ("Patch" for device patches). The root must be a
// "GramolaPatch" whose "version" is not newer than kNewestPatchXMLVersion.
TPatchXMLDocument ReadPatchXMLDocument(NSFerrant::CMedia& media, const std::string& kind);

// The one top-level element of the UTF-8 text from the media's position to its end; the position
// ends at the end. Failures are XFormatViolation with the reader's own messages.
std::shared_ptr<NSFerrant::CXMLElement> ParsePatchXML(NSFerrant::CMedia& media);

// The value of the element's first attribute named "version"; XFormatViolation when there is none.
NSTextPackage::TUTF16String GetRequiredXMLAttribute(const NSFerrant::CXMLElement& element);

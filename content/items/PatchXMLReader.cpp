#include "content/items/PatchXMLReader.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/ThrowContext.h"
#include "content/references/ASCIIText.h"
#include "content/references/ContentFailures.h"
#include "base/Media.h"
#include "media/xml/XMLParser.h"

namespace
{
const char* const kRootName = "GramolaPatch";
const char* const kVersionAttributeName = "version";
} // namespace

std::shared_ptr<NSFerrant::CXMLElement> ParsePatchXML(NSFerrant::CMedia& media)
{
    const i64 size = NSFerrant::GetBytesLeft(media);
    if (size == 0)
        NSContentFailures::ThrowFormatViolation("Patch format error: Empty XML file");
    std::string text(size_t(size), '\0');
    NSFerrant::ReadBytes(media, size, text.data());

    NSFerrant::TXMLElementList elements;
    try
    {
        elements = NSFerrant::ParseXMLDocument(text.data(), text.data() + text.size());
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        NSContentFailures::ThrowFormatViolation("Patch format error: Couldn't interpret file as XML");
    }
    if (elements.size() != 1)
        NSContentFailures::ThrowFormatViolation("Patch format error: Only one top level XML element allowed");
    return elements.front();
}

NSTextPackage::TUTF16String GetRequiredXMLAttribute(const NSFerrant::CXMLElement& element)
{
    for (const std::shared_ptr<NSFerrant::CXMLAttribute>& attribute : element.fAttributes)
    {
        if (NSASCIIText::Equals(attribute->fName, kVersionAttributeName))
            return attribute->fValue;
    }
    NSContentFailures::ThrowFormatViolation(std::string("Patch format error: Required XML attribute '") +
                                            kVersionAttributeName + "' not found");
}

TPatchXMLDocument ReadPatchXMLDocument(NSFerrant::CMedia& media, const std::string& kind)
{
    TPatchXMLDocument document;
    document.fRoot = ParsePatchXML(media);
    if (!NSASCIIText::Equals(document.fRoot->fName, kRootName))
        NSContentFailures::ThrowFormatViolation("Format error in " + kind);
    document.fVersion = NSFerrant::ParseVersion(GetRequiredXMLAttribute(*document.fRoot));
    if (NSFerrant::CompareVersions(document.fVersion, kNewestPatchXMLVersion) == NSFerrant::kVersionNewer)
        NSQuorral::ThrowException(
            NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
            << NSQuorral::XVersionTooNew("A newer Tessaro version is needed to read this " + kind));
    return document;
}

#include "content/references/SampleReference.h"

#include "base/Throw.h"
#include "media/VersionedString.h"
#include "content/references/ASCIIText.h"
#include "content/references/ContentFailures.h"
#include "content/references/HostDocumentChunks.h"
#include "content/references/StoredVersions.h"
#include "content/references/XMLBuilders.h"
#include "media/IFFFileWriter.h"
#include "base/Media.h"
#include "media/StoredStrings.h"
#include "media/xml/XMLElement.h"

using NSStoredVersions::IsOlderThan;
using NSTextPackage::TUTF16String;

namespace
{
const NSFerrant::TVersion kOldestBody{1, 0, 0};
const NSFerrant::TVersion kNewestBody{2, 0, 0};

TUTF16String TypeText(u32 type)
{
    if (type == kSampleReferenceLoop)
        return NSASCIIText::Widen("kiv");
    if (type == kSampleReferenceSample)
        return NSASCIIText::Widen("sample");
    return TUTF16String();
}

// The value of the child's attribute of that name, for each such attribute in order.
template <class TSetter>
void ForEachAttributeNamed(const NSFerrant::CXMLElement& element, const char* name, TSetter set)
{
    for (const std::shared_ptr<NSFerrant::CXMLAttribute>& attribute : element.fAttributes)
    {
        if (NSASCIIText::Equals(attribute->fName, name))
            set(attribute->fValue);
    }
}
} // namespace

CSF10ReferenceChunk::CSF10ReferenceChunk(NSFerrant::CMedia& media)
{
    ReadBody(media);
}

void CSF10ReferenceChunk::ReadBody(NSFerrant::CMedia& media)
{
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(media);
    if (IsOlderThan(version, 1, 0, 0) || version.fMajor > kNewestBody.fMajor)
        ThrowVersionMismatch(kOldestBody, kNewestBody, version);

    fRelativePath.Read(media);
    fDatabasePath.Read(media);
    // Bodies whose absolute path is of the versions 1.5.0 or 1.6.0 store the names that follow in
    // the counted UTF-8 form too.
    const bool eightBit = fAbsolutePath.Read(media);
    NSFerrant::ReadVersionedString(fUserFriendlyName, media, eightBit);
    NSFerrant::ReadVersionedString(fVantleName, media, eightBit);
    NSFerrant::ReadVersionedString(fVantleURL, media, eightBit);
    fSampleType = NSFerrant::ReadU8(media);

    // Before 1.1.0 the second name was the package name.
    if (IsOlderThan(version, 1, 1, 0))
        fPackageName.Swap(fVantleName);
    else
        NSFerrant::ReadVersionedString(fPackageName, media, eightBit);

    if (IsOlderThan(version, 1, 2, 0))
        fTrueName = DeriveTrueName(fRelativePath, fDatabasePath, fAbsolutePath);
    else
        NSFerrant::ReadVersionedString(fTrueName, media, false);

    // From 1.3.0 on the paths stand again in their newer forms, which replace the older ones.
    if (!IsOlderThan(version, 1, 3, 0))
    {
        fRelativePath = CRelativePath();
        fDatabasePath = CDatabasePath();
        fAbsolutePath = CAbsolutePath();
        fRelativePath.Read(media);
        fDatabasePath.Read(media);
        fAbsolutePath.Read(media);
    }

    if (!IsOlderThan(version, 2, 0, 0))
    {
        fDeviceInternalID = NSFerrant::ReadUTF8String(media);
        fDeviceUIName = NSFerrant::ReadUTF8String(media);
        fDeviceVersion = NSFerrant::ReadVersion(media);
    }
}

void CSF10ReferenceChunk::Write(NSFerrant::CMedia& media) const
{
    const bool withDevice = !fDeviceInternalID.empty();
    NSFerrant::WriteVersion(withDevice ? NSFerrant::TVersion{2, 0, 0} : NSFerrant::TVersion{1, 3, 0}, media);
    fRelativePath.Write(media, CRelativePath::kOlderForm);
    fDatabasePath.Write(media, CDatabasePath::kOlderForm);
    fAbsolutePath.Write(media, CAbsolutePath::kOlderForm);
    NSFerrant::WriteNameString(media, fUserFriendlyName.GetText());
    NSFerrant::WriteNameString(media, fVantleName.GetText());
    NSFerrant::WriteNameString(media, fVantleURL.GetText());
    NSFerrant::WriteU8(media, u8(fSampleType));
    NSFerrant::WriteNameString(media, fPackageName.GetText());
    NSFerrant::WriteNameString(media, fTrueName.GetText());
    fRelativePath.Write(media, CRelativePath::kNewerForm);
    fDatabasePath.Write(media, CDatabasePath::kNewerForm);
    fAbsolutePath.Write(media, CAbsolutePath::kNewerForm);
    if (!withDevice)
        return;
    NSFerrant::WriteUTF8String(media, fDeviceInternalID);
    NSFerrant::WriteUTF8String(media, fDeviceUIName);
    NSFerrant::WriteVersion(fDeviceVersion, media);
}

CSF10ReferenceChunk::CSF10ReferenceChunk(const std::shared_ptr<NSFerrant::CXMLElement>& element)
{
    if (!element || !NSASCIIText::Equals(element->fName, "SampleReference"))
        NSContentFailures::ThrowFormatViolation("Expected SampleReference XML node");

    for (const std::shared_ptr<NSFerrant::CXMLAttribute>& attribute : element->fAttributes)
    {
        if (NSASCIIText::Equals(attribute->fName, "trueName"))
            fTrueName = THashedString(attribute->fValue);
        else if (NSASCIIText::Equals(attribute->fName, "userFriendlyName"))
            fUserFriendlyName = THashedString(attribute->fValue);
        else if (NSASCIIText::Equals(attribute->fName, "type"))
        {
            if (NSASCIIText::Equals(attribute->fValue, "sample"))
                fSampleType = kSampleReferenceSample;
            else if (NSASCIIText::Equals(attribute->fValue, "kiv"))
                fSampleType = kSampleReferenceLoop;
            else
                NSContentFailures::ThrowFormatViolation("Illegal sample type");
        }
    }

    for (const std::shared_ptr<NSFerrant::CXMLElement>& child : element->fChildren)
    {
        const TUTF16String& name = child->fName;
        if (NSASCIIText::Equals(name, "Vantle"))
        {
            ForEachAttributeNamed(*child, "name",
                                  [&](const TUTF16String& value) { fVantleName = THashedString(value); });
            ForEachAttributeNamed(*child, "url",
                                  [&](const TUTF16String& value) { fVantleURL = THashedString(value); });
        }
        else if (NSASCIIText::Equals(name, "GramolaDevice"))
        {
            ForEachAttributeNamed(*child, "internalID",
                                  [&](const TUTF16String& value) { fDeviceInternalID = value; });
            ForEachAttributeNamed(*child, "uiName",
                                  [&](const TUTF16String& value) { fDeviceUIName = value; });
            ForEachAttributeNamed(*child, "version",
                                  [&](const TUTF16String& value)
                                  { fDeviceVersion = NSFerrant::ParseVersion(value); });
        }
        else if (NSASCIIText::Equals(name, "Package"))
            ForEachAttributeNamed(*child, "name",
                                  [&](const TUTF16String& value) { fPackageName = THashedString(value); });
        else if (NSASCIIText::Equals(name, "DatabasePath"))
            fDatabasePath.ReadXML(child);
        else if (NSASCIIText::Equals(name, "AbsolutePath"))
            fAbsolutePath.ReadXML(child);
        else if (NSASCIIText::Equals(name, "RelativePath"))
            fRelativePath.ReadXML(child);
    }
}

std::shared_ptr<NSFerrant::CXMLElement> CSF10ReferenceChunk::WriteXML() const
{
    std::shared_ptr<NSFerrant::CXMLElement> element = NSXMLBuilders::NewElement("SampleReference");
    if (!fTrueName.GetText().empty())
        NSXMLBuilders::AddAttribute(*element, "trueName", fTrueName.GetText());
    if (!fUserFriendlyName.GetText().empty())
        NSXMLBuilders::AddAttribute(*element, "userFriendlyName", fUserFriendlyName.GetText());
    NSXMLBuilders::AddAttribute(*element, "type", TypeText(fSampleType));

    if (!fVantleName.GetText().empty())
    {
        NSFerrant::CXMLElement& vantle = NSXMLBuilders::AddChild(*element, "Vantle");
        NSXMLBuilders::AddAttribute(vantle, "name", fVantleName.GetText());
        NSXMLBuilders::AddAttribute(vantle, "url", fVantleURL.GetText());
    }
    if (!fDeviceInternalID.empty())
    {
        NSFerrant::CXMLElement& device = NSXMLBuilders::AddChild(*element, "GramolaDevice");
        NSXMLBuilders::AddAttribute(device, "internalID", fDeviceInternalID);
        NSXMLBuilders::AddAttribute(device, "uiName", fDeviceUIName);
        NSXMLBuilders::AddAttribute(device, "version",
                                    NSFerrant::FormatVersion(fDeviceVersion, TUTF16String()));
    }
    if (!fPackageName.GetText().empty())
    {
        NSFerrant::CXMLElement& package = NSXMLBuilders::AddChild(*element, "Package");
        NSXMLBuilders::AddAttribute(package, "name", fPackageName.GetText());
    }
    for (const std::shared_ptr<NSFerrant::CXMLElement>& path :
         {fDatabasePath.WriteXML(), fAbsolutePath.WriteXML(), fRelativePath.WriteXML()})
    {
        if (path)
            element->fChildren.push_back(path);
    }
    return element;
}

THashedString DeriveTrueName(const CRelativePath& relative, const CDatabasePath& database,
                             const CAbsolutePath& absolute)
{
    // A relative path read from a stream may hold no component: it names nothing to take.
    if (relative.fValid != 0 && !relative.fComponents.empty())
        return relative.fComponents.back();
    if (absolute.fValid != 0)
        return absolute.fComponents.empty() ? absolute.fVolumeName : absolute.fComponents.back();
    if (!database.fComponents.empty())
        return database.fComponents.back();
    return THashedString(database.GetLastName());
}

void WriteReferenceChunk(NSFerrant::CIFFFileWriter& writer, const CSF10ReferenceChunk& reference)
{
    writer.BeginChunk(kFourCC_REFE);
    reference.Write(writer.GetCurrentWriter().GetMedia());
    writer.EndLevel();
}

void RequireRelocatableType(const CSF10ReferenceChunk& reference)
{
    if (reference.fSampleType != kSampleReferenceLoop && reference.fSampleType != kSampleReferenceSample)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
}

#include "content/references/AbsolutePath.h"

#include "base/TextConversions.h"
#include "base/Throw.h"
#include "media/VersionedString.h"
#include "base/VersionNumbers.h"
#include "content/references/ASCIIText.h"
#include "content/references/ContentFailures.h"
#include "content/references/ContentRootNames.h"
#include "content/references/StoredVersions.h"
#include "content/references/XMLBuilders.h"
#include "base/Media.h"
#include "media/StoredStrings.h"
#include "media/xml/XMLElement.h"

using NSStoredVersions::IsExactly;
using NSStoredVersions::IsOlderThan;
using NSTextPackage::TUTF16String;

namespace
{
// The XML texts of the volume kinds 10 to 15 and of the URL modes 72 to 75, in code order.
const char* const kVolumeKindTexts[] = {"floppy", "hd", "removable", "cdrom", "network", "unknown"};
const char* const kURLModeTexts[] = {"OSXDirectory", "OSXFile", "Win32Directory", "Win32File"};

template <size_t N> TUTF16String TextOfCode(const char* const (&texts)[N], u32 first, u32 code)
{
    if (code < first || code - first >= N)
        return TUTF16String();
    return NSASCIIText::Widen(texts[code - first]);
}

// The code of the first text equal to value; false when none is.
template <size_t N>
bool CodeOfText(const char* const (&texts)[N], u32 first, const TUTF16String& value, u32& code)
{
    for (size_t i = 0; i < N; ++i)
    {
        if (NSASCIIText::Equals(value, texts[i]))
        {
            code = first + u32(i);
            return true;
        }
    }
    return false;
}

// The only attribute of an element, when it has exactly one of that name; else the message.
const TUTF16String& RequireOnlyAttribute(const NSFerrant::CXMLElement& element, const char* name,
                                         const char* message)
{
    if (element.fAttributes.size() != 1 || !NSASCIIText::Equals(element.fAttributes[0]->fName, name))
        NSContentFailures::ThrowFormatViolation(message);
    return element.fAttributes[0]->fValue;
}

// The oldest layout: two names and a list, read and dropped.
void SkipVersion100Fields(NSFerrant::CMedia& media)
{
    THashedString name;
    NSFerrant::ReadVersionedString(name, media, false);
    NSFerrant::ReadVersionedString(name, media, false);
    NSPathComponents::ReadComponents(media, false);
}
} // namespace

void CAbsolutePath::Write(NSFerrant::CMedia& media, u32 formatCode) const
{
    const bool older = formatCode == kOlderForm;
    NSFerrant::WriteVersion(older ? NSFerrant::TVersion{1, 4, 0} : NSFerrant::TVersion{1, 9, 0}, media);
    NSFerrant::WriteU8(media, fValid != 0 ? 1 : 0);
    if (fValid == 0)
        return;
    NSFerrant::WriteNameString(media, fVolumeName.GetText());
    NSFerrant::WriteU8(media, u8(fVolumeType));
    NSPathComponents::WriteComponents(media, fComponents);
    NSFerrant::WriteU8(media, fPartOfVantle != 0 ? 1 : 0);
    if (older)
        return;
    NSFerrant::WriteU8(media, u8(fNativeURLMode));
    NSFerrant::WriteU32BE(media, u32(fNativeURL.size()));
    NSFerrant::WriteBytes(media, i64(fNativeURL.size()), fNativeURL.data());
    NSFerrant::WriteU8(media, fMatchWithoutExtension != 0 ? 1 : 0);
}

bool CAbsolutePath::Read(NSFerrant::CMedia& media)
{
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(media);
    if (version.fMajor != 1)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    const bool eightBit = IsExactly(version, 1, 5, 0) || IsExactly(version, 1, 6, 0);
    if (NSFerrant::ReadU8(media) == 0)
    {
        fValid = 0;
        return eightBit;
    }
    if (IsExactly(version, 1, 0, 0))
    {
        SkipVersion100Fields(media);
        fValid = 0;
        return eightBit;
    }

    THashedString volumeName;
    NSFerrant::ReadVersionedString(volumeName, media, eightBit);
    u32 volumeType = 0;
    if (IsOlderThan(version, 1, 3, 0))
        volumeType = volumeName.GetText().empty() ? NSFileLib::kVolumeKindOther : NSFileLib::kVolumeKindCDROM;
    else
        volumeType = NSFerrant::ReadU8(media);
    TPathComponents components = NSPathComponents::ReadComponents(media, eightBit);
    u8 partOfVantle = fPartOfVantle;
    if (!IsOlderThan(version, 1, 4, 0))
        partOfVantle = NSFerrant::ReadU8(media) != 0 ? 1 : 0;
    u32 mode = fNativeURLMode;
    std::string url = fNativeURL;
    if (!IsOlderThan(version, 1, 8, 0))
    {
        mode = NSFerrant::ReadU8(media);
        if (mode < kNativeURLNone || mode > kNativeURLWin32File)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        const u32 urlBytes = NSFerrant::ReadU32BE(media);
        if (urlBytes > NSFerrant::GetBytesLeft(media))
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        if (urlBytes > 0)
        {
            url.assign(urlBytes, '\0');
            NSFerrant::ReadBytes(media, urlBytes, url.data());
        }
    }
    u8 matchWithoutExtension = fMatchWithoutExtension;
    if (IsOlderThan(version, 1, 6, 0))
        matchWithoutExtension = 1;
    else if (!IsOlderThan(version, 1, 9, 0))
        matchWithoutExtension = NSFerrant::ReadU8(media) == 1 ? 1 : 0;

    fValid = 1;
    fVolumeName = volumeName;
    fVolumeType = volumeType;
    fComponents.swap(components);
    fPartOfVantle = partOfVantle;
    fNativeURLMode = mode;
    fNativeURL.swap(url);
    fMatchWithoutExtension = matchWithoutExtension;
    return eightBit;
}

std::shared_ptr<NSFerrant::CXMLElement> CAbsolutePath::WriteXML() const
{
    if (fValid == 0)
        return nullptr;
    std::shared_ptr<NSFerrant::CXMLElement> element = NSXMLBuilders::NewElement("AbsolutePath");
    NSFerrant::CXMLElement& volume = NSXMLBuilders::AddChild(*element, "Volume", fVolumeName.GetText());
    NSXMLBuilders::AddAttribute(volume, "name", fVolumeName.GetText());
    NSXMLBuilders::AddAttribute(volume, "type",
                                TextOfCode(kVolumeKindTexts, NSFileLib::kVolumeKindFloppy, fVolumeType));
    // No components make the empty path text, which the reader refuses; without a "Path" the
    // element reads back as a path of none (the part-of-package flag is lost with it).
    if (!fComponents.empty())
    {
        NSFerrant::CXMLElement& path =
            NSXMLBuilders::AddChild(*element, "Path", NSPathComponents::FormatPathText(fComponents));
        NSXMLBuilders::AddAttribute(path, "partOfVantle",
                                    NSASCIIText::Widen(fPartOfVantle != 0 ? "yes" : "no"));
    }
    if (fNativeURLMode != kNativeURLNone)
    {
        NSFerrant::CXMLElement& url =
            NSXMLBuilders::AddChild(*element, "NativeURL", NSTextPackage::FromUTF8(fNativeURL));
        NSXMLBuilders::AddAttribute(url, "mode",
                                    TextOfCode(kURLModeTexts, kNativeURLOSXDirectory, fNativeURLMode));
    }
    return element;
}

void CAbsolutePath::ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element)
{
    fValid = element && NSASCIIText::Equals(element->fName, "AbsolutePath") ? 1 : 0;
    if (fValid == 0)
        return;
    for (const std::shared_ptr<NSFerrant::CXMLElement>& child : element->fChildren)
    {
        if (NSASCIIText::Equals(child->fName, "Volume"))
        {
            for (const std::shared_ptr<NSFerrant::CXMLAttribute>& attribute : child->fAttributes)
            {
                if (NSASCIIText::Equals(attribute->fName, "name"))
                    fVolumeName = THashedString(attribute->fValue);
                else if (NSASCIIText::Equals(attribute->fName, "type"))
                    CodeOfText(kVolumeKindTexts, NSFileLib::kVolumeKindFloppy, attribute->fValue,
                               fVolumeType);
            }
        }
        else if (NSASCIIText::Equals(child->fName, "Path"))
        {
            const TUTF16String& part = RequireOnlyAttribute(
                *child, "partOfVantle", "AbsolutePath/Path element must have a 'partOfVantle' attribute");
            if (NSASCIIText::Equals(part, "yes"))
                fPartOfVantle = 1;
            else if (NSASCIIText::Equals(part, "no"))
                fPartOfVantle = 0;
            else
                NSContentFailures::ThrowFormatViolation(
                    "'partOfVantle' attribute must be either 'yes' or 'no'");
            if (!NSPathComponents::AppendPathText(child->fText, fComponents))
                NSContentFailures::ThrowFormatViolation("AbsolutePath/Path must start with a '/'");
        }
        else if (NSASCIIText::Equals(child->fName, "NativeURL"))
        {
            const TUTF16String& mode = RequireOnlyAttribute(
                *child, "mode", "AbsolutePath/NativeURL element must have a 'mode' attribute");
            if (!CodeOfText(kURLModeTexts, kNativeURLOSXDirectory, mode, fNativeURLMode))
                NSContentFailures::ThrowFormatViolation(
                    "AbsolutePath/NativeURL/@mode attribute set to illegal value");
            fNativeURL = NSTextPackage::UTF16ToUTF8(child->fText);
        }
    }
}

TUTF16String CAbsolutePath::GetDisplayText() const
{
    if (fValid == 0)
        return NSASCIIText::Widen("*invalid absolute path*");
    TUTF16String text =
        fVolumeName.GetText().empty() ? GetContentRootNames().GetDesktopName() : fVolumeName.GetText();
    for (const THashedString& component : fComponents)
    {
        text.push_back('/');
        text += component.GetText();
    }
    return text;
}

TUTF16String CAbsolutePath::GetLastName() const
{
    return fComponents.empty() ? fVolumeName.GetText() : fComponents.back().GetText();
}

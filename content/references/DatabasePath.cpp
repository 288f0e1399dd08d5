#include "content/references/DatabasePath.h"

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
constexpr u8 kKindByteCount = 6;

bool IsStoredWithKindByte(u32 kind)
{
    return kind == kDatabasePathGramola || kind == kDatabasePathKind101 || kind == kDatabasePathKind102;
}

NSFerrant::TVersion NewerFormVersion(u32 kind)
{
    if (kind == kDatabasePathGramola)
        return {2, 0, 0};
    if (kind == kDatabasePathKind101 || kind == kDatabasePathKind102)
        return {3, 0, 0};
    return {1, 5, 0};
}

u32 KindForPackageName(const THashedString& name)
{
    return name.GetText().empty() ? kDatabasePathUnnamed : kDatabasePathInPackage;
}
} // namespace

void CDatabasePath::Write(NSFerrant::CMedia& media, u32 formatCode) const
{
    const bool older = formatCode == kOlderForm;
    NSFerrant::WriteVersion(older ? NSFerrant::TVersion{1, 2, 0} : NewerFormVersion(fPathKind), media);
    // The older form cannot say the kinds that need the kind byte: those paths are stored invalid.
    const bool valid = fValid != 0 && !(older && IsStoredWithKindByte(fPathKind));
    NSFerrant::WriteU8(media, valid ? 1 : 0);
    if (!valid)
        return;
    NSFerrant::WriteNameString(media, fVantleName.GetText());
    NSPathComponents::WriteComponents(media, fComponents);
    if (older)
        return;
    NSFerrant::WriteU8(media, fFlag != 0 ? 1 : 0);
    if (IsStoredWithKindByte(fPathKind))
        NSFerrant::WriteU8(media, u8(fPathKind - kDatabasePathUnnamed));
}

void CDatabasePath::Read(NSFerrant::CMedia& media)
{
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(media);
    if (IsOlderThan(version, 1, 0, 0) || version.fMajor > 3)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    if (NSFerrant::ReadU8(media) == 0)
    {
        fValid = 0;
        return;
    }
    // 1.3.0 stored its names in the counted UTF-8 form.
    const bool eightBit = IsExactly(version, 1, 3, 0);
    THashedString name = fVantleName;
    if (!IsOlderThan(version, 1, 1, 0))
        NSFerrant::ReadVersionedString(name, media, eightBit);
    TPathComponents components = NSPathComponents::ReadComponents(media, eightBit);
    u8 flag = fFlag;
    if (IsOlderThan(version, 1, 3, 0))
        flag = 1;
    else if (!IsOlderThan(version, 1, 5, 0))
        flag = NSFerrant::ReadU8(media) != 0 ? 1 : 0;
    u32 kind = KindForPackageName(name);
    if (!IsOlderThan(version, 2, 0, 0))
    {
        const u8 kindByte = NSFerrant::ReadU8(media);
        if (kindByte >= kKindByteCount)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        kind = kDatabasePathUnnamed + kindByte;
    }
    fValid = 1;
    fVantleName = name;
    fComponents.swap(components);
    fFlag = flag;
    fPathKind = kind;
}

std::shared_ptr<NSFerrant::CXMLElement> CDatabasePath::WriteXML() const
{
    if (fValid == 0)
        return nullptr;
    std::shared_ptr<NSFerrant::CXMLElement> element = NSXMLBuilders::NewElement("DatabasePath");
    NSXMLBuilders::AddChild(*element, "VantleName", fVantleName.GetText());
    // No components make the empty path text, which the reader refuses; without a "Path" the
    // element reads back as a path of none (the device platform's kind is lost with it).
    if (fComponents.empty())
        return element;
    NSFerrant::CXMLElement& path =
        NSXMLBuilders::AddChild(*element, "Path", NSPathComponents::FormatPathText(fComponents));
    if (fPathKind == kDatabasePathGramola)
        NSXMLBuilders::AddAttribute(path, "pathKind", NSASCIIText::Widen("gramola"));
    return element;
}

void CDatabasePath::ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element)
{
    fValid = element && NSASCIIText::Equals(element->fName, "DatabasePath") ? 1 : 0;
    if (fValid == 0)
        return;
    for (const std::shared_ptr<NSFerrant::CXMLElement>& child : element->fChildren)
    {
        if (NSASCIIText::Equals(child->fName, "VantleName"))
            fVantleName = THashedString(child->fText);
        else if (NSASCIIText::Equals(child->fName, "Path") &&
                 !NSPathComponents::AppendPathText(child->fText, fComponents))
            NSContentFailures::ThrowFormatViolation("DatabasePath must start with a '/'");
    }
    fPathKind = KindForPackageName(fVantleName);
    for (const std::shared_ptr<NSFerrant::CXMLElement>& child : element->fChildren)
    {
        if (!NSASCIIText::Equals(child->fName, "Path"))
            continue;
        for (const std::shared_ptr<NSFerrant::CXMLAttribute>& attribute : child->fAttributes)
        {
            if (NSASCIIText::Equals(attribute->fName, "pathKind") &&
                NSASCIIText::Equals(attribute->fValue, "gramola"))
                fPathKind = kDatabasePathGramola;
        }
    }
}

TUTF16String CDatabasePath::GetDisplayText() const
{
    if (fValid == 0)
        return NSASCIIText::Widen("*invalid database path*");
    TUTF16String text = GetContentRootNames().GetDatabaseRootName();
    if (!fComponents.empty())
    {
        text.push_back(':');
        text += NSPathComponents::JoinComponents(fComponents, '/');
    }
    return text;
}

TUTF16String CDatabasePath::GetLastName() const
{
    if (fComponents.empty())
        return GetContentRootNames().GetDatabaseRootName();
    return fComponents.back().GetText();
}

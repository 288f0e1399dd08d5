#include "content/references/RelativePath.h"

#include "base/GroupedNumbers.h"
#include "base/Throw.h"
#include "base/VersionNumbers.h"
#include "content/references/ASCIIText.h"
#include "content/references/ContentFailures.h"
#include "content/references/StoredVersions.h"
#include "content/references/XMLBuilders.h"
#include "base/Media.h"
#include "media/xml/XMLElement.h"

using NSStoredVersions::IsExactly;
using NSStoredVersions::IsOlderThan;
using NSTextPackage::TUTF16String;

void CRelativePath::Write(NSFerrant::CMedia& media, u32 formatCode) const
{
    const bool older = formatCode == kOlderForm;
    NSFerrant::WriteVersion(older ? NSFerrant::TVersion{1, 1, 0} : NSFerrant::TVersion{1, 5, 0}, media);
    NSFerrant::WriteU8(media, fValid != 0 ? 1 : 0);
    if (fValid == 0)
        return;
    NSFerrant::WriteU32BE(media, fStepUp);
    NSPathComponents::WriteComponents(media, fComponents);
    if (!older)
        NSFerrant::WriteU8(media, fFlag != 0 ? 1 : 0);
}

void CRelativePath::Read(NSFerrant::CMedia& media)
{
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(media);
    if (version.fMajor != 1)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    if (NSFerrant::ReadU8(media) == 0)
    {
        fValid = 0;
        return;
    }
    // 1.2.0 and 1.3.0 stored their names in the counted UTF-8 form.
    const bool eightBit = IsExactly(version, 1, 2, 0) || IsExactly(version, 1, 3, 0);
    const u32 stepUp = NSFerrant::ReadU32BE(media);
    if (stepUp > kMaxStepUp)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    TPathComponents components = NSPathComponents::ReadComponents(media, eightBit);
    if (IsOlderThan(version, 1, 3, 0))
        fFlag = 1;
    else if (!IsOlderThan(version, 1, 5, 0))
        fFlag = NSFerrant::ReadU8(media) == 1 ? 1 : 0;
    fValid = 1;
    fStepUp = stepUp;
    fComponents.swap(components);
}

std::shared_ptr<NSFerrant::CXMLElement> CRelativePath::WriteXML() const
{
    if (fValid == 0)
        return nullptr;
    std::shared_ptr<NSFerrant::CXMLElement> element = NSXMLBuilders::NewElement("RelativePath");
    NSXMLBuilders::AddChild(*element, "Path", NSPathComponents::FormatPathText(fComponents));
    NSXMLBuilders::AddChild(*element, "StepUp", NSTextPackage::FormatGroupedNumber(i64(fStepUp)));
    return element;
}

void CRelativePath::ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element)
{
    fValid = element && NSASCIIText::Equals(element->fName, "RelativePath") ? 1 : 0;
    if (fValid == 0)
        return;
    const NSFerrant::TXMLElementList& children = element->fChildren;
    if (children.size() != 2 || !NSASCIIText::Equals(children[0]->fName, "Path") ||
        !NSASCIIText::Equals(children[1]->fName, "StepUp"))
        NSContentFailures::ThrowFormatViolation("RelativePath must have two elements, Path and StepUp");
    if (!NSPathComponents::AppendPathText(children[0]->fText, fComponents))
        NSContentFailures::ThrowFormatViolation("RelativePath must start with a '/'");
    // A count of levels is never negative: a negative text is refused like any other non-count.
    i64 stepUp = 0;
    if (!NSTextPackage::ParseNumber(children[1]->fText, stepUp, NSTextPackage::GetNumberLocale()) ||
        stepUp < 0 || stepUp > kMaxStepUp)
        NSContentFailures::ThrowFormatViolation("Failed converting StepUp value to int");
    fStepUp = u32(stepUp);
}

TUTF16String CRelativePath::GetDisplayText() const
{
    if (fValid == 0)
        return NSASCIIText::Widen("*invalid relative path*");
    TUTF16String text;
    const TUTF16String up = NSASCIIText::Widen("../");
    for (u32 level = 0; level < fStepUp; ++level)
        text += up;
    return text + NSPathComponents::JoinComponents(fComponents, '/');
}

std::pair<u32, TPathComponents> CRelativePath::GetComponents() const
{
    return {fStepUp, fComponents};
}

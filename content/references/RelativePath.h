#pragma once
// A relative path: from a starting item (usually the referring document's folder) go up fStepUp
// levels, then down through the components. Stored, XML and display forms.
#include "content/references/PathComponents.h"

#include <memory>
#include <utility>

namespace NSFerrant
{
class CMedia;
class CXMLElement;
} // namespace NSFerrant

class CRelativePath
{
public:
    // The format codes of the two stored forms; any code other than the older one writes the newer.
    static constexpr u32 kOlderForm = 32003;
    static constexpr u32 kNewerForm = 32002;
    // No Windows path (32,767 units) has more levels to climb; a larger stored count is refused
    // before the display text spends three units on each level.
    static constexpr u32 kMaxStepUp = 32767;

    // Version 1.1.0 (older form) or 1.5.0 (newer form, ending with the flag byte); an invalid path
    // is its version followed by 0.
    void Write(NSFerrant::CMedia& media, u32 formatCode) const;
    // Any version of major 1; another major is XUnsupportedFormat, a step-up count above
    // kMaxStepUp XFormatViolation.
    void Read(NSFerrant::CMedia& media);

    // The "RelativePath" element, or an empty pointer for an invalid path.
    std::shared_ptr<NSFerrant::CXMLElement> WriteXML() const;
    // An element of another name leaves the path invalid; the components of "Path" are appended.
    void ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element);

    // "../" per level, then the components joined by "/".
    NSTextPackage::TUTF16String GetDisplayText() const;
    std::pair<u32, TPathComponents> GetComponents() const;

    u8 fValid = 0;
    u32 fStepUp = 0;
    TPathComponents fComponents;
    // Carried through the stored forms; no operation consults it.
    u8 fFlag = 0;
};

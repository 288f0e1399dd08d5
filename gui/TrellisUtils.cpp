#include "gui/TrellisUtils.h"

#include "base/LibraryStatusTables.h"
#include "base/NumberText.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/TrellisInterface.h"

namespace NSTrellisUtils
{
namespace
{
// Receives the text of a resource entry from the library and keeps a copy.
class CTextGetter final : public NSTrellis::ITextGetter
{
public:
    u32 SetText(const u16* text) override
    {
        try
        {
            fText = text;
            return kTrellisOK;
        }
        catch (...)
        {
            return TrellisStatusFromCurrentException();
        }
    }

    NSTextPackage::TUTF16String fText;
};

std::shared_ptr<NSTrellis::IIcon> TakeIcon(NSTrellis::IIcon* icon, u32 status)
{
    std::shared_ptr<NSTrellis::IIcon> owned = MakeIconPtr(icon);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return owned;
}
} // namespace

void UpdateNow()
{
    const u32 status = GetTrellisInterface()->UpdateNow();
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
}

NSTextPackage::TUTF16String GetResourceText(const NSFerrant::TResourceID& id)
{
    CTextGetter getter;
    const u32 status = GetTrellisInterface()->GetResourceText(id.Describe().c_str(), &getter);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return getter.fText;
}

std::shared_ptr<NSTrellis::IIcon> CreateIcon(u32 id)
{
    u32 status = kTrellisLogicError;
    NSTrellis::IIcon* icon = GetTrellisInterface()->CreateIcon(id, &status);
    return TakeIcon(icon, status);
}

std::shared_ptr<NSTrellis::IIcon> CreateIconFromResource(const NSFerrant::TResourceID& id)
{
    // Numbered ids go by their decimal number, named ones by their name in UTF-8.
    const bool numbered = id.fKind == NSFerrant::kResourceIDNumbered || id.fKind == NSFerrant::kResourceIDNumberedEntry;
    const std::string spec = numbered ? NSTextPackage::UTF16ToASCII(NSTextPackage::FormatInteger(id.fID), '?')
                                      : NSTextPackage::UTF16ToUTF8(id.fName);
    u32 status = kTrellisLogicError;
    NSTrellis::IIcon* icon = GetTrellisInterface()->CreateIconFromSpec(spec.c_str(), 0, &status);
    return TakeIcon(icon, status);
}

std::shared_ptr<NSTrellis::IIcon> MakeIconPtr(NSTrellis::IIcon* icon)
{
    if (!icon)
        return {};
    return std::shared_ptr<NSTrellis::IIcon>(icon, [](NSTrellis::IIcon* held) { held->Release(); });
}
} // namespace NSTrellisUtils

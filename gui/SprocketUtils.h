#pragma once
// The program's controls of the Sprocket widget library: dialog items turned into controls of the
// right style, each held in a shared pointer that destroys it, and their properties.
#include "dlls/sprocket/Sprocket.h"
#include "gui/DialogResource.h"
#include "gui/View.h"

#include <memory>
#include <string>

namespace NSSprocketUtils
{
using TPushButtonPtr = std::shared_ptr<NSSprocket::IPushButtonView>;
using TStaticTextPtr = std::shared_ptr<NSSprocket::IStaticTextView>;
using TProgressViewPtr = std::shared_ptr<NSSprocket::IProgressView>;
using TSeparatorLinePtr = std::shared_ptr<NSSprocket::ISeparatorLineView>;

// The item's push button, its frame moved by origin, sized by the item's size field.
TPushButtonPtr CreatePushButton(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, NSSprocket::IPushButtonViewHandler* handler,
                                u32 style, const std::string& name);
// A push button from its fields: the title is cut at 255 units, the text at 1023.
TPushButtonPtr CreatePushButtonView(const NSTrellisGlue::CABCView& parent, NSSprocket::IPushButtonViewHandler* handler,
                                    const NSTrellisGlue::TViewFrame& frame, const NSTextPackage::TUTF16String& title,
                                    u64 icon, const NSTextPackage::TUTF16String& text, u32 style, u32 sizeStyle,
                                    u32 variant, const std::string& name);
// The item's static text, its frame moved by origin, aligned and styled by the item's fields.
TStaticTextPtr CreateStaticText(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, const NSTextPackage::TUTF16String& secondText,
                                const std::string& name);
TProgressViewPtr CreateProgressView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                    const NSTextPackage::TUTF16String& text, const std::string& name);
TSeparatorLinePtr CreateSeparatorLine(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                      const std::string& name);

void SetEnabled(NSSprocket::IPushButtonView& button, bool enabled);
// A copy of the group's record (operation 2), kept off the stack: the record is 161 KB.
std::unique_ptr<NSSprocket::TRadioButtonGroupRecord> GetRadioButtonGroupProperties(
    NSSprocket::IRadioButtonGroupView& group);
} // namespace NSSprocketUtils

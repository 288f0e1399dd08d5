#pragma once
// The program's controls of the Sprocket widget library: dialog items turned into controls of the
// right style, each held in a shared pointer that destroys it, and their properties.
#include "dlls/sprocket/Sprocket.h"
#include "gui/DialogResource.h"
#include "gui/View.h"

#include <array>
#include <memory>
#include <string>

namespace NSSprocketUtils
{
using TPushButtonPtr = std::shared_ptr<NSSprocket::IPushButtonView>;
using TStaticTextPtr = std::shared_ptr<NSSprocket::IStaticTextView>;
using TProgressViewPtr = std::shared_ptr<NSSprocket::IProgressView>;
using TSeparatorLinePtr = std::shared_ptr<NSSprocket::ISeparatorLineView>;
using TTextFieldPtr = std::shared_ptr<NSSprocket::ITextFieldView>;

// The item's push button, its frame moved by origin, sized by the item's size field.
TPushButtonPtr CreatePushButton(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, NSSprocket::IPushButtonViewHandler* handler,
                                u32 style, const std::string& name);
// A push button from its fields: the title is cut at 255 units, the text at 1023. The icon, or
// null, must outlive the button.
TPushButtonPtr CreatePushButtonView(const NSTrellisGlue::CABCView& parent, NSSprocket::IPushButtonViewHandler* handler,
                                    const NSTrellisGlue::TViewFrame& frame, const NSTextPackage::TUTF16String& title,
                                    NSTrellis::IIcon* icon, const NSTextPackage::TUTF16String& text, u32 style, u32 sizeStyle,
                                    u32 variant, const std::string& name);
// The item's static text, its frame moved by origin, aligned and styled by the item's fields.
TStaticTextPtr CreateStaticText(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, const NSTextPackage::TUTF16String& secondText,
                                const std::string& name);
// The item's text field, its frame moved by origin, its font style by the item's fields; it is
// single-line when no taller than one line of that font and its margin. flags as the library's
// (kTextFieldPassword masks the text).
TTextFieldPtr CreateTextField(const NSTrellisGlue::CABCView& parent, const float origin[2],
                              const NSFerrant::TDialogItem& item, NSSprocket::ITextFieldViewHandler* handler, u8 flags,
                              const std::string& name);
TProgressViewPtr CreateProgressView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                    const NSTextPackage::TUTF16String& text, const std::string& name);
TSeparatorLinePtr CreateSeparatorLine(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                      const std::string& name);

// The height of one line of text in a text field of a font style (kSizeStyle*).
float TextLineHeight(u32 style);
// The size of a push button showing the text, its content at least limit (truncated).
std::array<float, 2> GetTextSize(const NSTextPackage::TUTF16String& text, const float limit[2], u32 style);
// The thickness of a separator line.
float GetMetric();

void SetEnabled(NSSprocket::IPushButtonView& button, bool enabled);
// A copy of the group's record (operation 2), kept off the stack: the record is 161 KB.
std::unique_ptr<NSSprocket::TRadioButtonGroupRecord> GetRadioButtonGroupProperties(
    NSSprocket::IRadioButtonGroupView& group);
NSSprocket::TTextFieldRecord GetTextFieldProperties(NSSprocket::ITextFieldView& field);

// Enables the Edit menu's commands by what the field can do now: cut and copy with a selection,
// paste with text on the clipboard, select all with text not all selected.
void UpdateEditMenu(NSSprocket::ITextFieldView& field, NSTrellis::IMenuBar* menuBar);
// Carries out an edit command in the field; false for a command that is none of them.
bool DoEditCommand(NSSprocket::ITextFieldView& field, const NSTrellis::TCommandEvent& event, u32 command);
} // namespace NSSprocketUtils

#include "gui/SprocketUtils.h"

#include "base/LibraryStatusTables.h"
#include "gui/ControlRecords.h"
#include "gui/EditMenu.h"
#include "gui/SprocketInterface.h"
#include "gui/WidgetStyles.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace NSSprocketUtils
{
namespace
{
constexpr u32 kVersion = 115;

NSTrellisGlue::TViewFrame Shifted(const NSTrellisGlue::TViewFrame& frame, const float origin[2])
{
    return {frame[0] + origin[0], frame[1] + origin[1], frame[2] + origin[0], frame[3] + origin[1]};
}

// The units of the field's text before its terminator.
u32 TextLength(const NSSprocket::TTextFieldRecord& record)
{
    return u32(std::find(std::begin(record.fText), std::end(record.fText), u16(0)) - record.fText);
}

// The control in a shared pointer that destroys it; the status of its creation checked first.
template <class TControl> std::shared_ptr<TControl> Hold(TControl* control, u32 status)
{
    if (status != kTrellisOK && control)
        control->Release(1);
    ThrowIfSprocketFailure(status);
    return std::shared_ptr<TControl>(control, [](TControl* held) { held->Release(1); });
}
} // namespace

TPushButtonPtr CreatePushButton(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, NSSprocket::IPushButtonViewHandler* handler,
                                u32 style, const std::string& name)
{
    return CreatePushButtonView(parent, handler, Shifted(item.fFrame, origin), item.fText, nullptr, {}, style,
                                PushButtonSizeStyle(item.fSize), 96, name);
}

TPushButtonPtr CreatePushButtonView(const NSTrellisGlue::CABCView& parent, NSSprocket::IPushButtonViewHandler* handler,
                                    const NSTrellisGlue::TViewFrame& frame, const NSTextPackage::TUTF16String& title,
                                    NSTrellis::IIcon* icon, const NSTextPackage::TUTF16String& text, u32 style, u32 sizeStyle,
                                    u32 variant, const std::string& name)
{
    NSSprocket::TPushButtonRecord record{};
    CopyFrame(record.fFrame, frame);
    CopyText(record.fTitle, title);
    record.fIcon = icon;
    record.fEnabled = 1;
    CopyText(record.fText, text);
    u32 status = kTrellisLogicError;
    auto* button = GetSprocketInterface()->CreatePushButton(parent.GetNativeView(), handler, &record, style,
                                                            sizeStyle, variant, 88, 96, kVersion, name.c_str(),
                                                            &status);
    return Hold(button, status);
}

TStaticTextPtr CreateStaticText(const NSTrellisGlue::CABCView& parent, const float origin[2],
                                const NSFerrant::TDialogItem& item, const NSTextPackage::TUTF16String& secondText,
                                const std::string& name)
{
    NSSprocket::TStaticTextRecord record{};
    CopyFrame(record.fFrame, Shifted(item.fFrame, origin));
    CopyText(record.fText, item.fText);
    record.fAlignment = StaticTextAlignment(item.fAlignment);
    record.fStyle = StaticTextStyle(item.fFont, item.fSize);
    record.fUnnamed2072 = 97;
    record.fUnnamed2076 = 1;
    CopyText(record.fSecondText, secondText);
    u32 status = kTrellisLogicError;
    auto* text = GetSprocketInterface()->CreateStaticText(parent.GetNativeView(), &record, 88, kVersion,
                                                          name.c_str(), &status);
    return Hold(text, status);
}

TTextFieldPtr CreateTextField(const NSTrellisGlue::CABCView& parent, const float origin[2],
                              const NSFerrant::TDialogItem& item, NSSprocket::ITextFieldViewHandler* handler, u8 flags,
                              const std::string& name)
{
    const NSTrellisGlue::TViewFrame frame = Shifted(item.fFrame, origin);
    const u32 style = TextFieldStyle(item.fFont, item.fSize);
    NSSprocket::TTextFieldRecord record{};
    CopyFrame(record.fFrame, frame);
    CopyText(record.fText, item.fText);
    record.fSingleLine = IsSingleLineField(TextLineHeight(style), float(record.fFrame[3] - record.fFrame[1])) ? 1 : 0;
    record.fUnnamed2076 = 1;
    u32 status = kTrellisLogicError;
    auto* field = GetSprocketInterface()->CreateTextField(parent.GetNativeView(), handler, &record, style, 88,
                                                          kVersion, flags, name.c_str(), &status);
    return Hold(field, status);
}

TProgressViewPtr CreateProgressView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                    const NSTextPackage::TUTF16String& text, const std::string& name)
{
    NSSprocket::TProgressViewRecord record{};
    CopyFrame(record.fFrame, frame);
    record.fUnnamed20 = 1;
    CopyText(record.fText, text);
    u32 status = kTrellisLogicError;
    auto* progress = GetSprocketInterface()->CreateProgressView(parent.GetNativeView(), &record, 87, 88, kVersion,
                                                                name.c_str(), &status);
    return Hold(progress, status);
}

TSeparatorLinePtr CreateSeparatorLine(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                      const std::string& name)
{
    NSSprocket::TSeparatorLineRecord record{};
    CopyFrame(record.fFrame, frame);
    record.fUnnamed16 = 1;
    u32 status = kTrellisLogicError;
    auto* line = GetSprocketInterface()->CreateSeparatorLine(parent.GetNativeView(), &record, 422, 422, kVersion,
                                                             name.c_str(), &status);
    return Hold(line, status);
}

float TextLineHeight(u32 style)
{
    const u16 word[] = {u'w', u'o', u'r', u'd', 0};
    i32 size[2] = {};
    ThrowIfSprocketFailure(GetSprocketInterface()->MeasureTextLines(word, 0, style, 88, size));
    return float(size[1]);
}

std::array<float, 2> GetTextSize(const NSTextPackage::TUTF16String& text, const float limit[2], u32 style)
{
    const i32 truncated[2] = {i32(limit[0]), i32(limit[1])};
    i32 size[2] = {};
    ThrowIfSprocketFailure(
        GetSprocketInterface()->MeasureText(text.c_str(), truncated, 87, style, 88, 96, size));
    return {float(size[0]), float(size[1])};
}

float GetMetric()
{
    i32 value = 0;
    ThrowIfSprocketFailure(GetSprocketInterface()->GetMetric(422, 422, &value));
    return float(value);
}

void SetEnabled(NSSprocket::IPushButtonView& button, bool enabled)
{
    NSSprocket::TPushButtonRecord record{};
    ThrowIfSprocketFailure(button.GetProperties(&record));
    record.fEnabled = enabled ? 1 : 0;
    ThrowIfSprocketFailure(button.SetProperties(&record));
}

std::unique_ptr<NSSprocket::TRadioButtonGroupRecord> GetRadioButtonGroupProperties(
    NSSprocket::IRadioButtonGroupView& group)
{
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    ThrowIfSprocketFailure(group.GetProperties(record.get()));
    return record;
}

NSSprocket::TTextFieldRecord GetTextFieldProperties(NSSprocket::ITextFieldView& field)
{
    NSSprocket::TTextFieldRecord record{};
    ThrowIfSprocketFailure(field.GetProperties(&record));
    return record;
}

void UpdateEditMenu(NSSprocket::ITextFieldView& field, NSTrellis::IMenuBar* menuBar)
{
    const NSSprocket::TTextFieldRecord record = GetTextFieldProperties(field);
    u32 canPaste = 0;
    ThrowIfSprocketFailure(field.CanPaste(&canPaste));
    ApplyEditMenuState(menuBar, ComputeEditMenuState(record.fSelectionStart, record.fSelectionEnd, TextLength(record),
                                                     canPaste != 0));
}

bool DoEditCommand(NSSprocket::ITextFieldView& field, const NSTrellis::TCommandEvent& event, u32 command)
{
    using TEditOperation = u32 (NSSprocket::ITextFieldView::*)(const NSTrellis::TCommandEvent*, u32, u32);
    static constexpr TEditOperation kOperations[] = {
        &NSSprocket::ITextFieldView::Cut,
        &NSSprocket::ITextFieldView::Copy,
        &NSSprocket::ITextFieldView::Paste,
        &NSSprocket::ITextFieldView::Clear,
    };
    if (command >= kTextEditCommandBase && command < kTextEditCommandBase + std::size(kOperations))
    {
        ThrowIfSprocketFailure((field.*kOperations[command - kTextEditCommandBase])(&event, 0, 0));
        return true;
    }
    if (command != kSelectAllCommand)
        return false;
    NSSprocket::TTextFieldRecord record = GetTextFieldProperties(field);
    record.fSelectionStart = 0;
    record.fSelectionEnd = TextLength(record);
    ThrowIfSprocketFailure(field.SetProperties(&record));
    return true;
}
} // namespace NSSprocketUtils

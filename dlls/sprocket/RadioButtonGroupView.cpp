#include "dlls/sprocket/RadioButtonGroupView.h"

#include "dlls/sprocket/RecordText.h"

#include <algorithm>
#include <iterator>

namespace NSSprocketLibrary
{
namespace
{
// The platform draws the label this far right of the glyph, and its focus rectangle one pixel
// outside the label's.
constexpr i32 kLabelGap = 4;
constexpr i32 kFocusMargin = 1;
} // namespace

SIZE CRadioButtonGroupView::MeasureItem(const wchar_t* label)
{
    // The glyph is drawn within the menu check mark's square, whatever the screen's resolution.
    const i32 glyph = std::max(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK));
    const SIZE text = MeasureText(label, 0);
    const i32 labelWidth = text.cx > 0 ? kLabelGap + text.cx + 2 * kFocusMargin : 0;
    return {glyph + labelWidth, std::max<i32>(glyph, text.cy + 2 * kFocusMargin)};
}

CRadioButtonGroupView::CRadioButtonGroupView(HWND parent, NSSprocket::IRadioButtonGroupViewHandler* handler,
                                             const NSSprocket::TRadioButtonGroupRecord& record,
                                             const std::string& name)
    : CControlView(parent, CheckedSpan(record).data(), record, nullptr, 0, name), fHandler(handler)
{
    ShowRecord(record);
}

void CRadioButtonGroupView::Check(const NSSprocket::TRadioButtonGroupRecord& record)
{
    if (record.fCount > NSSprocket::kRadioButtonGroupMaxItems)
        ThrowInvalidArgument();
    if (record.fCount > 0 && record.fSelected >= record.fCount)
        ThrowInvalidArgument();
}

std::array<i32, 4> CRadioButtonGroupView::CheckedSpan(const NSSprocket::TRadioButtonGroupRecord& record)
{
    Check(record);
    return SpanOf(record);
}

std::array<i32, 4> CRadioButtonGroupView::SpanOf(const NSSprocket::TRadioButtonGroupRecord& record)
{
    if (record.fCount == 0)
        return {0, 0, 0, 0};
    std::array<i32, 4> span{record.fItems[0].fFrame[0], record.fItems[0].fFrame[1],
                            record.fItems[0].fFrame[2], record.fItems[0].fFrame[3]};
    for (u16 i = 1; i < record.fCount; ++i)
    {
        const i32* frame = record.fItems[i].fFrame;
        span = {std::min(span[0], frame[0]), std::min(span[1], frame[1]), std::max(span[2], frame[2]),
                std::max(span[3], frame[3])};
    }
    return span;
}

void CRadioButtonGroupView::ShowRecord(const NSSprocket::TRadioButtonGroupRecord& record)
{
    if (!GetHost())
    {
        // The parent view went first and took the buttons with it.
        fButtons.clear();
        return;
    }
    const std::array<i32, 4> span = SpanOf(record);
    SetFrame(span.data());
    while (fButtons.size() > record.fCount)
    {
        DestroyWindow(fButtons.back());
        fButtons.pop_back();
    }
    while (fButtons.size() < record.fCount)
        fButtons.push_back(
            AddControl(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | (fButtons.empty() ? WS_GROUP : 0)));
    // The host is shaped to its buttons: beside a shorter item, what the parent holds there shows.
    const HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (u16 i = 0; i < record.fCount; ++i)
    {
        const i32* frame = record.fItems[i].fFrame;
        const RECT item{frame[0] - span[0], frame[1] - span[1], std::max(frame[0], frame[2]) - span[0],
                        std::max(frame[1], frame[3]) - span[1]};
        MoveWindow(fButtons[i], item.left, item.top, item.right - item.left, item.bottom - item.top, TRUE);
        SetWindowTextW(fButtons[i], TextOfField(record.fItems[i].fLabel).c_str());
        const HRGN itemShape = CreateRectRgnIndirect(&item);
        CombineRgn(shape, shape, itemShape, RGN_OR);
        DeleteObject(itemShape);
    }
    // The window owns the shape from here on.
    SetWindowRgn(GetHost(), shape, TRUE);
    ShowSelection(record.fSelected);
}

void CRadioButtonGroupView::ShowSelection(u16 selected)
{
    for (size_t i = 0; i < fButtons.size(); ++i)
        SendMessageW(fButtons[i], BM_SETCHECK, i == selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CRadioButtonGroupView::ReadBack(NSSprocket::TRadioButtonGroupRecord& record) const
{
    i32 span[4];
    GetFrame(span);
    for (size_t i = 0; i < fButtons.size(); ++i)
    {
        // The buttons sit in the host: their frames are moved back into the parent view's.
        NSSprocket::TRadioButtonItem& item = record.fItems[i];
        WindowFrame(fButtons[i], item.fFrame);
        for (int corner = 0; corner < 4; ++corner)
            item.fFrame[corner] += span[corner % 2];
        WriteTextField(item.fLabel, WindowText(fButtons[i]));
        if (SendMessageW(fButtons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            record.fSelected = u16(i);
    }
}

void CRadioButtonGroupView::ControlNotified(HWND control, WORD code)
{
    const auto found = std::find(fButtons.begin(), fButtons.end(), control);
    if (code != BN_CLICKED || found == fButtons.end())
        return;
    const u16 selection = u16(std::distance(fButtons.begin(), found));
    if (selection == fRecord.fSelected)
        return;
    fRecord.fSelected = selection;
    ShowSelection(selection);
    // The handler's status has no caller to go to: a click is not an operation of the program.
    if (fHandler)
        fHandler->SelectionChanged(this, selection);
}
} // namespace NSSprocketLibrary

#include "dlls/sprocket/PushButtonView.h"

#include "dlls/sprocket/RecordText.h"

#include <algorithm>

namespace NSSprocketLibrary
{
CPushButtonView::CPushButtonView(HWND parent, NSSprocket::IPushButtonViewHandler* handler,
                                 const NSSprocket::TPushButtonRecord& record, const std::string& name)
    : CControlView(parent, record, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, name), fHandler(handler)
{
    ShowRecord(record);
}

i32 CPushButtonView::HeightFor(i32 contentHeight)
{
    constexpr int kStandardDialogUnits = 14;
    // A vertical dialog unit is an eighth of the font's line height.
    const i32 standard = MulDiv(kStandardDialogUnits, MeasureText(L"", 0).cy, 8);
    return std::max(standard, contentHeight + 2 * kMarginY);
}

void CPushButtonView::ShowRecord(const NSSprocket::TPushButtonRecord& record)
{
    SetText(TextOfField(record.fTitle));
    // The platform button shows either its title or its image: the icon takes the title's place.
    HICON icon = nullptr;
    if (record.fIcon)
    {
        HICON largeIcon = nullptr;
        const u32 status = record.fIcon->GetHandles(&icon, &largeIcon);
        if (status != kTrellisOK)
            ThrowSprocketFailure(status);
    }
    // The button takes an image only while it has the image style.
    const LONG_PTR style = GetWindowLongPtrW(GetControl(), GWL_STYLE);
    if (icon)
        SetWindowLongPtrW(GetControl(), GWL_STYLE, style | BS_ICON);
    SendMessageW(GetControl(), BM_SETIMAGE, IMAGE_ICON, LPARAM(icon));
    if (!icon)
        SetWindowLongPtrW(GetControl(), GWL_STYLE, style & ~LONG_PTR(BS_ICON));
    InvalidateRect(GetControl(), nullptr, TRUE);
    EnableWindow(GetControl(), record.fEnabled != 0);
}

void CPushButtonView::ReadBack(NSSprocket::TPushButtonRecord& record) const
{
    WriteTextField(record.fTitle, GetText());
    record.fEnabled = IsWindowEnabled(GetControl()) ? 1 : 0;
}

void CPushButtonView::ControlNotified(HWND, WORD code)
{
    // The handler's status has no caller to go to: a click is not an operation of the program.
    if (code == BN_CLICKED && fHandler)
        fHandler->Pressed(this);
}
} // namespace NSSprocketLibrary

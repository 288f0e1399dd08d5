#include "dlls/sprocket/PushButtonView.h"

#include "dlls/sprocket/RecordText.h"

namespace NSSprocketLibrary
{
CPushButtonView::CPushButtonView(HWND parent, NSSprocket::IPushButtonViewHandler* handler,
                                 const NSSprocket::TPushButtonRecord& record, const std::string& name)
    : CControlView(parent, record, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, name), fHandler(handler)
{
    ShowRecord(record);
}

void CPushButtonView::ShowRecord(const NSSprocket::TPushButtonRecord& record)
{
    SetText(TextOfField(record.fTitle));
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

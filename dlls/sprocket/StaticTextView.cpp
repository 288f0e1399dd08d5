#include "dlls/sprocket/StaticTextView.h"

#include "dlls/sprocket/RecordText.h"

namespace NSSprocketLibrary
{
DWORD CStaticTextView::AlignmentStyle(u32 alignment)
{
    switch (alignment)
    {
    case NSSprocket::kAlignmentLeft:
        return SS_LEFT;
    case NSSprocket::kAlignmentCenter:
        return SS_CENTER;
    case NSSprocket::kAlignmentRight:
        return SS_RIGHT;
    default:
        ThrowInvalidArgument();
    }
}

CStaticTextView::CStaticTextView(HWND parent, const NSSprocket::TStaticTextRecord& record, const std::string& name)
    : CControlView(parent, record, L"STATIC", SS_NOPREFIX | AlignmentStyle(record.fAlignment), name)
{
    ShowRecord(record);
}

void CStaticTextView::CheckRecord(const NSSprocket::TStaticTextRecord& record) const
{
    AlignmentStyle(record.fAlignment);
}

void CStaticTextView::ShowRecord(const NSSprocket::TStaticTextRecord& record)
{
    const LONG_PTR style = GetWindowLongPtrW(GetControl(), GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK);
    SetWindowLongPtrW(GetControl(), GWL_STYLE, style | AlignmentStyle(record.fAlignment));
    SetText(TextOfField(record.fText));
    InvalidateRect(GetControl(), nullptr, TRUE);
}

void CStaticTextView::ReadBack(NSSprocket::TStaticTextRecord& record) const
{
    WriteTextField(record.fText, GetText());
    switch (GetWindowLongPtrW(GetControl(), GWL_STYLE) & SS_TYPEMASK)
    {
    case SS_CENTER:
        record.fAlignment = NSSprocket::kAlignmentCenter;
        break;
    case SS_RIGHT:
        record.fAlignment = NSSprocket::kAlignmentRight;
        break;
    default:
        record.fAlignment = NSSprocket::kAlignmentLeft;
    }
}
} // namespace NSSprocketLibrary

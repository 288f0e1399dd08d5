#include "dlls/sprocket/SeparatorLineView.h"

namespace NSSprocketLibrary
{
namespace
{
DWORD LineStyle(const i32* frame)
{
    return frame[2] - frame[0] >= frame[3] - frame[1] ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
}
} // namespace

CSeparatorLineView::CSeparatorLineView(HWND parent, const NSSprocket::TSeparatorLineRecord& record,
                                       const std::string& name)
    : CControlView(parent, record, L"STATIC", LineStyle(record.fFrame), name)
{
}

void CSeparatorLineView::ShowRecord(const NSSprocket::TSeparatorLineRecord& record)
{
    const LONG_PTR style = GetWindowLongPtrW(GetControl(), GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK);
    SetWindowLongPtrW(GetControl(), GWL_STYLE, style | LineStyle(record.fFrame));
    InvalidateRect(GetControl(), nullptr, TRUE);
}
} // namespace NSSprocketLibrary

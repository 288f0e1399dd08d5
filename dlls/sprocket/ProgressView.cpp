#include "dlls/sprocket/ProgressView.h"

#include <commctrl.h>

#include <algorithm>

namespace NSSprocketLibrary
{
CProgressView::CProgressView(HWND parent, const NSSprocket::TProgressViewRecord& record, const std::string& name)
    : CControlView(parent, record, PROGRESS_CLASSW, 0, name)
{
    SendMessageW(GetControl(), PBM_SETRANGE32, 0, NSSprocket::kProgressWhole);
    ShowRecord(record);
}

i32 CProgressView::Height()
{
    return MeasureText(L"", 0).cy;
}

void CProgressView::ShowRecord(const NSSprocket::TProgressViewRecord& record)
{
    SendMessageW(GetControl(), PBM_SETPOS, std::min(record.fValue, NSSprocket::kProgressWhole), 0);
}

void CProgressView::ReadBack(NSSprocket::TProgressViewRecord& record) const
{
    // A value past the whole shows as full and is kept as written.
    const u32 shown = u32(SendMessageW(GetControl(), PBM_GETPOS, 0, 0));
    if (shown < NSSprocket::kProgressWhole)
        record.fValue = shown;
}
} // namespace NSSprocketLibrary

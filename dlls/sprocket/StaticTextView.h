#pragma once
// A static text: the platform static control, its text aligned as the record says.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketLibrary
{
class CStaticTextView final : public CControlView<NSSprocket::IStaticTextView, NSSprocket::TStaticTextRecord>
{
public:
    CStaticTextView(HWND parent, const NSSprocket::TStaticTextRecord& record, const std::string& name);

    // The alignment style bit of the control for an alignment of the record; throws on others.
    static DWORD AlignmentStyle(u32 alignment);

private:
    void CheckRecord(const NSSprocket::TStaticTextRecord& record) const override;
    void ShowRecord(const NSSprocket::TStaticTextRecord& record) override;
    void ReadBack(NSSprocket::TStaticTextRecord& record) const override;
};
} // namespace NSSprocketLibrary

#pragma once
// A progress bar: the platform progress control over thousandths of the whole.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketLibrary
{
class CProgressView final : public CControlView<NSSprocket::IProgressView, NSSprocket::TProgressViewRecord>
{
public:
    CProgressView(HWND parent, const NSSprocket::TProgressViewRecord& record, const std::string& name);

    // The height a progress view is made: a line of the controls' text, so that it sits centred
    // beside a push button of one line.
    static i32 Height();

private:
    void ShowRecord(const NSSprocket::TProgressViewRecord& record) override;
    void ReadBack(NSSprocket::TProgressViewRecord& record) const override;
};
} // namespace NSSprocketLibrary

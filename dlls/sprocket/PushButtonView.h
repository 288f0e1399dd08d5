#pragma once
// A push button: the platform button showing the record's title, greyed unless enabled; its
// clicks reach the program's handler.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketLibrary
{
class CPushButtonView final : public CControlView<NSSprocket::IPushButtonView, NSSprocket::TPushButtonRecord>
{
public:
    CPushButtonView(HWND parent, NSSprocket::IPushButtonViewHandler* handler,
                    const NSSprocket::TPushButtonRecord& record, const std::string& name);

    // A button's frame and the space around its content, on each side.
    static constexpr i32 kMarginX = 12;
    static constexpr i32 kMarginY = 5;

private:
    void ShowRecord(const NSSprocket::TPushButtonRecord& record) override;
    void ReadBack(NSSprocket::TPushButtonRecord& record) const override;
    void ControlNotified(HWND control, WORD code) override;

    NSSprocket::IPushButtonViewHandler* fHandler;
};
} // namespace NSSprocketLibrary

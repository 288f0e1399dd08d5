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

    // The room the button's frame and focus mark take around its content, on each side.
    static constexpr i32 kMarginX = 12;
    static constexpr i32 kMarginY = 3;
    // A button's height for content that high: the platform's standard push button, 14 dialog
    // units of the controls' font, which holds a line of text or a small icon; taller only for
    // taller content. Titled and icon buttons then line up in one row.
    static i32 HeightFor(i32 contentHeight);

private:
    void ShowRecord(const NSSprocket::TPushButtonRecord& record) override;
    void ReadBack(NSSprocket::TPushButtonRecord& record) const override;
    void ControlNotified(HWND control, WORD code) override;

    NSSprocket::IPushButtonViewHandler* fHandler;
};
} // namespace NSSprocketLibrary

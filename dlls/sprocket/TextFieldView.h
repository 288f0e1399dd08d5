#pragma once
// A text field: the platform edit control, single-line or multi-line as the record says when the
// field is made. The user's changes, Enter in a single-line field and the edit shortcuts reach
// the program's handler.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketLibrary
{
class CTextFieldView final : public CControlView<NSSprocket::ITextFieldView, NSSprocket::TTextFieldRecord>
{
public:
    CTextFieldView(HWND parent, NSSprocket::ITextFieldViewHandler* handler, const NSSprocket::TTextFieldRecord& record,
                   u8 flags, const std::string& name);
    ~CTextFieldView() override;

    u32 Cut(const NSTrellis::TCommandEvent*, u32, u32) override { return Edit(WM_CUT); }
    u32 Copy(const NSTrellis::TCommandEvent*, u32, u32) override { return Edit(WM_COPY); }
    u32 Paste(const NSTrellis::TCommandEvent*, u32, u32) override { return Edit(WM_PASTE); }
    u32 Clear(const NSTrellis::TCommandEvent*, u32, u32) override { return Edit(WM_CLEAR); }
    u32 CanPaste(u32* out) override;

    // The field's border and the margin inside it, on each side: the field's size beyond its text.
    static constexpr i32 kMargin = 4;

private:
    // Refuses a text without its terminator, a selection outside the text and a change of the
    // single-line flag.
    static void Check(const NSSprocket::TTextFieldRecord& record, bool singleLine);
    static const NSSprocket::TTextFieldRecord& CheckedAtCreation(const NSSprocket::TTextFieldRecord& record);
    void CheckRecord(const NSSprocket::TTextFieldRecord& record) const override { Check(record, fSingleLine); }
    void ShowRecord(const NSSprocket::TTextFieldRecord& record) override;
    void ReadBack(NSSprocket::TTextFieldRecord& record) const override;
    void ControlNotified(HWND control, WORD code) override;

    u32 Edit(UINT message);
    void ShowText(const std::wstring& text, u32 selectionStart, u32 selectionEnd);
    void Selection(u32& start, u32& end) const;
    // A character typed into the control; true when the field took it instead of the control.
    bool TookCharacter(WPARAM character);
    void RunEditCommand(u32 command);
    static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self);

    NSSprocket::ITextFieldViewHandler* fHandler;
    bool fSingleLine;
    bool fShowing = false; // the field's own changes are no user's
};
} // namespace NSSprocketLibrary

#pragma once
// The dialog in which a user who is no administrator gives the name and password of an
// administrator account, so that the program can start its elevated copy under that account.
#include "base/ResourceID.h"
#include "dlls/sprocket/Sprocket.h"
#include "gui/SprocketUtils.h"
#include "gui/Windows.h"

namespace NSVantleApp
{
// What one run of the dialog is given and answers. The password is wiped when the data goes.
struct CAuthenticationDialogData
{
    CAuthenticationDialogData();
    ~CAuthenticationDialogData();
    CAuthenticationDialogData(const CAuthenticationDialogData&) = delete;
    CAuthenticationDialogData& operator=(const CAuthenticationDialogData&) = delete;

    NSFerrant::TResourceID fDialog;
    bool fAccepted = false; // closed with OK and a user name
    NSTextPackage::TUTF16String fUserName;
    NSTextPackage::TUTF16String fPassword;
};

// Both texts are cut to this many units as they are typed.
constexpr std::size_t kCredentialMaxLength = 255;

class CAuthenticationDialog final : public NSTrellisGlue::CABCModalDialog,
                                    public NSSprocket::IPushButtonViewHandler,
                                    public NSSprocket::ITextFieldViewHandler
{
public:
    CAuthenticationDialog(NSTrellis::IModalDialog* native, CAuthenticationDialogData& data);

    // OK closes the dialog accepted unless the user name is empty; Cancel closes it declined.
    void OnPushButtonPressed(NSSprocket::IPushButtonView* button);
    // The text as the field shows it, at most kCredentialMaxLength units, with its selection
    // kept within it.
    void OnTextChanged(NSSprocket::ITextFieldView* field, u16* text, u32* selectionStart, u32* selectionEnd);

    // The library's handler slots.
    u32 Callback0() override;
    u32 Callback1(u32* out) override;
    u32 Pressed(NSSprocket::IPushButtonView* button) override;
    u32 Action(NSSprocket::ITextFieldView* field, u32 key, u32* out) override;
    u32 Callback2(NSSprocket::ITextFieldView* field, u32* out) override;
    u32 TextChanged(NSSprocket::ITextFieldView* field, u16* text, u32* selectionStart, u32* selectionEnd) override;
    u32 Callback4() override;
    u32 Callback5() override;
    u32 UpdateEditMenu(NSSprocket::ITextFieldView* field, NSTrellis::IMenuBar* menuBar) override;
    u32 DoEditCommand(NSSprocket::ITextFieldView* field, const NSTrellis::TCommandEvent* event, u32* handled) override;

private:
    CAuthenticationDialog(NSTrellis::IModalDialog* native, CAuthenticationDialogData& data,
                          const NSFerrant::CDialogResource& resource);

    NSSprocketUtils::TPushButtonPtr fOkButton;
    NSSprocketUtils::TPushButtonPtr fCancelButton;
    NSSprocketUtils::TPushButtonPtr fHelpButton;
    NSSprocketUtils::TStaticTextPtr fInfoText;
    NSSprocketUtils::TStaticTextPtr fUserNameTitle;
    NSSprocketUtils::TTextFieldPtr fUserName;
    NSSprocketUtils::TStaticTextPtr fPasswordTitle;
    NSSprocketUtils::TTextFieldPtr fPassword;
    CAuthenticationDialogData* fData;
};

// Wipes the text's units, so that a password leaves no copy in memory once used.
void WipeText(NSTextPackage::TUTF16String& text);
} // namespace NSVantleApp

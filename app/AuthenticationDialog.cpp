#include "app/AuthenticationDialog.h"

#include "base/TextBuffers.h"
#include "base/TextConversions.h"
#include "base/TextTemplates.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisUtils.h"

#include <algorithm>

using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
constexpr u16 kLogOnDialog = 170;

enum EItem : u32
{
    kItemOk = 1,
    kItemCancel = 2,
    kItemInfo = 3,
    kItemUserNameTitle = 4,
    kItemUserName = 5,
    kItemPasswordTitle = 6,
    kItemPassword = 7,
    kItemHelp = 8,
};

// The widget library's roles of the three buttons.
constexpr u32 kRoleDefault = 0x62;
constexpr u32 kRoleCancel = 0x63;
constexpr u32 kRoleHelp = 0x61;

TIntSize ContentSizeOf(const NSFerrant::CDialogResource& resource)
{
    return {i32(resource.fWidth), i32(resource.fHeight)};
}

TUTF16String TitleOf(const NSFerrant::CDialogResource& resource)
{
    return NSTextPackage::ExpandTemplate(resource.fCaption, {NSTextPackage::ASCIIToUTF16("VantlePacker", 0)});
}
} // namespace

void WipeText(TUTF16String& text)
{
    SecureZeroMemory(text.data(), text.size() * sizeof(u16));
    text.clear();
}

CAuthenticationDialogData::CAuthenticationDialogData() : fDialog(NSFerrant::MakeDialogResourceID(kLogOnDialog))
{
    // Room for the longest texts up front: a growing password would leave copies behind.
    fUserName.reserve(kCredentialMaxLength + 1);
    fPassword.reserve(kCredentialMaxLength + 1);
}

CAuthenticationDialogData::~CAuthenticationDialogData()
{
    WipeText(fPassword);
}

CAuthenticationDialog::CAuthenticationDialog(NSTrellis::IModalDialog* native, CAuthenticationDialogData& data)
    : CAuthenticationDialog(native, data, NSFerrant::LoadDialogResource(data.fDialog, NSFerrant::kDialogFontSegoeUI))
{
}

CAuthenticationDialog::CAuthenticationDialog(NSTrellis::IModalDialog* native, CAuthenticationDialogData& data,
                                             const NSFerrant::CDialogResource& resource)
    : CABCModalDialog(native, ContentSizeOf(resource), TitleOf(resource)), fData(&data)
{
    using namespace NSSprocketUtils;
    const NSTrellisGlue::CABCView& content = *GetContentView();
    const NSTrellisGlue::TViewFrame frame = content.GetFrame();
    const float origin[2] = {frame[0], frame[1]};
    fOkButton = CreatePushButton(content, origin, resource.FindItem(kItemOk), this, kRoleDefault, "fOkButton");
    fCancelButton =
        CreatePushButton(content, origin, resource.FindItem(kItemCancel), this, kRoleCancel, "fCancelButton");
    fHelpButton = CreatePushButton(content, origin, resource.FindItem(kItemHelp), this, kRoleHelp, "fHelpButton");
    fInfoText = CreateStaticText(content, origin, resource.FindItem(kItemInfo), {}, "fInfoText");
    fPasswordTitle = CreateStaticText(content, origin, resource.FindItem(kItemPasswordTitle), {}, "fPasswordTitle");
    NSFerrant::TDialogItem passwordItem = resource.FindItem(kItemPassword);
    passwordItem.fText.clear();
    fPassword = CreateTextField(content, origin, passwordItem, this, NSSprocket::kTextFieldPassword, "fPassword");
    fUserNameTitle = CreateStaticText(content, origin, resource.FindItem(kItemUserNameTitle), {}, "fUserNameTitle");
    NSFerrant::TDialogItem userNameItem = resource.FindItem(kItemUserName);
    userNameItem.fText.clear();
    fUserName = CreateTextField(content, origin, userNameItem, this, 0, "fUserName");
    fData->fAccepted = false;
}

void CAuthenticationDialog::OnPushButtonPressed(NSSprocket::IPushButtonView* button)
{
    if (button == fOkButton.get())
    {
        if (fData->fUserName.empty())
            return;
        fData->fAccepted = true;
        Close();
    }
    else if (button == fCancelButton.get())
    {
        fData->fAccepted = false;
        Close();
    }
    else if (button == fHelpButton.get())
    {
        WindowCallback9();
    }
}

void CAuthenticationDialog::OnTextChanged(NSSprocket::ITextFieldView* field, u16* text, u32* selectionStart,
                                          u32* selectionEnd)
{
    const std::size_t length = std::min(NSTextPackage::GetWideLength(text), kCredentialMaxLength);
    *selectionStart = std::min<u32>(*selectionStart, u32(length));
    *selectionEnd = std::min<u32>(*selectionEnd, u32(length));
    TUTF16String* target = field == fUserName.get() ? &fData->fUserName
                           : field == fPassword.get() ? &fData->fPassword
                                                      : nullptr;
    if (target)
    {
        // Assigned in place: the reserved room keeps the text where it is.
        SecureZeroMemory(target->data(), target->size() * sizeof(u16));
        target->assign(text, length);
    }
    text[length] = 0;
    NSTrellisUtils::UpdateNow();
}

u32 CAuthenticationDialog::Callback0()
{
    return kTrellisOK;
}

u32 CAuthenticationDialog::Callback1(u32* out)
{
    *out = 77;
    return kTrellisOK;
}

u32 CAuthenticationDialog::Pressed(NSSprocket::IPushButtonView* button)
{
    return NSTrellisGlue::AnswerThroughResponder([&] { OnPushButtonPressed(button); });
}

u32 CAuthenticationDialog::Action(NSSprocket::ITextFieldView* /*field*/, u32 /*key*/, u32* out)
{
    *out = 1;
    return NSTrellisGlue::AnswerThroughResponder([&] { OnPushButtonPressed(fOkButton.get()); });
}

u32 CAuthenticationDialog::Callback2(NSSprocket::ITextFieldView* /*field*/, u32* out)
{
    *out = 0;
    return kTrellisOK;
}

u32 CAuthenticationDialog::TextChanged(NSSprocket::ITextFieldView* field, u16* text, u32* selectionStart,
                                       u32* selectionEnd)
{
    return NSTrellisGlue::AnswerThroughResponder([&] { OnTextChanged(field, text, selectionStart, selectionEnd); });
}

u32 CAuthenticationDialog::Callback4()
{
    return kTrellisOK;
}

u32 CAuthenticationDialog::Callback5()
{
    return kTrellisOK;
}

u32 CAuthenticationDialog::UpdateEditMenu(NSSprocket::ITextFieldView* field, NSTrellis::IMenuBar* menuBar)
{
    try
    {
        NSSprocketUtils::UpdateEditMenu(*field, menuBar);
        return kTrellisOK;
    }
    catch (...)
    {
        return SprocketStatusFromCurrentException();
    }
}

u32 CAuthenticationDialog::DoEditCommand(NSSprocket::ITextFieldView* field, const NSTrellis::TCommandEvent* event,
                                         u32* handled)
{
    try
    {
        *handled = NSSprocketUtils::DoEditCommand(*field, *event, event->fCommand) ? 1 : 0;
        return kTrellisOK;
    }
    catch (...)
    {
        return SprocketStatusFromCurrentException();
    }
}
} // namespace NSVantleApp

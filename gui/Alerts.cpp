#include "gui/Alerts.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/TextBuffers.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"

#include <cstring>
#include <memory>
#include <stdexcept>

namespace
{
constexpr std::size_t kMaxAlertFieldUnits = 1023;

u32 IconOfKind(const TUTF16String& kind)
{
    const struct
    {
        const char16_t* fKind;
        u32 fIcon;
    } kIcons[] = {{u"NONE", kAlertIconNone}, {u"STOP", kAlertIconStop}, {u"NOTE", kAlertIconNote},
                  {u"WARN", kAlertIconWarning}};
    for (const auto& row : kIcons)
    {
        if (kind == TUTF16String(row.fKind, row.fKind + 4))
            return row.fIcon;
    }
    NSQuorral::Throw(std::invalid_argument(""));
}

u32 OperationOfButtonCount(std::size_t count)
{
    const u32 kOperations[] = {kAlertOneButton, kAlertTwoButtons, kAlertThreeButtons};
    if (count == 0 || count > 3)
        NSQuorral::Throw(std::invalid_argument(""));
    return kOperations[count - 1];
}

// A field that a long parameter made too long keeps its start and ends in "…".
TUTF16String FitAlertField(const TUTF16String& field)
{
    if (field.size() <= kMaxAlertFieldUnits)
        return field;
    return NSTextPackage::TruncateText(field, kMaxAlertFieldUnits - 1) + u16(0x2026); // "…"
}

void CopyAlertField(u16 (&target)[1024], const TUTF16String& text)
{
    NSTextPackage::CopyWide(target, text.c_str(), kMaxAlertFieldUnits);
}
} // namespace

u32 RunAlertText(ITrellis* trellis, const TUTF16String& text, const std::vector<TUTF16String>& parameters)
{
    TUTF16String kind, title, message;
    std::vector<TUTF16String> buttons;
    ParseAlertText(ExpandAlertText(text, parameters), kind, title, message, buttons);
    const u32 icon = IconOfKind(kind);
    const u32 operation = OperationOfButtonCount(buttons.size());
    for (TUTF16String& button : buttons)
        button = FitAlertField(button);
    buttons.resize(3);
    return ShowAlert(trellis, operation, icon, FitAlertField(title), FitAlertField(message), buttons[0], buttons[1],
                     buttons[2]);
}

u32 ShowAlert(ITrellis* trellis, u32 operation, u32 icon, const TUTF16String& title, const TUTF16String& message,
              const TUTF16String& button1, const TUTF16String& button2, const TUTF16String& button3)
{
    for (const TUTF16String* field : {&title, &message, &button1, &button2, &button3})
    {
        if (field->size() > kMaxAlertFieldUnits)
            NSQuorral::Throw(std::invalid_argument(""));
    }
    auto alert = std::make_unique<TAlertDescriptor>();
    std::memset(alert.get(), 0, sizeof(TAlertDescriptor));
    alert->fOperation = operation;
    alert->fIcon = icon;
    CopyAlertField(alert->fTitle, title);
    CopyAlertField(alert->fMessage, message);
    CopyAlertField(alert->fButtons[0], button1);
    CopyAlertField(alert->fButtons[1], button2);
    CopyAlertField(alert->fButtons[2], button3);
    NSTrellisUtils::CAlertResultListener listener;
    const u32 status = trellis->RunAlert(nullptr, 1, alert.get(), &listener);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return listener.fAnswer;
}

namespace NSTrellisUtils
{
u32 CAlertResultListener::AlertClosed(u32 answer)
{
    fAnswer = answer;
    return kTrellisOK;
}

u32 MapAlertAnswer(u32 libraryAnswer)
{
    switch (libraryAnswer)
    {
    case kAlertAnswerNextToLastButton:
        return kAlertNextToLastButton;
    case kAlertAnswerThirdToLastButton:
        return kAlertThirdToLastButton;
    default:
        return kAlertLastButton;
    }
}

u32 DoAlert(const NSFerrant::TResourceID& alert)
{
    return DoAlertText(GetResourceText(alert), {});
}

u32 DoAlert(const NSFerrant::TResourceID& alert, const TUTF16String& p0)
{
    return DoAlertText(GetResourceText(alert), {p0});
}

u32 DoAlert(const NSFerrant::TResourceID& alert, const std::vector<TUTF16String>& parameters)
{
    return DoAlertText(GetResourceText(alert), parameters);
}

u32 DoAlertText(const TUTF16String& text)
{
    return DoAlertText(text, {});
}

u32 DoAlertText(const TUTF16String& text, const std::vector<TUTF16String>& parameters)
{
    return MapAlertAnswer(RunAlertText(GetTrellisInterface(), text, parameters));
}
} // namespace NSTrellisUtils

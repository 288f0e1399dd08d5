#pragma once
// Alerts: a line of alert text (see AlertText.h) with its parameters, shown by the GUI library.
// The caller learns the button chosen, counted from the right: kAlertLastButton is the only
// button of a one-button alert and "Replace" of "[Cancel][Replace]"; kAlertNextToLastButton is
// "Open Log File" of "[Open Log File][OK]"; kAlertThirdToLastButton the first of three.
#include "base/ResourceID.h"
#include "dlls/trellis/Trellis.h"
#include "gui/AlertText.h"

#include <vector>

constexpr u32 kAlertLastButton = 33;
constexpr u32 kAlertNextToLastButton = 34;
constexpr u32 kAlertThirdToLastButton = 35;

// Shows the alert text with its parameters ("^0" ... stand for them, escaped) through the
// library and returns the library's answer. A title, message or button that parameters make
// longer than 1023 units is cut, ending in an ellipsis. A malformed text, an unknown kind or a
// button count other than 1 to 3 throws std::invalid_argument before anything is shown.
u32 RunAlertText(ITrellis* trellis, const TUTF16String& text, const std::vector<TUTF16String>& parameters);

// Fills the descriptor and runs the alert; returns when it is closed, with the library's
// answer. A text longer than 1023 units throws std::invalid_argument (title, message, buttons
// tested in that order); a library failure is thrown through its status table.
u32 ShowAlert(ITrellis* trellis, u32 operation, u32 icon, const TUTF16String& title, const TUTF16String& message,
              const TUTF16String& button1, const TUTF16String& button2, const TUTF16String& button3);

namespace NSTrellisUtils
{
// Keeps the answer the library reports when the alert closes; 0 until then.
class CAlertResultListener final : public NSTrellis::IAlertListener
{
public:
    u32 AlertClosed(u32 answer) override;

    u32 fAnswer = 0;
};

// The library's answer as the caller's button code; an answer naming no button (none at all
// included) counts as kAlertLastButton.
u32 MapAlertAnswer(u32 libraryAnswer);

// Alerts of the program's alert tables, with no, one ("^0") or several parameters.
u32 DoAlert(const NSFerrant::TResourceID& alert);
u32 DoAlert(const NSFerrant::TResourceID& alert, const TUTF16String& p0);
u32 DoAlert(const NSFerrant::TResourceID& alert, const std::vector<TUTF16String>& parameters);
// An alert given as its text. Every failure passes to the caller.
u32 DoAlertText(const TUTF16String& text);
u32 DoAlertText(const TUTF16String& text, const std::vector<TUTF16String>& parameters);
} // namespace NSTrellisUtils

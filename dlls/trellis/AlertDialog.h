#pragma once
// The alert as a real modal dialog: icon, title, message and up to three buttons.
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
// Shows the checked alert of buttonCount buttons, application-modal, and returns the answer of
// the button chosen (kAlertAnswer*). A failure to make the dialog throws std::runtime_error.
u32 RunAlertDialog(const TAlertDescriptor& alert, u32 buttonCount);
} // namespace NSTrellisLibrary

#pragma once
// The checks and the button roles of an alert descriptor.
#include "dlls/trellis/Trellis.h"

#include <string>

namespace NSTrellisLibrary
{
// The number of buttons the descriptor's operation names; throws std::invalid_argument for an
// unknown operation or icon, an unterminated text or a missing button.
u32 CheckAlertDescriptor(const TAlertDescriptor& alert);

// The answer of button index (0-based, left to right) of an alert of count buttons: the last
// answers kAlertAnswerLastButton, the one before it the next code.
u32 AnswerOfButton(u32 index, u32 count);

// The text of a zero-terminated field the descriptor check accepted.
std::wstring FieldText(const u16 (&field)[1024]);
} // namespace NSTrellisLibrary

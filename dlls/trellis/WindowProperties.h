#pragma once
// The parts of the property records that document windows and dialogs share: title and frame.
#include <windows.h>

#include "base/Types.h"

namespace NSTrellisLibrary
{
void ReadTitleAndFrame(HWND window, u16 (&title)[1024], i32 (&frame)[4]);
// The title must be zero-terminated within its 1024 units (std::invalid_argument otherwise) and
// the frame not inside out.
void WriteTitleAndFrame(HWND window, const u16 (&title)[1024], const i32 (&frame)[4]);
} // namespace NSTrellisLibrary

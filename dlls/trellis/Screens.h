#pragma once
// The screens of the display, as the library lists them.
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
// Fills the list with the first kMaxScreens screens; the main screen is always among them.
void ListScreens(TScreenList& list);
} // namespace NSTrellisLibrary

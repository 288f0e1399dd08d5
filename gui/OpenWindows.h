#pragma once
// The GUI library's open document windows and modal dialogs, frontmost first.
#include "dlls/trellis/Trellis.h"

#include <vector>

namespace NSTrellisUtils
{
std::vector<NSTrellis::IDocumentWindow*> GetDocumentWindows();
std::vector<NSTrellis::IModalDialog*> GetModalDialogs();
} // namespace NSTrellisUtils

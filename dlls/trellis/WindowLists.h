#pragma once
// The open document windows and modal dialogs. A window of either kind carries its interface
// object as a window property (kDocumentWindowProperty, kModalDialogProperty) from its creation
// to its destruction; the lists are the thread's visible top-level windows that carry one.
#include "dlls/trellis/Trellis.h"

#include <vector>

namespace NSTrellisLibrary
{
constexpr wchar_t kDocumentWindowProperty[] = L"Trellis.IDocumentWindow";
constexpr wchar_t kModalDialogProperty[] = L"Trellis.IModalDialog";

// Interface objects of the windows carrying the property, frontmost first.
std::vector<void*> ListWindowsWithProperty(const wchar_t* property);
} // namespace NSTrellisLibrary

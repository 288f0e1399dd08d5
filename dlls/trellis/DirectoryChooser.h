#pragma once
// The system's folder chooser.
#include "dlls/trellis/Trellis.h"

#include <optional>
#include <string>

namespace NSTrellisLibrary
{
// Shows the chooser, application-modal, titled, remembering its last folder per tag; answers the
// folder chosen as a "file://" URL ending in "\", or nothing when the user cancelled. A failure
// of the system's dialog throws std::runtime_error.
std::optional<std::string> RunDirectoryChooserDialog(u32 tag, const u16* title);
} // namespace NSTrellisLibrary

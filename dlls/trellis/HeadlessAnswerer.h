#pragma once
// The library's side of headless answering (see TrellisHeadless.h).
#include "dlls/trellis/TrellisHeadless.h"

#include <optional>
#include <string>

namespace NSTrellisLibrary
{
bool IsHeadless();

// Records the alert and answers it from the queue; a queued answer that names none of its
// buttonCount buttons throws XIllegalCallSequence.
u32 AnswerAlertHeadless(const TAlertDescriptor& alert, u32 buttonCount);

// Records the chooser and answers it: the folder's URL, or nothing for cancel.
std::optional<std::string> AnswerFolderChooserHeadless(u32 tag, const u16* title);
} // namespace NSTrellisLibrary

#pragma once
// The run of the application: Run calls the application object in a fixed order around the
// message loop. One run at a time, on the thread that called Run.
#include "dlls/trellis/MenuBar.h"
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
// Startup, OpenDefaultWindow, SetUpMenus, the message loop until a quit stands, Shutdown; then the
// windows still open are destroyed and so is the application object. Answers Startup's failure
// unchanged (nothing else runs then but the destruction), else kTrellisOK.
u32 RunApplication(NSTrellis::ITrellisRunBehavior* application, const TTrellisStartupBlock& block);

// Null outside a run.
NSTrellis::ITrellisRunBehavior* GetCurrentApplication();
CMenuBar* GetCurrentMenuBar();

// The loop ends once the message being handled is done, after the open document windows were
// asked to close (kCloseCauseQuit); a window may cancel it. XIllegalCallSequence outside a run.
void RequestQuit();
void CancelQuitRequest();

// Handles every pending message of the thread, paints included, and returns when none is left.
void ProcessPendingMessages();

// Tells the application of a failure that no caller could hear of.
void ReportToApplication(u32 status);
} // namespace NSTrellisLibrary

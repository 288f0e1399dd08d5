#pragma once
// The program's one interface of the Trellis GUI library, made at start-up and held for the run.
#include "dlls/trellis/Trellis.h"

// Asks the library for its interface and keeps it; a status other than kTrellisOK is thrown
// through the GUI library's status table. The entry point runs it once, before any window,
// view or icon exists.
void CreateTrellisInterface();

// The interface CreateTrellisInterface made; throws XIllegalCallSequence before it ran or after
// the release.
ITrellis* GetTrellisInterface();

// Test hook: puts trellis (a double, or null) in place of the interface and answers the one it
// replaced; nothing is released.
ITrellis* ExchangeTrellisInterface(ITrellis* trellis);

// Releases the interface at the end of the run (nothing when there is none).
void ReleaseTrellisInterface();

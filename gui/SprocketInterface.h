#pragma once
// The program's one interface of the Sprocket widget library, made at start-up and held for the run.
#include "dlls/sprocket/Sprocket.h"

// Makes and readies the library's interface for the GUI library's interface. Any failure
// releases what was made, reports the missing library once and ends the program quietly with
// XSilentAbort.
void CreateSprocketInterface(ITrellis* trellis);
// The interface CreateSprocketInterface made; XIllegalCallSequence without one.
NSSprocket::ISprocket* GetSprocketInterface();
// Releases the interface at the end of the run (nothing when there is none).
void ReleaseSprocketInterface();
// Throws the exception of a library status other than success.
void ThrowIfSprocketFailure(u32 status);

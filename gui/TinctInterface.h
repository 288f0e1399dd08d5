#pragma once
// The program's one interface of the Tinct pixel library, made on first use and held for the run.
#include "dlls/tinct/Tinct.h"

// The interface; the first call makes it, and a status other than kTinctOK is thrown through the
// pixel library's status table (the next call tries again).
ITinct* GetTinct();

// Releases the interface at the end of the run (nothing when there is none).
void ReleaseTinct();

// Throws a pixel-library status other than kTinctOK.
void ThrowIfTinctFailure(u32 status);

#include "gui/TinctInterface.h"

#include "base/LibraryStatusTables.h"
#include "base/Throw.h"

namespace
{
// The GUI thread alone paints: the pointer takes no lock.
ITinct* gTinct = nullptr;
} // namespace

ITinct* GetTinct()
{
    if (gTinct)
        return gTinct;
    u32 status = kTinctOK;
    ITinct* tinct = Tinct_Create("ITinct", &status);
    ThrowIfTinctFailure(status);
    if (!tinct)
        NSQuorral::Throw<NSQuorral::XInvariantCorrupt>();
    gTinct = tinct;
    return gTinct;
}

void ReleaseTinct()
{
    if (gTinct)
        gTinct->Release(1);
    gTinct = nullptr;
}

void ThrowIfTinctFailure(u32 status)
{
    if (status != kTinctOK)
        ThrowTinctFailure(status);
}

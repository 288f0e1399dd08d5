#include "gui/TrellisInterface.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"

#include <utility>

namespace
{
ITrellis* gTrellis = nullptr;
} // namespace

void CreateTrellisInterface()
{
    u32 status = kTrellisOK;
    ITrellis* trellis = Trellis_Create("ITrellis", &status);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    gTrellis = trellis;
}

ITrellis* GetTrellisInterface()
{
    if (!gTrellis)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    return gTrellis;
}

ITrellis* ExchangeTrellisInterface(ITrellis* trellis)
{
    return std::exchange(gTrellis, trellis);
}

void ReleaseTrellisInterface()
{
    if (gTrellis)
        gTrellis->Release(1);
    gTrellis = nullptr;
}

#include "gui/SprocketInterface.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/Throw.h"
#include "gui/FatalReport.h"

#include <utility>

namespace
{
NSSprocket::ISprocket* gSprocket = nullptr;
bool gReported = false;
} // namespace

void ThrowIfSprocketFailure(u32 status)
{
    if (status != kTrellisOK)
        ThrowSprocketFailure(status);
}

void CreateSprocketInterface(ITrellis* trellis)
{
    try
    {
        u32 status = kTrellisOK;
        gSprocket = Sprocket_Create("ISprocket", trellis, &status);
        ThrowIfSprocketFailure(status);
        if (!gSprocket)
            NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
        ThrowIfSprocketFailure(gSprocket->Initialize(1));
    }
    catch (...)
    {
        ReleaseSprocketInterface();
        if (!std::exchange(gReported, true))
            ReportFatalError("Application", "Failed to open Widget support library", "Application can not run");
        NSQuorral::Throw<NSQuorral::XSilentAbort>();
    }
}

NSSprocket::ISprocket* GetSprocketInterface()
{
    if (!gSprocket)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    return gSprocket;
}

void ReleaseSprocketInterface()
{
    if (gSprocket)
        std::exchange(gSprocket, nullptr)->Release(1);
}

#include "gui/SprocketInterface.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/Throw.h"
#include "gui/FatalReport.h"

#include <utility>

namespace
{
constexpr u32 kSprocketOK = 12000;

NSSprocket::ISprocket* gSprocket = nullptr;
bool gReported = false;

void ThrowIfSprocketFailure(u32 status)
{
    if (status != kSprocketOK)
        ThrowSprocketFailure(status);
}
} // namespace

void CreateSprocketInterface(ITrellis* trellis)
{
    try
    {
        u32 status = kSprocketOK;
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

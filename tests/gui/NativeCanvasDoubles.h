#pragma once
// Stand-ins for the GUI library's native canvas and region over a device context and a GDI
// region, for drawing tests that read the pixels back.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"

#include <cstdint>

#include <windows.h>

// The GUI library's canvas for a device context, counting its calls.
class CNativeCanvas final : public NSTrellis::INativeCanvas
{
public:
    explicit CNativeCanvas(HDC dc) : fDC(dc) {}
    u32 GetHandle(u64* handle) override
    {
        *handle = u64(uintptr_t(fDC));
        return fStatus;
    }
    u32 Prepare() override
    {
        ++fPrepareCount;
        return kTrellisOK;
    }

    HDC fDC;
    u32 fStatus = kTrellisOK;
    u32 fPrepareCount = 0;
};

class CNativeRegion final : public NSTrellis::INativeRegion
{
public:
    explicit CNativeRegion(HRGN region) : fRegion(region) {}
    u32 GetHandle(u64* handle) override
    {
        *handle = u64(uintptr_t(fRegion));
        return kTrellisOK;
    }

    HRGN fRegion;
};

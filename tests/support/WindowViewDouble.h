#pragma once
// A parent view for native controls without a window of the GUI library.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"

#include <cstdint>

#include <windows.h>

// A view of the GUI library standing for a real window that the test makes: the library only
// asks a parent view for its window.
class CWindowView final : public NSTrellis::IView
{
public:
    CWindowView()
    {
        fWindow = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    ~CWindowView() { DestroyWindow(fWindow); }

    u32 GetNativeHandle(u64* handle) override
    {
        *handle = u64(reinterpret_cast<uintptr_t>(fWindow));
        return kTrellisOK;
    }
    u32 GetParent(NSTrellis::IView** parent) override
    {
        *parent = nullptr;
        return kTrellisOK;
    }
    u32 SetProperties(const NSTrellis::TViewProperties*) override { return kTrellisLogicError; }
    u32 GetProperties(NSTrellis::TViewProperties*) override { return kTrellisLogicError; }
    u32 MoveBy(i32, i32) override { return kTrellisLogicError; }
    u32 DetachBehavior() override { return kTrellisLogicError; }
    u32 Release() override { return kTrellisLogicError; }

    HWND fWindow;
};

#include "dlls/trellis/Screens.h"

#include "base/TextBuffers.h"

#include <cstring>
#include <vector>

namespace NSTrellisLibrary
{
namespace
{
void CopyRect(const RECT& rect, i32 (&target)[4])
{
    target[0] = rect.left;
    target[1] = rect.top;
    target[2] = rect.right;
    target[3] = rect.bottom;
}

TScreen DescribeScreen(HMONITOR monitor, bool& isMain)
{
    TScreen screen{};
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    CopyRect(info.rcMonitor, screen.fBounds);
    CopyRect(info.rcWork, screen.fUsableArea);
    isMain = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    NSTextPackage::CopyWide(screen.fDeviceName, reinterpret_cast<const u16*>(info.szDevice),
                            std::size(screen.fDeviceName) - 1);
    if (HDC dc = CreateDCW(info.szDevice, nullptr, nullptr, nullptr))
    {
        screen.fBitsPerPixel = u32(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES));
        screen.fDotsPerInch = u32(GetDeviceCaps(dc, LOGPIXELSY));
        DeleteDC(dc);
    }
    return screen;
}
} // namespace

void ListScreens(TScreenList& list)
{
    std::vector<HMONITOR> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM parameter) -> BOOL {
            reinterpret_cast<std::vector<HMONITOR>*>(parameter)->push_back(monitor);
            return TRUE;
        },
        LPARAM(&monitors));
    std::memset(&list, 0, sizeof(list));
    for (HMONITOR monitor : monitors)
    {
        bool isMain = false;
        const TScreen screen = DescribeScreen(monitor, isMain);
        if (list.fCount < kMaxScreens)
        {
            list.fScreens[list.fCount] = screen;
            if (isMain)
                list.fMainScreen = list.fCount;
            ++list.fCount;
        }
        else if (isMain)
        {
            // A main screen past the room takes the last place.
            list.fScreens[kMaxScreens - 1] = screen;
            list.fMainScreen = kMaxScreens - 1;
        }
    }
}
} // namespace NSTrellisLibrary

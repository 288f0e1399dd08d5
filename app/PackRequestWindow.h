#pragma once
// A hidden top-level window through which another process asks the running program to pack a
// folder (message 0x485 with a readable handle carrying two big-endian-length-prefixed paths).
#include "base/Types.h"

#include <windows.h>

#include <string>

namespace NSVantleApp
{
class CCreateWindow;

struct TPackRequestWindow
{
    ~TPackRequestWindow();

    CCreateWindow* fOwner = nullptr;
    u16 fClassAtom = 0;
    HWND fWindow = nullptr;
};

TPackRequestWindow* CreatePackRequestWindow(TPackRequestWindow* holder, CCreateWindow* owner);
void DestroyPackRequestWindow(TPackRequestWindow* holder);
} // namespace NSVantleApp

#pragma once
// The library's platform services: icons from Windows icon handles and the enabling of the
// application's windows.
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
class CPlatformServices final : public IPlatformServices
{
public:
    NSTrellis::IIcon* CreateIconFromHandles(HICON smallIcon, u32 zero1, HICON largeIcon, u32 zero2, u32 zero3,
                                            u32 zero4, u32 zero5, u32* status) override;
    u32 EnableApplicationWindows(u32 enable) override;
};
} // namespace NSTrellisLibrary

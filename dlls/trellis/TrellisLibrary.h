#pragma once
// The library's one interface object.
#include "dlls/trellis/PlatformServices.h"

namespace NSTrellisLibrary
{
class CTrellis final : public ITrellis
{
public:
    u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) override;
    NSTrellis::IIcon* CreateIcon(u32 id, u32* status) override;
    NSTrellis::IIcon* CreateIconFromSpec(const char* spec, u32 zero, u32* status) override;
    u32 GetPlatformServices(IPlatformServices** services) override;
    u32 Release(u32 destroy) override;

private:
    CPlatformServices fPlatformServices;
};
} // namespace NSTrellisLibrary

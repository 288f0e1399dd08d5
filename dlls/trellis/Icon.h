#pragma once
// The library's icon objects and the loading of icon resources.
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
// Owns one Windows icon handle and destroys it with DestroyIcon.
class CIconHandle
{
public:
    explicit CIconHandle(HICON handle = nullptr) : fHandle(handle) {}
    CIconHandle(CIconHandle&& other) noexcept : fHandle(other.Detach()) {}
    CIconHandle& operator=(CIconHandle&& other) noexcept;
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;
    ~CIconHandle();

    HICON Get() const { return fHandle; }
    HICON Detach();

private:
    HICON fHandle;
};

// An icon of the library: a small and a large image. An empty large handle means the small one
// serves both sizes, so a handle given for both is destroyed once.
class CIcon final : public NSTrellis::IIcon
{
public:
    CIcon(CIconHandle smallIcon, CIconHandle largeIcon);

    u32 Release() override;
    u32 GetHandles(HICON* smallIcon, HICON* largeIcon) override;

private:
    ~CIcon() = default;

    CIconHandle fSmall;
    CIconHandle fLarge;
};

// A new icon from an icon group resource of the module, at the system's small and large sizes; a
// module without that resource throws std::runtime_error.
CIcon* LoadModuleIcon(HMODULE module, const wchar_t* name);
} // namespace NSTrellisLibrary

#include "dlls/trellis/Icon.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"

#include <stdexcept>
#include <utility>

namespace NSTrellisLibrary
{
CIconHandle& CIconHandle::operator=(CIconHandle&& other) noexcept
{
    if (this != &other)
    {
        CIconHandle old(std::exchange(fHandle, other.Detach()));
    }
    return *this;
}

CIconHandle::~CIconHandle()
{
    if (fHandle)
        DestroyIcon(fHandle);
}

HICON CIconHandle::Detach()
{
    return std::exchange(fHandle, nullptr);
}

CIcon::CIcon(CIconHandle smallIcon, CIconHandle largeIcon) : fSmall(std::move(smallIcon)), fLarge(std::move(largeIcon))
{
}

u32 CIcon::Release()
{
    delete this;
    return kTrellisOK;
}

u32 CIcon::GetHandles(HICON* smallIcon, HICON* largeIcon)
{
    if (!smallIcon || !largeIcon)
        return kTrellisInvalidArgument; // std::invalid_argument
    *smallIcon = fSmall.Get();
    *largeIcon = fLarge.Get() ? fLarge.Get() : fSmall.Get();
    return kTrellisOK;
}

CIcon* LoadModuleIcon(HMODULE module, const wchar_t* name)
{
    const auto load = [&](int widthMetric, int heightMetric) {
        CIconHandle icon(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                       GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR)));
        if (!icon.Get())
        {
            NSQuorral::Throw(std::runtime_error(""));
        }
        return icon;
    };
    CIconHandle smallIcon = load(SM_CXSMICON, SM_CYSMICON);
    CIconHandle largeIcon = load(SM_CXICON, SM_CYICON);
    return new CIcon(std::move(smallIcon), std::move(largeIcon));
}
} // namespace NSTrellisLibrary

#include "gui/DefaultFontInfo.h"

#include "base/Throw.h"
#include "gui/TinctInterface.h"

#include <stdexcept>

#include <windows.h>

namespace
{
constexpr u32 kMessageFontStyle = 7550;

TDefaultFontInfo MakeDefaultFontInfo()
{
    TDefaultFontInfo info{IsWindowsVistaOrLater(), kDefaultFontInfoValid, {}, 0};
    ThrowIfTinctFailure(GetTinct()->GetFontInfo(kMessageFontStyle, &info.fFontInfo));
    return info;
}

u32 ReadVistaOrLater()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version))
        NSQuorral::Throw<std::exception>();
    return version.dwMajorVersion >= 6 ? 1 : 0;
}
} // namespace

const TDefaultFontInfo& GetDefaultFontInfo()
{
    static const TDefaultFontInfo info = MakeDefaultFontInfo();
    return info;
}

const u32& IsWindowsVistaOrLater()
{
    static const u32 flag = ReadVistaOrLater();
    return flag;
}

#include "base/OpenWithShell.h"

#include <windows.h>

#include <shellapi.h>

namespace NSFerrant
{
bool OpenWithShell(const NSTextPackage::TUTF16String& target)
{
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", NSTextPackage::AsWide(target), nullptr, nullptr, SW_SHOWNORMAL);
    // The result is a status in the shape of a handle: above 32 is success.
    return i32(reinterpret_cast<intptr_t>(result)) > 32;
}
} // namespace NSFerrant

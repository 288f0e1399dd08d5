#include "app/RegistryKeys.h"

#include "filelib/WindowsErrorExceptions.h"

#include <shlwapi.h>

using NSFileLibSupport::ThrowExceptionForWindowsError;
using NSTextPackage::AsWide;

namespace NSVantleApp
{
namespace
{
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kWriteAccess = KEY_READ | KEY_WRITE;
} // namespace

CRegistryKey CRegistryKey::Root(HKEY root)
{
    return CRegistryKey(std::shared_ptr<std::remove_pointer_t<HKEY>>(root, [](HKEY) {}));
}

CRegistryKey::CRegistryKey(const CRegistryKey& parent, const NSTextPackage::TUTF16String& name, bool writable)
{
    HKEY key = nullptr;
    ThrowExceptionForWindowsError(RegCreateKeyExW(parent.Get(), AsWide(name), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                  writable ? kWriteAccess : kReadAccess, nullptr, &key, nullptr));
    fKey.reset(key, [](HKEY owned) { RegCloseKey(owned); });
}

bool DoesRegistryPathExist(HKEY root, const TRegistryPath& names)
{
    CRegistryKey key = CRegistryKey::Root(root);
    for (const auto& name : names)
    {
        HKEY probe = nullptr;
        if (RegOpenKeyExW(key.Get(), AsWide(name), 0, kReadAccess, &probe) != ERROR_SUCCESS)
            return false;
        RegCloseKey(probe);
        key = CRegistryKey(key, name, false);
    }
    return true;
}

CRegistryKey OpenRegistryPath(HKEY root, const TRegistryPath& names, bool writable)
{
    CRegistryKey key = CRegistryKey::Root(root);
    for (const auto& name : names)
        key = CRegistryKey(key, name, writable);
    return key;
}

CRegistryKey OpenRegistryPathForWriting(const TRegistryPath& names)
{
    return OpenRegistryPath(HKEY_LOCAL_MACHINE, names, true);
}

void DeleteRegistrySubkey(const CRegistryKey& parent, const NSTextPackage::TUTF16String& name)
{
    ThrowExceptionForWindowsError(SHDeleteKeyW(parent.Get(), AsWide(name)));
}
} // namespace NSVantleApp

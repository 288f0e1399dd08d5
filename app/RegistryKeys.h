#pragma once
// Registry keys held by shared handles: a key is closed when its last holder goes. Every failing
// registry call is thrown through the Win32 error mapping of the application's calls.
#include "base/UTF16String.h"

#include <memory>
#include <type_traits>
#include <vector>

#include <windows.h>

namespace NSVantleApp
{
using TRegistryPath = std::vector<NSTextPackage::TUTF16String>;

class CRegistryKey
{
public:
    // A predefined root such as HKEY_LOCAL_MACHINE, which is never closed.
    static CRegistryKey Root(HKEY root);
    // The subkey of the parent, created when it is missing; writable asks for read and write
    // access, otherwise read access only.
    CRegistryKey(const CRegistryKey& parent, const NSTextPackage::TUTF16String& name, bool writable);

    HKEY Get() const { return fKey.get(); }

private:
    explicit CRegistryKey(std::shared_ptr<std::remove_pointer_t<HKEY>> key) : fKey(std::move(key)) {}

    std::shared_ptr<std::remove_pointer_t<HKEY>> fKey;
};

// Whether every key of the path exists below the root, tested without creating any.
bool DoesRegistryPathExist(HKEY root, const TRegistryPath& names);
// The last key of the path, each missing key on the way created.
CRegistryKey OpenRegistryPath(HKEY root, const TRegistryPath& names, bool writable);
CRegistryKey OpenRegistryPathForWriting(const TRegistryPath& names);
// Removes the subkey with everything below it.
void DeleteRegistrySubkey(const CRegistryKey& parent, const NSTextPackage::TUTF16String& name);
} // namespace NSVantleApp

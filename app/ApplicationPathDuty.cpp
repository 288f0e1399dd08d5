#include "app/ApplicationPathDuty.h"

#include "app/ApplicationFile.h"
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/WindowsErrorExceptions.h"

using NSFileLibSupport::ThrowExceptionForWindowsError;
using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
const wchar_t kValueName[] = L"Application Path";
} // namespace

TRegistryPath MakeRegistryKeyPath()
{
    return {NSTextPackage::ASCIIToUTF16("Software", 0), NSTextPackage::ASCIIToUTF16("Quillmont Software", 0),
            NSFerrant::GetCodeModuleName()};
}

TUTF16String ReadApplicationPathValue(const CRegistryKey& key)
{
    DWORD type = 0;
    DWORD size = 0;
    ThrowExceptionForWindowsError(RegQueryValueExW(key.Get(), kValueName, nullptr, &type, nullptr, &size));
    if (type != REG_SZ)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (size == 0)
        return {};
    // One unit more than the bytes hold: a value stored without its terminator still ends.
    TUTF16String buffer(size / 2 + 1, 0);
    DWORD bufferSize = size;
    ThrowExceptionForWindowsError(RegQueryValueExW(key.Get(), kValueName, nullptr, nullptr,
                                                   reinterpret_cast<BYTE*>(buffer.data()), &bufferSize));
    return TUTF16String(buffer.c_str());
}

bool IsApplicationPathValueEqual(const TRegistryPath& names, const TUTF16String& expected)
{
    if (!DoesRegistryPathExist(HKEY_LOCAL_MACHINE, names))
        return false;
    const CRegistryKey key = OpenRegistryPath(HKEY_LOCAL_MACHINE, names, false);
    if (RegQueryValueExW(key.Get(), kValueName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return NSTextPackage::CompareText(ReadApplicationPathValue(key), expected, NSTextPackage::kCompareIgnoreCase) ==
           NSTextPackage::kCompareEqual;
}

std::string CWinRegisterApplicationPath::GetName() const
{
    return "RegisterApplicationPath";
}

std::string CWinRegisterApplicationPath::GetDescription() const
{
    return {};
}

bool CWinRegisterApplicationPath::NeedsInstall() const
{
    return !IsInstalled();
}

bool CWinRegisterApplicationPath::PrepareInstall()
{
    return false;
}

void CWinRegisterApplicationPath::Install(const std::string& /*rest*/)
{
    const TUTF16String path = GetApplicationPath();
    const CRegistryKey key = OpenRegistryPath(HKEY_LOCAL_MACHINE, MakeRegistryKeyPath(), true);
    ThrowExceptionForWindowsError(RegSetValueExW(key.Get(), kValueName, 0, REG_SZ,
                                                 reinterpret_cast<const BYTE*>(path.c_str()),
                                                 DWORD((path.size() + 1) * sizeof(u16))));
}

bool CWinRegisterApplicationPath::IsInstalled() const
{
    return IsApplicationPathValueEqual(MakeRegistryKeyPath(), GetApplicationPath());
}

void CWinRegisterApplicationPath::Uninstall()
{
    TRegistryPath names = MakeRegistryKeyPath();
    const TUTF16String programKey = names.back();
    names.pop_back();
    DeleteRegistrySubkey(OpenRegistryPathForWriting(names), programKey);
}
} // namespace NSVantleApp

#pragma once
// The program's install duty: the string value "Application Path" under
// HKEY_LOCAL_MACHINE\Software\Quillmont Software\Vantle Packer holds the full path of the program
// file, so that the maker's other programs find it. Writing there needs administrator rights,
// which is why a normal start relaunches the program elevated while the value differs from the
// program's own path.
#include "app/InstallDuty.h"
#include "app/RegistryKeys.h"

namespace NSVantleApp
{
class CWinRegisterApplicationPath final : public NSInstallDuties::IInstallDuty
{
public:
    // "RegisterApplicationPath", with an empty description.
    std::string GetName() const override;
    std::string GetDescription() const override;
    // Whether the value differs from the program's path; a value of another type than a string
    // is XFormatViolation.
    bool NeedsInstall() const override;
    bool PrepareInstall() override;
    // Writes the value, creating the keys it needs; rest is not used.
    void Install(const std::string& rest) override;
    bool IsInstalled() const override;
    // Removes the program's key with everything in it; the company's key stays.
    void Uninstall() override;
};

// Software, Quillmont Software and the program's name as the code module holds it.
TRegistryPath MakeRegistryKeyPath();

// The key's value "Application Path": a missing value is XNotFound, a value of another type
// than a string XFormatViolation.
NSTextPackage::TUTF16String ReadApplicationPathValue(const CRegistryKey& key);
// Whether the key below HKEY_LOCAL_MACHINE holds the value and it equals expected, ignoring case.
bool IsApplicationPathValueEqual(const TRegistryPath& names, const NSTextPackage::TUTF16String& expected);
} // namespace NSVantleApp

// The application-path duty against the registry of the test prefix, whose HKEY_LOCAL_MACHINE
// the tests may write.
#include "app/ApplicationFile.h"
#include "app/ApplicationPathDuty.h"
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

namespace
{
using namespace NSVantleApp;
using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

const wchar_t kCompanyKey[] = L"Software\\Quillmont Software";
const wchar_t kProgramKey[] = L"Software\\Quillmont Software\\Vantle Packer";

// The program's key is gone before and after each test.
class ApplicationPathDutyTest : public ::testing::Test
{
protected:
    void SetUp() override { SHDeleteKeyW(HKEY_LOCAL_MACHINE, kProgramKey); }
    void TearDown() override { SHDeleteKeyW(HKEY_LOCAL_MACHINE, kProgramKey); }

    static void WriteValue(DWORD type, const void* data, DWORD size, const wchar_t* name = L"Application Path")
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void WritePath(const TUTF16String& path)
    {
        WriteValue(REG_SZ, path.c_str(), DWORD((path.size() + 1) * 2));
    }
    static bool KeyExists(const wchar_t* path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    NSFerrant::CApplicationTarget fModule{NSFerrant::TCodeModuleInfo(
        nullptr, MakeText(u"VantlePacker.exe"), MakeText(u"Vantle Packer"), GetModuleHandleW(nullptr))};
    CWinRegisterApplicationPath fDuty;
};

TEST_F(ApplicationPathDutyTest, NamesTheDutyAndTheKeyOfTheProgram)
{
    EXPECT_EQ(fDuty.GetName(), "RegisterApplicationPath");
    EXPECT_EQ(fDuty.GetDescription(), "");
    EXPECT_EQ(MakeRegistryKeyPath(),
              (TRegistryPath{MakeText(u"Software"), MakeText(u"Quillmont Software"), MakeText(u"Vantle Packer")}));
}

TEST_F(ApplicationPathDutyTest, WithoutTheKeyTheDutyIsPendingAndTheTestCreatesNothing)
{
    EXPECT_TRUE(fDuty.NeedsInstall());
    EXPECT_FALSE(fDuty.IsInstalled());
    EXPECT_FALSE(KeyExists(kProgramKey));
    WriteValue(REG_SZ, L"x", 4, L"Other Value");
    EXPECT_TRUE(fDuty.NeedsInstall()) << "the key without the value";
}

TEST_F(ApplicationPathDutyTest, InstallWritesThePathWithItsTerminatorOnce)
{
    fDuty.Install("ignored");
    fDuty.Install("");
    const TUTF16String path = GetApplicationPath();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 1u);
    DWORD type = 0;
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    EXPECT_EQ(RegQueryValueExW(key, L"Application Path", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, (path.size() + 1) * 2);
    EXPECT_EQ(NSTextPackage::FromWide(data), path);
    EXPECT_FALSE(fDuty.NeedsInstall());
    EXPECT_TRUE(fDuty.IsInstalled());
}

TEST_F(ApplicationPathDutyTest, TheStoredPathIsComparedIgnoringCase)
{
    const TUTF16String path = GetApplicationPath();
    const struct
    {
        TUTF16String fStored;
        bool fInstalled;
    } kCases[] = {
        {path, true},
        {NSTextPackage::ToUpper(path), true},
        {path + MakeText(u".old"), false},
        {TUTF16String(), false},
    };
    for (const auto& c : kCases)
    {
        WritePath(c.fStored);
        EXPECT_EQ(fDuty.IsInstalled(), c.fInstalled) << NSTextPackage::ToUTF8(c.fStored);
        EXPECT_EQ(fDuty.NeedsInstall(), !c.fInstalled);
    }
    // A value stored without its terminator reads whole.
    WriteValue(REG_SZ, path.c_str(), DWORD(path.size() * 2));
    EXPECT_TRUE(fDuty.IsInstalled());
}

TEST_F(ApplicationPathDutyTest, AValueOfAnotherTypeIsAFormatViolation)
{
    const DWORD number = 1;
    WriteValue(REG_DWORD, &number, sizeof(number));
    EXPECT_THROW(fDuty.NeedsInstall(), NSQuorral::XFormatViolation);
    EXPECT_THROW(fDuty.IsInstalled(), NSQuorral::XFormatViolation);
    const TUTF16String path = GetApplicationPath();
    WriteValue(REG_EXPAND_SZ, path.c_str(), DWORD((path.size() + 1) * 2));
    EXPECT_THROW(fDuty.IsInstalled(), NSQuorral::XFormatViolation);
}

TEST_F(ApplicationPathDutyTest, AMissingValueIsNotFound)
{
    WriteValue(REG_SZ, L"x", 4, L"Other Value");
    const CRegistryKey key = OpenRegistryPath(HKEY_LOCAL_MACHINE, MakeRegistryKeyPath(), false);
    EXPECT_THROW(ReadApplicationPathValue(key), NSQuorral::XNotFound);
}

TEST_F(ApplicationPathDutyTest, UninstallRemovesTheProgramsKeyWithAllInItAndKeepsTheCompanys)
{
    fDuty.Install("");
    WriteValue(REG_SZ, L"x", 4, L"Other Value");
    HKEY sub = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Quillmont Software\\Vantle Packer\\Sub", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &sub, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(sub);
    fDuty.Uninstall();
    EXPECT_FALSE(KeyExists(kProgramKey));
    EXPECT_TRUE(KeyExists(kCompanyKey));
    EXPECT_TRUE(fDuty.NeedsInstall());
    EXPECT_THROW(fDuty.Uninstall(), NSQuorral::XNotFound) << "nothing left to remove";
}

TEST_F(ApplicationPathDutyTest, OpeningAPathCreatesItsMissingKeysAndTestingItDoesNot)
{
    const TRegistryPath path = MakeRegistryKeyPath();
    EXPECT_FALSE(DoesRegistryPathExist(HKEY_LOCAL_MACHINE, path));
    {
        const CRegistryKey key = OpenRegistryPathForWriting(path);
        const CRegistryKey copy = key;
        EXPECT_EQ(copy.Get(), key.Get());
    }
    EXPECT_TRUE(DoesRegistryPathExist(HKEY_LOCAL_MACHINE, path));
}
} // namespace

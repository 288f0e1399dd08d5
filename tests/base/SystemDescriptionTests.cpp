#include "base/SystemDescription.h"

#include "base/TextConversions.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <cpuid.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace
{
constexpr u64 kMiB = 1048576;
constexpr u64 kGiB = 1024 * kMiB;

TEST(SystemDescription, PhysicalMemoryRoundsUpToWholeMiB)
{
    const struct
    {
        u64 fInstalled;
        u64 fRounded;
    } kCases[] = {
        {0, 0},
        {1, kMiB},
        {kMiB, kMiB},
        {kMiB + 1, 2 * kMiB},
        {8 * kGiB, 8 * kGiB},
        {8 * kGiB + 1, 8 * kGiB + kMiB},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(RoundUpToWholeMiB(c.fInstalled), c.fRounded) << c.fInstalled;
}

struct WindowsCase
{
    DWORD fPlatform;
    DWORD fMajor;
    DWORD fMinor;
    BYTE fProductType;
    const char16_t* fRegistryName;
    u32 fKind;
    const char16_t* fProductName;
};

const WindowsCase kWindowsCases[] = {
    {VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_WORKSTATION, u"", kOSKindNT60, u"Microsoft Windows Vista"},
    {VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_SERVER, u"", kOSKindNT60, u"Windows Server 2008"},
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, u"", kOSKindNT61, u"Microsoft Windows 7"},
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_SERVER, u"", kOSKindNT61, u"Windows Server 2008 R2"},
    // A domain controller is no workstation either.
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_DOMAIN_CONTROLLER, u"", kOSKindNT61, u"Windows Server 2008 R2"},
    {VER_PLATFORM_WIN32_NT, 6, 2, VER_NT_WORKSTATION, u"", kOSKindNT62, u"Microsoft Windows 8"},
    {VER_PLATFORM_WIN32_NT, 6, 2, VER_NT_SERVER, u"", kOSKindNT62, u"Windows Server 2012"},
    {VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION, u"Windows 7 Ultimate", kOSKindNT61,
     u"Windows 7 Ultimate"},
    {VER_PLATFORM_WIN32_NT, 6, 3, VER_NT_WORKSTATION, u"", kOSKindOther, u"Microsoft Windows"},
    {VER_PLATFORM_WIN32_NT, 10, 0, VER_NT_WORKSTATION, u"", kOSKindOther, u"Microsoft Windows"},
    {VER_PLATFORM_WIN32_NT, 10, 0, VER_NT_WORKSTATION, u"Windows 10 Pro", kOSKindOther, u"Windows 10 Pro"},
    {VER_PLATFORM_WIN32_NT, 5, 1, VER_NT_WORKSTATION, u"", kOSKindOther, u"Microsoft Windows"},
    {VER_PLATFORM_WIN32_WINDOWS, 6, 1, VER_NT_WORKSTATION, u"", kOSKindOther, u"Microsoft Windows"},
};

TEST(SystemDescription, WindowsKindAndProductNameTable)
{
    for (const WindowsCase& c : kWindowsCases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.fPlatform << " " << c.fMajor << "." << c.fMinor << " type " << int(c.fProductType));
        OSVERSIONINFOEXW info = {};
        info.dwOSVersionInfoSize = sizeof info;
        info.dwPlatformId = c.fPlatform;
        info.dwMajorVersion = c.fMajor;
        info.dwMinorVersion = c.fMinor;
        info.dwBuildNumber = 0x12345678;
        info.wProductType = c.fProductType;
        std::wcscpy(info.szCSDVersion, L"Service Pack 1");
        SSystemDescription description;
        description.fOSProductName =
            NSTextPackage::TUTF16String(reinterpret_cast<const u16*>(c.fRegistryName));
        ApplyWindowsVersion(info, description);
        EXPECT_EQ(description.fOSKind, c.fKind);
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fOSProductName),
                  NSTextPackage::UTF16ToUTF8(reinterpret_cast<const u16*>(c.fProductName)));
        const NSFerrant::TVersion expected{c.fMajor, c.fMinor, 0, NSFerrant::kVersionStageFinal, 0, 0x5678};
        EXPECT_TRUE(description.fOSVersion == expected);
        // Only NT reports its service pack.
        EXPECT_EQ(description.fServicePack.empty(), c.fPlatform != VER_PLATFORM_WIN32_NT);
    }
}

// A key of its own under the current user, removed again at the end.
class RegistryReaders : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &fKey,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(fKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKeyPath);
    }

    void SetText(const wchar_t* name, const wchar_t* text, DWORD bytes)
    {
        ASSERT_EQ(RegSetValueExW(fKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes),
                  ERROR_SUCCESS);
    }
    void SetDWORD(const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(
            RegSetValueExW(fKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
            ERROR_SUCCESS);
    }

    static constexpr const wchar_t* kKeyPath = L"Software\\VantlePackerTests\\SystemDescription";
    HKEY fKey = nullptr;
};

TEST_F(RegistryReaders, TextsEndAtTheirZeroOrAtTheEndOfTheirData)
{
    SetText(L"Terminated", L"Intel", 6 * sizeof(wchar_t));
    SetText(L"Unterminated", L"GenuineIntel", 12 * sizeof(wchar_t));
    SetText(L"Embedded", L"ab\0cd", 6 * sizeof(wchar_t));
    SetText(L"Empty", L"", 0);
    SetDWORD(L"Number", 2400);
    EXPECT_EQ(ReadRegistryText(fKey, "Terminated"), MakeText(u"Intel"));
    EXPECT_EQ(ReadRegistryText(fKey, "Unterminated"), MakeText(u"GenuineIntel"));
    EXPECT_EQ(ReadRegistryText(fKey, "Embedded"), MakeText(u"ab"));
    EXPECT_EQ(ReadRegistryText(fKey, "Empty"), NSTextPackage::TUTF16String());
    EXPECT_EQ(ReadRegistryText(fKey, "Number"), NSTextPackage::TUTF16String());
    EXPECT_EQ(ReadRegistryText(fKey, "Missing"), NSTextPackage::TUTF16String());
}

TEST_F(RegistryReaders, NumbersAreReadOnlyFromDWORDValues)
{
    SetDWORD(L"~MHz", 2400);
    SetText(L"Text", L"2400", 5 * sizeof(wchar_t));
    EXPECT_EQ(ReadRegistryDWORD(fKey, "~MHz"), 2400u);
    EXPECT_EQ(ReadRegistryNumber(fKey, "~MHz") * 1000000, 2400000000ull);
    EXPECT_EQ(ReadRegistryDWORD(fKey, "Text"), 0u);
    EXPECT_EQ(ReadRegistryDWORD(fKey, "Missing"), 0u);
}

TEST(SystemDescription, ProcessorEntryTakesOverTheListKey)
{
    HKEY list = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System\\CentralProcessor", 0,
                            KEY_READ, &list),
              ERROR_SUCCESS);
    NSTextPackage::TUTF16String vendor = MakeText(u"untouched");
    NSTextPackage::TUTF16String identifier;
    u32 status = 7;
    EXPECT_FALSE(ReadProcessorEntry(100000, vendor, identifier, status, list));
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(vendor, MakeText(u"untouched"));
    EXPECT_EQ(status, 7u);

    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System\\CentralProcessor", 0,
                            KEY_READ, &list),
              ERROR_SUCCESS);
    EXPECT_TRUE(ReadProcessorEntry(0, vendor, identifier, status, list));
    EXPECT_EQ(list, nullptr);
    EXPECT_FALSE(identifier.empty());
}

TEST(SystemDescription, NoFailureOfTheGatheringEndsTheStart)
{
    EXPECT_NO_THROW(GetSystemDescription([](SSystemDescription&) { throw std::exception(); }));
    EXPECT_NO_THROW(GetSystemDescription([](SSystemDescription&) { throw 1; }));
    // The processors of a description that claims more than there are: the missing entries are skipped.
    EXPECT_NO_THROW(GetSystemDescription([](SSystemDescription& d) { d.fProcessorCount = 64; }));
}

TEST(SystemDescription, GatheringOnThisMachineFillsTheRecord)
{
    SSystemDescription description;
    GatherSystemDescription(description);
    EXPECT_NE(description.fOSKind, u32(kOSKindNone));
    EXPECT_FALSE(description.fOSProductName.empty());
    EXPECT_EQ(description.fPhysicalMemory % kMiB, 0u);
    EXPECT_GT(description.fPhysicalMemory, 0u);
    EXPECT_GT(description.fPageSize, 0u);
    EXPECT_GE(description.fProcessorCount, 1u);
    EXPECT_EQ(description.fProcessorUnitCount, description.fProcessorCount);
    EXPECT_EQ(description.fProcessorIs64Bit, description.fIs64BitOS);
    EXPECT_TRUE(description.fReservedText.empty());
    EXPECT_FALSE(description.fComputerName.empty());
    EXPECT_FALSE(description.fSystemVolumeSerial.empty());
    EXPECT_FALSE(description.fLocaleName.empty());

    // The start-up call: all of it again, and nothing escapes.
    EXPECT_NO_THROW(GetSystemDescription());
}

// The fields this machine fixes, each held against a source other than the one the gathering
// reads: the processor itself, the process environment, the build's own architecture and the
// locale the test run selects.
TEST(SystemDescription, GatheredFieldsMatchWhatTheMachineSays)
{
    SSystemDescription description;
    GatherSystemDescription(description);

    // A 64-bit program runs only on a 64-bit x86 Windows, with its fixed page layout.
    EXPECT_TRUE(description.fIs64BitOS);
    EXPECT_TRUE(description.fProcessorIs64Bit);
    EXPECT_EQ(description.fProcessorFamily, 3u);
    EXPECT_EQ(description.fProcessorType, u32(PROCESSOR_AMD_X8664));
    EXPECT_EQ(description.fPageSize, 4096u);
    EXPECT_EQ(description.fAllocationGranularity, 65536u);
    EXPECT_TRUE(description.fHasPageFile);
    EXPECT_EQ(description.fProcessorClockHz % 1000000, 0u);

    // The vendor comes first in the processor's name, as the processor reports it.
    unsigned int highest = 0, ebx = 0, ecx = 0, edx = 0;
    ASSERT_TRUE(__get_cpuid(0, &highest, &ebx, &ecx, &edx));
    char vendor[13] = {};
    std::memcpy(vendor, &ebx, 4);
    std::memcpy(vendor + 4, &edx, 4);
    std::memcpy(vendor + 8, &ecx, 4);
    EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fProcessorName).rfind(std::string(vendor) + " ", 0), 0u)
        << NSTextPackage::UTF16ToUTF8(description.fProcessorName);

    const wchar_t* computerName = _wgetenv(L"COMPUTERNAME");
    ASSERT_NE(computerName, nullptr);
    EXPECT_EQ(description.fComputerName, NSTextPackage::FromWide(computerName));

    // The system folder is on C:, whose serial number is written in decimal.
    DWORD serial = 0;
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\", nullptr, 0, &serial, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fSystemVolumeSerial), std::to_string(serial));

    struct Locale
    {
        const char* name;
        const char* language;
    };
    const Locale kLocales[] = {{"en-US", "English"}, {"de-DE", "German"}};
    const char* requested = std::getenv("VANTLE_TEST_LOCALE");
    const std::string expected = requested != nullptr ? requested : "en-US";
    EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fLocaleName), expected);
    EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fUILanguage), expected);
    for (const Locale& locale : kLocales)
    {
        if (expected == locale.name)
            EXPECT_EQ(NSTextPackage::UTF16ToUTF8(description.fLanguageName), locale.language);
    }
}
} // namespace

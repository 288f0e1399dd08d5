#include "base/SystemDescription.h"

#include "base/NumberText.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <memory>
#include <vector>

#include <shlobj.h>

using NSFerrant::TVersion;
using NSTextPackage::TUTF16String;

namespace
{
constexpr u64 kMiB = 0x100000;
constexpr u32 kProcessorArchitectureAMD64 = 9;
constexpr u32 kProcessorArchitectureIA64 = 6;
constexpr u32 kLocaleBufferUnits = 1024;
constexpr char kProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

TUTF16String Literal(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

struct TRegistryKeyCloser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using TRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TRegistryKeyCloser>;

TRegistryKey OpenKey(HKEY parent, const std::string& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, NSTextPackage::AsWide(NSTextPackage::UTF8ToUTF16(subkey)), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return TRegistryKey(key);
}

// The type and byte size of a value; false when it cannot be queried.
bool QueryValueShape(HKEY key, const TUTF16String& name, DWORD& type, DWORD& bytes)
{
    return RegQueryValueExW(key, NSTextPackage::AsWide(name), nullptr, &type, nullptr, &bytes) ==
           ERROR_SUCCESS;
}

struct TWindowsNames
{
    const char* fWorkstation;
    const char* fServer;
};

// Indexed by the minor version of NT 6.
const TWindowsNames kNT6Names[] = {
    {"Microsoft Windows Vista", "Windows Server 2008"},
    {"Microsoft Windows 7", "Windows Server 2008 R2"},
    {"Microsoft Windows 8", "Windows Server 2012"},
};
const u32 kNT6Kinds[] = {kOSKindNT60, kOSKindNT61, kOSKindNT62};

// The first text of a list of zero-terminated texts.
TUTF16String FirstText(const std::vector<wchar_t>& units)
{
    const TUTF16String all = NSTextPackage::FromWide(units.data(), units.size());
    return all.substr(0, all.find(u16(0)));
}
} // namespace

TUTF16String ReadRegistryText(HKEY key, const std::string& name)
{
    const TUTF16String wideName = NSTextPackage::UTF8ToUTF16(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (!QueryValueShape(key, wideName, type, bytes) || type != REG_SZ || bytes == 0)
        return {};
    // One unit more than the data, so a text stored without its zero still ends.
    std::vector<wchar_t> units(bytes / sizeof(wchar_t) + 1 + 1, 0);
    DWORD room = DWORD((units.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, NSTextPackage::AsWide(wideName), nullptr, &type,
                         reinterpret_cast<BYTE*>(units.data()), &room) != ERROR_SUCCESS)
        return {};
    return FirstText(units);
}

u32 ReadRegistryDWORD(HKEY key, const std::string& name)
{
    const TUTF16String wideName = NSTextPackage::UTF8ToUTF16(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (!QueryValueShape(key, wideName, type, bytes) || type != REG_DWORD || bytes == 0)
        return 0;
    DWORD value = 0;
    DWORD room = sizeof value;
    if (RegQueryValueExW(key, NSTextPackage::AsWide(wideName), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &room) != ERROR_SUCCESS)
        return 0;
    return value;
}

u64 ReadRegistryNumber(HKEY key, const std::string& name)
{
    return ReadRegistryDWORD(key, name);
}

TUTF16String ReadLocalMachineText(const std::string& subkey, const std::string& name)
{
    const TRegistryKey key = OpenKey(HKEY_LOCAL_MACHINE, subkey);
    return key ? ReadRegistryText(key.get(), name) : TUTF16String();
}

u64 ReadLocalMachineNumber(const std::string& subkey, const std::string& name)
{
    const TRegistryKey key = OpenKey(HKEY_LOCAL_MACHINE, subkey);
    return key ? ReadRegistryNumber(key.get(), name) : 0;
}

TUTF16String GetSystemFolderPath()
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_SYSTEM, FALSE))
        NSQuorral::Throw(std::exception());
    return NSTextPackage::FromWide(path);
}

u64 RoundUpToWholeMiB(u64 bytes)
{
    return (bytes + (kMiB - 1)) & ~(kMiB - 1);
}

void ApplyWindowsVersion(const OSVERSIONINFOEXW& info, SSystemDescription& description)
{
    description.fOSKind = kOSKindOther;
    bool named = false;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
    {
        description.fServicePack = NSTextPackage::FromWide(info.szCSDVersion);
        if (info.dwMajorVersion == 6 && info.dwMinorVersion < std::size(kNT6Kinds))
        {
            description.fOSKind = kNT6Kinds[info.dwMinorVersion];
            const TWindowsNames& names = kNT6Names[info.dwMinorVersion];
            if (description.fOSProductName.empty())
                description.fOSProductName =
                    Literal(info.wProductType == VER_NT_WORKSTATION ? names.fWorkstation : names.fServer);
            named = true;
        }
    }
    if (!named && description.fOSProductName.empty())
        description.fOSProductName = Literal("Microsoft Windows");
    TVersion& version = description.fOSVersion;
    version = TVersion();
    version.fMajor = info.dwMajorVersion;
    version.fMinor = info.dwMinorVersion;
    version.fBuild = info.dwBuildNumber & 0xFFFF;
}

void GatherSystemDescription(SSystemDescription& description)
{
    description = SSystemDescription();

    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)))
        NSQuorral::Throw(std::exception());
    description.fOSProductName =
        ReadLocalMachineText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
    ApplyWindowsVersion(version, description);

    SYSTEM_INFO nativeInfo = {};
    GetNativeSystemInfo(&nativeInfo);
    description.fIs64BitOS = nativeInfo.wProcessorArchitecture == kProcessorArchitectureAMD64;

    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory))
    {
        description.fPhysicalMemory = RoundUpToWholeMiB(memory.ullTotalPhys);
        description.fHasPageFile = memory.ullTotalPageFile > 0;
    }

    description.fSystemManufacturer =
        ReadLocalMachineText("HARDWARE\\DESCRIPTION\\System\\BIOS", "SystemManufacturer");
    description.fSystemProductName =
        ReadLocalMachineText("HARDWARE\\DESCRIPTION\\System\\BIOS", "SystemProductName");

    wchar_t computerName[1024] = {};
    DWORD computerNameUnits = 1023;
    if (GetComputerNameW(computerName, &computerNameUnits))
        description.fComputerName = NSTextPackage::FromWide(computerName);

    const TUTF16String systemFolder = GetSystemFolderPath();
    const size_t separator = systemFolder.find(u'\\');
    const TUTF16String root =
        separator == TUTF16String::npos ? TUTF16String() : systemFolder.substr(0, separator + 1);
    DWORD serial = 0;
    if (GetVolumeInformationW(NSTextPackage::AsWide(root), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        description.fSystemVolumeSerial = NSTextPackage::FormatInteger(serial);

    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    description.fPageSize = info.dwPageSize;
    description.fAllocationGranularity = info.dwAllocationGranularity;
    description.fProcessorCount = info.dwNumberOfProcessors;
    description.fProcessorUnitCount = info.dwNumberOfProcessors;
    description.fProcessorFamily =
        info.wProcessorArchitecture == kProcessorArchitectureIA64 && info.wProcessorLevel == 1 ? 1 : 3;
    description.fProcessorType = info.dwProcessorType;
    description.fProcessorLevel = info.wProcessorLevel;
    description.fProcessorRevision = info.wProcessorRevision;

    description.fProcessorName = ReadLocalMachineText(kProcessorKey, "VendorIdentifier") + Literal(" ") +
                                 ReadLocalMachineText(kProcessorKey, "ProcessorNameString");
    description.fProcessorClockHz = ReadLocalMachineNumber(kProcessorKey, "~MHz") * 1000000;
    description.fProcessorIs64Bit = description.fIs64BitOS;

    wchar_t localeText[kLocaleBufferUnits + 1] = {};
    if (GetUserDefaultLocaleName(localeText, kLocaleBufferUnits))
        description.fLocaleName = NSTextPackage::FromWide(localeText);
    if (GetLocaleInfoEx(nullptr, LOCALE_SENGLISHLANGUAGENAME, localeText, kLocaleBufferUnits))
        description.fLanguageName = NSTextPackage::FromWide(localeText);

    ULONG languageCount = 0;
    ULONG languageUnits = 0;
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &languageCount, nullptr, &languageUnits) &&
        languageUnits > 0)
    {
        std::vector<wchar_t> languages(languageUnits, 0);
        if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &languageCount, languages.data(), &languageUnits))
            description.fUILanguage = FirstText(languages);
    }
}

bool ReadProcessorEntry(u32 index, TUTF16String& vendor, TUTF16String& identifier, u32& updateStatus,
                        HKEY& listKey)
{
    const TRegistryKey list(listKey);
    listKey = nullptr;
    const TRegistryKey entry =
        OpenKey(list.get(), NSTextPackage::UTF16ToUTF8(NSTextPackage::FormatInteger(index)));
    if (!entry)
        return false;
    identifier = ReadRegistryText(entry.get(), "Identifier");
    updateStatus = ReadRegistryDWORD(entry.get(), "Update Status");
    vendor = ReadRegistryText(entry.get(), "VendorIdentifier");
    return true;
}

void GetSystemDescription(TSystemGatherer gather)
{
    // Nothing reads the description; a failure to gather it must not end the program's start.
    try
    {
        SSystemDescription description;
        gather(description);
        for (u32 index = 0; index < description.fProcessorCount; ++index)
        {
            HKEY list = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System\\CentralProcessor", 0,
                              KEY_READ, &list) != ERROR_SUCCESS)
                continue;
            TUTF16String vendor;
            TUTF16String identifier;
            u32 updateStatus = 0;
            ReadProcessorEntry(index, vendor, identifier, updateStatus, list);
        }
    }
    catch (...)
    {
    }
}

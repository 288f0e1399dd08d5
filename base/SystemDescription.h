#pragma once
// A description of the machine the program runs on, gathered once at start-up from Windows and
// the registry. The program builds it and drops it; the gathering itself is all that happens.
#include "base/VersionNumbers.h"

#include <string>

#include <windows.h>

enum EOSKind : u32
{
    kOSKindNone = 0,  // not gathered
    kOSKindOther = 2, // any Windows not named below
    kOSKindNT60 = 3,  // Vista, Server 2008
    kOSKindNT61 = 4,  // 7, Server 2008 R2
    kOSKindNT62 = 5,  // 8, Server 2012
};

// Every text starts empty, every number 0, every flag false; a field whose source fails keeps
// that value.
struct SSystemDescription
{
    u32 fOSKind = kOSKindNone;
    NSTextPackage::TUTF16String fOSProductName;
    NSFerrant::TVersion fOSVersion;
    NSTextPackage::TUTF16String fServicePack;
    bool fIs64BitOS = false;
    NSTextPackage::TUTF16String fSystemManufacturer;
    NSTextPackage::TUTF16String fSystemProductName;
    u32 fProcessorFamily = 0; // 1 for an IA-64 of level 1, else 3
    u32 fProcessorType = 0;
    u16 fProcessorLevel = 0;
    u16 fProcessorRevision = 0;
    NSTextPackage::TUTF16String fProcessorName; // vendor, a blank, name
    NSTextPackage::TUTF16String fReservedText;  // always empty
    u32 fProcessorCount = 0;
    u32 fProcessorUnitCount = 0;
    u64 fProcessorClockHz = 0;
    bool fProcessorIs64Bit = false;
    u64 fPhysicalMemory = 0; // bytes, rounded up to whole MiB
    u32 fPageSize = 0;
    u32 fAllocationGranularity = 0;
    bool fHasPageFile = false;
    NSTextPackage::TUTF16String fComputerName;
    NSTextPackage::TUTF16String fSystemVolumeSerial; // decimal
    NSTextPackage::TUTF16String fLanguageName;
    NSTextPackage::TUTF16String fUILanguage;
    NSTextPackage::TUTF16String fLocaleName;
};

// Fills description; a failing GetVersionExW or system folder query throws a plain std::exception.
void GatherSystemDescription(SSystemDescription& description);

using TSystemGatherer = void (*)(SSystemDescription& description);
// Gathers the description and reads every processor's registry entry, then drops it all. Never
// fails: nothing here may end the program's start. Tests hand in a gatherer that fails.
void GetSystemDescription(TSystemGatherer gather = &GatherSystemDescription);

// Opens the entry of processor index under listKey and reads its "Identifier", "Update Status"
// and "VendorIdentifier"; false, the outputs untouched, when it cannot be opened. Either way the
// list key is closed and listKey set to null.
bool ReadProcessorEntry(u32 index, NSTextPackage::TUTF16String& vendor,
                        NSTextPackage::TUTF16String& identifier, u32& updateStatus, HKEY& listKey);

// The Windows system folder; a failure is a plain std::exception.
NSTextPackage::TUTF16String GetSystemFolderPath();

// Registry values; a value that is missing, empty, of another type or unreadable gives the empty
// text or 0. Names are UTF-8. A text without a zero unit ends at the end of its data.
NSTextPackage::TUTF16String ReadRegistryText(HKEY key, const std::string& name);
NSTextPackage::TUTF16String ReadLocalMachineText(const std::string& subkey, const std::string& name);
u32 ReadRegistryDWORD(HKEY key, const std::string& name);
u64 ReadRegistryNumber(HKEY key, const std::string& name);
u64 ReadLocalMachineNumber(const std::string& subkey, const std::string& name);

// The pure steps of the gathering, apart for their tests.
// Installed memory rounded up to a multiple of 1 MiB.
u64 RoundUpToWholeMiB(u64 bytes);
// From the version record: the family code, the service pack, the version, and a product name
// for an fOSProductName that the registry left empty.
void ApplyWindowsVersion(const OSVERSIONINFOEXW& info, SSystemDescription& description);

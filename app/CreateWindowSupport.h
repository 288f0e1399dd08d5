#pragma once
// What the main window's two source files share: its texts of string table 128, the
// application's preferences and the host folder's status that asks for a choice.
#include "app/Preferences.h"
#include "app/VantlePacker.h"
#include "base/ResourceID.h"
#include "gui/TrellisUtils.h"

namespace NSVantleApp
{
// The program's string and alert table.
constexpr u16 kWindowResourceTable = 128;

inline NSTextPackage::TUTF16String StringText(u16 entry)
{
    return NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kWindowResourceTable, entry));
}

// THostFolderStatus::fStatus of a folder that is no host folder (or of none).
constexpr u32 kNoHostFolder = 2;

// Null while the application has none (before its start-up has made them).
inline CPreferences* GetApplicationPreferences()
{
    CVantlePacker* packer = GetVantlePacker();
    return packer ? packer->GetPreferences() : nullptr;
}
} // namespace NSVantleApp

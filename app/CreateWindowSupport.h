#pragma once
// What the main window's two source files share: the program's table, the application's
// preferences and the host folder's status that asks for a choice.
#include "app/Preferences.h"
#include "app/VantlePacker.h"
#include "packing/ProgramStrings.h"

namespace NSVantleApp
{
using NSVantlePacking::GetProgramString;
using NSVantlePacking::kProgramStringTable;

// THostFolderStatus::fStatus of a folder that is no host folder (or of none).
constexpr u32 kNoHostFolder = 2;
} // namespace NSVantleApp

#pragma once
// The program's string table 128: the texts the packing engine shows in the main window.
#include "base/ResourceID.h"
#include "gui/TrellisUtils.h"

namespace NSVantlePacking
{
constexpr u16 kProgramStringTable = 128;

// Fails as the GUI library's lookup does.
inline NSTextPackage::TUTF16String GetProgramString(u16 entry)
{
    return NSTrellisUtils::GetResourceText(NSFerrant::MakeStringID(kProgramStringTable, entry));
}
} // namespace NSVantlePacking

#pragma once
// The block the program hands the GUI library's run: the maker, the name its windows carry when
// they have none, and the title of the About item the library adds to its menu.
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"

namespace NSVantleApp
{
// Everything else zero; each text cut after 255 units.
TTrellisStartupBlock MakeStartupBlock(const NSTextPackage::TUTF16String& displayName);
} // namespace NSVantleApp

#pragma once
// Services of the GUI library that the rest of the program calls as plain functions: texts of the
// string and alert tables, icons and painting now.
#include "base/ResourceID.h"
#include "dlls/trellis/Trellis.h"

#include <memory>

namespace NSTrellisUtils
{
// Paints now what waits to be painted (a long task on the GUI thread shows its progress so);
// a library status other than kTrellisOK is thrown.
void UpdateNow();

// The text of one entry of a string or alert table; a library status other than kTrellisOK is thrown.
NSTextPackage::TUTF16String GetResourceText(const NSFerrant::TResourceID& id);

// Icons in shared pointers that release them through the icon's own Release.
std::shared_ptr<NSTrellis::IIcon> CreateIcon(u32 id);
std::shared_ptr<NSTrellis::IIcon> CreateIconFromResource(const NSFerrant::TResourceID& id);
// Takes an icon the library handed out; null stays null.
std::shared_ptr<NSTrellis::IIcon> MakeIconPtr(NSTrellis::IIcon* icon);
} // namespace NSTrellisUtils

#pragma once
// The program's menus: every menu of the menu script, flattened once and kept for the run.
#include "base/ResourceID.h"
#include "dlls/trellis/Trellis.h"

#include <vector>

namespace NSTrellisUtils
{
// The records and title of the program's menu (menu 2 of the script), from the cache after the
// first load. Fails by exception: a bad script, a missing menu, an unreadable resource.
void LoadMenu(std::vector<NSTrellis::TMenuItemData>& items, NSTextPackage::TUTF16String& title);
} // namespace NSTrellisUtils

namespace NSMenuScript
{
// The cache of flattened menus by resource id (script id with the menu number as index). An
// entry, once stored, is never replaced: Store answers false for a key it holds.
bool FindCachedMenu(const NSFerrant::TResourceID& id, std::vector<NSTrellis::TMenuItemData>& items,
                    NSTextPackage::TUTF16String& title);
bool StoreCachedMenu(const NSFerrant::TResourceID& id, std::vector<NSTrellis::TMenuItemData> items,
                     NSTextPackage::TUTF16String title);
// Test hook: empties the cache.
void ClearMenuCache();
} // namespace NSMenuScript

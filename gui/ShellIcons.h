#pragma once
// Shell items' icons as icon objects of the GUI library, and their process-wide cache. Items whose
// icon location, index and attributes agree share one icon object; the cache grows for the whole
// run and is destroyed with the program's static objects. Volume roots never enter it. One thread
// only.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"
#include "filelib/ShellItem.h"

#include <memory>

namespace NSFerrant
{
struct SShellIconKey
{
    NSTextPackage::TUTF16String iconFile; // the file that holds the icon
    i32 iconIndex = 0;
    u32 attributes = 0;
};

// The icon files compare case-sensitively, then the index (signed) and the attributes.
bool ShellIconKeyLess(const SShellIconKey& a, const SShellIconKey& b);

// The cached icon, or an empty pointer.
std::shared_ptr<NSTrellis::IIcon> FindCachedShellIcon(const SShellIconKey& key);
// Inserts, or replaces the icon of an equal key.
void StoreCachedShellIcon(const SShellIconKey& key, const std::shared_ptr<NSTrellis::IIcon>& icon);

// The item's icon object, shared between items of one icon location.
void GetShellItemIcon(const CShellItem& item, std::shared_ptr<NSTrellis::IIcon>& icon);
} // namespace NSFerrant

#pragma once
// The menu script: the text language the program's menus are written in (resource "SMNU" 128),
// read into a tree of items and flattened into the GUI library's menu-item records. Every syntax
// error is an XFormatViolation naming what failed; positions count UTF-16 units.
#include "base/ResourceFile.h"
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"

#include <map>
#include <vector>

namespace NSMenuScript
{
// A menu's title and items, or an item with its submenu.
struct TMenuItem
{
    NSTextPackage::TUTF16String fTitle;
    u8 fEnabled = 0;
    u8 fChecked = 0; // never set by a script
    u16 fShortcut[16] = {};
    u64 fModifiers = 0;
    u8 fVisualOnlyModifier = 0;
    u32 fCommand = 0;
    std::vector<TMenuItem> fChildren;
};

using TMenuMap = std::map<i32, TMenuItem>;

// The whole script: menus by number, the later of two equal numbers kept.
TMenuMap ParseScript(const NSTextPackage::TUTF16String& text);
// One menu from position on; answers the menu and its number. A menu for the other platform
// answers an empty record.
TMenuItem ParseMenu(const NSTextPackage::TUTF16String& text, std::size_t& position, i32& number);
// "(" items ")" from position on; items for the other platform are left out.
std::vector<TMenuItem> ParseItemList(const NSTextPackage::TUTF16String& text, std::size_t& position);

// Depth first: every item is followed by the records of its whole submenu, whose parent index is
// the position of the item's record in items.
void FlattenItems(std::vector<NSTrellis::TMenuItemData>& items, const std::vector<TMenuItem>& menu,
                  u32 parentIndex);

// Parses the script, caches every menu of it under the menu reference with the menu's number as
// index (entries already cached stay), and answers the records and title of the menu numbered
// menuNumber; XNotFound when there is none. The reference names a menu of the script's resource.
void BuildMenu(std::vector<NSTrellis::TMenuItemData>& items, const NSTextPackage::TUTF16String& text,
               i32 menuNumber, NSTextPackage::TUTF16String& title,
               const NSFerrant::TResourceID& menuReference);

// The UTF-8 text of the script resource that the menu reference belongs to, as UTF-16.
void ReadResource(NSTextPackage::TUTF16String& text, const NSFerrant::COpenResourceFile& resources,
                  const NSFerrant::TResourceID& menuReference);
} // namespace NSMenuScript

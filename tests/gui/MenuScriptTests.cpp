// The menu script: its syntax, its error texts, the flattening into the library's records, the
// cache, and the program's own script read from its resources.
#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/MenuScript.h"
#include "gui/Menus.h"
#include "gui/TrellisInterface.h"
#include "tests/support/TextLiterals.h"
#include "tests/support/TrellisStub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using NSMenuScript::TMenuItem;
using NSTextPackage::TUTF16String;

namespace
{
const NSFerrant::TResourceID kReference = NSFerrant::MakeMenuID(2);

// A named modifier set answers a mask that names it: 0x1000 + the set's number.
class CModifierSets final : public CTrellisStub
{
public:
    u32 GetModifierSet(const u32* set, u64* mask) override
    {
        *mask = 0x1000 + *set;
        return fStatus;
    }
    u32 fStatus = kTrellisOK;
};

class MenuScript : public ::testing::Test
{
protected:
    MenuScript() : fReplaced(ExchangeTrellisInterface(&fTrellis)) { NSMenuScript::ClearMenuCache(); }
    ~MenuScript() override
    {
        ExchangeTrellisInterface(fReplaced);
        NSMenuScript::ClearMenuCache();
    }

    static NSMenuScript::TMenuMap Parse(const std::string& utf8)
    {
        return NSMenuScript::ParseScript(NSTextPackage::UTF8ToUTF16(utf8));
    }
    // The items of menu 1 of a script holding one menu around the item text.
    static std::vector<TMenuItem> Items(const std::string& items)
    {
        const auto menus = Parse("1 {M} (" + items + ")");
        const auto found = menus.find(1);
        return found == menus.end() ? std::vector<TMenuItem>() : found->second.fChildren;
    }
    static std::string FailureOf(const std::string& script)
    {
        try
        {
            Parse(script);
        }
        catch (const NSQuorral::XFormatViolation& e)
        {
            return e.what();
        }
        catch (...)
        {
            return "another exception";
        }
        return "no failure";
    }
    static TUTF16String Shortcut(const TMenuItem& item) { return TUTF16String(item.fShortcut); }

    CModifierSets fTrellis;
    ITrellis* fReplaced;
};

TEST_F(MenuScript, EverySyntaxErrorHasItsText)
{
    struct Case
    {
        const char* script;
        const char* message;
    };
    const Case kCases[] = {
        {"x {M} ({a})", "failed parsing integer in menu script text"},
        {"-1 {M} ({a})", "failed parsing integer in menu script text"},
        {"1 {M} ({a)", "unterminated '{' in menu script text"},
        {"1 {M} (a )", "failed parsing curly-brace-quoted string in menu script text"},
        {"1 {M} ({a} [ id=5])", "failed parsing attribute identifier in menu script text"},
        {"1 {M} ({a} [id 5])", "failed parsing attribute identifier in menu script text"},
        {"1 {M} ({a} [id //x\n=5])", "failed parsing attribute identifier in menu script text"},
        {"1 {M} ({a} [id", "failed parsing attribute identifier in menu script text"},
        {"1 {M} ({a} [shortcut='q])", "failed parsing single-quoted string in menu script text"},
        {"1 {M} ({a} [id=5", "failed parsing attribute value in menu script text"},
        {"1 {M} ({a} [id=", "failed parsing menu item attributes in menu script text"},
        {"1 {M} ({a} [colour=red])", "failed parsing menu item attributes in menu script text"},
        {"1 {M} ({a} [modifiers=cmd||shift])", "failed parsing menu item attributes in menu script text"},
        {"1 {M} ({a} [modifiers=hyper])", "failed parsing menu item attributes in menu script text"},
        {"1 {M} ({a} [id=five])", "failed parsing menu item ID value string in menu script text"},
        {"1 {M} ({a} [flags=bold])", "unkown menu item flags string"},
        {"1 {M} {a}", "failed parsing menu item list in menu script text"},
        {"1 {M} ()", "failed parsing menu item list in menu script text"},
        {"1 {M} ({a} ",
         "missing termination of menu item list (no ')' character to match a leading '(') in menu "
         "script text"},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(FailureOf(c.script), c.message) << c.script;
}

TEST_F(MenuScript, BlanksAndCommentsAloneHoldNoMenu)
{
    const TUTF16String text = NSTextPackage::UTF8ToUTF16("\xEF\xBB\xBF// nothing here\r\n\t  // nor here");
    std::vector<NSTrellis::TMenuItemData> items;
    TUTF16String title;
    try
    {
        NSMenuScript::BuildMenu(items, text, 2, title, kReference);
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const NSQuorral::XNotFound& e)
    {
        EXPECT_STREQ(e.what(), "menu ID not found in menu resource");
    }
}

TEST_F(MenuScript, CurlyTitlesAndTheirEscapes)
{
    const auto items = Items("{a}}b} {}}} {one\\ntwo} {\\} {{x} {last}");
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].fTitle, MakeText(u"a}b"));
    EXPECT_EQ(items[1].fTitle, MakeText(u"}"));
    EXPECT_EQ(items[2].fTitle, MakeText(u"one\u2029two"));
    EXPECT_EQ(items[3].fTitle, MakeText(u"\\")); // one character: taken as written
    EXPECT_EQ(items[4].fTitle, MakeText(u"{x"));
    EXPECT_EQ(items[5].fTitle, MakeText(u"last"));
    // A separator: a fresh record, its attributes dropped.
    const auto last = Items("{-} [id=9]");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_TRUE(last[0].fTitle.empty());
    EXPECT_EQ(last[0].fCommand, 0u);
    EXPECT_EQ(last[0].fEnabled, 0);
}

TEST_F(MenuScript, PlatformPrefixesChooseTitlesItemsAndGroups)
{
    auto items = Items("Mac:{Preferences} Win:{Options} mac:{About} WIN:{Help}");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].fTitle, MakeText(u"Options"));
    EXPECT_EQ(items[1].fTitle, MakeText(u"Help"));

    items = Items("{a} [id=5] Mac:[shortcut=q] [flags=visual-only-modifier]");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].fCommand, 5u);
    EXPECT_TRUE(Shortcut(items[0]).empty());
    EXPECT_EQ(items[0].fVisualOnlyModifier, 0);
    EXPECT_EQ(items[0].fModifiers, 0u);

    // A prefix holds for the groups after it until another prefix.
    items = Items("{a} Mac:[id=1] [id=2] Win:[id=3] [flags=visual-only-modifier]");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].fCommand, 3u);
    EXPECT_EQ(items[0].fVisualOnlyModifier, 1);

    // Menus: a menu for the other platform is read and left out; a second title replaces the
    // first when the first prefix is the other platform's.
    const auto menus =
        Parse("Mac:3 {Apple} ({x}) 4 Mac:{Mac title} Win:{Windows title} ({y}) 5 Win:{Own} ({z})");
    EXPECT_EQ(menus.count(3), 0u);
    ASSERT_EQ(menus.count(4), 1u);
    EXPECT_EQ(menus.at(4).fTitle, MakeText(u"Windows title"));
    EXPECT_EQ(menus.at(5).fTitle, MakeText(u"Own"));
}

TEST_F(MenuScript, ShortcutsKeysAndModifierSets)
{
    struct Case
    {
        const char* attributes;
        TUTF16String shortcut;
        u64 modifiers;
    };
    const Case kCases[] = {
        {"[shortcut=q]", MakeText(u"q"), 0x1000 + kModifierSetNormal},
        {"[shortcut=Q modifiers=none]", MakeText(u"Q"), 0},
        {"[id=5 shortcut=Q]", MakeText(u"Q"), 0x1000 + kModifierSetNormal},
        {"[shortcut=F10 modifiers=advanced2]", MakeUnits({0xE00A}), 0x1000 + kModifierSetAdvanced2},
        {"[shortcut=ArrowLeft modifiers=cmd|]", MakeUnits({0xE017}), 0x10},
        {"[shortcut=Return modifiers='Cmd|SHIFT|opt|ctrl']", MakeUnits({13}), 0x10 | 0x02 | 0x04 | 0x08},
        {"[shortcut='abcdefghijklmnopqrst' modifiers=alt]", MakeText(u"abcdefghijklmno"), 0x04},
        {"[modifiers=advanced1]", TUTF16String(), 0x1000 + kModifierSetAdvanced1},
        {"[modifiers=cmd modifiers=none]", TUTF16String(), 0},
        {"[modifiers='']", TUTF16String(), 0},
    };
    for (const Case& c : kCases)
    {
        const auto items = Items(std::string("{a} ") + c.attributes);
        ASSERT_EQ(items.size(), 1u) << c.attributes;
        EXPECT_EQ(Shortcut(items[0]), c.shortcut) << c.attributes;
        EXPECT_EQ(items[0].fModifiers, c.modifiers) << c.attributes;
    }
    // The library's failure to name a set is the item's.
    fTrellis.fStatus = kTrellisInvalidArgument;
    EXPECT_THROW(Items("{a} [shortcut=q]"), std::invalid_argument);
}

TEST_F(MenuScript, NestingFlatteningAndTheCutAt255Units)
{
    const std::string longTitle(300, 'x');
    const auto menus = Parse("7 {Outer} ({" + longTitle +
                             "} [id=1] {Sub} ({In} [id=2] {Deeper} ({Deepest} [id=3]))"
                             " {After} [id=4 flags=visual-only-modifier])");
    const TMenuItem& menu = menus.at(7);
    ASSERT_EQ(menu.fChildren.size(), 3u);
    EXPECT_EQ(menu.fChildren[0].fTitle.size(), 300u);
    EXPECT_EQ(menu.fChildren[0].fEnabled, 0); // windows enable their own commands
    EXPECT_EQ(menu.fChildren[1].fEnabled, 1); // a submenu's title is enabled

    std::vector<NSTrellis::TMenuItemData> records;
    NSMenuScript::FlattenItems(records, menu.fChildren, NSTrellis::kMenuTopLevel);
    ASSERT_EQ(records.size(), 6u);
    const u32 kParents[] = {NSTrellis::kMenuTopLevel, NSTrellis::kMenuTopLevel, 1, 1, 3,
                            NSTrellis::kMenuTopLevel};
    const u32 kCommands[] = {1, 0, 2, 0, 3, 4};
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        EXPECT_EQ(records[i].fParent, kParents[i]) << i;
        EXPECT_EQ(records[i].fCommand, kCommands[i]) << i;
    }
    EXPECT_EQ(TUTF16String(records[0].fTitle), TUTF16String(255, u16('x')));
    EXPECT_EQ(records[1].fFlags, NSTrellis::kMenuItemEnabled);
    EXPECT_EQ(records[5].fFlags, NSTrellis::kMenuItemVisualOnlyModifier);
}

TEST_F(MenuScript, BuildingCachesEveryMenuAndTheLaterOfTwoNumbersWins)
{
    const TUTF16String text = NSTextPackage::UTF8ToUTF16(
        "2 {First} ({a} [id=1]) 3 {Other} ({b} [id=2]) 2 {Second} ({c} [id=3] {d} [id=4]) 9 {} (Mac:{e})");
    std::vector<NSTrellis::TMenuItemData> items;
    TUTF16String title;
    NSMenuScript::BuildMenu(items, text, 2, title, kReference);
    EXPECT_EQ(title, MakeText(u"Second"));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].fCommand, 4u);
    // Every menu is cached; one whose items are all the other platform's keeps its title.
    EXPECT_TRUE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(3), items, title));
    EXPECT_EQ(title, MakeText(u"Other"));
    const auto menus = NSMenuScript::ParseScript(NSTextPackage::UTF8ToUTF16("4 {Kept} (Mac:{e})"));
    ASSERT_EQ(menus.count(4), 1u);
    EXPECT_TRUE(menus.at(4).fChildren.empty());
    // A menu with an empty title and no items is not stored.
    EXPECT_FALSE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(9), items, title));
    // An entry once stored stays: a later build of another script does not replace it.
    NSMenuScript::BuildMenu(items, NSTextPackage::UTF8ToUTF16("3 {Replaced} ({z})"), 3, title, kReference);
    EXPECT_EQ(title, MakeText(u"Replaced"));
    EXPECT_TRUE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(3), items, title));
    EXPECT_EQ(title, MakeText(u"Other"));
    // A failed build stores nothing.
    EXPECT_THROW(NSMenuScript::BuildMenu(items, NSTextPackage::UTF8ToUTF16("5 {Good} ({g}) 6 {Bad} ({b"), 5,
                                         title, kReference),
                 NSQuorral::XFormatViolation);
    EXPECT_FALSE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(5), items, title));
}

TEST_F(MenuScript, TheProgramsMenuComesFromItsResourceAndThenFromTheCache)
{
    const NSFerrant::CApplicationTarget module(NSFerrant::TCodeModuleInfo(
        nullptr, MakeText(u"VantlePacker.exe"), MakeText(u"Vantle Packer"), GetModuleHandleW(nullptr)));
    std::vector<NSTrellis::TMenuItemData> items;
    TUTF16String title;
    NSTrellisUtils::LoadMenu(items, title);
    EXPECT_EQ(title, MakeText(u"Vantle"));
    const TUTF16String kTitles[] = {MakeText(u"Select Input Folder\u2026"),
                                    MakeText(u"Select Output Folder\u2026"), MakeText(u"Create Vantle\u2026"),
                                    MakeText(u"Warn For External Vantle References")};
    ASSERT_EQ(items.size(), 4u);
    for (u32 i = 0; i < 4; ++i)
    {
        EXPECT_EQ(TUTF16String(items[i].fTitle), kTitles[i]);
        EXPECT_EQ(items[i].fCommand, 101 + i);
        EXPECT_EQ(items[i].fParent, NSTrellis::kMenuTopLevel);
        EXPECT_EQ(items[i].fFlags, 0u);
        EXPECT_EQ(items[i].fShortcut[0], 0);
        EXPECT_EQ(items[i].fModifiers, 0u);
    }
    // The help menu was cached with it, its separator an empty record.
    ASSERT_TRUE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(5), items, title));
    EXPECT_EQ(title, MakeText(u"Help"));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2].fTitle[0], 0);
    EXPECT_EQ(items[3].fCommand, 400u);
    ASSERT_TRUE(NSMenuScript::FindCachedMenu(NSFerrant::MakeMenuID(6), items, title));
    EXPECT_EQ(title, MakeText(u"Contacts"));
}
} // namespace

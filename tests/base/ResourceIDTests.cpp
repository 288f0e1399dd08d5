#include "base/ResourceID.h"
#include "base/TextConversions.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

namespace
{
NSTextPackage::TUTF16String Ascii(const char* text)
{
    return NSTextPackage::ASCIIToUTF16(text, 0);
}

using NSFerrant::TResourceID;

TResourceID Named(u32 kind, const char* type, const char* name, u16 index = 0, const char* qualifier = "")
{
    TResourceID id;
    id.fKind = kind;
    id.fType = Ascii(type);
    id.fName = Ascii(name);
    id.fIndex = index;
    id.fQualifier = Ascii(qualifier);
    return id;
}

struct OrderCase
{
    const char* what;
    TResourceID a;
    TResourceID b;
    bool aLess;
    bool bLess;
};

TEST(ResourceIDOrder, FollowsKindGroupsTypesSignedIdsAndIndexes)
{
    const OrderCase kCases[] = {
        {"two empty ids are equivalent", TResourceID(), TResourceID(), false, false},
        {"the empty id comes first", TResourceID(), TResourceID(MakeText(u"AAAA"), -32768), true, false},
        {"kinds 80 and 81 of one type and id are equivalent", TResourceID(MakeText(u"SSTR"), 128),
         NSFerrant::MakeStringID(128, 34), false, false},
        {"signed ids: 40000 is -25536 and sorts before 0", NSFerrant::MakeStringID(40000, 0),
         NSFerrant::MakeStringID(0, 0), true, false},
        {"entries of one table by index", NSFerrant::MakeStringID(128, 2), NSFerrant::MakeStringID(128, 10), true,
         false},
        {"indexes as unsigned numbers", NSFerrant::MakeStringID(1, 1), NSFerrant::MakeStringID(1, 65535), true, false},
        {"DLOG before ICON", TResourceID(MakeText(u"DLOG"), 900), TResourceID(MakeText(u"ICON"), 1), true, false},
        {"SALR before SMNU", NSFerrant::MakeAlertID(999, 9), NSFerrant::MakeMenuID(0), true, false},
        {"SMNU before SSTR", NSFerrant::MakeMenuID(9), NSFerrant::MakeStringID(0, 0), true, false},
        {"a proper prefix first", TResourceID(MakeText(u"SST"), 5), TResourceID(MakeText(u"SSTR"), 1), true, false},
        {"type units compare unsigned", TResourceID(NSTextPackage::TUTF16String(1, u16(0x8000)), 1),
         TResourceID(MakeText(u"Z"), 1), false, true},
        {"numbered kinds before named kinds", TResourceID(MakeText(u"ZZZZ"), 1),
         Named(NSFerrant::kResourceIDNamed, "AAAA", "a"), true, false},
        {"named kinds by name", Named(NSFerrant::kResourceIDNamed, "PNGF", "about"),
         Named(NSFerrant::kResourceIDNamedEntry, "PNGF", "splash", 1), true, false},
        {"the index of kind 83 takes no part", Named(NSFerrant::kResourceIDNamedEntry, "PNGF", "x", 9),
         Named(NSFerrant::kResourceIDNamedEntry, "PNGF", "x", 1), false, false},
        {"qualifiers only between two ids of kind 84",
         Named(NSFerrant::kResourceIDNamedQualified, "PNGF", "x", 0, "a"),
         Named(NSFerrant::kResourceIDNamedQualified, "PNGF", "x", 0, "b"), true, false},
        {"a qualifier against kind 82 takes no part", Named(NSFerrant::kResourceIDNamedQualified, "PNGF", "x", 0, "b"),
         Named(NSFerrant::kResourceIDNamed, "PNGF", "x"), false, false},
    };
    for (const OrderCase& c : kCases)
    {
        EXPECT_EQ(c.a < c.b, c.aLess) << c.what;
        EXPECT_EQ(c.b < c.a, c.bLess) << c.what;
    }
}

TEST(ResourceIDDescribe, JoinsTypeIdAndIndexWithSlashes)
{
    TResourceID nonASCII(MakeText(u"S?TR"), 1);
    nonASCII.fType[1] = u16(0x00E9);
    const struct
    {
        TResourceID id;
        const char* text;
    } kCases[] = {
        {TResourceID(), ""},
        {NSFerrant::MakeStringID(128, 34), "SSTR/128/34"},
        {NSFerrant::MakeAlertID(128, 7), "SALR/128/7"},
        {NSFerrant::MakeMenuID(2), "SMNU/128/2"},
        {TResourceID(MakeText(u"DLOG"), 170), "DLOG/170"},
        {NSFerrant::MakeStringID(40000, 65535), "SSTR/-25536/65535"},
        {nonASCII, "S?TR/1"},
        {Named(NSFerrant::kResourceIDNamed, "PNGF", "about"), "PNGF/-666"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.id.Describe(), c.text);
}

TEST(ResourceIDMakers, FillUnusedFieldsWithTheFillerValues)
{
    const TResourceID empty;
    EXPECT_EQ(empty.fKind, NSFerrant::kResourceIDEmpty);
    EXPECT_TRUE(empty.fType.empty());
    EXPECT_EQ(empty.fID, -666);
    EXPECT_EQ(empty.fIndex, 666);

    const TResourceID dialog(MakeText(u"DLOG"), 170);
    EXPECT_EQ(dialog.fKind, NSFerrant::kResourceIDNumbered);
    EXPECT_EQ(dialog.fIndex, 666);
    EXPECT_TRUE(dialog.fName.empty() && dialog.fAuxText.empty() && dialog.fQualifier.empty());

    const TResourceID menu = NSFerrant::MakeMenuID(5);
    EXPECT_EQ(menu.fKind, NSFerrant::kResourceIDNumberedEntry);
    EXPECT_EQ(menu.fType, MakeText(u"SMNU"));
    EXPECT_EQ(menu.fID, 128);
    EXPECT_EQ(menu.fIndex, 5);
}

TEST(ResourceIDKinds, OnlyTheEntryKindsHaveAnIndex)
{
    for (u32 kind = 79; kind <= 84; ++kind)
        EXPECT_EQ(TResourceID::KindHasIndex(kind), kind == 81 || kind == 83) << kind;
}

TEST(ToWin32ResourceType, MapsOnlyTheExactDialogAndBitmapNames)
{
    EXPECT_EQ(NSFerrant::ToWin32ResourceType(MakeText(u"DLOG")), RT_DIALOG);
    EXPECT_EQ(NSFerrant::ToWin32ResourceType(MakeText(u"BMP ")), RT_BITMAP);
    for (const char* passedAsText : {"BMP", "dlog", "DLOG ", "SSTR", "SALR", "SMNU", "ICON", "PNGF"})
    {
        const NSTextPackage::TUTF16String type = Ascii(passedAsText);
        EXPECT_EQ(NSFerrant::ToWin32ResourceType(type), NSTextPackage::AsWide(type)) << passedAsText;
    }
}
} // namespace

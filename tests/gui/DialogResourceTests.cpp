// Dialog templates read into their controls: the program's log-on dialog (extended), a classic
// template with every kind, labels, the cache, and templates that end early.
#include "gui/DialogResource.h"

#include "base/CodeModule.h"
#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

using namespace NSFerrant;

namespace
{
NSTextPackage::TUTF16String U(const std::string& ascii)
{
    return NSTextPackage::TUTF16String(ascii.begin(), ascii.end());
}

float Width(const TDialogItem& item)
{
    return item.fFrame[2] - item.fFrame[0];
}
float Height(const TDialogItem& item)
{
    return item.fFrame[3] - item.fFrame[1];
}

// The program's code module over this executable, for its dialog resources.
class DialogResource : public ::testing::Test
{
protected:
    CApplicationTarget fModule{TCodeModuleInfo(nullptr, U("VantlePacker.exe"), U("Vantle Packer"),
                                               GetModuleHandleW(nullptr))};
};

TEST_F(DialogResource, TheLogOnDialogReadsIntoItsItemsInTemplateOrder)
{
    const CDialogResource dialog = LoadDialogResource(MakeDialogResourceID(170), kDialogFontSegoeUI);
    EXPECT_EQ(dialog.fCaption, U("^0 Installation"));
    struct
    {
        u32 fID;
        u32 fKind;
        const char* fText;
    } const kItems[] = {
        {1, kDialogItemPushButton, "OK"},
        {2, kDialogItemPushButton, "Cancel"},
        {3, kDialogItemStaticText, "Please log on as administrator"},
        {5, kDialogItemTextField, ""},
        {7, kDialogItemTextField, ""},
        {4, kDialogItemStaticText, "User name:"},
        {6, kDialogItemStaticText, "Password:"},
        {8, kDialogItemPushButton, "Help"},
    };
    ASSERT_EQ(dialog.fItems.size(), std::size(kItems));
    for (size_t i = 0; i < std::size(kItems); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog.fItems[i].fControlID, kItems[i].fID);
        EXPECT_EQ(dialog.fItems[i].fKind, kItems[i].fKind);
        EXPECT_EQ(dialog.fItems[i].fText, U(kItems[i].fText));
        EXPECT_EQ(dialog.fItems[i].fFont, 0u);
        EXPECT_EQ(dialog.fItems[i].fSize, 1u);
    }
    // Pixels follow dialog units: the three buttons are 50 × 14 units, the dialog 214 × 95.
    const TDialogItem ok = dialog.FindItem(1);
    const TDialogItem cancel = dialog.FindItem(2);
    EXPECT_EQ(Width(ok), Width(cancel));
    EXPECT_EQ(Height(ok), Height(cancel));
    EXPECT_EQ(ok.fFrame[1], cancel.fFrame[1]);
    EXPECT_GT(Width(ok), Height(ok));
    EXPECT_LT(ok.fFrame[2], cancel.fFrame[0]) << "OK ends at 101 units, Cancel starts at 104";
    EXPECT_GT(dialog.fWidth, dialog.fHeight);
    EXPECT_GT(dialog.fWidth, dialog.FindItem(8).fFrame[2]);
    EXPECT_GT(dialog.fHeight, ok.fFrame[3]);
    EXPECT_GT(Height(dialog.FindItem(5)), Height(dialog.FindItem(4))) << "12 units against 9";
}

TEST_F(DialogResource, LoadsComeFromTheCacheAndFindItemRefusesUnknownIds)
{
    const CDialogResource first = LoadDialogResource(MakeDialogResourceID(170), kDialogFontSegoeUI);
    // The cache does not look at the font: the first load decides.
    const CDialogResource second = LoadDialogResource(MakeDialogResourceID(170), kDialogFontShellDlg);
    EXPECT_EQ(first.fWidth, second.fWidth);
    EXPECT_EQ(first.fItems.size(), second.fItems.size());
    EXPECT_EQ(first.fItems[2].fFrame, second.fItems[2].fFrame);
    EXPECT_THROW(first.FindItem(9), NSQuorral::XNotFound);
    EXPECT_ANY_THROW(LoadDialogResource(MakeDialogResourceID(30999), kDialogFontSegoeUI));
    EXPECT_ANY_THROW(LoadDialogResource(MakeDialogResourceID(30999), kDialogFontSegoeUI)) << "nothing was cached";
}

TEST_F(DialogResource, AClassicTemplateGivesEveryKindAndLabelsLoseTheirMnemonics)
{
    const CDialogResource dialog = LoadDialogResource(MakeDialogResourceID(30170), kDialogFontShellDlg);
    EXPECT_EQ(dialog.fCaption, U("Classic"));
    struct
    {
        u32 fID;
        u32 fKind;
        u32 fAlignment;
        const char* fText;
    } const kItems[] = {
        {10, kDialogItemPushButton, 0, "Go"},
        {11, kDialogItemStaticText, 0, "User & password"},
        {12, kDialogItemStaticText, 1, "ab"},
        {13, kDialogItemStaticText, 2, "right"},
        {15, kDialogItemProgress, 0, ""},
        {16, kDialogItemCheckBox, 0, "Check"},
        {17, kDialogItemRadioButton, 0, "Radio"},
        {18, kDialogItemGroupBox, 0, "Group"},
        {19, kDialogItemListBox, 0, ""},
        {20, kDialogItemComboBox, 0, ""},
        {21, kDialogItemScrollBar, 0, ""},
        {22, kDialogItemTrackBar, 0, ""},
        {23, kDialogItemStaticText, 0, ""},
        {24, kDialogItemTextField, 0, ""},
    };
    ASSERT_EQ(dialog.fItems.size(), std::size(kItems));
    for (size_t i = 0; i < std::size(kItems); ++i)
    {
        SCOPED_TRACE(kItems[i].fID);
        EXPECT_EQ(dialog.fItems[i].fControlID, kItems[i].fID);
        EXPECT_EQ(dialog.fItems[i].fKind, kItems[i].fKind);
        EXPECT_EQ(dialog.fItems[i].fAlignment, kItems[i].fAlignment);
        EXPECT_EQ(dialog.fItems[i].fText, U(kItems[i].fText));
    }
    EXPECT_GT(dialog.fWidth, dialog.fHeight);
}

// Bytes of a classic template with one push button whose class ordinal and text are given.
std::vector<u8> ClassicTemplate(u32 itemStyle, u16 classOrdinal, const std::string& text)
{
    std::vector<u8> bytes;
    auto word = [&](u16 value) {
        bytes.push_back(u8(value));
        bytes.push_back(u8(value >> 8));
    };
    auto longWord = [&](u32 value) {
        word(u16(value));
        word(u16(value >> 16));
    };
    longWord(0x80C80000); // no font block
    longWord(0);
    word(1);
    for (u16 value : {0, 0, 100, 50})
        word(value);
    word(0); // menu
    word(0); // class
    word(0); // caption
    while (bytes.size() % 4)
        bytes.push_back(0);
    longWord(itemStyle);
    longWord(0);
    for (u16 value : {1, 2, 30, 10})
        word(value);
    word(7); // id
    word(0xFFFF);
    word(classOrdinal);
    for (char c : text)
        word(u16(c));
    word(0);
    word(0); // no creation data
    return bytes;
}

TEST(DialogTemplate, KindsFollowTheClassAndStyleOfEachItem)
{
    struct
    {
        u32 fStyle;
        u16 fClass;
        u32 fKind;
        const char* fText;
    } const kCases[] = {
        {0x50010001, 0x80, kDialogItemPushButton, "OK"}, // default push button
        {0x50000007, 0x82, kDialogItemFrame, ""},         // black frame
        {0x50000003, 0x82, kDialogItemIcon, ""},
        {0x50000009, 0x80, kDialogItemRadioButton, "r"},
        {0x50000000, 0x86, kDialogItemUnknown, "x"},
        {0x50000001, 0x82, kDialogItemStaticText, "&&&x"},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.fStyle);
        const auto bytes = ClassicTemplate(c.fStyle, c.fClass, c.fText);
        const CDialogResource dialog = ParseDialogTemplate(bytes.data(), bytes.size(), kDialogFontShellDlg);
        ASSERT_EQ(dialog.fItems.size(), 1u);
        EXPECT_EQ(dialog.fItems[0].fKind, c.fKind);
        EXPECT_EQ(dialog.fItems[0].fControlID, 7u);
        if (c.fKind == kDialogItemStaticText)
        {
            EXPECT_EQ(dialog.fItems[0].fText, U("&x"));
        }
    }
}

TEST(DialogTemplate, ATemplateThatEndsEarlyIsRefusedAtEveryLength)
{
    const auto bytes = ClassicTemplate(0x50000001, 0x80, "OK");
    for (size_t size = 0; size < bytes.size(); ++size)
    {
        SCOPED_TRACE(size);
        EXPECT_THROW(ParseDialogTemplate(bytes.data(), size, kDialogFontShellDlg), NSQuorral::XFormatViolation);
    }
    auto many = bytes;
    many[8] = 0xFF; // 255 items in a template of a few dozen bytes
    EXPECT_THROW(ParseDialogTemplate(many.data(), many.size(), kDialogFontShellDlg), NSQuorral::XFormatViolation);
}
} // namespace

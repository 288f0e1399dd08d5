#pragma once
// The program's fixed dialogs, read from standard Win32 dialog templates into a list of controls
// with their kinds, texts and rectangles in pixels; the dialogs build their own views from it.
#include "base/ResourceID.h"
#include "gui/View.h"

#include <vector>

namespace NSFerrant
{
enum EDialogItemKind : u32
{
    kDialogItemUnknown = 0,
    kDialogItemPushButton = 1,
    kDialogItemRadioButton = 2,
    kDialogItemUpDown = 3,
    kDialogItemComboBox = 4,
    kDialogItemGroupBox = 5,
    kDialogItemTabControl = 6,
    kDialogItemCheckBox = 7,
    kDialogItemStaticText = 8,
    kDialogItemTextField = 9,
    kDialogItemTrackBar = 10,
    kDialogItemProgress = 11,
    kDialogItemFrame = 13,
    kDialogItemIcon = 14,
    kDialogItemListBox = 15,
    kDialogItemScrollBar = 16,
    kDialogItemUnnamedClass = 17,
};

struct TDialogItem
{
    u32 fControlID = 0;
    u32 fKind = kDialogItemUnknown;
    NSTrellisGlue::TViewFrame fFrame{}; // pixels
    NSTextPackage::TUTF16String fText;
    u32 fFont = 0;      // 0: the dialog's font
    u32 fAlignment = 0; // static texts: 0 left, 1 centre, 2 right
    u32 fSize = 1;      // 1: the regular control size
};

class CDialogResource
{
public:
    // The first item with that id; XNotFound when there is none.
    TDialogItem FindItem(u32 controlID) const;

    float fWidth = 0;
    float fHeight = 0;
    NSTextPackage::TUTF16String fCaption;
    std::vector<TDialogItem> fItems;
};

// "DLOG", built once.
const NSTextPackage::TUTF16String& GetDialogResourceType();
TResourceID MakeDialogResourceID(u16 number);

// The fonts dialog units are measured in.
constexpr u32 kDialogFontShellDlg = 0; // "MS Shell Dlg 2", 8 points
constexpr u32 kDialogFontSegoeUI = 1;  // "Segoe UI", 9 points

// A copy of the dialog, read from the running module's resources on its first load and kept for
// the run; the first load's font decides its pixels.
CDialogResource LoadDialogResource(const TResourceID& id, u32 font);

// Reads a template (classic or extended) measured in the font; a template that ends early or
// holds more than it can is XFormatViolation.
CDialogResource ParseDialogTemplate(const u8* bytes, size_t size, u32 font);
} // namespace NSFerrant

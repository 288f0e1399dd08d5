#pragma once
// The Trellis GUI library as its users see it: the exports and the interfaces, laid out by slot.
// Every operation answers a u32 status, kTrellisOK for success; an out-status is set to kTrellisLogicError on
// entry and holds the final status when the operation returns. No exception leaves the library.
#include "base/LibraryStatusTables.h"
#include "base/Types.h"

#include <windows.h>

#include <cstddef>

// A slot whose operation is not built yet: it answers kTrellisLogicError (std::logic_error at the caller).
#define TRELLIS_RESERVED_SLOT(n)                                                                             \
    virtual u32 ReservedSlot##n()                                                                            \
    {                                                                                                        \
        return kTrellisLogicError;                                                                           \
    }

class INativeWindow;

// The block RunAlert shows, zeroed before it is filled. Every text is zero-terminated UTF-16 of at
// most 1023 units; the buttons read left to right in the order given, missing ones empty.
struct TAlertDescriptor
{
    u32 fOperation; // kAlertOneButton, kAlertTwoButtons or kAlertThreeButtons
    u32 fIcon;      // kAlertIconNone .. kAlertIconWarning
    u16 fTitle[1024];
    u16 fMessage[1024];
    u16 fButtons[3][1024];
};
static_assert(sizeof(TAlertDescriptor) == 10248);
static_assert(offsetof(TAlertDescriptor, fTitle) == 8 && offsetof(TAlertDescriptor, fMessage) == 2056);
static_assert(offsetof(TAlertDescriptor, fButtons) == 4104);

constexpr u32 kAlertOneButton = 14000;
constexpr u32 kAlertTwoButtons = 14001;
constexpr u32 kAlertThreeButtons = 14003;
constexpr u32 kAlertIconNone = 23;
constexpr u32 kAlertIconStop = 24;
constexpr u32 kAlertIconNote = 25;
constexpr u32 kAlertIconWarning = 26;
// The answers of an alert count buttons from the right: the last button given answers 564.
constexpr u32 kAlertAnswerLastButton = 564;
constexpr u32 kAlertAnswerNextToLastButton = 565;
constexpr u32 kAlertAnswerThirdToLastButton = 566;

// One screen: its whole area and its usable area (without task bars), in virtual-screen pixels.
struct TScreen
{
    i32 fBounds[4]; // left, top, right, bottom
    i32 fUsableArea[4];
    u32 fBitsPerPixel;
    u32 fDotsPerInch;
    u16 fDeviceName[14]; // zero-terminated, cut when longer
};
static_assert(sizeof(TScreen) == 68 && offsetof(TScreen, fUsableArea) == 16);

constexpr u32 kMaxScreens = 20;
struct TScreenList
{
    u32 fCount;
    TScreen fScreens[kMaxScreens];
    u32 fMainScreen; // index of the screen that holds the task bar and the origin
};
static_assert(sizeof(TScreenList) == 1368 && offsetof(TScreenList, fMainScreen) == 1364);

// Modifier bits of key events, shortcuts and the keyboard state. On Windows Ctrl is the command
// key (the usual shortcut modifier) and the Windows logo key stands in for the control key.
constexpr u64 kModifierShift = 0x02;
constexpr u64 kModifierOption = 0x04; // Alt
constexpr u64 kModifierControl = 0x08;
constexpr u64 kModifierCommand = 0x10;
constexpr u64 kModifierKeys = kModifierShift | kModifierOption | kModifierControl | kModifierCommand;

// The named modifier sets of GetModifierSet: command alone, with shift, with option, with both.
constexpr u32 kModifierSetNormal = 4001;
constexpr u32 kModifierSetAdvanced1 = 4002;
constexpr u32 kModifierSetAdvanced2 = 4003;
constexpr u32 kModifierSetAdvanced3 = 4004;

// The part of a key event that names the key: the character it types, zero-terminated; keys that
// type none have a code of their own: backspace 8, tab 9, keypad enter 10, return 13, escape 27,
// space 32, forward delete 127, F1..F15 U+E001..U+E00F, page up U+E010, page down U+E011, home
// U+E012, end U+E013, insert U+E014, help U+E015, arrows up, left, down, right U+E016..U+E019,
// clear U+E01A.
struct TKeyEventTail
{
    u16 fText[8];
};

struct TKeyEvent
{
    u32 fKind;       // kKeyDown or kKeyUp
    u32 fVirtualKey; // the Windows virtual-key code
    u64 fModifiers;  // kModifier* bits held with the key
    TKeyEventTail fTail;
};
static_assert(sizeof(TKeyEvent) == 32 && offsetof(TKeyEvent, fTail) == 16);
constexpr u32 kKeyDown = 1;
constexpr u32 kKeyUp = 2;

// A key with its modifiers, as menus and windows name their shortcuts. The key text is compared
// with a key event's text without regard to letter case; the modifiers must be exactly those held.
struct TKeyShortcut
{
    u16 fKey[16]; // zero-terminated, at most 15 units
    u64 fModifiers;
    u64 fZero;
};
static_assert(sizeof(TKeyShortcut) == 48);

// The thread's keyboard and mouse state at the moment it is asked for.
struct TKeyboardState
{
    i32 fCursor[2];    // screen position
    u32 fMessageTime;  // time stamp of the last message the thread took from its queue
    u32 fModifiers;    // kModifier* bits held
    u32 fMouseButtons; // 0x1 left, 0x2 right, 0x4 middle
    u32 fToggles;      // 0x1 caps lock, 0x2 num lock
    u32 fZero[3];
};
static_assert(sizeof(TKeyboardState) == 36 && offsetof(TKeyboardState, fModifiers) == 12);

// What the program hands to Run: its names and the about item the library puts in the help menu.
struct TTrellisStartupBlock
{
    u16 fCompanyName[256];
    u16 fDisplayName[256]; // the title of the application's windows when they have none
    u16 fAboutItem[256];   // the about item's title; empty for no about item
    u32 fVersion;          // 1
    u8 fZero[12300];
};
static_assert(sizeof(TTrellisStartupBlock) == 13840 && offsetof(TTrellisStartupBlock, fVersion) == 1536);

// The window property holding the narrow name of a view (a char*, owned by the view).
constexpr wchar_t kViewNameProperty[] = L"Trellis.Name";

namespace NSTrellis
{
// An icon of the library: a small and a large Windows icon that the object owns.
class IIcon
{
public:
    // Destroys the object and both of its icon handles.
    virtual u32 Release() = 0;
    virtual u32 GetHandles(HICON* smallIcon, HICON* largeIcon) = 0;

protected:
    ~IIcon() = default;
};

// The GUI library's canvas for one native drawing call, handed to the program's BeginNativeDrawing.
class INativeCanvas
{
public:
    TRELLIS_RESERVED_SLOT(0)
    // Slot 1: the native drawing handle (a device context).
    virtual u32 GetHandle(u64* handle) = 0;
    // Slot 2: readies the handle for drawing.
    virtual u32 Prepare() = 0;

protected:
    ~INativeCanvas() = default;
};

// The area a view's Draw is asked to redraw.
class INativeRegion
{
public:
    // Slot 0: the native region handle (an HRGN), owned by the library.
    virtual u32 GetHandle(u64* handle) = 0;

protected:
    ~INativeRegion() = default;
};

// Receives the text of a resource entry: zero-terminated UTF-16, valid only during the call. A
// status other than kTrellisOK is handed back to the caller of the operation unchanged.
class ITextGetter
{
public:
    virtual u32 SetText(const u16* text) = 0;

protected:
    ~ITextGetter() = default;
};

// Hears how an alert was closed: the answer of the button chosen (kAlertAnswer*).
class IAlertListener
{
public:
    virtual u32 AlertClosed(u32 answer) = 0;

protected:
    ~IAlertListener() = default;
};

// Hears the end of a folder chooser: the folder chosen as a narrow "file://" URL (UTF-8 of its
// Windows path, ending in "\"), or that the user cancelled. A status other than kTrellisOK is handed
// back to the caller of RunDirectoryChooser unchanged.
class IDirectoryChooserListener
{
public:
    virtual u32 FolderChosen(const char* url) = 0;
    virtual u32 ChooserCancelled() = 0;

protected:
    ~IDirectoryChooserListener() = default;
};

class IView;
class IMenuBar;

// A command sent to a window, its views and the application (menu items, buttons, keys).
struct TCommandEvent
{
    u32 fKind; // kCommandEventKind
    u32 fCommand;
    u32 fModifiers;    // kModifier* bits held when it was sent
    u32 fMouseButtons; // as in the keyboard state
    u64 fStamp;        // the event stamp (GetEventStamp)
};
static_assert(sizeof(TCommandEvent) == 24);
constexpr u32 kCommandEventKind = 6;

// A mouse button going down in a view, in the view's coordinates.
struct TMouseEvent
{
    u32 fKind; // kMouseDown
    i32 fWhere[2];
    u32 fButton; // 1 left, 2 right, 3 middle
    u64 fModifiers;
    u32 fClickCount;
    u32 fZero;
};
static_assert(sizeof(TMouseEvent) == 32);
constexpr u32 kMouseDown = 3;

// The application object of a run. The library calls it from inside Run, on the GUI thread, and
// destroys it (slot 18) before Run returns. A status other than kTrellisOK from Startup ends the run
// with that status.
class ITrellisRunBehavior
{
public:
    virtual u32 Startup() = 0;
    virtual u32 Shutdown() = 0;
    // The user asked to quit (the last window's close box, Alt+F4 on it, the session ending).
    virtual u32 QuitRequested() = 0;
    virtual u32 OpenDefaultWindow() = 0;
    virtual u32 OpenFile(const char* url) = 0;
    virtual u32 Callback5(u64 argument) = 0;
    virtual u32 SetUpMenus(IMenuBar* menuBar) = 0;
    // The last stop of a command nobody else took.
    virtual u32 DoCommand(const TCommandEvent* event, u32* handled) = 0;
    virtual u32 Callback8(u64 argument, u32* out) = 0;
    virtual u32 Callback9(u64* out) = 0;
    // Bracket the painting of one view: the canvas the view draws on.
    virtual u32 BeginNativeDrawing(INativeCanvas* canvas) = 0;
    virtual u32 EndNativeDrawing(INativeCanvas* canvas) = 0;
    virtual u32 Callback12(u64 argument) = 0;
    virtual u32 Callback13() = 0;
    virtual u32 Callback14() = 0;
    virtual u32 Callback15() = 0;
    virtual u32 Callback16(u64 argument1, u64 argument2) = 0;
    // A failure of the library that no caller could be told of.
    virtual void ReportStatus(u32 status) = 0;
    // Slot 18: destroys the object.
    virtual void Destroy() = 0;

protected:
    ~ITrellisRunBehavior() = default;
};

// Hears the rectangles of a view where the mouse changes the cursor: four i32 each.
class IMouseRectReceiver
{
public:
    virtual u32 SetMouseRects(const i32* rects, u32 count) = 0;

protected:
    ~IMouseRectReceiver() = default;
};

// What a view does; the library owns the object and destroys it (slot 20) when the view goes or
// the behaviour is detached.
class IViewBehavior
{
public:
    // Slot 0: paint the region (in the view's coordinates) on the canvas of BeginNativeDrawing.
    virtual u32 Draw(INativeRegion* region) = 0;
    virtual u32 Callback1(u64 value) = 0;
    virtual u32 Callback2(u64 value1, u64 value2) = 0;
    virtual u32 Callback3(i32 flag) = 0;
    virtual u32 Callback4(i32 flag) = 0;
    // Slot 5: *handled = 1 when the view took the mouse-down.
    virtual u32 MouseDown(const TMouseEvent* event, u32* handled) = 0;
    // Slot 6: the view's cursor rectangles, handed to the receiver once.
    virtual u32 GetMouseRects(IMouseRectReceiver* receiver) = 0;
    virtual u32 Callback7(u64 value, u32* out) = 0;
    virtual u32 Callback8(u64 value1, u64 value2, u32* out) = 0;
    virtual u32 Callback9(u64 value1, u64 value2, u32* out) = 0;
    virtual u32 Callback10(i32 flag) = 0;
    // Slot 11: answers a value, with a flag and a status out.
    virtual u32 Callback11(u64 a, u64 b, u32* flag, u32* status) = 0;
    virtual u32 Callback12(u64 value1, u64 value2, u64 value3, u32 value4, u32* out) = 0;
    virtual u32 Callback13() = 0;
    virtual u32 Callback14() = 0;
    virtual u32 Callback15(u64 value1, u64 value2, u64 value3, u32* out) = 0;
    virtual u32 Callback16(u64 value, u32* out) = 0;
    virtual u32 Callback17(u64 value) = 0;
    // Slot 18: *handled = 1 when the view took the command.
    virtual u32 DoCommand(const TCommandEvent* event, u32* handled) = 0;
    virtual u32 Callback19(u64* out) = 0;
    // Slot 20: destroys the object.
    virtual void Destroy() = 0;

protected:
    ~IViewBehavior() = default;
};

// Called once by CreateView, before the view exists, for the behaviour of the new view.
class IViewCreator
{
public:
    virtual IViewBehavior* CreateBehavior(u32* status) = 0;

protected:
    ~IViewCreator() = default;
};

// A view's property record; fields not named here are passed back as read.
struct TViewProperties
{
    u32 fUnnamed0;
    i32 fFrame[4]; // left, top, right, bottom in the parent's coordinates
    u8 fUnnamed20[8];
    u32 fAttribute; // kViewAttribute*
};
static_assert(sizeof(TViewProperties) == 32 && offsetof(TViewProperties, fAttribute) == 28);
// A program view draws its whole frame itself; a solid view is one colour, filled by its Draw.
constexpr u32 kViewAttributeProgram = 4701;
constexpr u32 kViewAttributeSolid = 4702;

// A rectangle of a window: a child window of its content view, or the content view itself.
class IView
{
public:
    // Slot 0: the view's window handle (an HWND), for libraries that put native controls in it.
    virtual u32 GetNativeHandle(u64* handle) = 0;
    TRELLIS_RESERVED_SLOT(1)
    // Slot 2: the parent view; null for a window's content view.
    virtual u32 GetParent(IView** parent) = 0;
    TRELLIS_RESERVED_SLOT(3)
    TRELLIS_RESERVED_SLOT(4)
    virtual u32 SetProperties(const TViewProperties* properties) = 0;
    virtual u32 GetProperties(TViewProperties* properties) = 0;
    TRELLIS_RESERVED_SLOT(7)
    TRELLIS_RESERVED_SLOT(8)
    TRELLIS_RESERVED_SLOT(9)
    TRELLIS_RESERVED_SLOT(10)
    TRELLIS_RESERVED_SLOT(11)
    // Slot 12: moves the view without changing its size.
    virtual u32 MoveBy(i32 dx, i32 dy) = 0;
    TRELLIS_RESERVED_SLOT(13)
    TRELLIS_RESERVED_SLOT(14)
    // Slot 15: destroys the view's behaviour; the view gets no more callbacks.
    virtual u32 DetachBehavior() = 0;
    // Slot 16: destroys the view and its children (a content view goes with its window only).
    virtual u32 Release() = 0;

protected:
    ~IView() = default;
};

// The GUI library's menu-item record; a menu is a flat array of them, every submenu right after
// the item that holds it.
struct TMenuItemData
{
    u32 fParent; // index of the item whose submenu holds this one; kMenuTopLevel for the menu's own
    u16 fTitle[256];
    u32 fFlags; // kMenuItem*
    u16 fShortcut[16];
    u64 fModifiers;
    u32 fZero560;
    u32 fCommand;
    u8 fZero568[8];
};
static_assert(sizeof(TMenuItemData) == 576 && offsetof(TMenuItemData, fModifiers) == 552 &&
              offsetof(TMenuItemData, fCommand) == 564);
constexpr u32 kMenuTopLevel = 0xFFFFFFFF;
constexpr u32 kMenuItemChecked = 0x1;
constexpr u32 kMenuItemEnabled = 0x2;
constexpr u32 kMenuItemVisualOnlyModifier = 0x4;

// The menus of the bar: the library's edit menu (its commands kEditCommand*), the program's menu,
// and the help menu holding the about item (kAboutCommand).
constexpr u32 kEditMenu = 1;
constexpr u32 kProgramMenu = 2;
constexpr u32 kEditCommandCut = 50011;
constexpr u32 kEditCommandCopy = 50012;
constexpr u32 kEditCommandPaste = 50013;
constexpr u32 kEditCommandClear = 50014;
constexpr u32 kEditCommandSelectAll = 50015;
constexpr u32 kAboutCommand = 50002;

struct TMenuBarProperties
{
    u32 fVisible;
    u32 fUnnamed4;
    u64 fUnnamed8;
    u32 fUnnamed16;
};
static_assert(sizeof(TMenuBarProperties) == 24);

// The menu bar of the application's windows. Sizes are in bytes, a multiple of 576.
class IMenuBar
{
public:
    virtual u32 GetProperties(TMenuBarProperties* properties) = 0;
    virtual u32 SetProperties(const TMenuBarProperties* properties) = 0;
    virtual u32 CountItems(u32 menu, u32* count) = 0;
    virtual u32 GetItems(u32 menu, TMenuItemData* items, u64 size) = 0;
    virtual u32 SetItems(u32 menu, const TMenuItemData* items, u64 size) = 0;
    virtual u32 SetTitle(u32 menu, const u16* title) = 0;

protected:
    ~IMenuBar() = default;
};

// The property records of the library's windows; fields not named here are passed back as read.
struct TDocumentWindowProperties
{
    u8 fUnnamed0[24];
    u16 fTitle[1024];
    u8 fUnnamed2072[8];
    u32 fState; // 1: the window fills its screen
    u32 fUnnamed2084;
    i32 fFrame[4]; // left, top, right, bottom
};
static_assert(sizeof(TDocumentWindowProperties) == 2104 &&
              offsetof(TDocumentWindowProperties, fFrame) == 2088);

struct TModalDialogProperties
{
    i32 fMinContentSize[2];
    i32 fMaxContentSize[2];
    u8 fUnnamed16[8];
    u16 fTitle[1024];
    u8 fUnnamed2072[4];
    u32 fUnnamed2076;
    u32 fPlacement; // kDialogPlacementGiven: the frame is where the dialog goes
    i32 fFrame[4];
};
static_assert(sizeof(TModalDialogProperties) == 2100 && offsetof(TModalDialogProperties, fFrame) == 2084);
constexpr u32 kDialogPlacementGiven = 2201;

class IDocumentWindow
{
public:
    TRELLIS_RESERVED_SLOT(0)
    virtual u32 GetProperties(TDocumentWindowProperties* properties) = 0;
    // Slot 2: title and frame; the second argument must be 0.
    virtual u32 SetProperties(const TDocumentWindowProperties* properties, u32 zero) = 0;
    virtual u32 GetNativeWindow(INativeWindow** window) = 0;
    TRELLIS_RESERVED_SLOT(4)
    TRELLIS_RESERVED_SLOT(5)
    TRELLIS_RESERVED_SLOT(6)
    // Slot 7: closes the window; its behaviour is destroyed.
    virtual u32 Close() = 0;

protected:
    ~IDocumentWindow() = default;
};

class IModalDialog
{
public:
    TRELLIS_RESERVED_SLOT(0)
    virtual u32 GetProperties(TModalDialogProperties* properties) = 0;
    // Slot 2: title, frame and content size limits; the second argument must be 0.
    virtual u32 SetProperties(const TModalDialogProperties* properties, u32 zero) = 0;
    virtual u32 GetNativeWindow(INativeWindow** window) = 0;
    TRELLIS_RESERVED_SLOT(4)
    TRELLIS_RESERVED_SLOT(5)
    TRELLIS_RESERVED_SLOT(6)
    // Slot 7: closes the dialog; RunModalDialog returns.
    virtual u32 Close() = 0;

protected:
    ~IModalDialog() = default;
};

// What a window does; the library owns it and destroys it (slot 9) when the window goes. Close
// requests come with a cause: kCloseCauseQuit when the application is quitting.
class IWindowBehavior
{
public:
    virtual u32 Callback0(u64 value1, u64 value2) = 0;
    virtual u32 Callback1(u64 value1, u64 value2) = 0;
    virtual u32 Callback2(i32 flag) = 0;
    virtual u32 KeyDown(const TKeyEvent* event, u32* handled) = 0;
    virtual u32 Callback4(i32 flag) = 0;
    // Slot 5: the window is about to show its menus: it sets their items.
    virtual u32 UpdateMenuBar(IMenuBar* menuBar) = 0;
    virtual u32 DoCommand(const TCommandEvent* event, u32* handled) = 0;
    virtual u32 Callback7(u32* out) = 0;
    virtual u32 CloseRequested(u32 cause) = 0;
    // Slot 9: destroys the object.
    virtual void Destroy() = 0;

protected:
    ~IWindowBehavior() = default;
};
constexpr u32 kCloseCauseUser = 0;
constexpr u32 kCloseCauseQuit = 1;

class IDocumentWindowBehavior : public IWindowBehavior
{
protected:
    ~IDocumentWindowBehavior() = default;
};

class IModalDialogBehavior : public IWindowBehavior
{
protected:
    ~IModalDialogBehavior() = default;
};

// Called once while a window is made, for its behaviour; null with a status fails the opening.
class IDocumentWindowCreator
{
public:
    virtual IDocumentWindowBehavior* Create(IDocumentWindow* window, u32* status) = 0;

protected:
    ~IDocumentWindowCreator() = default;
};

class IModalDialogCreator
{
public:
    virtual IModalDialogBehavior* Create(IModalDialog* dialog, u32* status) = 0;

protected:
    ~IModalDialogCreator() = default;
};

// Receive the open windows of one kind once, frontmost first; the array is valid only during
// the call. A status other than kTrellisOK is handed back to the caller unchanged.
class IDocumentWindowListGetter
{
public:
    virtual u32 SetDocumentWindows(IDocumentWindow* const* windows, u32 count) = 0;

protected:
    ~IDocumentWindowListGetter() = default;
};

class IModalDialogListGetter
{
public:
    virtual u32 SetModalDialogs(IModalDialog* const* dialogs, u32 count) = 0;

protected:
    ~IModalDialogListGetter() = default;
};
} // namespace NSTrellis

// A window of the library: a document window or a modal dialog.
class INativeWindow
{
public:
    TRELLIS_RESERVED_SLOT(0)
    // Slot 1: the view with the keyboard focus; null when none has it.
    virtual u32 GetFocusedView(NSTrellis::IView** view) = 0;
    TRELLIS_RESERVED_SLOT(2)
    TRELLIS_RESERVED_SLOT(3)
    TRELLIS_RESERVED_SLOT(4)
    TRELLIS_RESERVED_SLOT(5)
    virtual u32 GetContentView(NSTrellis::IView** view) = 0;
    // Slot 7: 1 when the window takes commands now (it is enabled: no modal window is over it).
    virtual u32 AcceptsCommand(u32* accepts) = 0;
    TRELLIS_RESERVED_SLOT(8)
    // Slots 9 and 10: between the window's frame and its content rectangle, in screen pixels.
    virtual u32 ContentRectFromFrame(const i32* frame, i32* content) = 0;
    virtual u32 FrameRectFromContent(const i32* content, i32* frame) = 0;

protected:
    ~INativeWindow() = default;
};

// Services of the platform the library runs on; owned by the library, valid until its release.
class IPlatformServices
{
public:
    // Slot 0. Takes ownership of both handles on every path: on success the icon owns them, on
    // failure they are destroyed before the operation returns. The zero arguments must be 0.
    virtual NSTrellis::IIcon* CreateIconFromHandles(HICON smallIcon, u32 zero1, HICON largeIcon, u32 zero2,
                                                    u32 zero3, u32 zero4, u32 zero5, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(1)
    TRELLIS_RESERVED_SLOT(2)
    TRELLIS_RESERVED_SLOT(3)
    // Slot 4: enable (1) or disable (0) every top-level window of the application.
    virtual u32 EnableApplicationWindows(u32 enable) = 0;

protected:
    ~IPlatformServices() = default;
};

// The library's main interface.
class ITrellis
{
public:
    TRELLIS_RESERVED_SLOT(0)
    TRELLIS_RESERVED_SLOT(1)
    TRELLIS_RESERVED_SLOT(2)
    TRELLIS_RESERVED_SLOT(3)
    // Slot 4: runs the application until it quits: Startup, OpenDefaultWindow, SetUpMenus, the
    // message loop, Shutdown; the application object is destroyed before it returns. Answers the
    // status of a failed Startup unchanged, else kTrellisOK.
    virtual u32 Run(NSTrellis::ITrellisRunBehavior* application, const TTrellisStartupBlock* block) = 0;
    TRELLIS_RESERVED_SLOT(5)
    // Slot 6: the application object of the run (null outside Run).
    virtual u32 GetRunBehavior(NSTrellis::ITrellisRunBehavior** application) = 0;
    // Slot 7: ends the message loop once the current message is handled.
    virtual u32 Quit() = 0;
    // Slot 8: takes back a Quit that the loop has not acted on yet.
    virtual u32 CancelQuit() = 0;
    virtual u32 CountDocumentWindows(u32* count) = 0;
    // Slot 10: every screen, the main one marked. The second argument must be 0.
    virtual u32 GetScreens(TScreenList* list, u32 zero) = 0;
    TRELLIS_RESERVED_SLOT(11)
    TRELLIS_RESERVED_SLOT(12)
    TRELLIS_RESERVED_SLOT(13)
    TRELLIS_RESERVED_SLOT(14)
    TRELLIS_RESERVED_SLOT(15)
    TRELLIS_RESERVED_SLOT(16)
    TRELLIS_RESERVED_SLOT(17)
    TRELLIS_RESERVED_SLOT(18)
    // Slot 19: the text of one entry of a text table of the program's module. The spec is the
    // entry's narrow description "TYPE/id/index" (for example "SSTR/128/34"); the getter receives
    // the text with its escapes decoded.
    virtual u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) = 0;
    // Slot 20: the stamp of the message being handled, in milliseconds.
    virtual u32 GetEventStamp(u64* stamp) = 0;
    TRELLIS_RESERVED_SLOT(21)
    // Slot 22: an icon of the library's own set by number.
    virtual NSTrellis::IIcon* CreateIcon(u32 id, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(23)
    TRELLIS_RESERVED_SLOT(24)
    // Slot 25: an icon resource of the program's module; the spec is its decimal number or its
    // name in UTF-8. The second argument must be 0.
    virtual NSTrellis::IIcon* CreateIconFromSpec(const char* spec, u32 zero, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(26)
    // Slot 27: the keyboard and mouse state; the state is the thread's, the same for every window
    // (the window may be null).
    virtual u32 GetKeyboardState(TKeyboardState* state, INativeWindow* window) = 0;
    TRELLIS_RESERVED_SLOT(28)
    TRELLIS_RESERVED_SLOT(29)
    TRELLIS_RESERVED_SLOT(30)
    TRELLIS_RESERVED_SLOT(31)
    TRELLIS_RESERVED_SLOT(32)
    TRELLIS_RESERVED_SLOT(33)
    TRELLIS_RESERVED_SLOT(34)
    TRELLIS_RESERVED_SLOT(35)
    TRELLIS_RESERVED_SLOT(36)
    TRELLIS_RESERVED_SLOT(37)
    TRELLIS_RESERVED_SLOT(38)
    TRELLIS_RESERVED_SLOT(39)
    TRELLIS_RESERVED_SLOT(40)
    // Slot 41: handles the thread's pending messages (paints and posted requests included) and
    // returns when none is left, without waiting.
    virtual u32 ProcessEvents() = 0;
    TRELLIS_RESERVED_SLOT(42)
    // Slot 43: the modifier mask of a named set (kModifierSet*).
    virtual u32 GetModifierSet(const u32* set, u64* mask) = 0;
    TRELLIS_RESERVED_SLOT(44)
    // Slot 45: *matches = 1 when the event's key (text from tail) and modifiers are the shortcut's.
    virtual u32 MatchKeyEvent(const TKeyEvent* event, const TKeyEventTail* tail, const TKeyShortcut* shortcut,
                              u32* matches) = 0;
    TRELLIS_RESERVED_SLOT(46)
    // Slot 47: paints now whatever of the thread's windows waits to be painted.
    virtual u32 UpdateNow() = 0;
    TRELLIS_RESERVED_SLOT(48)
    TRELLIS_RESERVED_SLOT(49)
    TRELLIS_RESERVED_SLOT(50)
    TRELLIS_RESERVED_SLOT(51)
    // Slot 52: makes a document window whose behaviour the creator gives, shows it and answers
    // it. The window must be null and the third argument 1.
    virtual NSTrellis::IDocumentWindow* OpenDocumentWindow(NSTrellis::IDocumentWindowCreator* creator,
                                                           INativeWindow* window, u32 one, u32* status) = 0;
    // Slot 53: the open document windows, frontmost first.
    virtual u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter) = 0;
    TRELLIS_RESERVED_SLOT(54)
    TRELLIS_RESERVED_SLOT(55)
    // Slot 56: makes a modal dialog whose behaviour the creator gives and returns when it is
    // closed, with the status also in *status. Arguments as OpenDocumentWindow's, the fourth 0.
    virtual u32 RunModalDialog(NSTrellis::IModalDialogCreator* creator, INativeWindow* window, u32 one,
                               u32 zero, u32* status) = 0;
    // Slot 57: the open modal dialogs, frontmost first.
    virtual u32 GetModalDialogs(NSTrellis::IModalDialogListGetter* getter) = 0;
    TRELLIS_RESERVED_SLOT(58)
    TRELLIS_RESERVED_SLOT(59)
    // Slot 60: shows an alert and returns when it is closed, after the listener heard the answer.
    // Alerts are application-modal: the window must be null and appModal 1. An alert of one
    // button closes with Enter, Escape or its close box; an alert of more buttons has no close
    // box and ignores Escape, so only a button closes it. Enter chooses the last button.
    virtual u32 RunAlert(INativeWindow* window, u32 appModal, const TAlertDescriptor* alert,
                         NSTrellis::IAlertListener* listener) = 0;
    // Slot 61: a view inside the parent view, invisible to input and painting until it has a
    // frame; the narrow name is kept with it for finding it (window property kViewNameProperty).
    virtual NSTrellis::IView* CreateView(NSTrellis::IViewCreator* creator, NSTrellis::IView* parent,
                                         const char* name, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(62)
    // Slot 63: the rectangle, in the parent's coordinates as the frame, is to be painted again.
    virtual u32 InvalidateViewRect(NSTrellis::IView* view, const i32* rect) = 0;
    TRELLIS_RESERVED_SLOT(64)
    TRELLIS_RESERVED_SLOT(65)
    // Slot 66: the system's folder chooser, titled; returns after the listener heard the folder or
    // the cancel. The tag names the chooser's purpose: each tag remembers its own last folder.
    // Choosers are application-modal: the window must be null and appModal 1.
    virtual u32 RunDirectoryChooser(NSTrellis::IDirectoryChooserListener* listener, u32 tag,
                                    INativeWindow* window, u32 appModal, const u16* title) = 0;
    TRELLIS_RESERVED_SLOT(67)
    TRELLIS_RESERVED_SLOT(68)
    TRELLIS_RESERVED_SLOT(69)
    TRELLIS_RESERVED_SLOT(70)
    // Slot 71: the platform services of this library.
    virtual u32 GetPlatformServices(IPlatformServices** services) = 0;
    // Slot 72: ends the library's use; with 1 the interface object is destroyed.
    virtual u32 Release(u32 destroy) = 0;

protected:
    ~ITrellis() = default;
};

#undef TRELLIS_RESERVED_SLOT

extern "C"
{
    // The library's interface by name ("ITrellis"); the caller presets the status to kTrellisOK.
    ITrellis* Trellis_Create(const char* interfaceName, u32* status);
    // Memory for every object that the library frees.
    void* Trellis_New(u64 size);
    void Trellis_Delete(void* memory);
}

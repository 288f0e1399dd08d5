#pragma once
// The Sprocket widget library as its users see it: standard controls as native views of the
// Trellis GUI library, laid out by slot. Every operation answers a u32 status, kTrellisOK for success;
// an out-status is set to kTrellisLogicError on entry and holds the final status when the operation returns.
// No exception leaves the library.
#include "base/Types.h"
#include "dlls/trellis/Trellis.h"

#include <cstddef>

// A slot whose operation is not built yet: it answers kTrellisLogicError.
#define SPROCKET_RESERVED_SLOT(n)                                                                            \
    virtual u32 ReservedSlot##n()                                                                            \
    {                                                                                                        \
        return kTrellisLogicError;                                                                           \
    }

namespace NSSprocket
{
// The controls' records, zeroed before they are filled. Frames are left, top, right, bottom in
// the parent view's coordinates; texts are zero-terminated UTF-16, cut at the field's length less
// one. Fields not named here are passed back as read.
struct TPushButtonRecord
{
    i32 fFrame[4];
    u16 fTitle[256];
    // Shown on the button in place of a title; null for none. The program keeps the icon while the
    // button shows it.
    NSTrellis::IIcon* fIcon;
    u32 fEnabled;      // 1 enabled, 0 greyed
    u16 fText[1024];
    u8 fUnnamed2588[4];
};
static_assert(sizeof(TPushButtonRecord) == 2592 && offsetof(TPushButtonRecord, fTitle) == 16 &&
              offsetof(TPushButtonRecord, fIcon) == 528 &&
              offsetof(TPushButtonRecord, fEnabled) == 536 && offsetof(TPushButtonRecord, fText) == 540);

struct TProgressViewRecord
{
    i32 fFrame[4];
    u32 fValue; // thousandths of the whole, 0..1000; more shows as full
    u32 fUnnamed20;
    u16 fText[1024];
};
static_assert(sizeof(TProgressViewRecord) == 2072 && offsetof(TProgressViewRecord, fText) == 24);
constexpr u32 kProgressWhole = 1000;

struct TStaticTextRecord
{
    i32 fFrame[4];
    u16 fText[1024];
    u32 fAlignment; // kAlignment*
    u32 fStyle;     // kTextStyle*
    u32 fUnnamed2072;
    u32 fUnnamed2076;
    u16 fSecondText[1024];
};
static_assert(sizeof(TStaticTextRecord) == 4128 && offsetof(TStaticTextRecord, fAlignment) == 2064 &&
              offsetof(TStaticTextRecord, fSecondText) == 2080);
constexpr u32 kAlignmentLeft = 7;
constexpr u32 kAlignmentRight = 8;
constexpr u32 kAlignmentCenter = 9;
// The static texts' fonts: the dialog font, the small dialog font, its bold form, the large one.
constexpr u32 kTextStyleSmall = 334;
constexpr u32 kTextStyleSmallBold = 335;
constexpr u32 kTextStyleLarge = 336;
constexpr u32 kTextStyleNormal = 337;

struct TSeparatorLineRecord
{
    i32 fFrame[4];
    u32 fUnnamed16;
};
static_assert(sizeof(TSeparatorLineRecord) == 20);

// A group of radio buttons, one of them selected. Each item's frame is in the parent view's
// coordinates; the group's own window spans them all.
struct TRadioButtonItem
{
    i32 fFrame[4];
    u16 fLabel[256];
    u16 fLabelAgain[256]; // the same label, passed back as written
    u8 fUnnamed1040[1536];
};
static_assert(sizeof(TRadioButtonItem) == 2576 && offsetof(TRadioButtonItem, fLabelAgain) == 528);

constexpr u32 kRadioButtonGroupMaxItems = 64;
struct TRadioButtonGroupRecord
{
    u16 fCount; // at most kRadioButtonGroupMaxItems
    u16 fUnnamed2;
    TRadioButtonItem fItems[kRadioButtonGroupMaxItems];
    u16 fSelected; // below fCount when there are items
    u16 fUnnamed164870;
    u32 fUnnamed164872;
};
static_assert(sizeof(TRadioButtonGroupRecord) == 164876 && offsetof(TRadioButtonGroupRecord, fItems) == 4 &&
              offsetof(TRadioButtonGroupRecord, fSelected) == 164868 &&
              offsetof(TRadioButtonGroupRecord, fUnnamed164872) == 164872);

// A text field: the text and its selection (UTF-16 unit offsets; the ends may come either way
// round, both within the text). A single-line field takes no line breaks and hands Enter to its
// handler; the flag is fixed when the field is made.
struct TTextFieldRecord
{
    i32 fFrame[4];
    u16 fText[1024];
    u32 fSelectionStart;
    u32 fSelectionEnd;
    u8 fSingleLine; // 1 single-line, 0 multi-line
    u8 fUnnamed2073[3];
    u32 fUnnamed2076;
    u16 fSecondText[1024];
};
static_assert(sizeof(TTextFieldRecord) == 4128 && offsetof(TTextFieldRecord, fText) == 16 &&
              offsetof(TTextFieldRecord, fSelectionStart) == 2064 &&
              offsetof(TTextFieldRecord, fSelectionEnd) == 2068 &&
              offsetof(TTextFieldRecord, fSingleLine) == 2072 && offsetof(TTextFieldRecord, fUnnamed2076) == 2076 &&
              offsetof(TTextFieldRecord, fSecondText) == 2080);
// The most units a field holds: its record's text less the terminator.
constexpr u32 kTextFieldMaxLength = 1023;
// The creation flag of a single-line field whose text is shown masked.
constexpr u8 kTextFieldPassword = 1;

class IPushButtonView;
class IRadioButtonGroupView;
class ITextFieldView;

// The program's side of a push button: slot 2 hears the clicks (mouse, space, Enter on focus).
class IPushButtonViewHandler
{
public:
    virtual u32 Callback0() = 0;
    virtual u32 Callback1(u32* out) = 0;
    virtual u32 Pressed(IPushButtonView* button) = 0;

protected:
    ~IPushButtonViewHandler() = default;
};

// The program's side of a radio group: slot 2 hears the user select another item (a click, or the
// space bar on a focused item); the group shows the new selection already.
class IRadioButtonGroupViewHandler
{
public:
    virtual u32 Callback0() = 0;
    virtual u32 Callback1() = 0;
    virtual u32 SelectionChanged(IRadioButtonGroupView* group, u16 selection) = 0;

protected:
    ~IRadioButtonGroupViewHandler() = default;
};

// The program's side of a text field. Each slot answers a status; the library has no caller to
// hand it on to.
class ITextFieldViewHandler
{
public:
    virtual u32 Callback0() = 0;
    // Enter in a single-line field (key is the character, 13); *out nonzero when the program acted.
    virtual u32 Action(ITextFieldView* field, u32 key, u32* out) = 0;
    virtual u32 Callback2(ITextFieldView* field, u32* out) = 0;
    // The user changed the text (typing, an edit operation). text holds the new text (room for
    // kTextFieldMaxLength units and a zero) and the selection; the program may rewrite all three,
    // and the field then shows what it wrote.
    virtual u32 TextChanged(ITextFieldView* field, u16* text, u32* selectionStart, u32* selectionEnd) = 0;
    virtual u32 Callback4() = 0;
    virtual u32 Callback5() = 0;
    // The program's Edit menu for the field. The GUI library hands its menu bar to windows only,
    // so this library never calls it: a window updates the menu for its focused field itself.
    virtual u32 UpdateEditMenu(ITextFieldView* field, NSTrellis::IMenuBar* menuBar) = 0;
    // An edit command the user gave in the field with its keyboard shortcut (Ctrl+X, C, V, A):
    // *handled nonzero when the program carried it out, else the field does it itself.
    virtual u32 DoEditCommand(ITextFieldView* field, const NSTrellis::TCommandEvent* event, u32* handled) = 0;

protected:
    ~ITextFieldViewHandler() = default;
};

// A control: slot 0 destroys it (with 1) and its window; slots 1 and 2 write and read its record.
template <class TRecord>
class IControlView
{
public:
    virtual u32 Release(u32 destroy) = 0;
    virtual u32 SetProperties(const TRecord* record) = 0;
    virtual u32 GetProperties(TRecord* record) = 0;

protected:
    ~IControlView() = default;
};

class IPushButtonView : public IControlView<TPushButtonRecord>
{
protected:
    ~IPushButtonView() = default;
};

class IRadioButtonGroupView : public IControlView<TRadioButtonGroupRecord>
{
protected:
    ~IRadioButtonGroupView() = default;
};

// A text field: slots 3 to 6 cut, copy, paste and clear the selection (the event and the two
// values are not read); slot 7 answers nonzero when the clipboard holds text to paste.
class ITextFieldView : public IControlView<TTextFieldRecord>
{
public:
    virtual u32 Cut(const NSTrellis::TCommandEvent* event, u32, u32) = 0;
    virtual u32 Copy(const NSTrellis::TCommandEvent* event, u32, u32) = 0;
    virtual u32 Paste(const NSTrellis::TCommandEvent* event, u32, u32) = 0;
    virtual u32 Clear(const NSTrellis::TCommandEvent* event, u32, u32) = 0;
    virtual u32 CanPaste(u32* out) = 0;

protected:
    ~ITextFieldView() = default;
};

class IProgressView : public IControlView<TProgressViewRecord>
{
protected:
    ~IProgressView() = default;
};

class IStaticTextView : public IControlView<TStaticTextRecord>
{
protected:
    ~IStaticTextView() = default;
};

class ISeparatorLineView : public IControlView<TSeparatorLineRecord>
{
protected:
    ~ISeparatorLineView() = default;
};

// Push-button size styles: the regular, small and mini buttons.
constexpr u32 kSizeStyleRegular = 87;
constexpr u32 kSizeStyleSmall = 88;
constexpr u32 kSizeStyleMini = 89;

// The library's main interface. The values in the creation calls that the program always passes
// (88, 96, 115 and the like) are accepted as they come.
class ISprocket
{
public:
    // Slot 0: a push button in the parent view, its clicks to the handler.
    virtual IPushButtonView* CreatePushButton(NSTrellis::IView* parent, IPushButtonViewHandler* handler,
                                              const TPushButtonRecord* record, u32 style, u32 sizeStyle,
                                              u32 variant, u32 fontStyle, u32 fontVariant, u32 version,
                                              const char* name, u32* status) = 0;
    // Slot 1: the size of a push button that shows the text in the controls' font, its content
    // at least limit (an icon's size, say; {0, 0} for none). An empty text has no width and one
    // line's height. The style values (96 a titled button, 97 an icon button) are accepted as
    // they come; every button is measured alike, at least the platform's standard button height.
    virtual u32 MeasureText(const u16* text, const i32* limit, u32 sizeStyle, u32 style, u32 fontStyle,
                            u32 variant, i32* size) = 0;
    SPROCKET_RESERVED_SLOT(2)
    SPROCKET_RESERVED_SLOT(3)
    // Slot 4: a group of radio buttons in the parent view, selections to the handler.
    virtual IRadioButtonGroupView* CreateRadioButtonGroup(NSTrellis::IView* parent,
                                                          IRadioButtonGroupViewHandler* handler,
                                                          const TRadioButtonGroupRecord* record, u32 sizeStyle,
                                                          u32 fontStyle, u32 version, const char* name,
                                                          u32* status) = 0;
    // Slot 5: the size of a radio button that shows the label whole on one line beside its
    // glyph, in the controls' font; an empty label leaves the glyph's width and one line's
    // height. The style values are accepted as they come.
    virtual u32 MeasureRadioButton(const u16* label, u32 sizeStyle, u32 fontStyle, i32* size) = 0;
    SPROCKET_RESERVED_SLOT(6)
    SPROCKET_RESERVED_SLOT(7)
    SPROCKET_RESERVED_SLOT(8)
    SPROCKET_RESERVED_SLOT(9)
    SPROCKET_RESERVED_SLOT(10)
    SPROCKET_RESERVED_SLOT(11)
    SPROCKET_RESERVED_SLOT(12)
    SPROCKET_RESERVED_SLOT(13)
    SPROCKET_RESERVED_SLOT(14)
    SPROCKET_RESERVED_SLOT(15)
    SPROCKET_RESERVED_SLOT(16)
    SPROCKET_RESERVED_SLOT(17)
    SPROCKET_RESERVED_SLOT(18)
    SPROCKET_RESERVED_SLOT(19)
    // Slot 20: a progress bar in the parent view.
    virtual IProgressView* CreateProgressView(NSTrellis::IView* parent, const TProgressViewRecord* record,
                                              u32 sizeStyle, u32 fontStyle, u32 version, const char* name,
                                              u32* status) = 0;
    // Slot 21: the height of a progress view (the style values are accepted as they come).
    virtual u32 GetControlMetrics(u32 sizeStyle, u32 fontStyle, i32* height) = 0;
    // Slot 22: a static text in the parent view.
    virtual IStaticTextView* CreateStaticText(NSTrellis::IView* parent, const TStaticTextRecord* record,
                                              u32 fontStyle, u32 version, const char* name, u32* status) = 0;
    SPROCKET_RESERVED_SLOT(23)
    SPROCKET_RESERVED_SLOT(24)
    // Slot 25: a text field in the parent view, its user's changes to the handler; flags
    // kTextFieldPassword masks the text of a single-line field.
    virtual ITextFieldView* CreateTextField(NSTrellis::IView* parent, ITextFieldViewHandler* handler,
                                            const TTextFieldRecord* record, u32 fontStyle, u32 sizeStyle,
                                            u32 version, u8 flags, const char* name, u32* status) = 0;
    // Slot 26: the size of a text field that shows the text whole in a font style (kSizeStyle*):
    // its lines, broken at line breaks and, with a width above 0, wrapped to fit a field that
    // wide, with the field's border and margins.
    virtual u32 MeasureTextLines(const u16* text, u32 width, u32 fontStyle, u32 sizeStyle, i32* size) = 0;
    SPROCKET_RESERVED_SLOT(27)
    SPROCKET_RESERVED_SLOT(28)
    // Slot 29: an etched line across the frame (horizontal when it is wider than tall).
    virtual ISeparatorLineView* CreateSeparatorLine(NSTrellis::IView* parent, const TSeparatorLineRecord* record,
                                                    u32 metric, u32 metricVariant, u32 version, const char* name,
                                                    u32* status) = 0;
    // Slot 30: the thickness of a separator line (the metric values are accepted as they come).
    virtual u32 GetMetric(u32 metric, u32 metricVariant, i32* value) = 0;
    SPROCKET_RESERVED_SLOT(31)
    SPROCKET_RESERVED_SLOT(32)
    SPROCKET_RESERVED_SLOT(33)
    SPROCKET_RESERVED_SLOT(34)
    SPROCKET_RESERVED_SLOT(35)
    SPROCKET_RESERVED_SLOT(36)
    SPROCKET_RESERVED_SLOT(37)
    SPROCKET_RESERVED_SLOT(38)
    // Slot 39: readies the library; the version must be 1. Controls are refused before it.
    virtual u32 Initialize(u32 version) = 0;
    SPROCKET_RESERVED_SLOT(40)
    SPROCKET_RESERVED_SLOT(41)
    // Slot 42: ends the library's use; with 1 the interface object is destroyed.
    virtual u32 Release(u32 destroy) = 0;

protected:
    ~ISprocket() = default;
};
} // namespace NSSprocket

#undef SPROCKET_RESERVED_SLOT

extern "C"
{
    // The process's one interface object for the program's GUI library; the name must be
    // "ISprocket". The status is kTrellisOK on success.
    NSSprocket::ISprocket* Sprocket_Create(const char* interfaceName, ITrellis* trellis, u32* status);
}

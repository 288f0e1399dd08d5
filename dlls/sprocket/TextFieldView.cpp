#include "dlls/sprocket/TextFieldView.h"

#include "dlls/sprocket/RecordText.h"
#include "dlls/sprocket/SprocketFence.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace NSSprocketLibrary
{
namespace
{
// The edit shortcuts as the control receives them, control characters of Ctrl with a letter.
struct TShortcut
{
    WPARAM fCharacter;
    u32 fCommand;
};
constexpr std::array<TShortcut, 4> kShortcuts{{
    {0x18, NSTrellis::kEditCommandCut},
    {0x03, NSTrellis::kEditCommandCopy},
    {0x16, NSTrellis::kEditCommandPaste},
    {0x01, NSTrellis::kEditCommandSelectAll},
}};

DWORD ControlStyle(const NSSprocket::TTextFieldRecord& record, u8 flags)
{
    const DWORD lines = record.fSingleLine ? ES_AUTOHSCROLL : ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    return WS_BORDER | WS_TABSTOP | lines | (flags & NSSprocket::kTextFieldPassword ? ES_PASSWORD : 0);
}
} // namespace

CTextFieldView::CTextFieldView(HWND parent, NSSprocket::ITextFieldViewHandler* handler,
                               const NSSprocket::TTextFieldRecord& record, u8 flags, const std::string& name)
    : CControlView(parent, CheckedAtCreation(record), L"EDIT", ControlStyle(record, flags), name),
      fHandler(handler), fSingleLine(record.fSingleLine == 1)
{
    SendMessageW(GetControl(), EM_LIMITTEXT, NSSprocket::kTextFieldMaxLength, 0);
    SetWindowSubclass(GetControl(), ControlProcedure, 0, DWORD_PTR(this));
    ShowRecord(record);
}

CTextFieldView::~CTextFieldView()
{
    if (GetControl())
        RemoveWindowSubclass(GetControl(), ControlProcedure, 0);
}

const NSSprocket::TTextFieldRecord& CTextFieldView::CheckedAtCreation(const NSSprocket::TTextFieldRecord& record)
{
    Check(record, record.fSingleLine == 1);
    return record;
}

void CTextFieldView::Check(const NSSprocket::TTextFieldRecord& record, bool singleLine)
{
    if (record.fSingleLine > 1 || (record.fSingleLine == 1) != singleLine)
        ThrowInvalidArgument();
    const std::wstring text = TextOfField(record.fText);
    if (text.size() > NSSprocket::kTextFieldMaxLength || record.fSelectionStart > text.size() ||
        record.fSelectionEnd > text.size())
        ThrowInvalidArgument();
}

void CTextFieldView::ShowRecord(const NSSprocket::TTextFieldRecord& record)
{
    ShowText(TextOfField(record.fText), record.fSelectionStart, record.fSelectionEnd);
}

void CTextFieldView::ShowText(const std::wstring& text, u32 selectionStart, u32 selectionEnd)
{
    fShowing = true;
    if (GetText() != text)
        SetText(text);
    SendMessageW(GetControl(), EM_SETSEL, selectionStart, selectionEnd);
    fShowing = false;
}

void CTextFieldView::Selection(u32& start, u32& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessageW(GetControl(), EM_GETSEL, WPARAM(&first), LPARAM(&last));
    start = first;
    end = last;
}

void CTextFieldView::ReadBack(NSSprocket::TTextFieldRecord& record) const
{
    WriteTextField(record.fText, GetText());
    u32 start = 0;
    u32 end = 0;
    Selection(start, end);
    // The control keeps no direction: a selection written the other way round reads back so.
    if (std::min(record.fSelectionStart, record.fSelectionEnd) != start ||
        std::max(record.fSelectionStart, record.fSelectionEnd) != end)
    {
        record.fSelectionStart = start;
        record.fSelectionEnd = end;
    }
}

u32 CTextFieldView::Edit(UINT message)
{
    if (GetControl())
        SendMessageW(GetControl(), message, 0, 0);
    return kTrellisOK;
}

u32 CTextFieldView::CanPaste(u32* out)
{
    return AnswerStatus(
        [&]
        {
            if (!out)
                ThrowInvalidArgument();
            *out = GetControl() && IsWindowEnabled(GetControl()) && IsClipboardFormatAvailable(CF_UNICODETEXT);
            return kTrellisOK;
        });
}

void CTextFieldView::ControlNotified(HWND, WORD code)
{
    if (code != EN_CHANGE || fShowing || !fHandler)
        return;
    u16 text[NSSprocket::kTextFieldMaxLength + 1];
    WriteTextField(text, GetText());
    u32 start = 0;
    u32 end = 0;
    Selection(start, end);
    // The program may rewrite the text and the selection (to hold the text to a length, say);
    // the field shows what it answers, kept within the text.
    if (fHandler->TextChanged(this, text, &start, &end) != kTrellisOK)
        return;
    text[NSSprocket::kTextFieldMaxLength] = 0;
    const std::wstring answered = TextOfField(text);
    const u32 length = u32(answered.size());
    ShowText(answered, std::min(start, length), std::min(end, length));
}

bool CTextFieldView::TookCharacter(WPARAM character)
{
    if (character == L'\r' && fSingleLine)
    {
        // A single-line field has no line to break: Enter is the field's action.
        u32 acted = 0;
        if (fHandler)
            fHandler->Action(this, 13, &acted);
        return true;
    }
    const auto shortcut = std::find_if(kShortcuts.begin(), kShortcuts.end(),
                                       [&](const TShortcut& known) { return known.fCharacter == character; });
    if (shortcut == kShortcuts.end())
        return false;
    u32 handled = 0;
    if (fHandler)
    {
        const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, shortcut->fCommand,
                                             u32(kModifierControl), 0, u64(u32(GetMessageTime()))};
        if (fHandler->DoEditCommand(this, &event, &handled) != kTrellisOK)
            handled = 0;
    }
    if (!handled)
        RunEditCommand(shortcut->fCommand);
    return true;
}

void CTextFieldView::RunEditCommand(u32 command)
{
    switch (command)
    {
    case NSTrellis::kEditCommandCut:
        Edit(WM_CUT);
        break;
    case NSTrellis::kEditCommandCopy:
        Edit(WM_COPY);
        break;
    case NSTrellis::kEditCommandPaste:
        Edit(WM_PASTE);
        break;
    default:
        SendMessageW(GetControl(), EM_SETSEL, 0, -1);
    }
}

LRESULT CALLBACK CTextFieldView::ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self)
{
    return AnswerMessage(
        [&]() -> LRESULT
        {
            if (message == WM_CHAR && reinterpret_cast<CTextFieldView*>(self)->TookCharacter(wParam))
                return 0;
            if (message == WM_NCDESTROY)
                RemoveWindowSubclass(window, ControlProcedure, 0);
            return DefSubclassProc(window, message, wParam, lParam);
        });
}
} // namespace NSSprocketLibrary

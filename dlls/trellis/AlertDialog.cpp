#include "dlls/trellis/AlertDialog.h"

#include "base/Throw.h"
#include "dlls/trellis/AlertDescriptor.h"
#include "dlls/trellis/ApplicationModality.h"
#include "dlls/trellis/LibraryFence.h"

#include <algorithm>
#include <string>
#include <vector>

namespace NSTrellisLibrary
{
namespace
{
constexpr int kMessageID = 100;

// A font made for the dialog, deleted with it.
class CFontHandle
{
public:
    explicit CFontHandle(HFONT font) : fFont(font) {}
    ~CFontHandle()
    {
        if (fFont)
            DeleteObject(fFont);
    }
    CFontHandle(const CFontHandle&) = delete;
    CFontHandle& operator=(const CFontHandle&) = delete;

    HFONT Get() const { return fFont; }

private:
    HFONT fFont;
};

HFONT CreateMessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

const wchar_t* SystemIconOf(u32 icon)
{
    switch (icon)
    {
    case kAlertIconStop:
        return IDI_HAND;
    case kAlertIconNote:
        return IDI_INFORMATION;
    case kAlertIconWarning:
        return IDI_WARNING;
    default:
        return nullptr;
    }
}

// Alert texts break lines with a lone CR; the static control breaks on CR LF.
std::wstring DisplayedMessage(const std::wstring& message)
{
    std::wstring shown;
    for (std::size_t i = 0; i < message.size(); ++i)
    {
        shown += message[i];
        if (message[i] == L'\r' && (i + 1 == message.size() || message[i + 1] != L'\n'))
            shown += L'\n';
    }
    return shown;
}

// A button title is shown as written: "&" marks no mnemonic.
std::wstring DisplayedButtonTitle(const std::wstring& title)
{
    std::wstring shown;
    for (const wchar_t c : title)
    {
        shown += c;
        if (c == L'&')
            shown += L'&';
    }
    return shown;
}

class CAlertDialog
{
public:
    CAlertDialog(const TAlertDescriptor& alert, u32 buttonCount)
        : fAlert(alert), fButtonCount(buttonCount), fFont(CreateMessageFont())
    {
    }

    u32 Run(HWND owner)
    {
        // An empty template: the controls are made and placed when the dialog starts, measured
        // in the message font.
        struct alignas(4) TTemplate
        {
            DLGTEMPLATE fHeader;
            WORD fMenu, fClass, fTitle;
        } dialogTemplate{};
        dialogTemplate.fHeader.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | (IsClosable() ? WS_SYSMENU : 0);
        const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.fHeader, owner,
                                                       &CAlertDialog::DialogProcedure, LPARAM(this));
        if (answer < kAlertAnswerLastButton || answer > kAlertAnswerThirdToLastButton)
            NSQuorral::Throw(std::runtime_error(""));
        return u32(answer);
    }

private:
    // Only an alert of a single button can be dismissed without naming a button: Escape or
    // closing the window then means that button, never one of several choices.
    bool IsClosable() const { return fButtonCount == 1; }

    static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return AnswerMessage(
            [&]() -> INT_PTR
            {
                if (message == WM_INITDIALOG)
                {
                    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                    return reinterpret_cast<CAlertDialog*>(lParam)->Build(dialog);
                }
                if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
                {
                    const auto* self =
                        reinterpret_cast<const CAlertDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
                    const UINT id = LOWORD(wParam);
                    if (id >= kAlertAnswerLastButton && id < kAlertAnswerLastButton + self->fButtonCount)
                        EndDialog(dialog, INT_PTR(id));
                    else if (id == IDCANCEL && self->IsClosable())
                        EndDialog(dialog, kAlertAnswerLastButton);
                    return TRUE;
                }
                return FALSE;
            });
    }

    HWND AddControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id)
    {
        HWND control = CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                       HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
        if (control && fFont.Get())
            SendMessageW(control, WM_SETFONT, WPARAM(fFont.Get()), FALSE);
        return control;
    }

    SIZE MeasureText(HWND dialog, const std::wstring& text, int maxWidth, UINT format) const
    {
        HDC dc = GetDC(dialog);
        const HGDIOBJ previous = SelectObject(dc, fFont.Get() ? HGDIOBJ(fFont.Get()) : GetStockObject(DEFAULT_GUI_FONT));
        RECT bounds{0, 0, maxWidth, 0};
        DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &bounds, format | DT_CALCRECT | DT_NOPREFIX);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
        return SIZE{bounds.right, std::max<LONG>(bounds.bottom, metrics.tmHeight)};
    }

    // Lays the dialog out in units of the font's line height, so that it scales with the font.
    INT_PTR Build(HWND dialog)
    {
        SetWindowTextW(dialog, FieldText(fAlert.fTitle).c_str());
        const int line = MeasureText(dialog, L"X", 1000, DT_SINGLELINE).cy;
        const int margin = line;
        const int gap = line / 2;

        int left = margin;
        int contentHeight = 0;
        if (const wchar_t* icon = SystemIconOf(fAlert.fIcon))
        {
            const int size = GetSystemMetrics(SM_CXICON);
            HWND iconControl = AddControl(dialog, L"Static", L"", SS_ICON, -1);
            SendMessageW(iconControl, STM_SETICON, WPARAM(LoadIconW(nullptr, icon)), 0);
            SetWindowPos(iconControl, nullptr, margin, margin, size, size, SWP_NOZORDER);
            left += size + line;
            contentHeight = size;
        }
        const std::wstring message = DisplayedMessage(FieldText(fAlert.fMessage));
        const SIZE text = MeasureText(dialog, message, line * 24, DT_WORDBREAK | DT_EXPANDTABS);
        HWND messageControl = AddControl(dialog, L"Static", message, SS_LEFT | SS_NOPREFIX, kMessageID);
        SetWindowPos(messageControl, nullptr, left, margin, text.cx, text.cy, SWP_NOZORDER);
        contentHeight = std::max<int>(contentHeight, text.cy);

        // Buttons in the order given, left to right, right-aligned; the last one is the default.
        const int buttonHeight = line * 7 / 4;
        std::vector<int> widths;
        int buttonsWidth = 0;
        for (u32 i = 0; i < fButtonCount; ++i)
        {
            const int width = std::max<int>(line * 5, MeasureText(dialog, FieldText(fAlert.fButtons[i]), 1000,
                                                                  DT_SINGLELINE).cx + 2 * line);
            widths.push_back(width);
            buttonsWidth += width + (i ? gap : 0);
        }
        const int clientWidth = std::max<int>(left + text.cx + margin, buttonsWidth + 2 * margin);
        const int buttonTop = margin + contentHeight + margin;
        const int clientHeight = buttonTop + buttonHeight + margin;
        int x = clientWidth - margin - buttonsWidth;
        HWND defaultButton = nullptr;
        for (u32 i = 0; i < fButtonCount; ++i)
        {
            const u32 answer = AnswerOfButton(i, fButtonCount);
            const bool isDefault = answer == kAlertAnswerLastButton;
            HWND button = AddControl(dialog, L"Button", DisplayedButtonTitle(FieldText(fAlert.fButtons[i])),
                                     WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), int(answer));
            SetWindowPos(button, nullptr, x, buttonTop, widths[i], buttonHeight, SWP_NOZORDER);
            x += widths[i] + gap;
            if (isDefault)
                defaultButton = button;
        }
        SendMessageW(dialog, DM_SETDEFID, kAlertAnswerLastButton, 0);
        PlaceDialog(dialog, clientWidth, clientHeight);
        if (defaultButton)
            SetFocus(defaultButton);
        return FALSE; // the focus is set
    }

    // Sizes the window around the client area and centres it on the work area of its owner's
    // screen (the main screen when it has none).
    static void PlaceDialog(HWND dialog, int clientWidth, int clientHeight)
    {
        RECT frame{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                           DWORD(GetWindowLongW(dialog, GWL_EXSTYLE)));
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        HWND owner = GetWindow(dialog, GW_OWNER);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                        &monitor);
        const RECT& area = monitor.rcWork;
        const int left = area.left + std::max<int>(0, (area.right - area.left - width) / 2);
        const int top = area.top + std::max<int>(0, (area.bottom - area.top - height) / 3);
        SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER);
    }

    const TAlertDescriptor& fAlert;
    const u32 fButtonCount;
    CFontHandle fFont;
};
} // namespace

u32 RunAlertDialog(const TAlertDescriptor& alert, u32 buttonCount)
{
    CApplicationModality modality;
    CAlertDialog dialog(alert, buttonCount);
    return dialog.Run(modality.GetOwner());
}
} // namespace NSTrellisLibrary

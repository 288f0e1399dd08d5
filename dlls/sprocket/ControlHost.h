#pragma once
// The native side of every control: a host window of the library's own class, placed in the
// parent view at the control's frame, holding the platform control that fills it (or, for a
// control made of several, the platform controls its owner adds). The host hears the controls'
// notifications, which Windows sends to a control's parent.
#include "base/Types.h"

#include <windows.h>

#include <string>

namespace NSSprocketLibrary
{
class CControlHost
{
public:
    // Registers the host class and the common controls once per process.
    static void RegisterClasses();

    // Without a control class the host starts empty.
    CControlHost(HWND parent, const i32* frame, const wchar_t* controlClass, DWORD controlStyle,
                 const std::string& name);
    virtual ~CControlHost();
    CControlHost(const CControlHost&) = delete;
    CControlHost& operator=(const CControlHost&) = delete;

    HWND GetControl() const { return fControl; }
    // The host window; null once its parent has destroyed it.
    HWND GetHost() const { return fHost; }
    // The size of a text in the controls' font: its lines broken at line breaks and, with a width
    // above 0, wrapped to it. An empty text is one empty line.
    static SIZE MeasureText(const wchar_t* text, u32 width);

    // A platform control in the host, at no size, in the library's font.
    HWND AddControl(const wchar_t* controlClass, DWORD controlStyle);
    // Moves and sizes the host and the control with it; right and bottom below left and top mean
    // an empty frame.
    void SetFrame(const i32* frame);
    void GetFrame(i32* frame) const;
    void SetText(const std::wstring& text);
    std::wstring GetText() const;

protected:
    // A window's frame in its parent's coordinates, and its text.
    static void WindowFrame(HWND window, i32* frame);
    static std::wstring WindowText(HWND window);

    // A WM_COMMAND notification code of one of the host's controls.
    virtual void ControlNotified(HWND control, WORD code) = 0;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND fHost = nullptr;
    HWND fControl = nullptr;
    std::string fName; // the view name, kept as the host's window property
};
} // namespace NSSprocketLibrary

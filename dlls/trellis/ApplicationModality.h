#pragma once
// Application-modal windows: while one is up, the thread's other top-level windows take no input.
#include <windows.h>

#include <vector>

namespace NSTrellisLibrary
{
// Disables the thread's enabled top-level windows for its lifetime and enables them again when
// it goes, failures included. Windows that were disabled already stay disabled.
class CApplicationModality
{
public:
    CApplicationModality();
    ~CApplicationModality();
    CApplicationModality(const CApplicationModality&) = delete;
    CApplicationModality& operator=(const CApplicationModality&) = delete;

    // The window to own the modal one: the thread's active window, or null.
    HWND GetOwner() const { return fOwner; }

private:
    HWND fOwner;
    std::vector<HWND> fDisabled;
};
} // namespace NSTrellisLibrary

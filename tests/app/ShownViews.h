#pragma once
// What a window of another process shows, read from outside as a person's eye would take it: its
// named views where they lie on the screen, the texts they carry and the room those texts need in
// the font the program draws them in.
#include "tests/app/RunningProgram.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace NSAppTests
{
// A region handle, deleted with its owner.
using TRegion = std::shared_ptr<std::remove_pointer_t<HRGN>>;

struct TShownView
{
    HWND fWindow = nullptr;
    std::string fName;
    // Its rectangle on the screen.
    RECT fFrame{};
    // The part of the screen it covers: the rectangle, cut to the window's shape where it has one.
    TRegion fShape;
    // Its window text: the text a text view shows.
    std::wstring fText;
};

// The views of the window that lie in its client area and are visible, with their names.
std::vector<TShownView> ShownViews(const CRunningProgram& program, HWND window);

// Whether the two views cover a common pixel.
bool Overlap(const TShownView& first, const TShownView& second);

// The room a text needs in the message font, in which the program draws its texts: the widest of
// its lines (broken at CR LF, CR or LF) and the lines' height.
SIZE MeasureShownText(const std::wstring& text);
// The face of the message font as the system gives it, to name in a failure.
std::wstring MessageFontFace();
} // namespace NSAppTests

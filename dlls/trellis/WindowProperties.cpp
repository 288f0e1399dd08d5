#include "dlls/trellis/WindowProperties.h"

#include "dlls/trellis/LibraryFence.h"

#include <algorithm>
#include <iterator>

namespace NSTrellisLibrary
{
void ReadTitleAndFrame(HWND window, u16 (&title)[1024], i32 (&frame)[4])
{
    std::fill(std::begin(title), std::end(title), u16(0));
    GetWindowTextW(window, reinterpret_cast<wchar_t*>(title), 1024);
    RECT rect{};
    GetWindowRect(window, &rect);
    frame[0] = rect.left;
    frame[1] = rect.top;
    frame[2] = rect.right;
    frame[3] = rect.bottom;
}

void WriteTitleAndFrame(HWND window, const u16 (&title)[1024], const i32 (&frame)[4])
{
    if (std::find(std::begin(title), std::end(title), u16(0)) == std::end(title) || frame[2] < frame[0] ||
        frame[3] < frame[1])
        ThrowInvalidArgument();
    SetWindowTextW(window, reinterpret_cast<const wchar_t*>(title));
    SetWindowPos(window, nullptr, frame[0], frame[1], frame[2] - frame[0], frame[3] - frame[1],
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace NSTrellisLibrary

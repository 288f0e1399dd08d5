#pragma once
// What another process needs to ask the running program for a pack: the hidden window to send
// to and the message. The request on the handle: a u32 byte count (most significant byte first),
// the source folder's Windows path in the receiver's ANSI code page (GetACP), no terminator; then
// the same for the output folder. The sender writes the whole request before it sends the
// message. The message answers 1 when a pack ran, 0 when none was started, -1 when the request
// could not be read or the handle not closed; the handle is closed in every case.
#include "base/Types.h"

#include <windows.h>

namespace NSVantleApp
{
// The hidden window's class name and title.
constexpr const wchar_t* kPackRequestWindowName = L"VantlePacker Message Window";
constexpr u32 kPackRequestMessage = WM_USER + 133;
// A longer path of a request is refused unread: no path of a folder comes near it.
constexpr u32 kMaxPackRequestPathBytes = 32 * 1024;
} // namespace NSVantleApp

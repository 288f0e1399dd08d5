#pragma once
// Painting without waiting for the message loop, for code that runs long on the GUI thread.

namespace NSTrellisLibrary
{
// Every top-level window of the thread, with its children, paints what waits to be painted.
void PaintThreadWindowsNow();
} // namespace NSTrellisLibrary

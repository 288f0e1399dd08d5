#pragma once
// The About box: the program's About picture at its own size with the version line over its upper
// left corner, closed by a click anywhere in the picture or by Escape.
#include "base/UTF16String.h"

namespace NSVantleApp
{
// Runs the box to its end.
void ShowAboutBox();

// "Version: " and the version of the running program's file, as the box shows it.
NSTextPackage::TUTF16String GetAboutVersionLine();
} // namespace NSVantleApp

#pragma once
// The program's command line: split into arguments the way the install modes expect, and the run
// mode it selects. WinMain reads it once, before the GUI library runs; both stay fixed after.
#include "base/Types.h"

#include <string>
#include <vector>

namespace NSVantleApp
{
enum ERunMode : i32
{
    kRunModeNormal = 0,
    kRunModeInstall = 1,   // "/install": perform the selected duties, then end
    kRunModeUninstall = 2, // "/uninstall": undo every duty that is done, then end
};

// Arguments are separated by blanks only (a tab is an ordinary character). An argument that
// starts with a double quote runs to the next double quote, or to the end when there is none;
// there is no escape character.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Without its first and last character when the text has two or more and both are double quotes.
std::string StripSurroundingQuotes(const std::string& text);

// Replaces the argument list and sets the run mode: "/install" anywhere selects the install
// mode, else "/uninstall" the uninstall mode (both exact, case included), else normal. A failure
// inside leaves both as they were.
void ParseCommandLineMode(const std::string& commandLine);

ERunMode GetRunMode();
// The arguments in order, without the program's own path.
const std::vector<std::string>& GetCommandLineArguments();
} // namespace NSVantleApp

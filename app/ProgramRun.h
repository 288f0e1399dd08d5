#pragma once
// The whole program between its entry point and its exit: the process-wide services brought up
// in order, the GUI library's run of the application object, and the services released in order.
#include "app/CommandLine.h"
#include "base/SystemDescription.h"
#include "base/Types.h"

#include <windows.h>

#include <memory>
#include <string>

namespace NSFerrant
{
class CApplicationTarget;
}

namespace NSVantleApp
{
// Answers the process exit code. What escapes the start-up or the run is reported here (or ends
// the program quietly); nothing is retried.
u32 RunProgram(HINSTANCE instance, const std::string& commandLine);

// The running executable as the program's code module, named "Vantle Packer"; the first one made
// becomes the current module.
std::unique_ptr<NSFerrant::CApplicationTarget> MakeProgramCodeModule(HINSTANCE instance);

// The GUI library's interface, the machine's description gathered through gather and dropped,
// then the widget library's interface, in that order.
void MakeRunLibraries(TSystemGatherer gather = &GatherSystemDescription);

// The exit code of a run in the mode: the install modes answer what their duties set; a normal
// run answers 0 unless a fatal report ended it, so that a caller can tell it failed.
u32 GetProgramExitCode(ERunMode mode, bool fatalReportShown);
} // namespace NSVantleApp

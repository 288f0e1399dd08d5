// The program's entry point.
#include "app/ProgramRun.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int /*show*/)
{
    return int(NSVantleApp::RunProgram(instance, commandLine ? commandLine : ""));
}

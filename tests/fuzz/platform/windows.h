#pragma once
// The native fuzz build has no Windows headers. The portable headers of base include
// <windows.h> only to settle its macros (GetMessage) before their own names; every Win32 call
// they reach is in a platform file of base, which this build replaces with a stand-in from
// tests/fuzz/platform/. A file that needs more of Windows does not belong in this build.

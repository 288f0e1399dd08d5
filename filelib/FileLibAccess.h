#pragma once
// The process's one IFileLib, made on first use. Callers borrow it and never destroy it.
#include "filelib/FileLib.h"

namespace NSFileLibSupport
{
// Returns the library, making it on the first call; never null. Any failure to make it throws
// XOpen "Failed to open File support library" (object type "dll") and leaves no library, so the
// next call tries again.
NSFileLib::IFileLib* GetFileLib();

// The library instance, null until the first GetFileLib. The program's entry point destroys it
// at the end of its run and sets this back to null; this layer has no release of its own.
// Tests put a double here for the time of a test.
extern NSFileLib::IFileLib* gFileLib;

using TFileLibFactory = NSFileLib::IFileLib* (*)(const char* interfaceName, u32* status);
// Test hook: the factory GetFileLib calls (FileLib_Create unless replaced). Returns the previous.
TFileLibFactory SetFileLibFactory(TFileLibFactory factory);
} // namespace NSFileLibSupport

#pragma once
// The running program's own file, which the install duty registers and the relaunch starts.
#include "filelib/FileLibWrappers.h"

namespace NSVantleApp
{
// File library failures are thrown through its status table.
NSFileLibSupport::TFileSpecPtr GetApplicationFileSpec();
// Its full Windows path.
NSTextPackage::TUTF16String GetApplicationPath();
} // namespace NSVantleApp

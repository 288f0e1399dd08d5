#pragma once
// The version as the user reads it (the About box): composed from the program's version texts
// (string table 1997, entries 200 to 208) with digits grouped by the user's locale, for example
// "3.1d2" or "1.0 (build 12,345)".
#include "base/VersionNumbers.h"

// The texts are fetched from the GUI library on every call; its failure passes through.
NSTextPackage::TUTF16String FormatVersionText(const NSFerrant::TVersion& version);

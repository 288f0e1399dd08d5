#pragma once
// The version of a module file (an executable or a DLL), read from its Windows version resource:
// major, minor and fix from the fixed file version, the stage from the fourth version word and
// the build from the string "Build Number".
#include "base/VersionNumbers.h"

namespace NSFerrant
{
// The version of the module file at winPath. A missing file is XNotFound (object type "file");
// a file without a readable version resource is a plain std::exception; a build above 65535 or a
// fourth version word of no known shape is XFormatViolation.
TVersion ReadModuleVersionInfo(const NSTextPackage::TUTF16String& winPath);

// One string of the version resource block, from the first language and code page of its
// translation table that holds the key; empty when none does.
NSTextPackage::TUTF16String QueryVersionString(const void* block, const NSTextPackage::TUTF16String& key);

// Stage and revision from the fourth word of a file version. Two encodings are known: the stage
// in the top three bits (001 d, 010 a, 011 b, 100 f, 101 f with revision 0) with the revision in
// the low 13 bits, or one flag in the high byte (01 d, 02 a, 04 b, 08 f, 10 f with revision 0)
// with the revision in the low byte. False for any other word, leaving final with revision 0.
bool DecodeVersionStageWord(u16 word, u32& stage, u32& revision);
} // namespace NSFerrant

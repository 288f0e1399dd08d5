#pragma once
// Files built beside the running test executable (the version test modules, for one).
#include "base/TextConversions.h"
#include "base/UTF16String.h"

#include <windows.h>

namespace NSTestSupport
{
// The Windows path of fileName in the folder of the running executable.
inline NSTextPackage::TUTF16String ModulePath(const char* fileName)
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    NSTextPackage::TUTF16String path = NSTextPackage::FromWide(self, length);
    path.resize(path.rfind(u'\\') + 1);
    return path + NSTextPackage::ASCIIToUTF16(fileName, 0);
}
} // namespace NSTestSupport

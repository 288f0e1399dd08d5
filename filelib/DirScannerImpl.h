#pragma once
// The backend's listing of one folder, once, forward only. Each entry is read from the platform
// when the scanner moves to it; "." and ".." are skipped, everything else (hidden and system
// entries, shortcuts) is listed in the platform's order. A folder that cannot be listed gives a
// scanner that is done from the start; a listing that breaks off with an error after it began
// throws, so that a partial listing is never taken for the whole folder.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "base/WinHandles.h"
#include "filelib/FileLibRecords.h"

#include <windows.h>

namespace NSFileLibInternals
{
class CDirScannerImpl
{
public:
    // folder ends in "\".
    explicit CDirScannerImpl(const NSTextPackage::TUTF16String& folder);
    CDirScannerImpl(const CDirScannerImpl&) = delete;
    CDirScannerImpl& operator=(const CDirScannerImpl&) = delete;

    bool IsDone() const { return fDone; }
    // The current entry's name (at most 1023 units and a zero into a 1024-unit buffer) and its
    // record, from the find data alone: isAlias is always 0.
    void GetCurrent(u16* name, NSFileLib::SChildInfo& info) const;
    // The end of the folder makes the scanner done; any other error makes it done and throws
    // (the Win32 error's exception, else XRead).
    void Next();

private:
    void SkipDotEntries();
    void MoveToNextEntry();

    WIN32_FIND_DATAW fCurrent = {}; // filled by the search's first call, so made before it
    CWinFindHandle fFind;
    bool fDone = false;
};
} // namespace NSFileLibInternals

#include "filelib/DirScannerImpl.h"

#include "base/TextBuffers.h"
#include "base/Win32Calls.h"
#include "filelib/FileLib.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"

#include <cwchar>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
bool IsDotEntry(const wchar_t* name)
{
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}
} // namespace

CDirScannerImpl::CDirScannerImpl(const NSTextPackage::TUTF16String& folder)
    : fFind(Win32Calls().FindFirstFileW(NSTextPackage::AsWide(folder + u16('*')), &fCurrent))
{
    // A missing or unreadable folder lists as empty.
    fDone = !fFind.IsOpen();
    if (!fDone)
        SkipDotEntries();
}

void CDirScannerImpl::Next()
{
    MoveToNextEntry();
    SkipDotEntries();
}

void CDirScannerImpl::SkipDotEntries()
{
    while (!fDone && IsDotEntry(fCurrent.cFileName))
        MoveToNextEntry();
}

void CDirScannerImpl::MoveToNextEntry()
{
    if (Win32Calls().FindNextFileW(fFind.Get(), &fCurrent))
        return;
    const DWORD error = ::GetLastError();
    fDone = true;
    // Ending quietly on any other error would pass off what was read so far as the whole folder.
    if (error != ERROR_NO_MORE_FILES)
        WinThrowForError<NSQuorral::XRead>(error, "FindNextFile failed with unrecognized error type");
}

void CDirScannerImpl::GetCurrent(u16* name, SChildInfo& info) const
{
    NSTextPackage::CopyWide(name, reinterpret_cast<const u16*>(fCurrent.cFileName), kFileLibNameBufferUnits - 1);
    if (fCurrent.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
    {
        info.kind = kChildKindDirectory;
        info.dirInfo = WinDirInfoFromFindData(fCurrent);
    }
    else
    {
        info.kind = kChildKindFile;
        info.fileInfo = WinFileInfoFromFindData(fCurrent);
    }
}
} // namespace NSFileLibInternals

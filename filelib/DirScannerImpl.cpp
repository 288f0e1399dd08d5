#include "filelib/DirScannerImpl.h"

#include "base/TextBuffers.h"
#include "filelib/FileLib.h"

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

u64 FileTime(const FILETIME& time)
{
    return (u64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}
} // namespace

CDirScannerImpl::CDirScannerImpl(const NSTextPackage::TUTF16String& folder)
{
    fFind = ::FindFirstFileW(NSTextPackage::AsWide(folder + u16('*')), &fCurrent);
    // A missing or unreadable folder lists as empty.
    fDone = fFind == INVALID_HANDLE_VALUE;
    if (!fDone)
        SkipDotEntries();
}

CDirScannerImpl::~CDirScannerImpl()
{
    if (fFind != INVALID_HANDLE_VALUE)
        ::FindClose(fFind);
}

void CDirScannerImpl::Next()
{
    fDone = !::FindNextFileW(fFind, &fCurrent);
    if (!fDone)
        SkipDotEntries();
}

void CDirScannerImpl::SkipDotEntries()
{
    while (!fDone && IsDotEntry(fCurrent.cFileName))
        fDone = !::FindNextFileW(fFind, &fCurrent);
}

void CDirScannerImpl::GetCurrent(u16* name, SChildInfo& info) const
{
    NSTextPackage::CopyWide(name, reinterpret_cast<const u16*>(fCurrent.cFileName), kFileLibNameBufferUnits - 1);
    const u32 isHidden = (fCurrent.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ? 1 : 0;
    const u32 isLocked = (fCurrent.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
    if (fCurrent.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
    {
        info.kind = kChildKindDirectory;
        info.dirInfo = {isHidden, isLocked, 0, FileTime(fCurrent.ftCreationTime), FileTime(fCurrent.ftLastWriteTime)};
    }
    else
    {
        info.kind = kChildKindFile;
        info.fileInfo = {isHidden,
                         isLocked,
                         0,
                         FileTime(fCurrent.ftCreationTime),
                         FileTime(fCurrent.ftLastWriteTime),
                         (u64(fCurrent.nFileSizeHigh) << 32) | fCurrent.nFileSizeLow,
                         0,
                         0};
    }
}
} // namespace NSFileLibInternals

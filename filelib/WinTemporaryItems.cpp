#include "filelib/WinTemporaryItems.h"

#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "base/Types.h"
#include "base/Win32Calls.h"
#include "filelib/WinErrors.h"
#include "filelib/WinPaths.h"

#include <vector>

using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
// GetTempFileName picks a new number while its earlier files still exist, so a few attempts
// get past any name clash that is not deliberate.
constexpr u32 kUniqueFileAttempts = 100;
// Names differ only in the low 16 bits of the number.
constexpr u32 kUniqueDirectoryAttempts = 65536;

const wchar_t kTempPrefix[] = L"TMP";
const TUTF16String::size_type kTempExtensionUnits = 4; // ".tmp"

// The temporary files that lost a name clash: kept while further names are tried, so that the
// platform does not hand out the same number again, and removed when the attempt ends.
class CClashedTempFiles
{
public:
    CClashedTempFiles() = default;
    ~CClashedTempFiles()
    {
        for (const TUTF16String& path : fPaths)
            Win32Calls().DeleteFileW(AsWide(path));
    }
    CClashedTempFiles(const CClashedTempFiles&) = delete;
    CClashedTempFiles& operator=(const CClashedTempFiles&) = delete;

    void Add(const TUTF16String& path) { fPaths.push_back(path); }

private:
    std::vector<TUTF16String> fPaths;
};

bool IsNameClash(DWORD error)
{
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}
} // namespace

TUTF16String WinCreateUniqueFile(const TUTF16String& folderPath, const TUTF16String& extension)
{
    const bool keepsTmp = NSTextPackage::ToLower(extension) == NSTextPackage::ASCIIToUTF16(".tmp", 0);
    CClashedTempFiles clashed;
    for (u32 attempt = 0; attempt < kUniqueFileAttempts; ++attempt)
    {
        wchar_t created[MAX_PATH + 1] = {};
        if (!Win32Calls().GetTempFileNameW(AsWide(folderPath), kTempPrefix, 0, created))
            WinThrowForLastError<NSQuorral::XCreate>("GetTempFileName() failed to create unique file");
        const TUTF16String createdPath = NSTextPackage::FromWide(created);
        TUTF16String folder;
        TUTF16String name;
        WinSplitPath(createdPath, folder, name);
        if (keepsTmp)
            return name;

        const TUTF16String wantedName = name.substr(0, name.size() - kTempExtensionUnits) + extension;
        // No replacing: a file of the wanted name belongs to someone else.
        if (Win32Calls().MoveFileExW(created, AsWide(folder + wantedName), MOVEFILE_WRITE_THROUGH))
            return wantedName;
        const DWORD error = ::GetLastError();
        clashed.Add(createdPath);
        if (!IsNameClash(error))
            break;
    }
    WinThrow<NSQuorral::XCreate>("Failed to create unique file");
}

TUTF16String WinCreateUniqueDirectory(const TUTF16String& parentPath)
{
    // Only the low 16 bits form the name, and 0 there would make GetTempFileName create a file:
    // the numbers run through 1 to 0xFFFF, starting at the tick count.
    u32 number = Win32Calls().GetTickCount() & 0xFFFF;
    if (number == 0)
        number = 1;
    for (u32 attempt = 0; attempt < kUniqueDirectoryAttempts; ++attempt, number = number % 0xFFFF + 1)
    {
        wchar_t path[MAX_PATH + 1] = {};
        if (!Win32Calls().GetTempFileNameW(AsWide(parentPath), kTempPrefix, number, path))
            WinThrowForLastError<NSQuorral::XNotFound>("GetTempFileName failed with unrecognized error type");
        if (Win32Calls().CreateDirectoryW(path, nullptr))
        {
            TUTF16String folder;
            TUTF16String name;
            WinSplitPath(NSTextPackage::FromWide(path), folder, name);
            return name;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    WinThrow<NSQuorral::XCreate>("Failed to create unique directory");
}

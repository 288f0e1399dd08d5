#include "filelib/FolderIdentity.h"

#include "base/TextConversions.h"
#include "base/WinHandles.h"

#include <winternl.h>

namespace
{
CWinFileHandle OpenFolder(const NSTextPackage::TUTF16String& folderPath)
{
    // No access is asked for: the handle only reads the folder's attributes, which any sharing allows.
    return CWinFileHandle(Win32Calls().CreateFileW(NSTextPackage::AsWide(folderPath), 0,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The index and the volume's serial number; none when the folder cannot be asked.
std::optional<std::pair<u32, u64>> ReadVolumeSerialAndIndex(const NSTextPackage::TUTF16String& folderPath)
{
    const CWinFileHandle folder = OpenFolder(folderPath);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!folder.IsOpen() || !Win32Calls().GetFileInformationByHandle(folder.Get(), &information))
        return std::nullopt;
    return std::pair{u32(information.dwVolumeSerialNumber),
                     (u64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}
} // namespace

CFolderIdentity::CFolderIdentity(const NSTextPackage::TUTF16String& folderPath, u64 index)
    : fPath(folderPath), fIndex(index)
{
}

std::optional<CFolderIdentity> CFolderIdentity::Read(const NSTextPackage::TUTF16String& folderPath)
{
    const CWinFileHandle folder = OpenFolder(folderPath);
    if (!folder.IsOpen())
        return std::nullopt;
    // The index GetFileInformationByHandle reports, without the volume query it makes as well.
    IO_STATUS_BLOCK status{};
    FILE_INTERNAL_INFORMATION information{};
    if (!NT_SUCCESS(::NtQueryInformationFile(folder.Get(), &status, &information, sizeof information,
                                             FileInternalInformation)))
        return std::nullopt;
    return CFolderIdentity(folderPath, u64(information.IndexNumber.QuadPart));
}

bool CFolderIdentity::IsSameFolder(const CFolderIdentity& other) const
{
    if (fIndex != other.fIndex)
        return false;
    const auto mine = ReadVolumeSerialAndIndex(fPath);
    const auto theirs = ReadVolumeSerialAndIndex(other.fPath);
    return mine && theirs && *mine == *theirs;
}

#include "filelib/FolderIdentity.h"

#include "base/TextConversions.h"
#include "base/WinHandles.h"

std::optional<SFolderIdentity> ReadFolderIdentity(const NSTextPackage::TUTF16String& folderPath)
{
    // No access is asked for: the handle only reads the folder's attributes, which any sharing allows.
    const CWinFileHandle folder(Win32Calls().CreateFileW(NSTextPackage::AsWide(folderPath), 0,
                                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!folder.IsOpen() || !Win32Calls().GetFileInformationByHandle(folder.Get(), &information))
        return std::nullopt;
    return SFolderIdentity{information.dwVolumeSerialNumber,
                           (u64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

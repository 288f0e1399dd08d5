// Turning an absolute path back into an item: kept apart from the path's stored forms, which know
// nothing of items or volumes.
#include "content/references/AbsolutePath.h"

#include "base/Quorral.h"
#include "content/paths/ItemSearch.h"
#include "content/paths/VolumeFinder.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibAccess.h"

CItemPtr CAbsolutePath::Resolve() const
{
    if (fValid == 0)
        return {};
    try
    {
        CItemPtr start = GetItemDatabase().GetShellRootItem();
        const bool onNamedVolume = !fVolumeName.GetText().empty();
        CItemPtr result;
        if (!onNamedVolume)
        {
            result = ResolveNativeURL();
        }
        else
        {
            // A volume that is not mounted is not looked for elsewhere: its URL would name
            // whatever now sits under the old drive letter.
            CVolumeFinder finder(fVolumeType, fVolumeName);
            if (!finder.Scan())
                return {};
            const NSFileLibSupport::TVolumeSpecPtr volume = finder.GetFoundVolume();
            start = GetItemForFolder(NSFileLibSupport::GetVolumeRootDirectory(volume.get()));
        }
        if (result.IsEmpty())
            result = FindItemByComponents(start, fComponents);
        if (result.IsEmpty())
        {
            if (fMatchWithoutExtension != 0)
                result = FindItemByComponentsIgnoringExtension(start, fComponents);
            else if (onNamedVolume)
                result = ResolveNativeURL();
        }
        return result;
    }
    catch (...)
    {
        // A file-library error, a vanished volume or an unreadable folder: not found.
        return {};
    }
}

CItemPtr CAbsolutePath::ResolveNativeURL() const
{
    if (fNativeURLMode != kNativeURLWin32Directory && fNativeURLMode != kNativeURLWin32File)
        return {};
    try
    {
        u16 fileName[NSFileLib::kFileLibNameBufferUnits] = {};
        u32 status = NSFileLib::kFileLibNotSet;
        const NSFileLibSupport::TDirSpecPtr folder(
            NSFileLibSupport::GetFileLib()->InterpretURL(fNativeURL.c_str(), fileName, &status));
        if (status != NSFileLib::kFileLibOK || !folder)
            return {};
        const NSTextPackage::TUTF16String name(fileName);
        if (fNativeURLMode == kNativeURLWin32Directory)
            return name.empty() ? GetItemForFolder(folder) : CItemPtr();
        if (name.empty() || !NSFileLibSupport::DoesChildFileExist(folder.get(), name))
            return {};
        return GetItemForFile(NSFileLibSupport::GetChildFile(folder.get(), name));
    }
    catch (const NSQuorral::XNotFound&)
    {
        return {};
    }
}

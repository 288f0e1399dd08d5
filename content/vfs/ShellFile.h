#pragma once
// The item of one object of the shell namespace: the desktop, a drive or share, a folder or a
// file on disk, or a virtual folder between them. Made only by the item database.
//
// A folder reads the shell's listing only as far as it needs, keeps what it read, and notices
// changes on disk through a folder change notification that it polls without waiting; a folder
// that cannot be watched is listed again when its 20-second stamp moves. Inside an update batch
// a folder is listed as it stood at its first check and a modification time once read is kept.
#include "content/vfs/ShellFileCalls.h"
#include "content/vfs/ShellFileChildren.h"
#include "content/vfs/VirtualFileItem.h"

namespace NSVirtualFS
{
class CShellFile : public CABCCountedItem
{
public:
    // The parent may be empty; the item's ancestors are then made through the item database.
    CShellFile(const std::shared_ptr<NSFerrant::CShellItem>& shellItem, const TUTF16String& name,
               const CItemPtr& parent);
    ~CShellFile() override;

    bool IsSameItem(const CABCVirtualFileItem* other) const override;
    // The volume is still the one the item was found on, and the object still exists.
    bool IsAvailable() override;
    CItemPtr GetParent() override;
    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    CItemPtr FindChild(const TUTF16String& name) override;
    bool IsFolder() override;
    const TUTF16String& GetDisplayName() override;
    const TUTF16String& GetName() override;
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const TUTF16String& GetTypeName() override;
    // By extension only.
    bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type) override;
    bool IsFile() override;
    u64 GetModificationTime() override;
    u64 GetSize() override;
    bool IsLink() override;
    CItemPtr ResolveLink() override;
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;
    std::shared_ptr<NSFerrant::CMedia> CreateMedia(u32 fileType, u32 creator) override;
    bool IsRegularFile() override;
    NSFileLibSupport::TFileSpecPtr GetFileSpec() override;
    bool IsFileSystemFolder() override;
    NSFileLibSupport::TDirSpecPtr GetDirSpec() override;
    CItemPtr GetVolumeItem() override;
    u32 GetVolumeType() override;
    TUTF16String GetVolumeName() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    // Forgets what was read; the display and type names stay.
    void InvalidateCaches() override;

    std::shared_ptr<NSFerrant::CShellItem> GetShellItem() const { return fShellItem; }
    // Gives up the folder's change notification; the next listing check opens a new one. The
    // database calls it for items it no longer keeps, so that items held elsewhere do not keep
    // handles open.
    void StopWatching();

private:
    u64 GetFolderChangeStamp();
    void CheckForChanges();
    void RestartListing();
    void ReadListingUntil(const TUTF16String& wantedName);
    CItemPtr MakeChildItem(const SShellChildEntry& entry);
    bool IsVolumePresent();
    // The volume the item lies on: its own for a volume root, else its volume item's.
    NSFileLibSupport::TVolumeSpecPtr GetVolumeSpec();
    u32 GetShellKind() const;

    std::shared_ptr<NSFerrant::CShellItem> fShellItem;
    CItemPtr fParent;
    TUTF16String fVolumeName;
    u8 fVolumeNameValid = 0;
    CItemPtr fVolumeItem;
    u32 fVolumeType = 0;
    TUTF16String fDisplayName;
    u8 fDisplayNameValid = 0;
    TUTF16String fName;
    u8 fNameValid = 1;
    TUTF16String fTypeName;
    u8 fTypeNameValid = 0;
    std::unique_ptr<IShellChildListing> fListing;
    std::unique_ptr<CShellFileChildren> fChildren; // folders only
    u64 fChangeStamp = 0;                            // milliseconds; 0: none yet
    u32 fUpdateNesting = 0;
    u64 fModificationTime = 0; // kept inside a batch; 0: none
    u8 fRecheck = 1;           // poll the folder at the next listing
    CFolderChangeNotification fChangeNotification;
};
} // namespace NSVirtualFS

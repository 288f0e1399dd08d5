#pragma once
// One object of the Windows shell namespace, named by its absolute item id list: the desktop,
// the root of a drive or share, a folder, a file, or an object outside the file system such as
// the Control Panel. An item is a snapshot: its kind and shortcut flag are fixed when it is made;
// its path, type name and file-library specifications are worked out on first use and kept.
//
// Items live on the one thread that initialised COM. Failures are exceptions of the error
// framework with an empty message and the object type "shell_item", unless a comment says
// otherwise.
#include "base/ComRef.h"
#include "base/Types.h"
#include "base/UTF16String.h"
#include "base/WinHandles.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/WinFolderEntries.h"
#include "base/Media.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <vector>

namespace NSFerrant
{
enum EShellItemKind : u32
{
    kShellItemDesktop = 111,       // the empty id list
    kShellItemVolumeRoot = 112,    // X:\ or \\server\share
    kShellItemFolder = 113,        // a file-system folder
    kShellItemFile = 114,          // a file-system item that is no directory
    kShellItemVirtualFolder = 115, // a folder outside the file system
    kShellItemVirtualItem = 116,   // any other object outside the file system
};

// The attribute bits an item is classified by.
constexpr u32 kShellItemAttributeMask =
    SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_LINK | SFGAO_CANDELETE | SFGAO_CANMOVE;

// What a listing of a folder in long form knows for all its children: the folder's path with a
// final "\" and, on a drive, its entries as the file system listed them and the names of its
// files among them (ascending), read once when the listing starts. A child named by one of the
// file names is a file already in long form, so making its file specification asks nothing of
// the disk; the entries spare a walk that compares the shell's listing with the disk a listing
// of its own. On a share, or when the folder could not be listed, there are no entries.
struct SLongFolder
{
    NSTextPackage::TUTF16String fPath;
    std::optional<std::vector<SWinFolderEntry>> fEntries;
    std::vector<NSTextPackage::TUTF16String> fFileNames;
};

class CShellItem
{
public:
    // The desktop root.
    CShellItem();
    CShellItem(const CShellItem& other);
    CShellItem& operator=(const CShellItem& other);
    virtual ~CShellItem() = default;

    // Kind 114 whatever the shell says. A path the shell cannot parse is XNotFound; one outside
    // the file system std::domain_error.
    explicit CShellItem(const NSFileLibSupport::TFileSpecPtr& file);
    // Classified by the shell's attributes; failures as for a file.
    explicit CShellItem(const NSFileLibSupport::TDirSpecPtr& folder);
    // The caller keeps its list; the empty list is the desktop root.
    explicit CShellItem(LPCITEMIDLIST absoluteList);
    // The child id of the folder's absolute list. The folder's shell object, bound by the caller
    // (a listing binds it once for all its children), is kept rather than bound again: under
    // Wine every bind reads a desktop.ini in each folder from the root down. longFolder is what
    // the listing knows when it found the folder in long form, else null.
    CShellItem(LPCITEMIDLIST folderList, LPCITEMIDLIST childID, IShellFolder* folder,
               const std::shared_ptr<const SLongFolder>& longFolder = {});

    u32 GetKind() const { return fKind; } // EShellItemKind
    bool IsShortcut() const { return fIsShortcut != 0; }
    LPCITEMIDLIST GetIDList() const { return fIDList.Get(); }
    // What the listing that made the item knew of its folder; null for an item no listing of a
    // folder in long form made.
    std::shared_ptr<const SLongFolder> GetListedFolder() const { return fLongFolder; }

    // The shell's comparison decides; without it, the same bytes. Kinds and shortcut flags must
    // agree.
    bool operator==(const CShellItem& other) const;

    // The file-system path; XNotFound when there is none or it holds a name no file may carry.
    void GetPath(NSTextPackage::TUTF16String& path);
    // The path GetPath found, when it was asked and found one; empty otherwise.
    const NSTextPackage::TUTF16String& GetPathIfKnown() const { return fPath; }
    // The file library's name for a file (extension included), the shell's otherwise.
    void GetDisplayName(NSTextPackage::TUTF16String& name);
    void GetShellDisplayName(NSTextPackage::TUTF16String& name);
    // The item of the folder that holds this one; the desktop root is its own parent.
    void GetParent(CShellItem& parent) const;

    // Specifications shared with the item, made on first use; a kind they do not fit is
    // std::domain_error. Files: kind 114. Folders: kinds 111 to 113. Volumes: kind 112.
    NSFileLibSupport::TFileSpecPtr GetFileSpec();
    NSFileLibSupport::TDirSpecPtr GetDirSpec();
    NSFileLibSupport::TVolumeSpecPtr GetVolumeSpec();

    // The kind of an item of these attribute bits; used by the constructors.
    u32 DetermineKind(u32 attributes);

    // Kind 114 and the path's extension (with its ".") is one of the ";"-separated entries,
    // ignoring case. Never raises.
    bool HasExtensionIn(const u16* extensionList);
    // Whether the object still exists; asks anew on every call. Never raises.
    bool IsValid();
    // The size of a file; all ones for any other kind or when it cannot be had. Never raises.
    u64 GetFileSize();
    // The file of a kind 114 item, created or emptied and open for reading and writing; an empty
    // pointer for any other kind. The file library's failures pass through.
    std::shared_ptr<CMedia> CreateFileMedia(u32 creator, u32 fileType);
    // The item a shortcut leads to. XNotFound when the shortcut has no path; XResolve for every
    // later failure.
    void ResolveShortcut(CShellItem& target);

    // The type text, worked out once; never raises (an empty text when nothing is known).
    const NSTextPackage::TUTF16String& GetTypeName();

private:
    void AcquireShellObjects();
    u32 InitFromIDList(LPCITEMIDLIST list);
    u32 InitFromPath(const NSTextPackage::TUTF16String& path);
    void BindParentFolder();
    u32 GetAttributesOfLastID(u32 mask);
    void Swap(CShellItem& other) noexcept;
    // SHGetPathFromIDListW's answer; files and folders of a listing ask their parent folder.
    bool ReadShellPath(wchar_t (&buffer)[MAX_PATH + 1]) const;
    // GetPath with a final "\", as the file library takes folder and volume paths.
    NSTextPackage::TUTF16String GetFolderPath();
    // The path is a name right inside the listed folder's long path.
    bool IsNamedInLongFolder(const NSTextPackage::TUTF16String& path) const;
    // ... and that name is one of the files the folder's listing found.
    bool IsListedLongName(const NSTextPackage::TUTF16String& path) const;

    // Declared in the order they are acquired, so that they are released in reverse: the list
    // and the folders before the allocator that frees the list.
    CComRef<IMalloc> fMalloc;
    CComRef<IShellFolder> fDesktopFolder;
    CShellIDList fIDList;
    u32 fKind = kShellItemDesktop;
    u8 fIsShortcut = 0;
    u8 fIsListed = 0; // made by a listing, which bound the parent folder
    std::shared_ptr<const SLongFolder> fLongFolder; // see the listing's constructor
    CComRef<IShellFolder> fParentFolder; // the desktop folder for an item right below it
    NSTextPackage::TUTF16String fPath;
    NSTextPackage::TUTF16String fTypeName;
    u8 fTypeNameValid = 0;
    NSFileLibSupport::TFileSpecPtr fFileSpec;
    NSFileLibSupport::TDirSpecPtr fDirSpec;
    NSFileLibSupport::TVolumeSpecPtr fVolumeSpec;
};

// The shell's file information about an absolute id list (SHGFI_PIDL is added to the flags); a
// failed call is a plain std::exception.
SHFILEINFOW GetShellFileInfo(LPCITEMIDLIST list, UINT flags);

// The path test of GetPath: a drive path ("C:\...") or a share path ("\\server\..."), each
// component of which MakeValidPathComponent leaves as it is.
bool IsPathOfValidNames(const NSTextPackage::TUTF16String& path);
// The first 256 units of the name with every character no name may hold replaced by "_".
NSTextPackage::TUTF16String MakeValidPathComponent(const NSTextPackage::TUTF16String& name);
} // namespace NSFerrant

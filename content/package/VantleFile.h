#pragma once
// A package file on disk shown as a folder of its entries, under the package's own NAME, with its
// COPYRIGHT as secondary text. It holds its reader weakly: outside update batches every call that
// needs the package opens it anew, inside one a single reader (with its open file) serves all.
// A file that is no readable package is still an item: an empty folder under its file name.
#include "content/package/VantleData.h"
#include "content/package/VantleEntries.h"
#include "content/package/VantleInfo.h"
#include "content/vfs/ItemClassFactory.h"
#include "content/vfs/ShellFile.h"

class CVantleReader;

namespace NSVirtualFS
{
class CVantleFile final : public CShellFile
{
public:
    enum EState : u32
    {
        kStateNotOpened = 0,
        kStateOpen = 1,
        kStateFailed = 2,
    };

    // Makes the item and tries once to open the package; a failure leaves the item failed.
    static CItemPtr Create(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                           u32 kind);
    ~CVantleFile() override;

    bool IsAvailable() override;
    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    // Among the package's entries; the file's shell listing has none.
    CItemPtr FindChild(const TUTF16String& name) override;
    bool IsFolder() override { return true; }
    bool IsBrowsableFile() override { return true; }
    bool IsVantleFile() override { return true; }
    bool IsFileSystemFolder() override { return false; }
    const TUTF16String& GetDisplayName() override;
    TUTF16String GetSecondaryText() override;
    // The whole package at position 0.
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;
    bool IsRegularFile() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void InvalidateCaches() override;

    EState GetState() const { return fState; }
    const CVantleInfo& GetInfo() const { return fInfo; }
    // The live reader, or a new one (kept for the batch when one is open).
    std::shared_ptr<CVantleReader> GetReader();
    // The package the entry tree's files read from; empty before the index is parsed.
    const TVantleDataPtr& GetEntryData() const { return fEntryData; }

private:
    CVantleFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent, u32 kind);
    void EnsureOpened();
    void ParseIndex();
    void ThrowUnlessOpen();

    u32 fKind;
    CVantleInfo fInfo;
    EState fState = kStateNotOpened;
    bool fIndexParsed = false;
    std::weak_ptr<CVantleReader> fReader;
    std::shared_ptr<CVantleReader> fKeptReader;
    i32 fUpdateNesting = 0;
    // Found by name: a package of thousands of top-level entries is searched once per entry when
    // it is checked.
    TVantleEntries fRootEntries;
    std::vector<TVantleEntryPtr> fHiddenEntries;
    // Held while the tree holds a file, one for all of them: the package stays open while any
    // file entry could read it.
    TVantleDataPtr fEntryData;
};
} // namespace NSVirtualFS

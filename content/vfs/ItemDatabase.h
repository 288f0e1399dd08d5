#pragma once
// The one maker of items. Given an object of the shell namespace it answers its item: one
// registered earlier, a mounted package, or a new item of the class the file calls for. It keeps
// the mounted packages (shown under the root folder "Vantles") and groups work into batches:
// while a batch is open every item it makes is registered and found again, so a walk of a folder
// tree makes and lists each folder once. Registered items stay until RebuildCache or Unregister.
//
// One database per process, made at start-up and destroyed at the end; one thread only. While it
// exists it gives the path descriptions the names of its root folder and of the desktop item.
#include "base/HashedString.h"
#include "content/vfs/ItemRegistry.h"
#include "content/vfs/VirtualFileItem.h"

#include <memory>
#include <vector>

class CItemDatabase
{
public:
    using TShellItemPtr = CItemCache::TShellItemPtr;

    // Asks the file library for the desktop folder; its failures pass on.
    CItemDatabase();
    ~CItemDatabase();
    CItemDatabase(const CItemDatabase&) = delete;
    CItemDatabase& operator=(const CItemDatabase&) = delete;

    // The item of a shell object, named name (callers pass its GetDisplayName). Without a parent
    // the ancestors are found or made up to the desktop; a parent that cannot be had is
    // XNotFound. An object that no longer exists answers empty.
    CItemPtr GetItem(const TShellItemPtr& shellItem, const NSTextPackage::TUTF16String& name,
                     const CItemPtr& parent);
    // A new item of the class the file calls for; registered inside a batch.
    CItemPtr MakeItem(const TShellItemPtr& shellItem, const CItemPtr& parent,
                      const NSTextPackage::TUTF16String& name);

    // Mounts the factory bank of the host folder, found there directly or through a shortcut.
    // A missing bank is XNotFound and a bank that cannot be opened XFormatViolation; either way
    // the database stays as it was.
    void SetHostFolder(const NSFileLibSupport::TDirSpecPtr& hostFolder);
    // Mounts one package; XFormatViolation when it cannot be opened.
    CItemPtr MountVantle(const TShellItemPtr& package, const TShellItemPtr& folder);
    // Forgets the first mounted package of that display name, letter case ignored.
    void UnmountVantle(const THashedString& name);
    void AddMountedVantle(const CItemPtr& package);
    const std::vector<CItemPtr>& GetMountedVantles() const { return fMountedVantles; }
    CItemPtr GetFactoryBank() const { return fFactoryBank; }

    // Forgets every registered item but the mounted packages. Never throws.
    void RebuildCache();

    // Batches nest; only the outermost begin and end act. Open them through CItemDatabaseBatch.
    void BeginBatch();
    void EndBatch();

    CItemPtr GetDesktopItem();
    CItemPtr GetShellRootItem();
    CItemPtr GetDatabaseRoot() const { return fRoot; }

    CItemRegistry& GetRegistry() { return *fRegistry; }

private:
    class CRootNames;

    std::unique_ptr<CItemRegistry> fRegistry;
    CItemPtr fRoot;
    std::vector<CItemPtr> fMountedVantles;
    u32 fBatchNesting = 0;
    CItemPtr fFactoryBank;
    NSFileLibSupport::TDirSpecPtr fDesktopDir;
    NSTextPackage::TUTF16String fDesktopName;
    TShellItemPtr fDesktopShellItem;  // every item of the desktop is made over it
    TShellItemPtr fDesktopShellItem2; // the one GetDesktopItem asks with
    std::unique_ptr<CRootNames> fRootNames;
};

// Keeps a batch of the process's database open for its lifetime.
class CItemDatabaseBatch
{
public:
    CItemDatabaseBatch();
    ~CItemDatabaseBatch();
    CItemDatabaseBatch(const CItemDatabaseBatch&) = delete;
    CItemDatabaseBatch& operator=(const CItemDatabaseBatch&) = delete;
};

// The process's database: null before start-up made it and after shutdown destroyed it. Tests
// put their own here for the time of a test.
extern CItemDatabase* gItemDatabase;
// The process's database; XIllegalCallSequence when there is none.
CItemDatabase& GetItemDatabase();

// Items of files and folders of the file library, through the process's database.
CItemPtr GetItemForFile(const NSFileLibSupport::TFileSpecPtr& file);
// A folder that does not exist is XNotFound.
CItemPtr GetItemForFolder(const NSFileLibSupport::TDirSpecPtr& folder);

// The file name of the host's factory bank.
extern const char16_t kFactoryBankFileName[];

#pragma once
// Builds a package's entry tree while the reader walks its index: every listed row becomes an
// entry under the folders its ":"-separated path names (made as needed, empty names included);
// a hidden row becomes an entry that no folder lists, or nothing when its name has a path. A row
// whose path goes deeper than kDeepestEntryPath folders is XFormatViolation.
#include "content/package/VantleEntries.h"
#include "content/package/VantleReader.h"

class CIndexParser final : public IVantleEntryVisitor
{
public:
    explicit CIndexParser(NSVirtualFS::CVantleFile* owner);

    // Always goes on: the whole index is read.
    bool Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row) override;
    void AddEntry(const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name);

    // The package item takes both lists when the walk is over.
    TVantleEntries& GetRootEntries() { return fRootEntries; }
    std::vector<TVantleEntryPtr>& GetHiddenEntries() { return fHiddenEntries; }

    static TVantleEntryPtr CreateEntry(NSVirtualFS::CVantleFile* package, NSVirtualFS::CABCVirtualFileItem* parent,
                                       const CVantleEntryLocation& location, const NSTextPackage::TUTF16String& name);

private:
    std::shared_ptr<CVantleDirEntry> FindOrCreateFolder(const NSTextPackage::TUTF16String& path);

    NSVirtualFS::CVantleFile* fOwner;
    TVantleEntries fRootEntries;
    std::vector<TVantleEntryPtr> fHiddenEntries;
    // Rows of one folder usually follow each other: the last folder is found without a search.
    NSTextPackage::TUTF16String fLastFolderPath;
    std::shared_ptr<CVantleDirEntry> fLastFolder;
};

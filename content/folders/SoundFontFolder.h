#pragma once
// A SoundFont 2 bank shown as a folder: "Presets" holds one item per preset, sorted by bank and
// preset number; "Samples" holds one item per sample header and, after them, one per linked
// left/right pair. The tree is built once, on the first listing, from the bank as the lenient
// reader reads it; each preset or sample item opens as a generated document.
#include "content/vfs/ItemClassFactory.h"
#include "content/vfs/ShellFile.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
struct TSoundFontPresetHeader;
}

namespace NSVirtualFS
{
class CSoundFontItemContainer;

// The tree of one bank. Its owner is an item whose OpenMedia gives the bank's bytes; the owner
// holds the builder, and every item of the tree counts on the owner.
class CSoundFontFSParserHelper
{
public:
    explicit CSoundFontFSParserHelper(CABCVirtualFileItem* owner);
    ~CSoundFontFSParserHelper();
    CSoundFontFSParserHelper(const CSoundFontFSParserHelper&) = delete;
    CSoundFontFSParserHelper& operator=(const CSoundFontFSParserHelper&) = delete;

    // The bank's "ICOP" text; empty until the tree is built.
    TUTF16String GetName() const { return fName; }
    // The folders, building the tree on the first call only: a bank that fails to build is an
    // empty folder from then on.
    void GetChildren(std::vector<CItemPtr>& children);
    // The mono item of sample header index (0-based). An index the tree has no item for (the bank
    // read again has more headers than when the tree was built) is XFormatViolation.
    CItemPtr GetSampleItem(u32 index);

    CABCVirtualFileItem* GetOwner() const { return fOwner; }
    // The owner's bytes; XFormatViolation when it has none.
    std::shared_ptr<NSFerrant::CMedia> OpenBank() const;

private:
    void BuildTree(NSFerrant::CMedia& bank);

    bool fBuilt = false;
    u32 fSampleItemCount = 0; // the mono items, one per sample header of the bank the tree was built from
    CABCVirtualFileItem* fOwner;
    std::vector<std::shared_ptr<CSoundFontItemContainer>> fContainers;
    TUTF16String fName;
};

// A bank file on disk.
class CSoundFontShellFile final : public CShellFile
{
public:
    static CItemPtr Create(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent);
    ~CSoundFontShellFile() override;

    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    bool IsFolder() override { return true; }
    bool IsBrowsableFile() override { return true; }
    TUTF16String GetSecondaryText() override;

private:
    CSoundFontShellFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent);

    std::shared_ptr<CSoundFontFSParserHelper> fBuilder;
};

// The order of the "Presets" folder: bank number, then preset number.
bool ComparePresets(const NSFerrant::TSoundFontPresetHeader& a, const NSFerrant::TSoundFontPresetHeader& b);
} // namespace NSVirtualFS

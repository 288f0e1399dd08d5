#pragma once
// A sliced loop file shown as a folder with one item per slice. A slice has no bytes of its own in
// the loop file: the first time any slice's content is asked for, the whole loop is rendered slice
// by slice into one temporary file, and each slice's content is then its block of that file.
//
// Rendered slice block (integers big-endian, F frames): version 2.0.0 in its short form, u32 slice
// index, u32 tempo field of the loop's information, u32 sample rate, u32 channel count, u32 F,
// then F little-endian floats of the first channel and, for two channels, F of the second.
#include "content/vfs/ItemClassFactory.h"
#include "content/vfs/ShellFile.h"
#include "media/codec/KIVLibrary.h"

#include <memory>
#include <vector>

namespace NSFileLibSupport
{
class COpenTemporaryFile;
}

namespace NSVirtualFS
{
class CKIVItemSlice;

// The slices of one loop. Its owner is an item whose OpenMedia gives the loop file's bytes; the
// owner holds the builder. The builder holds one use of the loop library for its whole life.
class CKivFSParserHelper
{
public:
    static std::shared_ptr<CKivFSParserHelper> Create(CABCVirtualFileItem* owner);
    ~CKivFSParserHelper();
    CKivFSParserHelper(const CKivFSParserHelper&) = delete;
    CKivFSParserHelper& operator=(const CKivFSParserHelper&) = delete;

    // Nothing names a loop, so a loop item's secondary text is empty.
    TUTF16String GetName() const { return fName; }
    // The slice items, listed on the first call only; a failed listing is not tried again.
    void GetChildren(std::vector<CItemPtr>& children);
    // The slice's block, rendering the loop first when it is not yet rendered. The media holds the
    // rendered file, so it stays valid after every item is gone. A failed rendering leaves nothing
    // rendered, and the next call renders again.
    std::shared_ptr<NSFerrant::CMedia> OpenSliceMedia(u32 sliceIndex);

    CABCVirtualFileItem* GetOwner() const { return fOwner; }

private:
    explicit CKivFSParserHelper(CABCVirtualFileItem* owner);
    std::shared_ptr<NSFerrant::CMedia> OpenLoopFile();
    void ListSlices(NSFerrant::CMedia& loopFile);
    void RenderSlices();

    CKIVLibraryUse fLibraryUse;
    bool fListed = false;
    CABCVirtualFileItem* fOwner;
    std::vector<std::shared_ptr<CKIVItemSlice>> fSlices;
    TUTF16String fName;
    std::shared_ptr<NSFileLibSupport::COpenTemporaryFile> fSliceFile;
    std::vector<u64> fSliceOffsets;
};

// A loop file on disk.
class CKIVShellFile final : public CShellFile
{
public:
    CKIVShellFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent);
    ~CKIVShellFile() override;

    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    bool IsFolder() override { return true; }
    bool IsBrowsableFile() override { return true; }
    TUTF16String GetSecondaryText() override;

private:
    std::shared_ptr<CKivFSParserHelper> fBuilder;
};

// What a rendered slice block carries besides its frames.
struct TRenderedSliceHeader
{
    i32 fSliceIndex;
    i32 fTempo; // the ninth field of the loop's information, carried unchanged
    i32 fSampleRate;
    u8 fChannelCount;
    i32 fFrameCount;
};

// Appends one block at the media's position; second is read only for more than one channel.
void WriteRenderedSlice(const TRenderedSliceHeader& header, const float* first, const float* second,
                        NSFerrant::CMedia& media);
} // namespace NSVirtualFS

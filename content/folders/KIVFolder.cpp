#include "content/folders/KIVFolder.h"

#include "base/NumberText.h"
#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "content/folders/GeneratedItemFiles.h"
#include "content/package/PackageFailures.h"
#include "content/vfs/ItemTypeTexts.h"
#include "content/vfs/OwnedItem.h"
#include "filelib/FileMedia.h"
#include "gui/IconResourceIDs.h"
#include "gui/TrellisUtils.h"
#include "media/IFFChunk.h"
#include "base/Media.h"

namespace NSVirtualFS
{
namespace
{
constexpr u16 kSliceIcon = 53;
const NSFerrant::TVersion kRenderedSliceVersion{2, 0, 0};

const NSFileLibSupport::SFileTypeDescriptor& GetLoopSliceFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type =
        NSFileLibSupport::MakeFileTypeDescriptor(".kivs", NSFerrant::MakeFourCC("KIVs"));
    return type;
}

// A window onto one slice's block that keeps the rendered file it reads from.
class CSliceWindow final : public NSFerrant::CPartialMedia
{
public:
    CSliceWindow(const std::shared_ptr<NSFileLibSupport::COpenTemporaryFile>& file, i64 offset, i64 length)
        : NSFerrant::CPartialMedia(static_cast<const NSFerrant::CMedia&>(*file), offset, length), fFile(file)
    {
        fPosition = 0;
    }

private:
    std::shared_ptr<NSFileLibSupport::COpenTemporaryFile> fFile;
};
} // namespace

// One slice of a loop; it counts on the loop's item.
class CKIVItemSlice final : public CABCOwnedItem
{
public:
    CKIVItemSlice(CKivFSParserHelper* builder, u32 sliceIndex)
        : CABCOwnedItem(builder->GetOwner()), fBuilder(builder), fSliceIndex(sliceIndex)
    {
    }

    bool IsSameItem(const CABCVirtualFileItem* other) const override
    {
        if (other == this)
            return true;
        const auto* slice = dynamic_cast<const CKIVItemSlice*>(other);
        return slice && slice->fSliceIndex == fSliceIndex &&
               fBuilder->GetOwner()->IsSameItem(slice->fBuilder->GetOwner());
    }
    bool IsAvailable() override { return Owner()->IsAvailable(); }
    bool IsFile() override { return Owner()->IsFile(); }
    u64 GetModificationTime() override { return Owner()->GetModificationTime(); }
    CItemPtr GetParent() override { return CItemPtr(Owner()); }
    const TUTF16String& GetDisplayName() override { return GetName(); }
    const TUTF16String& GetName() override
    {
        if (fName.empty())
            fName = Owner()->GetName() + NSTextPackage::ASCIIToUTF16(" [", 0) + NSTextPackage::FormatInteger(fSliceIndex) +
                    NSTextPackage::ASCIIToUTF16("]", 0);
        return fName;
    }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8) override
    {
        return NSTrellisUtils::CreateIconFromResource(NSFerrant::MakeIconResourceID(kSliceIcon));
    }
    const TUTF16String& GetTypeName() override { return GetItemTypeText(kItemTypeLoopSlice); }
    bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type) override
    {
        return NSFileLibSupport::DoFileTypesMatch(GetLoopSliceFileType(), type);
    }
    // Renders the loop when it is not yet rendered.
    u64 GetSize() override { return u64(OpenMedia()->GetSize()); }
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override { return fBuilder->OpenSliceMedia(fSliceIndex); }

private:
    CABCVirtualFileItem* Owner() const { return fBuilder->GetOwner(); }

    CKivFSParserHelper* fBuilder;
    u32 fSliceIndex;
    TUTF16String fName;
};

std::shared_ptr<CKivFSParserHelper> CKivFSParserHelper::Create(CABCVirtualFileItem* owner)
{
    return std::shared_ptr<CKivFSParserHelper>(new CKivFSParserHelper(owner));
}

CKivFSParserHelper::CKivFSParserHelper(CABCVirtualFileItem* owner) : fOwner(owner) {}

CKivFSParserHelper::~CKivFSParserHelper() = default;

void CKivFSParserHelper::GetChildren(std::vector<CItemPtr>& children)
{
    children.clear();
    if (!fListed)
    {
        fListed = true;
        ListSlices(*OpenLoopFile());
    }
    for (const std::shared_ptr<CKIVItemSlice>& slice : fSlices)
        children.push_back(CItemPtr(slice.get()));
}

std::shared_ptr<NSFerrant::CMedia> CKivFSParserHelper::OpenLoopFile()
{
    std::shared_ptr<NSFerrant::CMedia> media = fOwner->OpenMedia();
    if (!media || media->GetSize() < 1)
        ThrowPackageFormatViolation();
    return media;
}

void CKivFSParserHelper::ListSlices(NSFerrant::CMedia& loopFile)
{
    const TKIVInfo info = GetKIVInfoFromMedia(loopFile);
    for (i32 index = 0; index < info.fSliceCount; ++index)
        fSlices.push_back(std::make_shared<CKIVItemSlice>(this, u32(index)));
}

std::shared_ptr<NSFerrant::CMedia> CKivFSParserHelper::OpenSliceMedia(u32 sliceIndex)
{
    if (!fSliceFile)
        RenderSlices();
    if (sliceIndex >= fSliceOffsets.size())
        ThrowPackageFormatViolation();
    const u64 start = fSliceOffsets[sliceIndex];
    const u64 end = sliceIndex + 1 < fSliceOffsets.size() ? fSliceOffsets[sliceIndex + 1] : u64(fSliceFile->GetSize());
    return std::make_shared<CSliceWindow>(fSliceFile, i64(start), i64(end - start));
}

void CKivFSParserHelper::RenderSlices()
{
    fSliceFile.reset();
    fSliceOffsets.clear();
    auto sliceFile = std::make_shared<NSFileLibSupport::COpenTemporaryFile>(GetTemporaryFileType());
    std::vector<u64> offsets;
    RenderKIVSlices(*OpenLoopFile(), [&](const TKIVInfo& info, i32 sliceIndex, u32 frameCount, const float* first,
                                         const float* second) {
        offsets.push_back(u64(sliceFile->fPosition));
        WriteRenderedSlice({sliceIndex, i32(info.fTempo), i32(info.fSampleRate), u8(info.fChannelCount),
                            i32(frameCount)},
                           first, second, *sliceFile);
    });
    // Only a complete rendering is kept; a failed one takes its file with it.
    fSliceFile = std::move(sliceFile);
    fSliceOffsets = std::move(offsets);
}

void WriteRenderedSlice(const TRenderedSliceHeader& header, const float* first, const float* second,
                        NSFerrant::CMedia& media)
{
    NSFerrant::WriteVersion(kRenderedSliceVersion, media);
    NSFerrant::WriteU32BE(media, u32(header.fSliceIndex));
    NSFerrant::WriteU32BE(media, u32(header.fTempo));
    NSFerrant::WriteU32BE(media, u32(header.fSampleRate));
    NSFerrant::WriteU32BE(media, header.fChannelCount);
    NSFerrant::WriteU32BE(media, u32(header.fFrameCount));
    // 64-bit byte counts: a long slice's frames overflow 32 bits.
    const i64 channelBytes = i64(u32(header.fFrameCount)) * i64(sizeof(float));
    NSFerrant::WriteBytes(media, channelBytes, first);
    if (header.fChannelCount > 1)
        NSFerrant::WriteBytes(media, channelBytes, second);
}

CKIVShellFile::CKIVShellFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent)
    : CShellFile(shellItem, name, parent), fBuilder(CKivFSParserHelper::Create(this))
{
}

CKIVShellFile::~CKIVShellFile()
{
    fBuilder.reset();
}

void CKIVShellFile::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    fBuilder->GetChildren(children);
}

TUTF16String CKIVShellFile::GetSecondaryText()
{
    return fBuilder->GetName();
}
} // namespace NSVirtualFS

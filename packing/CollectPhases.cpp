#include "packing/CollectPhases.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "base/VersionNumbers.h"
#include "gui/ScanLineWriters.h"
#include "gui/VRAMBitmap.h"
#include "base/Media.h"
#include "filelib/FileLibWrappers.h"
#include "media/codec/ImageCodecLibraries.h"
#include "packing/FilesMissedByWalk.h"
#include "packing/InfoText.h"
#include "packing/InformationFiles.h"
#include "packing/PackFailures.h"
#include "packing/PackageFileNames.h"
#include "packing/ProcessorRegistry.h"
#include "packing/SkipItems.h"
#include "packing/SourcePaths.h"

namespace NSVantlePacking
{
namespace
{
constexpr u32 kSplashSide = 64;

[[noreturn]] void ThrowTagged(const std::exception& exception, const NSQuorral::TFixedName& objectType)
{
    NSQuorral::ThrowException(
        (NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << exception).SetTargetObjectType(objectType));
}

// What the information files give, gathered before the job takes it.
struct TPackageSettings
{
    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fComments;
    NSTextPackage::TUTF16String fURL;
    NSTextPackage::TUTF16String fCopyright;
    NSFerrant::TVersion fVersion{1, 0, 0};
    SPackSettings fSettings;
    std::shared_ptr<NSFerrant::CVRAMBitmap> fSplash;
};

void ReadInfoText(const CSourceNode& node, TPackageSettings& settings)
{
    const std::shared_ptr<NSFerrant::CMedia> media = node.fResolvedItem->OpenMedia();
    if (!media)
        NSQuorral::Throw<NSQuorral::XOpen>();
    settings.fSettings = SPackSettings();
    const CVantleInfo info = ParseInfoText(*media, settings.fSettings);
    for (auto [read, field] :
         {std::pair{&info.fName, &settings.fName}, std::pair{&info.fComments, &settings.fComments},
          std::pair{&info.fURL, &settings.fURL}, std::pair{&info.fCopyright, &settings.fCopyright}})
        if (!read->empty())
            *field = *read;
    settings.fVersion = info.fPackageVersion;
}

// Refuses an image of any size but the splash's when the decoder announces it, before a row is
// decoded.
class CSplashScanLineWriter final : public NSFerrant::C32ScanLineWriter
{
public:
    std::unique_ptr<NSFerrant::CVRAMBitmap> CreateTarget(u32 width, u32 height) override
    {
        if (width != kSplashSide || height != kSplashSide)
        {
            fWrongSize = true;
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        }
        return C32ScanLineWriter::CreateTarget(width, height);
    }

    bool fWrongSize = false;
};

// Null for an image of the wrong size.
std::shared_ptr<NSFerrant::CVRAMBitmap> DecodeSplash(const CSourceNode& node)
{
    const std::shared_ptr<NSFerrant::CMedia> media = node.fResolvedItem->OpenMedia();
    if (!media)
        NSQuorral::Throw<NSQuorral::XOpen>();
    CSplashScanLineWriter writer;
    try
    {
        NSFerrant::GetGlisk().Decode(*media, writer);
    }
    catch (const std::exception&)
    {
        if (writer.fWrongSize)
            return nullptr;
        throw;
    }
    return writer.TakeBitmap();
}

void ThrowSplashSizeError(const CSourceNode& node, u32 packedType)
{
    NSQuorral::CThrowContext context(NSQuorral::TThrowSite{});
    context << NSQuorral::XFormatViolation("Splash file size error");
    context.SetTargetObjectType(GetVantleSplashObjectType());
    context.SetProperty(NSQuorral::MakeIntegerProperty(GetVantleFileEntryTypeKey(), packedType));
    context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetTargetObjectIDKey(),
                                                      NSTextPackage::UTF16ToUTF8(node.GetDisplayPath())));
    context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetSecondaryObjectIDKey(),
                                                      NSTextPackage::UTF16ToUTF8(node.GetRelativePath())));
    NSQuorral::ThrowException(context);
}

// Reads one information file or the splash into the settings; answers whether the entry leaves
// the list. A file that cannot be read is named in the failure, so that its alert names it.
bool TakeInformationFile(const CSourceNode& node, TPackageSettings& settings)
{
    const EInformationFile kind = ClassifyInformationFile(node);
    if (kind == kNotInformationFile)
        return false;
    const u32 packedType = GetPackedTypeOfItem(node.fResolvedItem);
    std::shared_ptr<NSFerrant::CVRAMBitmap> splash;
    try
    {
        switch (kind)
        {
        case kInfoFile:
            ReadInfoText(node, settings);
            break;
        case kNameFile:
            settings.fName = ReadTextFile(node);
            break;
        case kCommentsFile:
            settings.fComments = ReadTextFile(node);
            break;
        case kURLFile:
            settings.fURL = ReadTextFile(node);
            break;
        case kCopyrightFile:
            settings.fCopyright = ReadTextFile(node);
            break;
        case kVersionFile:
            settings.fVersion = NSFerrant::ParseVersion(ReadTextFile(node));
            break;
        default:
            splash = DecodeSplash(node);
            break;
        }
    }
    catch (const NSQuorral::XSilentAbort&)
    {
        throw;
    }
    catch (const std::exception& failure)
    {
        ThrowFileEntryFailure(failure, node.GetDisplayPath(), node.GetRelativePath(), packedType);
    }
    if (kind != kSplashFile)
        return true;
    u32 size[2] = {0, 0};
    if (splash)
        splash->GetSize(size);
    if (size[0] != kSplashSide || size[1] != kSplashSide)
        ThrowSplashSizeError(node, packedType);
    settings.fSplash = std::move(splash);
    return false;
}

std::optional<CFolderIdentity> ReadIdentityOfFolder(const CItemPtr& folder)
{
    if (!folder->IsFileSystemFolder())
        return std::nullopt;
    return CFolderIdentity::Read(NSFileLibSupport::GetDirWinPath(folder->GetDirSpec().get()));
}

bool IsSameFolderOnDisk(const std::optional<CFolderIdentity>& a, const std::optional<CFolderIdentity>& b)
{
    return a && b && a->IsSameFolder(*b);
}

// Whether the folder is, on disk, the source folder or one of the folders it lies in: a symbolic
// link or junction leads there under a path of its own.
bool IsReachedAgainOnDisk(const CPackJob& job, const CSourceNode& folder)
{
    if (IsSameFolderOnDisk(folder.fFolderIdentity, job.fInputFolderIdentity))
        return true;
    for (const CSourceNode* ancestor = folder.fParent; ancestor != nullptr; ancestor = ancestor->fParent)
        if (IsSameFolderOnDisk(ancestor->fFolderIdentity, folder.fFolderIdentity))
            return true;
    return false;
}

// A folder shortcut or link that leads back to the folder it lies in, or to the source folder or
// one of its ancestors, would be walked forever: it is reported as a broken shortcut.
void RefuseEndlessShortcut(const CPackJob& job, CSourceNode& folder)
{
    bool endless = !IsOutsideFolder(job.fInputFolder, folder.fResolvedItem);
    for (const CSourceNode* ancestor = folder.fParent; ancestor != nullptr && !endless;
         ancestor = ancestor->fParent)
        endless = ancestor->fResolvedItem == folder.fResolvedItem;
    if (!endless)
    {
        folder.fFolderIdentity = ReadIdentityOfFolder(folder.fResolvedItem);
        endless = IsReachedAgainOnDisk(job, folder);
    }
    if (!endless)
        return;
    NSQuorral::CThrowContext context(NSQuorral::TThrowSite{});
    context << NSQuorral::XResolve("");
    context.SetTargetObjectType(NSQuorral::GetFileObjectType());
    context.SetProperty(NSQuorral::MakeStringProperty(NSQuorral::GetTargetObjectIDKey(),
                                                      NSTextPackage::UTF16ToUTF8(folder.GetDisplayPath())));
    NSQuorral::ThrowException(context);
}

bool IsShortcutOutside(const CPackJob& job, const CSourceNode& node)
{
    return node.fResolvedItem.Get() != node.fItem.Get() && !(node.fResolvedItem == node.fItem) &&
           IsOutsideFolder(node.fResolvedItem, job.fInputFolder);
}
} // namespace

void BeginPhase(TPackJobHandle& job, IVantlePackingProgress* progress, u32 phase, u64 count)
{
    if (progress != nullptr)
        progress->BeginPhase(job, phase, count);
}

void ReportItem(TPackJobHandle& job, IVantlePackingProgress* progress, u64 index, const CSourceNode* entry,
                const NSTextPackage::TUTF16String& text)
{
    if (progress != nullptr)
        progress->Item(job, index, entry, text);
}

void EndPhase(TPackJobHandle& job, IVantlePackingProgress* progress, u32 phase)
{
    if (progress != nullptr)
        progress->EndPhase(job, phase);
}

bool IsOutsideFolder(const CItemPtr& item, const CItemPtr& folder)
{
    for (CItemPtr step = item; !step.IsEmpty(); step = step->GetParent())
        if (step.Get() == folder.Get() || step == folder)
            return false;
    return true;
}

u32 GetPackedTypeOfItem(const CItemPtr& item)
{
    IFileTypePacker* packer = FindPacker(item);
    return packer != nullptr ? packer->GetPackedType() : 0;
}

void CollectSourceEntries(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    job->fInputFolderIdentity = ReadIdentityOfFolder(job->fInputFolder);
    std::vector<CItemPtr> children;
    job->fInputFolder->GetChildren(children, nullptr);
    NoteFilesMissedByWalk(*job, nullptr, children);
    job->fEntries.reserve(children.size());
    BeginPhase(job, progress, 0, children.size());
    for (std::size_t i = 0; i < children.size(); ++i)
    {
        auto node = std::make_unique<CSourceNode>(children[i]);
        ReportItem(job, progress, i, node.get(), node->GetRelativePath());
        job->fEntries.push_back(std::move(node));
    }
    SortSourceNodes(job->fEntries);
    EndPhase(job, progress, 0);
}

void ReadPackageSettings(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 1, job->fEntries.size());
    TPackageSettings settings;
    u64 index = 0;
    for (auto entry = job->fEntries.begin(); entry != job->fEntries.end(); ++index)
    {
        ReportItem(job, progress, index, entry->get(), (*entry)->GetRelativePath());
        if (TakeInformationFile(**entry, settings))
            entry = job->fEntries.erase(entry);
        else
            ++entry;
    }
    if (settings.fName.empty())
        ThrowTagged(NSQuorral::XNotFound("vantle name not found"), GetVantleNameObjectType());
    if (!settings.fSplash)
        ThrowTagged(NSQuorral::XNotFound("splash file not found"), GetVantleSplashObjectType());
    job->fInfo = CVantleInfo(settings.fName, settings.fComments, settings.fURL, settings.fCopyright,
                             settings.fVersion);
    if (job->fOutputFileName.empty())
        job->fOutputFileName = MakePackageFileName(job->fInfo);
    job->fSplashImage = settings.fSplash;
    job->ApplySettings(settings.fSettings);
    job->fSkipItemsTree =
        BuildSkipItemsTree(job->fInputFolder, settings.fSettings.fSkipItems, &job->fOutsideShortcuts);
    for (auto entry = job->fEntries.begin(); entry != job->fEntries.end();)
    {
        if (!IsSkipItem(*job->fSkipItemsTree, (*entry)->fItem))
        {
            ++entry;
            continue;
        }
        (*entry)->fRemoved = 1;
        job->fRemovedEntries.push_back(std::move(*entry));
        entry = job->fEntries.erase(entry);
    }
    EndPhase(job, progress, 1);
}

void FilterEntries(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 2, 0);
    TSourceNodes kept;
    u32 count = 0;
    for (std::unique_ptr<CSourceNode>& entry : job->fEntries)
    {
        if (entry->fIsFolder != 0)
        {
            ScanSourceTree(job, *entry, count, progress);
            kept.push_back(std::move(entry));
            continue;
        }
        ReportItem(job, progress, 0, entry.get(), entry->GetRelativePath());
        if (GetPackedTypeOfItem(entry->fResolvedItem) != 0)
        {
            ++count;
            kept.push_back(std::move(entry));
        }
    }
    job->fEntries.swap(kept);
    job->fInfo.fFileCount = count;
    EndPhase(job, progress, 2);
}

void ScanSourceTree(TPackJobHandle& job, CSourceNode& folder, u32& count, IVantlePackingProgress* progress)
{
    RefuseEndlessShortcut(*job, folder);
    std::vector<CItemPtr> children;
    folder.fResolvedItem->GetChildren(children, nullptr);
    NoteFilesMissedByWalk(*job, &folder, children);
    if (IsShortcutOutside(*job, folder))
        job->fOutsideShortcuts.insert(&folder);
    TSourceNodes kept;
    for (const CItemPtr& child : children)
    {
        if (IsSkipItem(*job->fSkipItemsTree, child))
            continue;
        auto node = std::make_unique<CSourceNode>(&folder, child);
        ReportItem(job, progress, 0, node.get(), node->GetRelativePath());
        if (node->fIsFolder != 0)
        {
            ScanSourceTree(job, *node, count, progress);
            kept.push_back(std::move(node));
            continue;
        }
        if (GetPackedTypeOfItem(node->fResolvedItem) == 0)
            continue;
        ++count;
        if (IsShortcutOutside(*job, *node))
            job->fOutsideShortcuts.insert(node.get());
        kept.push_back(std::move(node));
    }
    SortSourceNodes(kept);
    folder.SwapChildren(kept);
}
} // namespace NSVantlePacking

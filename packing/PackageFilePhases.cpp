#include "packing/PackageFilePhases.h"

#include "base/Quorral.h"
#include "base/Throw.h"
#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "base/WorkAhead.h"
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleData.h"
#include "content/package/VantleFile.h"
#include "content/package/VantleHeader.h"
#include "content/package/VantleReader.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileMedia.h"
#include "filelib/ShellItem.h"
#include "filelib/WinFiles.h"
#include "media/CreatorBlock.h"
#include "base/Media.h"
#include "media/BufferedMedia.h"
#include "media/StoredStrings.h"
#include "packing/CollectPhases.h"
#include "packing/PackFailures.h"
#include "packing/PackageFileNames.h"
#include "packing/SampleChecksAhead.h"
#include "packing/SamplePackAhead.h"
#include "packing/SampleProcessors.h"
#include "packing/StandardReferenceResolver.h"
#include "packing/VantleReferenceResolver.h"
#include "packing/VerifyAndPackPhases.h"

#include <ctime>
#include <deque>
#include <exception>
#include <future>

namespace NSVantlePacking
{
namespace
{
// Entries checked ahead hold no memory while they wait, so only their number is bounded.
constexpr u32 kEntriesAheadPerThread = 2;
constexpr u32 kPackageCreator = NSFerrant::MakeFourCC("TsRo");
constexpr u32 kPackageFileType = NSFerrant::MakeFourCC("VTL ");
// Behind the magic, the size word and the creator block.
constexpr i64 kInformationOffset = 8 + i64(NSFerrant::kCreatorBlockSize);

u64 PackNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return PackVantleDate(local);
}

// The text as a package stores and reads it back (line breaks are mapped on the way).
NSTextPackage::TUTF16String AsStored(const NSTextPackage::TUTF16String& text)
{
    NSFerrant::COwnedMemoryMedia media(0);
    NSFerrant::WriteNameString(media, text);
    media.fPosition = 0;
    return NSFerrant::ReadNameString(media);
}

void CompareHeader(const CVantleInfo& read, const CVantleInfo& written)
{
    struct TCheck
    {
        bool fDiffers;
        const char* fMessage;
    };
    const TCheck checks[] = {
        {read.fComments != AsStored(written.fComments), "header comment mismatch"},
        {read.fCopyright != AsStored(written.fCopyright), "header copyright mismatch"},
        {read.fDataStart != written.fDataStart, "header datastart mismatch"},
        {read.fFileCount != written.fFileCount, "header filecount mismatch"},
        {read.fIndexStart != written.fIndexStart, "header indexstart mismatch"},
        {read.fName != AsStored(written.fName), "header vantlename mismatch"},
        {read.fURL != AsStored(written.fURL), "header url mismatch"},
        {NSFerrant::CompareVersions(read.fPackageVersion, written.fPackageVersion) !=
             NSFerrant::kVersionEqual,
         "header version mismatch"},
    };
    for (const TCheck& check : checks)
        if (check.fDiffers)
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                      << NSQuorral::XFormatViolation(check.fMessage));
}

bool IsTopLevelSplash(const NSTextPackage::TUTF16String& rowName)
{
    static const THashedString kSplash(NSTextPackage::FromUTF8("SPLASH.JPG"));
    return THashedString(rowName) == kSplash;
}

// The bytes of the index rows of the subtree.
i64 GetIndexSize(const CSourceNode& node)
{
    if (node.fIsFolder == 0)
        return CVantleIndexRow::GetStoredSize(node.GetRelativePath());
    i64 size = 0;
    for (const std::unique_ptr<CSourceNode>& child : node.fChildren)
        size += GetIndexSize(*child);
    return size;
}

NSTextPackage::TUTF16String TemporaryPackagePath(const CPackJob& job)
{
    return NSFileLibSupport::GetDirWinPath(job.fOutputFolder->GetDirSpec().get()) +
           MakeTemporaryPackageFileName(job.fOutputFileName);
}

// The package's index rows, read in order through a buffer and kept, so that the checks ahead
// and the check in turn share one reading. A row that cannot be read fails again in its turn.
class CIndexRows
{
public:
    CIndexRows(NSFerrant::CMedia& package, const CVantleInfo& info) : fIndex(package)
    {
        fIndex.fPosition = i64(info.fIndexStart);
    }

    const CVantleIndexRow& Get(std::size_t i)
    {
        while (fRows.size() <= i)
        {
            if (fFailure)
                std::rethrow_exception(fFailure);
            CVantleIndexRow row;
            try
            {
                row.Read(fIndex);
            }
            catch (...)
            {
                fFailure = std::current_exception();
                throw;
            }
            fRows.push_back(std::move(row));
        }
        return fRows[i];
    }

private:
    NSFerrant::CBufferedMedia fIndex;
    std::deque<CVantleIndexRow> fRows; // a deque: the rows handed out stay where they are
    std::exception_ptr fFailure;
};

using TEntryChecks = CWorkAhead<void>;

// Packed samples are checked by a complete decode, most of the phase's work, on worker threads
// ahead of their turn; the other entries need the package's items, which stay on this thread. A
// sample that passed its check while the entries were packed is only read back and compared with
// what that check decoded; one that reads back otherwise is decoded again.
// The worker reads its entry through a window of its own onto the package file, as the check in
// turn does: the file's reads are at explicit offsets, so several threads may read it at once.
std::optional<TEntryChecks::TPrepared> PrepareEntryCheck(CIndexRows& rows, std::size_t i,
                                                         const NSFerrant::CMedia& packageMedia,
                                                         const CVantleInfo& read,
                                                         const CSampleChecksAhead* checkedWhilePacking)
{
    const CVantleIndexRow& row = rows.Get(i);
    if (!IsCheckedByDecoding(row.fPackedType))
        return std::nullopt;
    const i64 start = i64(read.fDataStart) + i64(row.fOffset);
    const i64 size = i64(row.fSize);
    const TCheckedEntry* checked = checkedWhilePacking ? checkedWhilePacking->Find(u32(i)) : nullptr;
    if (checked && checked->fOffset != i64(row.fOffset))
        checked = nullptr;
    return TEntryChecks::TPrepared{[&packageMedia, start, size, checked] {
                                       NSFerrant::CPartialMedia window(packageMedia, start, size);
                                       window.fPosition = 0;
                                       if (checked && HoldsTheCheckedBytes(window, *checked))
                                           return;
                                       VerifyPackedSample(window);
                                   },
                                   0, u64(size) < kSmallestSampleForWorkers};
}

void VerifyEntry(CPackJob& job, const CItemPtr& package, NSFerrant::CMedia& packageMedia,
                 const CVantleInfo& read, const CVantleIndexRow& row,
                 CVantleReferenceResolver& packageResolver, std::future<void>& checkedAhead)
{
    NSFerrant::CPartialMedia window(packageMedia, i64(read.fDataStart) + i64(row.fOffset), i64(row.fSize));
    window.fPosition = 0;
    TReferenceList resolved, unresolved, external;
    TDeviceNameList prohibitedFound;
    bool refersToSkipped = false;
    const auto verifyData = [&](IReferenceResolver& resolver) {
        if (checkedAhead.valid())
            checkedAhead.get();
        else
            VerifyPackedData(row.fPackedType, {}, window, resolver, resolved, unresolved, external,
                             prohibitedFound, refersToSkipped);
    };
    if (row.fHidden)
        verifyData(packageResolver);
    else
    {
        if (job.fHasLumenPatch != 0)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        CStandardReferenceResolver resolver(package, job.fInfo.fName,
                                            FindItemByPackagePath(package, row.fName),
                                            job.fSkipItemsTree.get(), &job.fOutsideShortcuts);
        verifyData(resolver);
    }
    if (!unresolved.empty())
        job.fBrokenReferences[row] = std::move(unresolved);
}
} // namespace

u64 OpenPackageFile(CPackJob& job)
{
    // The same name is used by every pack of this package, so the next pack removes what a
    // killed one left.
    job.fOutputMedia = std::make_unique<NSFileLibSupport::COpenFile>(
        job.fOutputFolder->GetDirSpec().get(), MakeTemporaryPackageFileName(job.fOutputFileName), kPackageCreator,
        kPackageFileType);
    i64 dataStart = kInformationOffset + job.fInfo.GetStoredSize();
    for (const std::unique_ptr<CSourceNode>& entry : job.fEntries)
        dataStart += GetIndexSize(*entry);
    // Checked when the index is written: the data must begin right behind it.
    job.fInfo.fDataStart = u32(dataStart);
    return u64(dataStart);
}

void WritePackageHeader(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 5, 5);
    ReportItem(job, progress, 0, nullptr, {});
    job->fInfo.fDate = PackNow();
    NSFerrant::CMedia& media = *job->fOutputMedia;
    media.fPosition = 0;
    ReportItem(job, progress, 1, nullptr, {});
    NSFerrant::WriteU32BE(media, kVantleMagic);
    ReportItem(job, progress, 2, nullptr, {});
    NSFerrant::WriteU32BE(media, 0);
    ReportItem(job, progress, 3, nullptr, {});
    NSFerrant::WriteCreatorBlock(media);
    ReportItem(job, progress, 4, nullptr, {});
    job->fInfo.Write(media);
    EndPhase(job, progress, 5);
}

void WritePackageIndex(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 6, job->fInfo.fFileCount);
    job->fInfo.fIndexStart = u32(job->fOutputMedia->fPosition);
    u32 dataOffset = 0;
    u32 index = 0;
    {
        // A row is a few small fields: they reach the file through a buffer.
        NSFerrant::CBufferedMedia rows(*job->fOutputMedia);
        for (const std::unique_ptr<CSourceNode>& entry : job->fEntries)
            WriteIndexTree(job, *entry, dataOffset, index, progress, rows);
        rows.Flush();
        job->fOutputMedia->fPosition = rows.fPosition;
    }
    if (u64(job->fOutputMedia->fPosition) > kMaxPackageBytes)
        ThrowPackageTooLarge();
    if (u64(job->fOutputMedia->fPosition) != job->fInfo.fDataStart)
        NSQuorral::Throw<NSQuorral::XInvariantCorrupt>();
    job->fPackedSizes.clear();
    EndPhase(job, progress, 6);
}

void WriteIndexTree(TPackJobHandle& job, const CSourceNode& node, u32& dataOffset, u32& index,
                    IVantlePackingProgress* progress, NSFerrant::CMedia& indexMedia)
{
    if (node.fIsFolder != 0)
    {
        for (const std::unique_ptr<CSourceNode>& child : node.fChildren)
            WriteIndexTree(job, *child, dataOffset, index, progress, indexMedia);
        return;
    }
    ReportItem(job, progress, index, &node, node.GetRelativePath());
    ++index;
    CVantleIndexRow row;
    row.fName = node.GetRelativePath();
    row.fOffset = dataOffset;
    const auto size = job->fPackedSizes.find(const_cast<CSourceNode*>(&node));
    row.fSize = size != job->fPackedSizes.end() ? u32(size->second) : 0;
    row.fPackedType = GetPackedTypeOfItem(node.fResolvedItem);
    row.fHidden =
        job->fHasLumenPatch != 0 || IsTopLevelSplash(row.fName) || row.fPackedType == kPackedTypeRaw;
    row.Write(indexMedia);
    dataOffset += row.fSize;
}

void CompletePackageHeader(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    NSFerrant::CMedia& output = *job->fOutputMedia;
    const i64 packageSize = output.GetSize();
    if (u64(packageSize) > kMaxPackageBytes)
        ThrowPackageTooLarge();
    // The data is in its place since phase 4: only the header's final values are left to write.
    const i64 dataSize = packageSize - i64(job->fInfo.fDataStart);
    BeginPhase(job, progress, 7, u64(dataSize));
    if (dataSize > 0)
        ReportItem(job, progress, 0, nullptr, {});
    output.fPosition = kInformationOffset;
    job->fInfo.Write(output);
    output.fPosition = 4;
    NSFerrant::WriteU32BE(output, u32(packageSize));
    output.fPosition = packageSize;
    job->fOutputMedia.reset();
    EndPhase(job, progress, 7);
}

void VerifyPackageFile(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    // The package is checked under its temporary name: an earlier package of its name stays as
    // it is until this one has passed.
    const CItemPtr package =
        OpenPackageItem(job->fOutputFolder, MakeTemporaryPackageFileName(job->fOutputFileName));
    CVantleReferenceResolver packageResolver;
    CVantleInfo read;
    {
        CVantleReader reader(package->GetFileSpec(), kVantleKindStandard);
        reader.VisitEntries(packageResolver);
        read = reader.GetData()->GetInfo();
    }
    packageResolver.fInfo = read;
    BeginPhase(job, progress, 8, read.fFileCount);
    CompareHeader(read, job->fInfo);
    {
        NSFileLibSupport::COpenFile packageMedia(package->GetFileSpec().get());
        CIndexRows rows(packageMedia, read);
        const u32 threads = CWorkerThreads::GetProcessorThreadCount();
        TEntryChecks checks(
            read.fFileCount,
            [&](std::size_t i) { return PrepareEntryCheck(rows, i, packageMedia, read, job->fSampleChecks.get()); },
            {threads, threads * kEntriesAheadPerThread, ~u64(0)});
        for (u32 i = 0; i < read.fFileCount; ++i)
        {
            const CVantleIndexRow& row = rows.Get(i);
            ReportItem(job, progress, i, nullptr, row.fName);
            std::future<void> checkedAhead = checks.Take(i);
            try
            {
                VerifyEntry(*job, package, packageMedia, read, row, packageResolver, checkedAhead);
            }
            catch (const NSQuorral::XSilentAbort&)
            {
                throw;
            }
            catch (const std::exception& failure)
            {
                if (NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(failure),
                                                   GetVantleFileEntryObjectType()))
                    throw;
                ThrowFileEntryFailure(failure, row.fName, {}, row.fPackedType);
            }
        }
    }
    GetItemDatabase().UnmountVantle(THashedString(job->fInfo.fName));
    EndPhase(job, progress, 8);
}

CItemPtr OpenPackageItem(const CItemPtr& folder, const NSTextPackage::TUTF16String& fileName)
{
    const NSFileLibSupport::TFileSpecPtr file =
        NSFileLibSupport::GetChildFile(folder->GetDirSpec().get(), fileName);
    return NSVirtualFS::CVantleFile::Create(std::make_shared<NSFerrant::CShellItem>(file), fileName, folder,
                                            kVantleKindStandard);
}

CItemPtr FindItemByPackagePath(const CItemPtr& package, const NSTextPackage::TUTF16String& path)
{
    CItemPtr item = package;
    std::size_t start = 0;
    while (!item.IsEmpty())
    {
        const std::size_t colon = path.find(u':', start);
        item = item->FindChild(
            path.substr(start, colon == NSTextPackage::TUTF16String::npos ? colon : colon - start));
        if (colon == NSTextPackage::TUTF16String::npos)
            break;
        start = colon + 1;
    }
    if (item.IsEmpty())
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return item;
}

void PutPackageInPlace(const CPackJob& job)
{
    WinPutFileInPlace(TemporaryPackagePath(job),
                      NSFileLibSupport::GetDirWinPath(job.fOutputFolder->GetDirSpec().get()) + job.fOutputFileName);
}

void DiscardUnfinishedPackage(CPackJob& job) noexcept
{
    try
    {
        job.fSampleChecks.reset();
        job.fOutputMedia.reset();
        if (!job.fOutputFolder.IsEmpty() && !job.fOutputFileName.empty())
            NSFileLibSupport::DeleteChildFileIfExists(job.fOutputFolder->GetDirSpec().get(),
                                                      MakeTemporaryPackageFileName(job.fOutputFileName));
    }
    catch (...)
    {
        // Nothing more can be done for a file that cannot be deleted; the next pack replaces it.
    }
}
} // namespace NSVantlePacking

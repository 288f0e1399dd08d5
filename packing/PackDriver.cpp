#include "packing/PackDriver.h"

#include "base/GroupedNumbers.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextConversions.h"
#include "content/vfs/ItemDatabase.h"
#include "gui/Alerts.h"
#include "packing/CollectPhases.h"
#include "packing/PackFailures.h"
#include "packing/PackageFilePhases.h"
#include "packing/PackingLog.h"
#include "packing/VerifyAndPackPhases.h"

#include <optional>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

constexpr u16 kAlertTable = 128;
constexpr u16 kAlertNoName = 4;
constexpr u16 kAlertPackComplete = 5;
constexpr u16 kAlertPackWithWarnings = 6;
constexpr u16 kAlertPackAborted = 7;
constexpr u16 kAlertBadFormat = 8;
constexpr u16 kAlertNotPacked = 9;
constexpr u16 kAlertNoSplash = 12;
constexpr u16 kAlertBadSplash = 13;
constexpr u16 kAlertFileExists = 20;
constexpr u16 kAlertUnresolvedReferences = 24;
constexpr u16 kAlertFileError = 25;
constexpr u16 kAlertBrokenShortcut = 26;
constexpr i64 kSplashSide = 64;

TLogOpener gLogOpener = &OpenLogFile;

u32 Alert(u16 id, const std::vector<TUTF16String>& parameters = {})
{
    return NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(kAlertTable, id), parameters);
}

[[noreturn]] void ThrowSilentAbort()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                              << NSQuorral::XSilentAbort(""));
}

// The alert a failure of the phases stands for, with its parameters; none for a failure that
// passes to the caller unchanged.
struct TFailureAlert
{
    u16 fAlert;
    std::vector<TUTF16String> fParameters;
};

template <class TException> bool IsKind(const std::exception& failure)
{
    return dynamic_cast<const TException*>(&failure) != nullptr;
}

std::optional<TFailureAlert> MapFailureToAlert(const std::exception& failure)
{
    if (IsKind<NSQuorral::XSilentAbort>(failure))
        return std::nullopt;
    const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(failure);
    const auto tagged = [&](const NSQuorral::TFixedName& type)
    { return NSQuorral::HasTargetObjectType(body, type); };
    const NSQuorral::TPropertyValue id = NSQuorral::GetProperty(body, NSQuorral::GetTargetObjectIDKey());
    const TUTF16String object = NSTextPackage::FromUTF8(id.GetText() != nullptr ? id.GetText() : "");
    const bool notFound = IsKind<NSQuorral::XNotFound>(failure) || IsKind<NSQuorral::XOpen>(failure);
    const bool entry = tagged(GetVantleFileEntryObjectType());
    const bool splash = tagged(GetVantleSplashObjectType());
    if (notFound && tagged(GetVantleNameObjectType()))
        return TFailureAlert{kAlertNoName, {}};
    if (notFound && splash)
        return TFailureAlert{kAlertNoSplash, {}};
    if (notFound && entry)
        return TFailureAlert{kAlertNotPacked, {object}};
    if (IsKind<NSQuorral::XFormatViolation>(failure) && splash)
    {
        const TUTF16String side = NSTextPackage::FormatGroupedNumber(kSplashSide);
        return TFailureAlert{kAlertBadSplash, {side, side}};
    }
    if (IsKind<NSQuorral::XFormatViolation>(failure) && entry)
        return TFailureAlert{kAlertBadFormat, {object}};
    if (IsKind<NSQuorral::XResolve>(failure) && entry)
        return TFailureAlert{kAlertUnresolvedReferences, {object}};
    if (IsKind<NSQuorral::XResolve>(failure) &&
        (tagged(NSQuorral::GetFileObjectType()) || tagged(NSQuorral::GetDirectoryObjectType()) ||
         tagged(NSQuorral::GetVolumeObjectType())))
        return TFailureAlert{kAlertBrokenShortcut, {object}};
    if (splash || entry)
        return TFailureAlert{kAlertFileError, {object}};
    return std::nullopt;
}

NSFileLibSupport::TFileSpecPtr WriteJobLog(const CPackJob& job, u8 complete)
{
    const TPackingLogContents contents{job.fUnresolvedReferences,
                                       job.fExternalReferences,
                                       job.fFailedFiles,
                                       job.fUnreadFiles,
                                       job.fBrokenReferences,
                                       job.GetReportedProhibitedDeviceUsers(),
                                       job.GetReportedUnreferencedSamples(),
                                       job.GetSkippedReferrers(),
                                       job.GetOutsideShortcuts(),
                                       complete};
    return WritePackingLog(job.fInputFolder, job.fOutputFolder, job.fInfo, contents);
}

void OfferLog(u16 alert, const std::vector<TUTF16String>& parameters,
              const NSFileLibSupport::TFileSpecPtr& log)
{
    if (Alert(alert, parameters) == kAlertNextToLastButton)
        gLogOpener(log);
}

// What every way out of the driver does once the job exists.
void FinishJob(CPackJob& job, CVantleInfo& info, std::shared_ptr<NSFerrant::CVRAMBitmap>& splash)
{
    if (job.fInfo.fName.empty())
        return;
    info = job.fInfo;
    splash = job.fSplashImage;
}

void ForgetPackage(const CPackJob& job) noexcept
{
    try
    {
        GetItemDatabase().RebuildCache();
        if (!job.fInfo.fName.empty())
            GetItemDatabase().UnmountVantle(THashedString(job.fInfo.fName));
    }
    catch (...)
    {
        // Only caches are dropped here; the pack's outcome stands.
    }
}

void RunPhases(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    CollectSourceEntries(job, progress);
    ReadPackageSettings(job, progress);
    FilterEntries(job, progress);
    VerifySourceFiles(job, progress);
    PackEntriesToDataFile(job, progress);
    WritePackageHeader(job, progress);
    WritePackageIndex(job, progress);
    CompletePackageHeader(job, progress);
    VerifyPackageFile(job, progress);
}

void ReportResult(CPackJob& job, const CVantleInfo& info)
{
    const NSFileLibSupport::TFileSpecPtr log = WriteJobLog(job, 1);
    const TUTF16String count = NSTextPackage::FormatGroupedNumber(info.fFileCount);
    if (job.HasProblems())
        OfferLog(kAlertPackAborted, {}, log);
    else if (job.HasWarnings())
        OfferLog(kAlertPackWithWarnings, {count}, log);
    else
        Alert(kAlertPackComplete, {count});
}

[[noreturn]] void ReportFailure(CPackJob& job, const std::exception& failure)
{
    if (IsKind<NSQuorral::XAbort>(failure))
    {
        if (!job.HasProblems() && !job.HasWarnings())
            ThrowSilentAbort();
        OfferLog(kAlertPackAborted, {}, WriteJobLog(job, 0));
        ThrowSilentAbort();
    }
    const std::optional<TFailureAlert> alert = MapFailureToAlert(failure);
    if (!alert)
        throw;
    Alert(alert->fAlert, alert->fParameters);
    ThrowSilentAbort();
}
} // namespace

TLogOpener SetLogOpener(TLogOpener opener)
{
    const TLogOpener previous = gLogOpener;
    gLogOpener = opener;
    return previous;
}

void PackVantle(const NSFileLibSupport::TDirSpecPtr& inputFolder,
                const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& outputFile, CVantleInfo& info,
                std::shared_ptr<NSFerrant::CVRAMBitmap>& splash, u8 warnExternalReferences,
                IVantlePackingProgress* progress)
{
    const NSFileLibSupport::TDirSpecPtr outputFolder = outputFile->GetDirSpec();
    const TUTF16String fileName = outputFile->GetFileName();
    // "Replace" deletes nothing: the new package takes the old one's place only once complete.
    if (NSFileLibSupport::DoesChildFileExist(outputFolder.get(), fileName) &&
        Alert(kAlertFileExists, {fileName}) != kAlertLastButton)
        ThrowSilentAbort();
    TPackJobHandle job = std::make_unique<CPackJob>(
        GetItemForFolder(inputFolder), GetItemForFolder(outputFolder), fileName, warnExternalReferences);
    DiscardUnfinishedPackage(*job);
    try
    {
        {
            CItemDatabaseBatch batch;
            try
            {
                RunPhases(job, progress);
                // A package whose check found broken references is no package: the pack is
                // reported aborted, and an earlier package of its name stays.
                if (job->HasProblems())
                    DiscardUnfinishedPackage(*job);
                else
                    PutPackageInPlace(*job);
                info = job->fInfo;
                ReportResult(*job, info);
            }
            catch (const std::exception& failure)
            {
                DiscardUnfinishedPackage(*job);
                ReportFailure(*job, failure);
            }
            catch (...)
            {
                DiscardUnfinishedPackage(*job);
                throw;
            }
        }
        ForgetPackage(*job);
        FinishJob(*job, info, splash);
    }
    catch (...)
    {
        ForgetPackage(*job);
        FinishJob(*job, info, splash);
        throw;
    }
}
} // namespace NSVantlePacking

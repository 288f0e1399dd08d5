#include "packing/VantlePackProgress.h"

#include "base/GroupedNumbers.h"
#include "base/Quorral.h"
#include "base/TextTemplates.h"
#include "gui/Alerts.h"
#include "gui/CallbackFence.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "gui/VRAMBitmap.h"
#include "packing/ProgramStrings.h"
#include "packing/VerifyAndPackPhases.h"

#include <algorithm>
#include <array>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

constexpr u16 kAlertTable = 128;
constexpr u16 kAlertOneExternalVantle = 18;
constexpr u16 kAlertExternalVantles = 23;

// Each phase's share of the whole, in percent; they add up to 99.
constexpr std::array<u32, 9> kPhaseWeights = {1, 1, 3, 5, 66, 2, 3, 8, 10};

// Per phase: the string of its title, the string of its item line, and whether that line names
// the item.
struct TPhaseTexts
{
    u16 fTitle;
    u16 fItem;
    bool fNamesItem;
};
constexpr std::array<TPhaseTexts, 9> kPhaseTexts = {{
    {22, 22, false},
    {22, 22, false},
    {48, 58, true},
    {13, 14, true},
    {6, 10, true},
    {7, 7, false},
    {7, 11, true},
    {8, 8, false},
    {9, 12, true},
}};

// The bar's display is refreshed at most this often; between refreshes, events still run at most
// every kEventsInterval, so the window stays responsive without redrawing on every report.
constexpr i64 kRefreshInterval = 200;
constexpr i64 kEventsInterval = 100;

const TUTF16String kApostrophe{u16('\'')};
const TUTF16String kListSeparator{u16(','), u16(' ')};

TUTF16String Join(const std::vector<TUTF16String>& parts, const TUTF16String& separator)
{
    TUTF16String joined;
    for (std::size_t i = 0; i < parts.size(); ++i)
        joined += (i == 0 ? TUTF16String() : separator) + parts[i];
    return joined;
}
} // namespace

CVantlePackProgress::CVantlePackProgress(
    u8 warnExternalReferences, TTextViewPtr nameView, TTextViewPtr commentsView, TTextViewPtr copyrightView,
    TTextViewPtr urlView, std::shared_ptr<NSFerrant::CDirectBitmapView> splashView,
    TTextViewPtr fileCountView, TTextViewPtr externalVantlesView, TTextViewPtr progressTextView,
    NSSprocketUtils::TProgressViewPtr progressBarView, TTextViewPtr timeRemainingView, u8* stopRequested,
    TMillisecondClock clock)
    : fClock(std::move(clock)), fEstimate(fClock), fLastRefresh(fClock()), fLastEvents(fLastRefresh),
      fWarnExternalReferences(warnExternalReferences), fNameView(std::move(nameView)),
      fCommentsView(std::move(commentsView)), fCopyrightView(std::move(copyrightView)),
      fURLView(std::move(urlView)), fSplashView(std::move(splashView)),
      fFileCountView(std::move(fileCountView)), fExternalVantlesView(std::move(externalVantlesView)),
      fProgressTextView(std::move(progressTextView)), fProgressBarView(std::move(progressBarView)),
      fTimeRemainingView(std::move(timeRemainingView)), fStopRequested(stopRequested)
{
    WriteProgressBar(0, 1);
    fProgressTextView->SetText({});
    ProcessEvents();
}

CVantlePackProgress::~CVantlePackProgress()
{
    try
    {
        fTimeRemainingView->SetText({});
        fProgressTextView->SetText({});
        WriteProgressBar(0, 1);
        ProcessEvents();
    }
    catch (...)
    {
        // The pack has ended either way; a window that cannot be reset only shows old texts.
    }
}

void CVantlePackProgress::BeginPhase(TPackJobHandle& job, u32 phase, u64 count)
{
    ThrowIfStopRequested();
    if (phase == 0)
    {
        ShowPackageInformation(*job);
        fExternalVantlesView->SetText({});
    }
    if (phase == 3)
        fEstimate.Start();
    SetPhaseTitle(phase);
    fPhaseItemCount = count;
    UpdateProgressDisplay(1, OverallProgress(phase, count, 0), fPhaseTitle);
}

void CVantlePackProgress::Item(TPackJobHandle&, u64 index, const CSourceNode* entry, const TUTF16String& text)
{
    ThrowIfStopRequested();
    UpdateProgressDisplay(1, OverallProgress(fPhase, fPhaseItemCount, index),
                          MakeProgressItemText(entry, text));
}

void CVantlePackProgress::EndPhase(TPackJobHandle& job, u32 phase)
{
    ThrowIfStopRequested();
    const u32 progress = OverallProgress(fPhase, fPhaseItemCount, fPhaseItemCount);
    SetPhaseTitle(kNoPhase);
    fPhaseItemCount = 0;
    UpdateProgressDisplay(0, progress, fPhaseTitle);
    if (phase == 1)
        ShowPackageInformation(*job);
    else if (phase == 2)
    {
        // The count is unsigned: an empty source folder shows 0, not a wrapped count.
        fFileCountView->SetText(
            NSTextPackage::FormatGroupedNumber(std::max<i64>(i64(job->fInfo.fFileCount) - 1, 0)));
    }
    else if (phase == 3)
    {
        ThrowIfVerificationFailed(*job);
        fEstimate.BeginPause();
        if (!job->fExternalReferences.empty())
        {
            const TPackageNames names =
                ConfirmExternalReferences(job->fExternalReferences, fWarnExternalReferences);
            fExternalVantlesView->SetText(
                Join(std::vector<TUTF16String>(names.begin(), names.end()), kListSeparator));
        }
        fEstimate.EndPause();
    }
}

u32 CVantlePackProgress::OverallProgress(u32 phase, u64 count, u64 done)
{
    if (count == 0)
        return 0;
    // A phase past the last counts as all phases done.
    const u32 phases = std::min<u32>(phase, u32(kPhaseWeights.size()));
    u64 thousandths = 0;
    for (u32 i = 0; i < phases; ++i)
        thousandths += u64(kPhaseWeights[i]) * 1000;
    if (phase < kPhaseWeights.size())
        thousandths += u64(kPhaseWeights[phase]) * done * 1000 / count;
    return u32(thousandths / 100);
}

void CVantlePackProgress::ThrowIfStopRequested()
{
    if (*fStopRequested == 0)
        return;
    // The request is used up: a later pack starts without it.
    *fStopRequested = 0;
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                              << NSQuorral::XSilentAbort("User aborted"));
}

void CVantlePackProgress::SetPhaseTitle(u32 phase)
{
    fPhase = phase;
    if (phase < kPhaseTexts.size())
        fPhaseTitle = GetProgramString(kPhaseTexts[phase].fTitle);
    else if (phase == kNoPhase)
        fPhaseTitle.clear();
}

TUTF16String CVantlePackProgress::MakeProgressItemText(const CSourceNode* entry,
                                                       const TUTF16String& text) const
{
    if (fPhase >= kPhaseTexts.size())
        return {};
    const TPhaseTexts& texts = kPhaseTexts[fPhase];
    const TUTF16String itemTemplate = GetProgramString(texts.fItem);
    const TUTF16String argument = !texts.fNamesItem ? TUTF16String()
                                  : entry           ? entry->GetRelativePath()
                                                    : text;
    if (itemTemplate.empty() || argument.empty())
        return itemTemplate;
    return NSTextPackage::ExpandTemplate(itemTemplate, {argument});
}

void CVantlePackProgress::UpdateProgressDisplay(u8 running, u32 progress, const TUTF16String& text)
{
    fPhaseRunning = running;
    fProgress = progress;
    fProgressText = text;
    fEstimate.Update(progress);
    fTimeRemainingView->SetText(fEstimate.GetTimeText());
    const i64 now = fClock();
    if (now - fLastRefresh > kRefreshInterval)
    {
        fLastRefresh = now;
        WriteProgressBar(fProgress, fPhaseRunning != 0 ? 1 : 0);
        fProgressTextView->SetText(fProgressText);
        ProcessEvents();
    }
    else if (now - fLastEvents > kEventsInterval)
    {
        fLastEvents = now;
        ProcessEvents();
    }
}

void CVantlePackProgress::ShowPackageInformation(const CPackJob& job)
{
    fNameView->SetText(job.fInfo.fName);
    fCommentsView->SetText(job.fInfo.fComments);
    fCopyrightView->SetText(job.fInfo.fCopyright);
    fURLView->SetText(job.fInfo.fURL);
    fSplashView->SetBitmap(job.fSplashImage);
    fFileCountView->SetText({});
}

TPackageNames CVantlePackProgress::ConfirmExternalReferences(const TReferencesByNode& references,
                                                             u8 warn) const
{
    TPackageNames names;
    for (const auto& [file, fileReferences] : references)
    {
        // Only the packages this file is the first to bring are asked about.
        std::vector<TUTF16String> newNames;
        for (const CSF10ReferenceChunk& reference : fileReferences)
        {
            const TUTF16String& name = reference.fDatabasePath.fVantleName.GetText();
            if (names.insert(name).second)
                newNames.push_back(kApostrophe + name + kApostrophe);
        }
        if (warn != 1 || newNames.empty())
            continue;
        const u16 alert = newNames.size() > 1 ? kAlertExternalVantles : kAlertOneExternalVantle;
        const u32 answer =
            NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(kAlertTable, alert),
                                    {GetItemDisplayPath(file->fItem), Join(newNames, kListSeparator)});
        if (answer != kAlertLastButton)
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                      << NSQuorral::XAbort(""));
    }
    return names;
}

void CVantlePackProgress::WriteProgressBar(u32 value, u32 running)
{
    NSSprocket::TProgressViewRecord record{};
    ThrowIfSprocketFailure(fProgressBarView->GetProperties(&record));
    record.fValue = value;
    record.fUnnamed20 = running;
    ThrowIfSprocketFailure(fProgressBarView->SetProperties(&record));
}

void CVantlePackProgress::ProcessEvents()
{
    NSTrellisGlue::CheckTrellis(GetTrellisInterface()->ProcessEvents());
}
} // namespace NSVantlePacking

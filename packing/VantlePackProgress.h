#pragma once
// The main window's pack progress: turns the phases' reports into the window's package texts,
// progress bar, phase line and a smoothed time-remaining text; lets the GUI run between reports,
// ends the pack quietly on a stop request, and confirms references into other packages.
#include "base/Clock.h"
#include "gui/BorderStaticTextView.h"
#include "gui/DirectBitmapView.h"
#include "gui/SprocketUtils.h"
#include "packing/PackJob.h"
#include "packing/PackTimeEstimate.h"
#include "packing/PackingProgress.h"

#include <memory>
#include <set>

namespace NSVantlePacking
{
using TTextViewPtr = std::shared_ptr<NSFerrant::CBorderStaticTextView>;
// Package names ordered by their UTF-16 code units.
using TPackageNames = std::set<NSTextPackage::TUTF16String>;

class CVantlePackProgress final : public IVantlePackingProgress
{
public:
    // The clock is another only in tests.
    CVantlePackProgress(u8 warnExternalReferences, TTextViewPtr nameView, TTextViewPtr commentsView,
                        TTextViewPtr copyrightView, TTextViewPtr urlView,
                        std::shared_ptr<NSFerrant::CDirectBitmapView> splashView, TTextViewPtr fileCountView,
                        TTextViewPtr externalVantlesView, TTextViewPtr progressTextView,
                        NSSprocketUtils::TProgressViewPtr progressBarView, TTextViewPtr timeRemainingView,
                        u8* stopRequested, TMillisecondClock clock = &NSFerrant::GetMilliseconds);
    // Empties the progress line and the time text and resets the bar; never throws.
    ~CVantlePackProgress();
    CVantlePackProgress(const CVantlePackProgress&) = delete;
    CVantlePackProgress& operator=(const CVantlePackProgress&) = delete;

    void BeginPhase(TPackJobHandle& job, u32 phase, u64 count) override;
    void Item(TPackJobHandle& job, u64 index, const CSourceNode* entry,
              const NSTextPackage::TUTF16String& text) override;
    // After verification: XAbort on failed or unresolved entries, then the user confirms each
    // package that the files refer to (XAbort with an empty message when they decline).
    void EndPhase(TPackJobHandle& job, u32 phase) override;

    // Tenths of a percent of the whole pack at done of count items of the phase; the end of the
    // last phase is 990.
    static u32 OverallProgress(u32 phase, u64 count, u64 done);

private:
    void ThrowIfStopRequested();
    void SetPhaseTitle(u32 phase);
    NSTextPackage::TUTF16String MakeProgressItemText(const CSourceNode* entry,
                                                     const NSTextPackage::TUTF16String& text) const;
    void UpdateProgressDisplay(u8 running, u32 progress, const NSTextPackage::TUTF16String& text);
    void ShowPackageInformation(const CPackJob& job);
    TPackageNames ConfirmExternalReferences(const TReferencesByNode& references, u8 warn) const;
    void WriteProgressBar(u32 value, u32 running);
    void ProcessEvents();

    TMillisecondClock fClock;
    u64 fPhaseItemCount = 0;
    u32 fPhase = kNoPhase;
    NSTextPackage::TUTF16String fPhaseTitle;
    u8 fPhaseRunning = 0;
    u32 fProgress = 0;
    NSTextPackage::TUTF16String fProgressText;
    CPackTimeEstimate fEstimate;
    i64 fLastRefresh;
    i64 fLastEvents;
    u8 fWarnExternalReferences;
    TTextViewPtr fNameView;
    TTextViewPtr fCommentsView;
    TTextViewPtr fCopyrightView;
    TTextViewPtr fURLView;
    std::shared_ptr<NSFerrant::CDirectBitmapView> fSplashView;
    TTextViewPtr fFileCountView;
    TTextViewPtr fExternalVantlesView;
    TTextViewPtr fProgressTextView;
    NSSprocketUtils::TProgressViewPtr fProgressBarView;
    TTextViewPtr fTimeRemainingView;
    u8* fStopRequested;
};
} // namespace NSVantlePacking

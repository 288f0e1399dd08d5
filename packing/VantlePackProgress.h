#pragma once
// The main window's pack progress: turns the phases' reports into the window's package texts,
// progress bar, phase line and a smoothed time-remaining text; lets the GUI run between reports,
// ends the pack quietly on a stop request, and confirms references into other packages.
#include "gui/BorderStaticTextView.h"
#include "gui/DirectBitmapView.h"
#include "gui/SprocketUtils.h"
#include "packing/PackingProgress.h"

#include <memory>

namespace NSVantlePacking
{
using TTextViewPtr = std::shared_ptr<NSFerrant::CBorderStaticTextView>;

class CVantlePackProgress final : public IVantlePackingProgress
{
public:
    CVantlePackProgress(u8 warnExternalReferences, TTextViewPtr nameView, TTextViewPtr commentsView,
                        TTextViewPtr copyrightView, TTextViewPtr urlView,
                        std::shared_ptr<NSFerrant::CDirectBitmapView> splashView, TTextViewPtr fileCountView,
                        TTextViewPtr externalVantlesView, TTextViewPtr progressTextView,
                        NSSprocketUtils::TProgressViewPtr progressBarView, TTextViewPtr timeRemainingView,
                        u8* stopRequested);
    ~CVantlePackProgress();

    void BeginPhase(TPackJobHandle& job, u32 phase, u64 count) override;
    void Item(TPackJobHandle& job, u64 index, const CSourceNode* entry,
              const NSTextPackage::TUTF16String& text) override;
    void EndPhase(TPackJobHandle& job, u32 phase) override;
};
} // namespace NSVantlePacking

#pragma once
// A line of black text in the default font, inside a sunken border unless told otherwise.
#include "base/UTF16String.h"
#include "gui/View.h"

namespace NSFerrant
{
class CBorderStaticTextView : public NSTrellisGlue::CABCView
{
public:
    // Made with an empty frame; its owner places it.
    CBorderStaticTextView(const NSTrellisGlue::CABCView& parent, const NSTextPackage::TUTF16String& text);

    // Redraws only when the text changes.
    void SetText(const NSTextPackage::TUTF16String& text);
    const NSTextPackage::TUTF16String& GetText() const { return fText; }
    void SetBordered(bool bordered) { fBordered = bordered; }

    void Draw(NSTrellis::INativeRegion* region) override;

private:
    NSTextPackage::TUTF16String fText;
    u8 fBordered = 1;
};
} // namespace NSFerrant

#include "gui/BorderStaticTextView.h"

#include "gui/DefaultFontInfo.h"
#include "gui/TinctInterface.h"
#include "gui/ViewBorder.h"
#include "gui/ViewFrameRect.h"

#include <cstdlib>

namespace NSFerrant
{
namespace
{
constexpr u8 kBlack[4] = {0, 0, 0, 255};
} // namespace

CBorderStaticTextView::CBorderStaticTextView(const NSTrellisGlue::CABCView& parent,
                                             const NSTextPackage::TUTF16String& text)
    : CABCView(parent, {0, 0, 0, 0}, "CBorderStaticTextView"), fText(text)
{
    SetNativeAttribute(NSTrellis::kViewAttributeProgram);
    SetNativeText(fText);
}

void CBorderStaticTextView::SetText(const NSTextPackage::TUTF16String& text)
{
    if (text == fText)
        return;
    fText = text;
    SetNativeText(fText);
    Invalidate();
}

void CBorderStaticTextView::Draw(NSTrellis::INativeRegion* region)
{
    TDrawContext context(region);
    TRect area = ToRect(GetBounds());
    if (fBordered)
    {
        DrawViewBorder(context, area);
        area = {area.fLeft + 2, area.fTop + 1, area.fRight - 2, area.fBottom - 1};
    }
    CClipScope clip(context, area);
    if (fText.empty() || clip.IsEmpty() || area.fRight <= area.fLeft || area.fBottom <= area.fTop)
        return;
    const NSTinct::TFontInfo& font = GetDefaultFontInfo().fFontInfo;
    // The text's baseline one character height below the top of the area.
    const float position[2] = {area.fLeft, area.fTop + float(std::abs(font.fHeight))};
    ThrowIfTinctFailure(context.GetCanvas()->DrawTextRun(position, fText.c_str(), &font, kBlack));
}
} // namespace NSFerrant

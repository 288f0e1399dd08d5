#include "gui/DirectBitmapView.h"

#include "gui/ViewFrameRect.h"

namespace NSFerrant
{
CDirectBitmapView::CDirectBitmapView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                     const std::string& name, const TImagePtr& bitmap)
    : CABCView(parent, frame, name), fBitmap(bitmap)
{
    SetNativeAttribute(NSTrellis::kViewAttributeProgram);
}

void CDirectBitmapView::SetBitmap(const TImagePtr& bitmap)
{
    if (bitmap == fBitmap)
        return;
    fBitmap = bitmap;
    Invalidate();
}

void CDirectBitmapView::Draw(NSTrellis::INativeRegion* region)
{
    const TRect frame = ToRect(GetFrame());
    const float width = frame.fRight - frame.fLeft;
    const float height = frame.fBottom - frame.fTop;
    if (!fBitmap || width <= 0 || height <= 0)
        return;
    TDrawContext context(region);
    DrawImagePart(context, frame.fLeft, frame.fTop, fBitmap.get(), u32(width), u32(height));
}
} // namespace NSFerrant

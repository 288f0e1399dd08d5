#include "gui/BitmapView.h"

#include "gui/BitmapService.h"
#include "gui/VRAMBitmap.h"
#include "gui/ViewBorder.h"
#include "gui/ViewFrameRect.h"

#include <cmath>

namespace NSFerrant
{
namespace
{
const TColour kBlack{0, 0, 0, 255};

void DrawCentred(TDrawContext& context, const TRect& frame, CABCImage* image)
{
    if (!image)
        return;
    u32 size[2] = {0, 0};
    image->GetSize(size);
    const float left = std::floor(frame.fLeft + (frame.fRight - frame.fLeft - float(size[0])) * 0.5f);
    const float top = std::floor(frame.fTop + (frame.fBottom - frame.fTop - float(size[1])) * 0.5f);
    DrawImageAt(context, left, top, image);
}
} // namespace

CBitmapView::CBitmapView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                         const std::string& name)
    : CABCView(parent, frame, name)
{
    SetNativeAttribute(NSTrellis::kViewAttributeProgram);
}

void CBitmapView::SetBitmap(const TImageID& id)
{
    if (id.fCacheID == fImage.fCacheID && !fOwnImage)
        return;
    fImage = id;
    fOwnImage.reset();
    Invalidate();
}

void CBitmapView::SetImage(const TImagePtr& image)
{
    fOwnImage = image;
    Invalidate();
}

void CBitmapView::Draw(NSTrellis::INativeRegion* region)
{
    TDrawContext context(region);
    TRect frame = ToRect(GetBounds());
    std::unique_ptr<CClipScope> clip;
    if (fFramed)
    {
        DrawViewBorder(context, frame);
        frame = InsideViewBorder(frame);
        clip = std::make_unique<CClipScope>(context, frame);
    }
    if (fImage.fKind != kImageIDNone)
        DrawCentred(context, frame, GetBitmap(fImage));
    else if (fOwnImage)
        DrawCentred(context, frame, fOwnImage.get());
    else if (fFilled)
        FillRect(context, frame, kBlack);
}

void CBitmapView::ViewCallback4(bool)
{
    Invalidate();
}

std::shared_ptr<CBitmapView> MakeBitmapViewPtr(CBitmapView* view)
{
    return NSTrellisGlue::MakeViewPtr(view);
}
} // namespace NSFerrant

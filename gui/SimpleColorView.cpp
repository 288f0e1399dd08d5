#include "gui/SimpleColorView.h"

#include "gui/TinctInterface.h"
#include "gui/ViewFrameRect.h"

#include <algorithm>

namespace NSFerrant
{
CSimpleColorView::CSimpleColorView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                                   const std::string& name, const TColour& colour)
    : CABCView(parent, frame, name), fColour{colour[0], colour[1], colour[2], 255}
{
    SetNativeAttribute(NSTrellis::kViewAttributeSolid);
}

void CSimpleColorView::Draw(NSTrellis::INativeRegion* region)
{
    TDrawContext context(region);
    float visible[4] = {0, 0, 0, 0};
    ThrowIfTinctFailure(context.GetCanvas()->GetClipBounds(visible));
    const TRect frame = ToRect(GetBounds());
    // FillRect draws nothing when the overlap is less than 1e-5 wide or high.
    FillRect(context,
             {std::max(frame.fLeft, visible[0]), std::max(frame.fTop, visible[1]), std::min(frame.fRight, visible[2]),
              std::min(frame.fBottom, visible[3])},
             fColour);
}
} // namespace NSFerrant

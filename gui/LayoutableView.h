#pragma once
// A view that a window's layout moves and sizes without knowing its class.
#include "gui/View.h"

namespace NSFerrant
{
class ILayoutableView
{
public:
    virtual ~ILayoutableView() = default;
    // As CABCView::MoveTo: answers kFrameUnchanged, kFrameMoved or kFrameResized.
    virtual u32 SetLayoutFrame(const NSTrellisGlue::TViewFrame& frame) = 0;
    virtual NSTrellisGlue::TViewFrame GetLayoutFrame() const = 0;
};
} // namespace NSFerrant

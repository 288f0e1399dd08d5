#pragma once
// A view filled with one colour.
#include "gui/Drawing.h"
#include "gui/LayoutableView.h"

namespace NSFerrant
{
class CSimpleColorView : public NSTrellisGlue::CABCView, public ILayoutableView
{
public:
    // The colour's alpha is ignored: the view is opaque.
    CSimpleColorView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                     const std::string& name, const TColour& colour);

    void Draw(NSTrellis::INativeRegion* region) override;
    u32 SetLayoutFrame(const NSTrellisGlue::TViewFrame& frame) override { return MoveTo(frame); }
    NSTrellisGlue::TViewFrame GetLayoutFrame() const override { return GetFrame(); }

private:
    TColour fColour;
};
} // namespace NSFerrant

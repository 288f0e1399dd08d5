#pragma once
// A view that shows a bitmap from its top-left corner, cut to the view's frame.
#include "gui/BitmapCache.h"
#include "gui/View.h"

namespace NSFerrant
{
class CDirectBitmapView : public NSTrellisGlue::CABCView
{
public:
    CDirectBitmapView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                      const std::string& name, const TImagePtr& bitmap);

    // Redraws only when it is another bitmap.
    void SetBitmap(const TImagePtr& bitmap);
    const TImagePtr& GetBitmap() const { return fBitmap; }

    // A frame larger than the bitmap shows the bitmap alone: nothing outside it is read.
    void Draw(NSTrellis::INativeRegion* region) override;

private:
    TImagePtr fBitmap;
};
} // namespace NSFerrant

#pragma once
// A view that shows one bitmap centred at its own size: the bitmap of an image identity, or an
// image its owner hands it directly, optionally inside a sunken border.
#include "gui/BitmapCache.h"
#include "gui/ImageIDs.h"
#include "gui/LayoutableView.h"

namespace NSFerrant
{
class CBitmapView : public NSTrellisGlue::CABCView, public ILayoutableView
{
public:
    CBitmapView(const NSTrellisGlue::CABCView& parent, const NSTrellisGlue::TViewFrame& frame,
                const std::string& name);

    // Shows the identity's bitmap; the owner's image is dropped. Nothing happens when the identity
    // is the one shown already and no owner's image is set.
    void SetBitmap(const TImageID& id);
    const TImageID& GetImageID() const { return fImage; }
    // The image shown while the identity is none.
    void SetImage(const TImagePtr& image);
    void SetFramed(bool framed) { fFramed = framed; }
    // Without an identity or image, the frame is filled black.
    void SetFilled(bool filled) { fFilled = filled; }

    void Draw(NSTrellis::INativeRegion* region) override;
    // The library's change of the view's state may change what it shows: it is drawn anew.
    void ViewCallback4(bool flag) override;
    u32 SetLayoutFrame(const NSTrellisGlue::TViewFrame& frame) override { return MoveTo(frame); }
    NSTrellisGlue::TViewFrame GetLayoutFrame() const override { return GetFrame(); }

private:
    TImageID fImage;
    TImagePtr fOwnImage;
    u8 fFramed = 0;
    u8 fFilled = 0;
};

// The view in its shared pointer (see NSTrellisGlue::MakeViewPtr).
std::shared_ptr<CBitmapView> MakeBitmapViewPtr(CBitmapView* view);
} // namespace NSFerrant

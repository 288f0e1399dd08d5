#pragma once
// Painting through the pixel library: the canvases of the GUI library's native drawing calls on a
// program-wide stack, the drawing context a view builds over the top of that stack, and the
// drawing operations the views use.
#include "dlls/tinct/Tinct.h"
#include "dlls/trellis/Trellis.h"

#include <array>
#include <memory>

namespace NSFerrant
{
class CABCImage;

// A native canvas of the GUI library and the pixel library's canvas drawing onto it.
class CTinctCanvas
{
public:
    explicit CTinctCanvas(NSTrellis::INativeCanvas* native) : fNative(native) {}
    CTinctCanvas(const CTinctCanvas&) = delete;
    CTinctCanvas& operator=(const CTinctCanvas&) = delete;

    // Gets and prepares the native handle and makes the pixel library's canvas over it; a
    // failure ends the canvas and goes on.
    void Start();
    // Releases the pixel library's canvas the first time; later calls only count.
    void End();
    // What a shared pointer's deleter does: the pixel library's canvas released, whatever the count.
    void Finish();

    NSTrellis::INativeCanvas* fNative;
    u64 fHandle = 0;
    u8 fPrepared = 0;
    u32 fEndCount = 0;
    NSTinct::ICanvas* fCanvas = nullptr;
};

using TTinctCanvasPtr = std::shared_ptr<CTinctCanvas>;
} // namespace NSFerrant

namespace NSTrellisUtils
{
// Called by the application object's BeginNativeDrawing and EndNativeDrawing: every pop pairs with
// a push. A native canvas whose handle is the top's shares the top's canvas.
void PushCurrentCanvas(NSTrellis::INativeCanvas* native);
void PopCurrentCanvas();
// The number of entries on the stack.
size_t CountCurrentCanvases();
} // namespace NSTrellisUtils

// The drawing state of one view's Draw: the top canvas of the stack and the region to redraw
// (may be null).
struct TDrawContext
{
    // XIllegalCallSequence when the stack is empty.
    explicit TDrawContext(NSTrellis::INativeRegion* region);

    NSTinct::ICanvas* GetCanvas() const { return fCanvas->fCanvas; }

    NSFerrant::TTinctCanvasPtr fCanvas;
    NSTrellis::INativeRegion* fRegion;
};

// Colours are bytes red, green, blue, alpha; rectangles {left, top, right, bottom}.
using TColour = std::array<u8, 4>;
struct TRect
{
    float fLeft;
    float fTop;
    float fRight;
    float fBottom;
};

// The area to redraw: the region's box ({0, 0, -1, -1} for an empty region), or without a region
// the canvas's clip bounds.
TRect GetDrawBounds(TDrawContext& context);
// Nothing for a rectangle less than 1e-5 wide or high.
void FillRect(TDrawContext& context, const TRect& rect, const TColour& colour);
// A one-pixel frame inside the rectangle; a rectangle not more than 2 wide and high is filled.
void FrameRect(TDrawContext& context, const TRect& rect, const TColour& colour);
void DrawLine(TDrawContext& context, float x0, float y0, float x1, float y1, const TColour& colour);
// A raised border: top and left in the light colour, bottom and right in the dark.
void DrawBevelFrame(TDrawContext& context, const TRect& rect, const TColour& light, const TColour& dark);

namespace NSFerrant
{
// The whole image at (x, y); nothing for an image without pixels.
void DrawImageAt(TDrawContext& context, float x, float y, CABCImage* image);
// The image's part from its top-left corner at (x, y), at most width × height and cut to the
// image, so that no pixel outside the image is asked for.
void DrawImagePart(TDrawContext& context, float x, float y, CABCImage* image, u32 width, u32 height);
} // namespace NSFerrant

// Narrows the canvas's clip to a rectangle for its life (a rectangle less than 1e-5 wide or high
// clips nothing).
class CClipScope
{
public:
    CClipScope(TDrawContext& context, const TRect& rect);
    ~CClipScope();
    CClipScope(const CClipScope&) = delete;
    CClipScope& operator=(const CClipScope&) = delete;

    // True when what is left to draw is less than one pixel wide or high.
    bool IsEmpty() const { return fEmpty; }

private:
    TDrawContext& fContext;
    bool fEmpty;
};

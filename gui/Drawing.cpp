#include "gui/Drawing.h"

#include "base/LibraryStatusTables.h"
#include "base/Throw.h"
#include "gui/TinctInterface.h"
#include "gui/VRAMBitmap.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <windows.h>

namespace
{
constexpr float kSmallestSide = 1e-5f;

void ThrowIfTrellisFailure(u32 status)
{
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
}

// The handle of a native canvas, prepared for drawing.
u64 PrepareNativeCanvas(NSTrellis::INativeCanvas* native)
{
    u64 handle = 0;
    ThrowIfTrellisFailure(native->GetHandle(&handle));
    ThrowIfTrellisFailure(native->Prepare());
    return handle;
}

// Made on first use; the GUI thread alone touches it.
std::vector<NSFerrant::TTinctCanvasPtr>& CurrentCanvases()
{
    static std::vector<NSFerrant::TTinctCanvasPtr> stack;
    return stack;
}

bool HasArea(const TRect& rect)
{
    return rect.fRight - rect.fLeft >= kSmallestSide && rect.fBottom - rect.fTop >= kSmallestSide;
}

void FillRects(TDrawContext& context, const TRect* rects, u32 count, const TColour& colour)
{
    ThrowIfTinctFailure(context.GetCanvas()->FillRects(&rects->fLeft, count, colour.data()));
}
} // namespace

namespace NSFerrant
{
void CTinctCanvas::Start()
{
    try
    {
        const u64 handle = PrepareNativeCanvas(fNative);
        fPrepared = 1;
        fHandle = handle;
        u32 status = kTinctLogicError;
        fCanvas = GetTinct()->CreateCanvas(&fHandle, &status);
        ThrowIfTinctFailure(status);
    }
    catch (...)
    {
        End();
        throw;
    }
}

void CTinctCanvas::End()
{
    if (fEndCount != 0)
    {
        ++fEndCount;
        return;
    }
    Finish();
    ++fEndCount;
}

void CTinctCanvas::Finish()
{
    fPrepared = 0;
    if (fCanvas)
        std::exchange(fCanvas, nullptr)->Release(1);
    fHandle = 0;
}

void DrawImagePart(TDrawContext& context, float x, float y, CABCImage* image, u32 width, u32 height)
{
    u32 size[2] = {0, 0};
    // A bitmap's size is stored: no call needed.
    if (const auto* bitmap = dynamic_cast<const CVRAMBitmap*>(image))
    {
        size[0] = bitmap->GetInfo().fWidth;
        size[1] = bitmap->GetInfo().fHeight;
    }
    else if (image)
        image->GetSize(size);
    size[0] = std::min(size[0], width);
    size[1] = std::min(size[1], height);
    if (size[0] > 0 && size[1] > 0)
        image->Draw(context, x, y, 0, 0, size[0], size[1]);
}

void DrawImageAt(TDrawContext& context, float x, float y, CABCImage* image)
{
    DrawImagePart(context, x, y, image, UINT32_MAX, UINT32_MAX);
}
} // namespace NSFerrant

namespace NSTrellisUtils
{
void PushCurrentCanvas(NSTrellis::INativeCanvas* native)
{
    if (!native)
        NSQuorral::Throw<std::invalid_argument>();
    auto& stack = CurrentCanvases();
    if (!stack.empty())
    {
        NSFerrant::TTinctCanvasPtr top = stack.back();
        if (PrepareNativeCanvas(native) == top->fHandle)
        {
            stack.push_back(std::move(top));
            return;
        }
    }
    NSFerrant::TTinctCanvasPtr canvas(new NSFerrant::CTinctCanvas(native), [](NSFerrant::CTinctCanvas* canvas) {
        canvas->Finish();
        delete canvas;
    });
    canvas->Start();
    stack.push_back(std::move(canvas));
}

void PopCurrentCanvas()
{
    auto& stack = CurrentCanvases();
    if (stack.empty())
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    stack.pop_back();
}

size_t CountCurrentCanvases()
{
    return CurrentCanvases().size();
}
} // namespace NSTrellisUtils

TDrawContext::TDrawContext(NSTrellis::INativeRegion* region) : fRegion(region)
{
    const auto& stack = CurrentCanvases();
    if (stack.empty() || !stack.back()->fCanvas)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    fCanvas = stack.back();
}

TRect GetDrawBounds(TDrawContext& context)
{
    if (!context.fRegion)
    {
        float bounds[4] = {};
        ThrowIfTinctFailure(context.GetCanvas()->GetClipBounds(bounds));
        return {bounds[0], bounds[1], bounds[2], bounds[3]};
    }
    u64 handle = 0;
    ThrowIfTrellisFailure(context.fRegion->GetHandle(&handle));
    RECT box{};
    switch (GetRgnBox(reinterpret_cast<HRGN>(uintptr_t(handle)), &box))
    {
    case ERROR:
        NSQuorral::Throw<std::exception>();
    case NULLREGION:
        return {0, 0, -1, -1};
    default:
        return {float(box.left), float(box.top), float(box.right), float(box.bottom)};
    }
}

void FillRect(TDrawContext& context, const TRect& rect, const TColour& colour)
{
    if (HasArea(rect))
        FillRects(context, &rect, 1, colour);
}

void FrameRect(TDrawContext& context, const TRect& rect, const TColour& colour)
{
    if (!HasArea(rect))
        return;
    if (rect.fRight - rect.fLeft > 2 && rect.fBottom - rect.fTop > 2)
    {
        const TRect edges[4] = {
            {rect.fLeft, rect.fTop, rect.fRight, rect.fTop + 1},
            {rect.fLeft, rect.fBottom - 1, rect.fRight, rect.fBottom},
            {rect.fLeft, rect.fTop + 1, rect.fLeft + 1, rect.fBottom - 1},
            {rect.fRight - 1, rect.fTop + 1, rect.fRight, rect.fBottom - 1},
        };
        FillRects(context, edges, 4, colour);
    }
    else
        FillRects(context, &rect, 1, colour);
}

void DrawLine(TDrawContext& context, float x0, float y0, float x1, float y1, const TColour& colour)
{
    const float segment[4] = {x0, y0, x1, y1};
    ThrowIfTinctFailure(context.GetCanvas()->DrawLines(segment, 1, colour.data(), 1.0f));
}

void DrawBevelFrame(TDrawContext& context, const TRect& rect, const TColour& light, const TColour& dark)
{
    DrawLine(context, rect.fLeft, rect.fTop, rect.fRight - 2, rect.fTop, light);
    DrawLine(context, rect.fLeft, rect.fTop, rect.fLeft, rect.fBottom - 2, light);
    DrawLine(context, rect.fLeft, rect.fBottom - 1, rect.fRight - 2, rect.fBottom - 1, dark);
    DrawLine(context, rect.fRight - 1, rect.fBottom - 1, rect.fRight - 1, rect.fTop, dark);
}

CClipScope::CClipScope(TDrawContext& context, const TRect& rect) : fContext(context), fEmpty(false)
{
    ThrowIfTinctFailure(context.GetCanvas()->SaveState());
    try
    {
        if (HasArea(rect))
        {
            const float clip[4] = {rect.fLeft, rect.fTop, rect.fRight, rect.fBottom};
            ThrowIfTinctFailure(context.GetCanvas()->ClipToRect(clip));
        }
        const TRect bounds = GetDrawBounds(context);
        fEmpty = bounds.fRight - bounds.fLeft < 1.0f || bounds.fBottom - bounds.fTop < 1.0f;
    }
    catch (...)
    {
        context.GetCanvas()->RestoreState();
        throw;
    }
}

CClipScope::~CClipScope()
{
    fContext.GetCanvas()->RestoreState();
}

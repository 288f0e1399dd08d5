#include "gui/ScreenPlacement.h"

#include "base/LibraryStatusTables.h"
#include "gui/OpenWindows.h"
#include "gui/TrellisInterface.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
constexpr u32 kWindowFillsScreen = 1;

TIntRect RectOf(const i32 (&values)[4])
{
    return TIntRect{values[0], values[1], values[2], values[3]};
}

// The property record of a library window, zeroed before the library fills it.
template <class TProperties, class TWindow>
std::unique_ptr<TProperties> GetProperties(TWindow* window)
{
    auto properties = std::make_unique<TProperties>();
    std::memset(properties.get(), 0, sizeof(TProperties));
    const u32 status = window->GetProperties(properties.get());
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return properties;
}
} // namespace

TScreenList GetScreens()
{
    TScreenList screens{};
    const u32 status = GetTrellisInterface()->GetScreens(&screens, 0);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return screens;
}

TIntRect UsableAreaOf(const TScreen& screen)
{
    return RectOf(screen.fUsableArea);
}

i64 RectOverlapArea(const TScreen& screen, const TIntRect& rect)
{
    const TIntRect area = UsableAreaOf(screen);
    const float width = std::min<float>(area.fRight, rect.fRight) - std::max<float>(area.fLeft, rect.fLeft);
    const float height = std::min<float>(area.fBottom, rect.fBottom) - std::max<float>(area.fTop, rect.fTop);
    if (width <= 0 || height <= 0)
        return 0;
    return i64(width * height);
}

u32 ChooseBestScreen(const TScreenList& screens, const TIntRect& rect)
{
    if (screens.fCount < 2)
        return 0;
    const u32 count = std::min(screens.fCount, kMaxScreens);
    u32 best = 0;
    i64 bestArea = RectOverlapArea(screens.fScreens[0], rect);
    for (u32 i = 1; i < count; ++i)
    {
        const i64 area = RectOverlapArea(screens.fScreens[i], rect);
        if (area > bestArea)
        {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

TIntRect MoveRectOntoScreen(const TScreenList& screens, const TIntRect& rect, const TIntSize& minimum)
{
    const TIntRect area = UsableAreaOf(screens.fScreens[ChooseBestScreen(screens, rect)]);
    float left = float(rect.fLeft), top = float(rect.fTop), right = float(rect.fRight), bottom = float(rect.fBottom);
    const float areaLeft = float(area.fLeft), areaTop = float(area.fTop);
    const float areaRight = float(area.fRight), areaBottom = float(area.fBottom);
    if (right - left > areaRight - areaLeft)
        right = left + (areaRight - areaLeft);
    if (bottom - top > areaBottom - areaTop)
        bottom = top + (areaBottom - areaTop);
    const auto moveBy = [](float& low, float& high, float distance) {
        low += distance;
        high += distance;
    };
    if (left < areaLeft)
        moveBy(left, right, areaLeft - left);
    if (top < areaTop)
        moveBy(top, bottom, areaTop - top);
    if (right > areaRight)
        moveBy(left, right, areaRight - right);
    if (bottom > areaBottom)
        moveBy(top, bottom, areaBottom - bottom);
    if (minimum.fWidth > 0 && right - left < float(minimum.fWidth))
        right = left + float(minimum.fWidth);
    if (minimum.fHeight > 0 && bottom - top < float(minimum.fHeight))
        bottom = top + float(minimum.fHeight);
    return TIntRect{i32(left), i32(top), i32(right), i32(bottom)};
}

TIntRect MoveRectOntoScreen(const TIntRect& rect, const TIntSize& minimum)
{
    return MoveRectOntoScreen(GetScreens(), rect, minimum);
}

TIntRect GetPlacementReferenceRect()
{
    const std::vector<NSTrellis::IModalDialog*> dialogs = NSTrellisUtils::GetModalDialogs();
    if (!dialogs.empty())
        return RectOf(GetProperties<NSTrellis::TModalDialogProperties>(dialogs.front())->fFrame);
    const TScreenList screens = GetScreens();
    const std::vector<NSTrellis::IDocumentWindow*> windows = NSTrellisUtils::GetDocumentWindows();
    if (!windows.empty())
    {
        const auto properties = GetProperties<NSTrellis::TDocumentWindowProperties>(windows.front());
        const TIntRect frame = RectOf(properties->fFrame);
        if (properties->fState != kWindowFillsScreen)
            return frame;
        return UsableAreaOf(screens.fScreens[ChooseBestScreen(screens, frame)]);
    }
    return UsableAreaOf(screens.fScreens[std::min(screens.fMainScreen, kMaxScreens - 1)]);
}

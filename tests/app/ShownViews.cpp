#include "tests/app/ShownViews.h"

#include <algorithm>

namespace NSAppTests
{
namespace
{
TRegion OwnedRegion(HRGN region)
{
    return TRegion(region, [](HRGN held) { DeleteObject(held); });
}

// The view's rectangle on the screen, cut to the window's shape when it has one.
TRegion ShapeOnScreen(HWND window, const RECT& frame)
{
    TRegion shape = OwnedRegion(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, shape.get()) == ERROR)
        SetRectRgn(shape.get(), 0, 0, frame.right - frame.left, frame.bottom - frame.top);
    OffsetRgn(shape.get(), frame.left, frame.top);
    return shape;
}

// Read without a message to the window, which a program busy packing would answer only late.
std::wstring WindowTextOf(HWND window)
{
    std::wstring text(256, L'\0');
    for (;;)
    {
        const size_t length = size_t(InternalGetWindowText(window, text.data(), int(text.size())));
        if (length + 1 < text.size())
            return text.substr(0, length);
        text.resize(text.size() * 2);
    }
}

std::vector<std::wstring> LinesOf(const std::wstring& text)
{
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'\r' && text[i] != L'\n')
        {
            lines.back() += text[i];
            continue;
        }
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        lines.emplace_back();
    }
    return lines;
}

LOGFONTW MessageFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont;
}

// Runs measure with the message font selected into a screen context.
template <class TMeasure> auto WithMessageFont(TMeasure measure)
{
    const LOGFONTW description = MessageFont();
    const HFONT font = CreateFontIndirectW(&description);
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    const auto result = measure(screen);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return result;
}
} // namespace

std::vector<TShownView> ShownViews(const CRunningProgram& program, HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<TShownView> views;
    for (HWND child : DescendantsOf(window))
    {
        std::string name = program.ViewName(child);
        RECT frame{};
        GetWindowRect(child, &frame);
        RECT shown{};
        // Parked views wait outside the window, where nobody sees them.
        if (name.empty() || !IsWindowVisible(child) || !IntersectRect(&shown, &frame, &client))
            continue;
        views.push_back({child, std::move(name), frame, ShapeOnScreen(child, frame), WindowTextOf(child)});
    }
    return views;
}

bool Overlap(const TShownView& first, const TShownView& second)
{
    const TRegion common = OwnedRegion(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(common.get(), first.fShape.get(), second.fShape.get(), RGN_AND) != NULLREGION;
}

SIZE MeasureShownText(const std::wstring& text)
{
    return WithMessageFont(
        [&](HDC screen)
        {
            TEXTMETRICW metrics{};
            GetTextMetricsW(screen, &metrics);
            const std::vector<std::wstring> lines = LinesOf(text);
            SIZE room{0, LONG(lines.size()) * metrics.tmHeight};
            for (const std::wstring& line : lines)
            {
                SIZE size{};
                GetTextExtentPoint32W(screen, line.c_str(), int(line.size()), &size);
                room.cx = std::max(room.cx, size.cx);
            }
            return room;
        });
}

std::wstring MessageFontFace()
{
    return WithMessageFont(
        [](HDC screen)
        {
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(screen, LF_FACESIZE, face);
            return std::wstring(MessageFont().lfFaceName) + L" drawn as " + face;
        });
}
} // namespace NSAppTests

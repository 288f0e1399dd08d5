// The library's root object behind Tinct_Create.
#include "dlls/tinct/BitmapDrawing.h"
#include "dlls/tinct/PixelGeometry.h"
#include "dlls/tinct/TinctBoundary.h"

#include <cstring>
#include <memory>

namespace NSTinctLibrary
{
namespace
{
constexpr u32 kMessageFontStyle = 7550;

template <class TMake> NSTinct::IBitmap* AnswerBitmap(const float size[2], u32* status, TMake make)
{
    return AnswerObject(status, [&]() -> NSTinct::IBitmap* {
        if (!size)
            ThrowInvalidArgument();
        return make(ToBitmapSide(size[0]), ToBitmapSide(size[1]));
    });
}

class CTinct final : public ITinct
{
public:
    u32 Release(u32 destroy) override
    {
        if (destroy == 1)
            delete this;
        return kTinctOK;
    }

    NSTinct::IBitmap* CreateBitmap8(const float size[2], const u8 palette[256 * 4], u32* status) override
    {
        return AnswerBitmap(size, status, [&](u32 width, u32 height) {
            if (!palette)
                ThrowInvalidArgument();
            RGBQUAD colours[256];
            for (int i = 0; i < 256; ++i)
                colours[i] = RGBQUAD{palette[4 * i + 2], palette[4 * i + 1], palette[4 * i], 0};
            return new CBitmap(width, height, 8, false, colours);
        });
    }

    NSTinct::IBitmap* CreateBitmap16(const float size[2], u32* status) override
    {
        return AnswerBitmap(size, status, [](u32 width, u32 height) { return new CBitmap(width, height, 16, false, nullptr); });
    }

    NSTinct::IBitmap* CreateBitmap32(const float size[2], u32* status) override
    {
        return AnswerBitmap(size, status, [](u32 width, u32 height) { return new CBitmap(width, height, 32, false, nullptr); });
    }

    NSTinct::IBitmap* CreateBitmapRGBA(const float size[2], u32* status) override
    {
        return AnswerBitmap(size, status, [](u32 width, u32 height) { return new CBitmap(width, height, 32, true, nullptr); });
    }

    NSTinct::ICanvas* CreateCanvas(const u64* nativeHandle, u32* status) override
    {
        return AnswerObject(status, [&]() -> NSTinct::ICanvas* {
            if (!nativeHandle)
                ThrowInvalidArgument();
            return new CCanvas(reinterpret_cast<HDC>(uintptr_t(*nativeHandle)));
        });
    }

    u32 DrawBitmap(NSTinct::ICanvas* canvas, NSTinct::IBitmap* bitmap, const float destination[2],
                   const float sourceOrigin[2], const float size[2]) override
    {
        return AnswerStatus([&] {
            if (!destination || !sourceOrigin || !size)
                ThrowInvalidArgument();
            DrawBitmapPart(AsCanvas(canvas), AsBitmap(bitmap), ToPixel(destination[0]), ToPixel(destination[1]),
                           ToPixel(sourceOrigin[0]), ToPixel(sourceOrigin[1]), ToPixel(size[0]), ToPixel(size[1]));
        });
    }

    u32 DrawBitmapInRect(NSTinct::ICanvas* canvas, NSTinct::IBitmap* bitmap, const float rect[4]) override
    {
        return AnswerStatus([&] { DrawBitmapScaled(AsCanvas(canvas), AsBitmap(bitmap), ToPixelRect(rect)); });
    }

    u32 GetFontInfo(u32 style, NSTinct::TFontInfo* info) override
    {
        return AnswerStatus([&] {
            if (!info || style != kMessageFontStyle)
                ThrowInvalidArgument();
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof(metrics);
            if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
                ThrowInvalidArgument();
            const LOGFONTW& font = metrics.lfMessageFont;
            std::memset(info->fFaceName, 0, sizeof(info->fFaceName));
            const size_t length = std::min(wcsnlen(font.lfFaceName, LF_FACESIZE), std::size(info->fFaceName) - 1);
            std::memcpy(info->fFaceName, font.lfFaceName, length * sizeof(u16));
            info->fHeight = font.lfHeight;
            info->fWeight = font.lfWeight;
        });
    }
};
} // namespace
} // namespace NSTinctLibrary

ITinct* Tinct_Create(const char* interfaceName, u32* status)
{
    return NSTinctLibrary::AnswerObject(status, [&]() -> ITinct* {
        if (!interfaceName || std::strcmp(interfaceName, "ITinct") != 0)
            NSTinctLibrary::ThrowInvalidArgument();
        return new NSTinctLibrary::CTinct;
    });
}

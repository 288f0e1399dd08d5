#include "gui/DecodeImageResource.h"

#include "base/ResourceFile.h"
#include "gui/ScanLineWriters.h"
#include "gui/ScreenInfo.h"
#include "base/Media.h"
#include "media/codec/ImageCodecLibraries.h"

namespace NSFerrant
{
namespace
{
std::unique_ptr<CBitmapScanLineWriter> MakeWriterFor(const CScreenInfo& screen)
{
    switch (screen.fDepth)
    {
    case 8:
        return std::make_unique<C8NoDitherScanLineWriter>(screen);
    case 16:
        return std::make_unique<C16ErrorDiffusionScanLineWriter>();
    case 24:
    case 32:
        return std::make_unique<C32ScanLineWriter>();
    default:
        return nullptr;
    }
}
} // namespace

std::unique_ptr<CVRAMBitmap> ConvertForScreen(const CScreenInfo& screen, CVRAMBitmap& opaque)
{
    const std::unique_ptr<CBitmapScanLineWriter> writer = MakeWriterFor(screen);
    if (!writer)
        return nullptr;
    const std::unique_ptr<CPixelAccess> source = OpenPixelsForReading(opaque);
    const u32 width = source->GetInfo().fWidth;
    const u32 height = source->GetInfo().fHeight;
    writer->Begin(width, height);
    for (u32 row = 0; row < height; ++row)
        writer->WriteRowBGRA(row, width, source->GetRow(row));
    return writer->TakeBitmap();
}

std::unique_ptr<CVRAMBitmap> DecodeImageResource(const CScreenInfo& screen, const TResourceID& resource)
{
    CRGBAScanLineWriter rgba;
    {
        const std::unique_ptr<COwnedMemoryMedia> media = COpenResourceFile().LoadResourceMedia(resource);
        GetOriel().Decode(*media, rgba);
    }
    std::unique_ptr<CVRAMBitmap> decoded = rgba.TakeBitmap();
    if (rgba.HasTransparency())
        return decoded;
    return ConvertForScreen(screen, *decoded);
}
} // namespace NSFerrant

#pragma once
// The callback objects the program hands our image codec libraries for one decode: a byte
// reader over a media and a pixel writer onto a scan-line writer. Each answers the library's
// statuses and lets no exception through.
#include "dlls/imagecodec/ImageCodec.h"
#include "media/codec/ImageLib.h"

namespace NSFerrant
{
// TLibrary gives kSuccess and StatusFromCurrentException() of one library.
template <class TLibrary>
class CImageMediaByteReader final : public NSImageCodec::IByteReader
{
public:
    // Borrows the media; the library's positions count from the media's position now.
    explicit CImageMediaByteReader(CMedia& media);

    // Reads at base + position; the media's position ends after the bytes read.
    u32 Read(i64 position, i64 count, void* destination) override;

private:
    CMedia& fMedia;
    i64 fBase;
};

template <class TLibrary>
class CScanLineWriterPixelWriter final : public NSImageCodec::IPixelWriter
{
public:
    explicit CScanLineWriterPixelWriter(CABCScanLineWriter& writer) : fWriter(writer) {}

    // Notes the format and begins the writer's target.
    u32 BeginImage(u32 width, u32 height, u32 pixelFormat) override;
    // A whole row of RGB (format 654) or RGBA (655) pixels; any other format fails.
    u32 WriteScanLine(u32 row, const u8* pixels) override;

private:
    CABCScanLineWriter& fWriter;
    u32 fPixelFormat = NSImageCodec::kPixelFormatRGB;
};

struct TOrielCallbacks
{
    static const u32 kSuccess;
    static u32 StatusFromCurrentException();
};
struct TGliskCallbacks
{
    static const u32 kSuccess;
    static u32 StatusFromCurrentException();
};

using CPNGMediaByteReader = CImageMediaByteReader<TOrielCallbacks>;
using CJPEGMediaByteReader = CImageMediaByteReader<TGliskCallbacks>;
using CPNGScanLineWriterPixelWriter = CScanLineWriterPixelWriter<TOrielCallbacks>;
using CJPEGScanLineWriterPixelWriter = CScanLineWriterPixelWriter<TGliskCallbacks>;

extern template class CImageMediaByteReader<TOrielCallbacks>;
extern template class CImageMediaByteReader<TGliskCallbacks>;
extern template class CScanLineWriterPixelWriter<TOrielCallbacks>;
extern template class CScanLineWriterPixelWriter<TGliskCallbacks>;
} // namespace NSFerrant

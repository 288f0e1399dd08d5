#include "dlls/imagecodec/ImageDecoding.h"

#include "base/ComRef.h"
#include "base/Throw.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include <objbase.h>
#include <wincodec.h>

namespace NSImageCodec
{
namespace
{
// A failed call of the imaging component: the image could not be decoded.
void CheckDecoderResult(HRESULT result)
{
    if (result == E_OUTOFMEMORY)
        NSQuorral::Throw<std::bad_alloc>();
    if (FAILED(result))
        ThrowFormatViolation();
}

// COM on the calling thread for one decode: the program has it already, a thread of its own
// gets it for the call.
class CCOMScope
{
public:
    CCOMScope() : fResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CCOMScope()
    {
        if (SUCCEEDED(fResult))
            CoUninitialize();
    }
    CCOMScope(const CCOMScope&) = delete;
    CCOMScope& operator=(const CCOMScope&) = delete;

private:
    HRESULT fResult;
};

// One BGRA row into the caller's format.
void ConvertRow(const u8* bgra, u32 width, u32 pixelFormat, u8* out)
{
    const bool withAlpha = pixelFormat == kPixelFormatRGBA;
    for (u32 x = 0; x < width; ++x, bgra += 4)
    {
        *out++ = bgra[2];
        *out++ = bgra[1];
        *out++ = bgra[0];
        if (withAlpha)
            *out++ = bgra[3];
    }
}
} // namespace

void ThrowFormatViolation()
{
    NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void ThrowUnsupportedFormat()
{
    NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
}

void ThrowInvalidArgument()
{
    NSQuorral::Throw<std::invalid_argument>();
}

std::vector<u8> ReadSource(IByteReader& reader, i64 byteCount, const TStatusBridge& bridge)
{
    if (byteCount < 0)
        ThrowInvalidArgument();
    if (byteCount > kMaxSourceBytes)
        ThrowUnsupportedFormat();
    std::vector<u8> source(static_cast<size_t>(byteCount));
    if (byteCount > 0)
    {
        const u32 status = reader.Read(0, byteCount, source.data());
        if (status != bridge.fSuccess)
            bridge.fThrow(status, NSQuorral::TThrowSite{});
    }
    return source;
}

void CheckImageSize(u32 width, u32 height)
{
    if (width == 0 || height == 0)
        ThrowFormatViolation();
    if (width > kMaxSide || height > kMaxSide || u64(width) * height > kMaxPixelCount)
        ThrowUnsupportedFormat();
}

void DecodeRows(const std::vector<u8>& source, const CLSID& decoderClass, const TImageHeader& header,
                IPixelWriter& writer, const TStatusBridge& bridge)
{
    CheckImageSize(header.fWidth, header.fHeight);
    if (source.size() > kMaxSourceBytes)
        ThrowUnsupportedFormat();
    // The writer hears the size before the imaging component decodes anything (it may decode the
    // whole image as it opens it), so that it can refuse an image by its size alone.
    const u32 status = writer.BeginImage(header.fWidth, header.fHeight, header.fPixelFormat);
    if (status != bridge.fSuccess)
        bridge.fThrow(status, NSQuorral::TThrowSite{});
    const CCOMScope com;
    CComRef<IWICImagingFactory> factory;
    CheckDecoderResult(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, factory.ReceiveVoid()));
    CComRef<IWICStream> stream;
    CheckDecoderResult(factory->CreateStream(stream.Receive()));
    CheckDecoderResult(stream->InitializeFromMemory(const_cast<u8*>(source.data()), DWORD(source.size())));
    CComRef<IWICBitmapDecoder> decoder;
    CheckDecoderResult(CoCreateInstance(decoderClass, nullptr, CLSCTX_INPROC_SERVER, IID_IWICBitmapDecoder,
                                        decoder.ReceiveVoid()));
    CheckDecoderResult(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand));
    CComRef<IWICBitmapFrameDecode> frame;
    CheckDecoderResult(decoder->GetFrame(0, frame.Receive()));
    UINT width = 0;
    UINT height = 0;
    CheckDecoderResult(frame->GetSize(&width, &height));
    if (width != header.fWidth || height != header.fHeight)
        ThrowFormatViolation();
    CComRef<IWICFormatConverter> converter;
    CheckDecoderResult(factory->CreateFormatConverter(converter.Receive()));
    CheckDecoderResult(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                             nullptr, 0.0, WICBitmapPaletteTypeCustom));

    const u32 bgraStride = width * 4;
    std::vector<u8> bgra(bgraStride);
    std::vector<u8> row(size_t(width) * (header.fPixelFormat == kPixelFormatRGBA ? 4 : 3));
    for (u32 y = 0; y < height; ++y)
    {
        const WICRect rect{0, INT(y), INT(width), 1};
        CheckDecoderResult(converter->CopyPixels(&rect, bgraStride, bgraStride, bgra.data()));
        ConvertRow(bgra.data(), width, header.fPixelFormat, row.data());
        const u32 rowStatus = writer.WriteScanLine(y, row.data());
        if (rowStatus != bridge.fSuccess)
            bridge.fThrow(rowStatus, NSQuorral::TThrowSite{});
    }
}
} // namespace NSImageCodec

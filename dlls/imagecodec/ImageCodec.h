#pragma once
// What our two image codec libraries, Oriel (PNG) and Glisk (JPEG), share at their boundary: the
// byte reader through which they read an image and the pixel writer to which they hand its rows.
// Every operation answers a u32 status, the library's own success code or a code of its table
// (base/LibraryStatusTables.h); no exception leaves a library.
#include "base/Types.h"

namespace NSImageCodec
{
// Pixel formats of BeginImage: rows of 3-byte pixels red, green, blue, or of 4-byte pixels red,
// green, blue, alpha (straight, not premultiplied). A PNG with an alpha channel or a
// transparency chunk comes as RGBA, every other image as RGB.
constexpr u32 kPixelFormatRGB = 654;
constexpr u32 kPixelFormatRGBA = 655;

// Implemented by the caller: reads count bytes at position (counted from the image's first byte)
// into destination and answers the library's success code, or a status of its table.
class IByteReader
{
public:
    virtual u32 Read(i64 position, i64 count, void* destination) = 0;

protected:
    // The library never destroys a caller's reader.
    ~IByteReader() = default;
};

// Implemented by the caller: receives the decoded image. BeginImage comes once, before the rows;
// then WriteScanLine once per row, top row (0) first, each row width pixels of the announced
// format, valid only during the call. A status other than success ends the decode, and the
// library answers that status.
class IPixelWriter
{
public:
    virtual u32 BeginImage(u32 width, u32 height, u32 pixelFormat) = 0;
    virtual u32 WriteScanLine(u32 row, const u8* pixels) = 0;

protected:
    ~IPixelWriter() = default;
};

// The largest image either library decodes: a side of at most kMaxSide pixels and at most
// kMaxPixelCount pixels in all. A header that claims more is refused before anything is sized.
constexpr u32 kMaxSide = 32767;
constexpr u64 kMaxPixelCount = u64(1) << 27;
// The largest source read; the whole source is held in memory while it decodes.
constexpr i64 kMaxSourceBytes = i64(256) << 20;
} // namespace NSImageCodec

#pragma once
// The decoding both image codec libraries share: the source read through the caller's byte
// reader, the size limits, and the rows decoded by the platform's imaging component (WIC), always
// converted to 32-bit BGRA first (other targets fail for some sources) and then handed on in the
// caller's format.
#include "base/StatusCodes.h"
#include "dlls/imagecodec/ImageCodec.h"

#include <vector>

#include <windows.h>

namespace NSImageCodec
{
// How one library's statuses and exceptions turn into each other.
struct TStatusBridge
{
    u32 fSuccess;
    [[noreturn]] void (*fThrow)(u32 status, const NSQuorral::TThrowSite& site);
    u32 (*fFromCurrentException)(const NSQuorral::TThrowSite& site);
};

// What a library reads of an image's header before the imaging component sees it.
struct TImageHeader
{
    u32 fWidth;
    u32 fHeight;
    u32 fPixelFormat; // kPixelFormatRGB or kPixelFormatRGBA
};

// The whole source of byteCount bytes. A negative count is std::invalid_argument, one above
// kMaxSourceBytes XUnsupportedFormat; a reader status other than success is thrown through the
// bridge.
std::vector<u8> ReadSource(IByteReader& reader, i64 byteCount, const TStatusBridge& bridge);

// XFormatViolation for a side of 0; XUnsupportedFormat for an image beyond the size limits.
void CheckImageSize(u32 width, u32 height);

// Begins the writer's image at the header's size, then decodes the source with the imaging
// component's decoder and hands header.fPixelFormat rows to the writer. An image whose decoded size differs from the header's is XFormatViolation; a
// decoder failure is XFormatViolation (std::bad_alloc when it ran out of memory); a writer status
// other than success is thrown through the bridge.
void DecodeRows(const std::vector<u8>& source, const CLSID& decoder, const TImageHeader& header,
                IPixelWriter& writer, const TStatusBridge& bridge);

[[noreturn]] void ThrowFormatViolation();
[[noreturn]] void ThrowUnsupportedFormat();
[[noreturn]] void ThrowInvalidArgument();
} // namespace NSImageCodec

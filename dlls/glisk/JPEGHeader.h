#pragma once
// What Glisk reads of a JPEG file itself: the size in its frame header.
#include "dlls/imagecodec/ImageDecoding.h"

namespace NSGliskLibrary
{
// The size from the first start-of-frame segment, rows always RGB. XFormatViolation for a file
// that does not start with a start-of-image marker, a segment that runs past the end, or scan
// data before any frame header, and for a size the file is too short to hold (more than 512
// pixels per byte); XUnsupportedFormat for a height left to a later marker (0) and for a size
// beyond the limits.
NSImageCodec::TImageHeader ReadJPEGHeader(const std::vector<u8>& file);
} // namespace NSGliskLibrary

#pragma once
// What Oriel reads of a PNG file itself: the size and whether the rows carry alpha.
#include "dlls/imagecodec/ImageDecoding.h"

namespace NSOrielLibrary
{
// The size from the header chunk, and RGBA when the colour type has an alpha channel or a
// transparency chunk comes before the image data. XFormatViolation for a missing signature, a
// first chunk other than a 13-byte header, or a chunk that runs past the end before the data.
NSImageCodec::TImageHeader ReadPNGHeader(const std::vector<u8>& file);
} // namespace NSOrielLibrary

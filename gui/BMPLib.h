#pragma once
// Uncompressed 24-bit Windows bitmaps (".bmp"): a 54-byte header, then rows bottom-up, each padded
// to a multiple of 4 bytes.
#include "media/codec/ImageLib.h"

namespace NSFerrant
{
class CVRAMBitmap;

class CBMPLib final : public CImageLib
{
public:
    // Decodes the bitmap at the source's position. A header that is not of an uncompressed
    // 24-bit bitmap is XUnsupportedFormat; sizes the file cannot hold are XFormatViolation,
    // found before any row is read.
    void Decode(CMedia& source, CABCScanLineWriter& writer) override;

    // Writes the bitmap as a 24-bit file at the destination's position. 8-bit bitmaps cannot be
    // written (std::exception after the header).
    void Encode(CVRAMBitmap& bitmap, CMedia& destination);

    // The bytes of one stored row of width pixels.
    static u64 RowBytes(u32 width);
};
} // namespace NSFerrant

#pragma once
// Image decoders and the row sink they decode into. The decoders deliver a picture row by row in
// one of five pixel layouts; a scan-line writer (the GUI's writers store rows into bitmaps) takes
// them.
#include "base/Types.h"

namespace NSFerrant
{
class CMedia;

class CABCScanLineWriter
{
public:
    CABCScanLineWriter() = default;
    CABCScanLineWriter(const CABCScanLineWriter&) = delete;
    CABCScanLineWriter& operator=(const CABCScanLineWriter&) = delete;
    virtual ~CABCScanLineWriter() = default;

    // Rows of count pixels into target row `row` (0 is the top): 3-byte pixels red, green, blue;
    // blue, green, red; 4-byte pixels red, green, blue, alpha; alpha, red, green, blue; blue,
    // green, red, alpha. A row outside the target or more pixels than its width is
    // XFormatViolation: the rows come from the user's files.
    virtual void WriteRowRGB(u32 row, u32 count, const u8* pixels) = 0;
    virtual void WriteRowBGR(u32 row, u32 count, const u8* pixels) = 0;
    virtual void WriteRowRGBA(u32 row, u32 count, const u8* pixels) = 0;
    virtual void WriteRowARGB(u32 row, u32 count, const u8* pixels) = 0;
    virtual void WriteRowBGRA(u32 row, u32 count, const u8* pixels) = 0;

    // Makes the target of width × height pixels; a decoder calls it once, before the first row
    // (XIllegalCallSequence the second time).
    void Begin(u32 width, u32 height);
    // The target's width that Begin noted: the pixel count of a whole row.
    u32 GetRowPixelCount() const { return fRowPixelCount; }

protected:
    virtual void MakeTarget(u32 width, u32 height) = 0;

private:
    bool fBegun = false;
    u32 fRowPixelCount = 0;
};

// An image codec: decodes the image that fills a media from its position to its end.
class CImageLib
{
public:
    CImageLib() = default;
    CImageLib(const CImageLib&) = delete;
    CImageLib& operator=(const CImageLib&) = delete;
    virtual ~CImageLib() = default;

    virtual void Decode(CMedia& source, CABCScanLineWriter& writer) = 0;
};
} // namespace NSFerrant

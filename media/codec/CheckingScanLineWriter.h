#pragma once
// A scan-line writer for a decode that only checks an image: every row is checked as a bitmap's
// writer checks it and then dropped, so the check holds no more than the decoder's own rows.
#include "media/codec/ImageLib.h"

namespace NSFerrant
{
class CCheckingScanLineWriter final : public CABCScanLineWriter
{
public:
    void WriteRowRGB(u32 row, u32 count, const u8* pixels) override;
    void WriteRowBGR(u32 row, u32 count, const u8* pixels) override;
    void WriteRowRGBA(u32 row, u32 count, const u8* pixels) override;
    void WriteRowARGB(u32 row, u32 count, const u8* pixels) override;
    void WriteRowBGRA(u32 row, u32 count, const u8* pixels) override;

protected:
    void MakeTarget(u32 width, u32 height) override;

private:
    // Before Begin XIllegalCallSequence; a row outside the image or longer than its width
    // XFormatViolation.
    void CheckRow(u32 row, u32 count) const;

    bool fBegun = false;
    u32 fWidth = 0;
    u32 fHeight = 0;
};
} // namespace NSFerrant

#pragma once
// Scan-line writers that store decoded rows into a new bitmap of one depth, converting colours on
// the way: to the nearest palette entry for 8 bits, to 5-5-5 with error diffusion for 16 bits, or
// to 32 bits with or without a record of transparency.
#include "gui/VRAMBitmap.h"
#include "media/codec/ImageLib.h"

class CScreenInfo;

namespace NSFerrant
{
// Where a pixel's channels lie in one input layout.
struct TPixelLayout
{
    u32 fSize;
    u8 fRed;
    u8 fGreen;
    u8 fBlue;
    u8 fAlpha;
    bool fHasAlpha;
};

// The target bitmap and its pixel access, and the checks every row passes. The writer owns the
// target until TakeBitmap hands it out.
class CBitmapScanLineWriter : public CABCScanLineWriter
{
public:
    ~CBitmapScanLineWriter() override;

    void WriteRowRGB(u32 row, u32 count, const u8* pixels) final;
    void WriteRowBGR(u32 row, u32 count, const u8* pixels) final;
    void WriteRowRGBA(u32 row, u32 count, const u8* pixels) final;
    void WriteRowARGB(u32 row, u32 count, const u8* pixels) final;
    void WriteRowBGRA(u32 row, u32 count, const u8* pixels) final;

    // A new bitmap of this writer's depth.
    virtual std::unique_ptr<CVRAMBitmap> CreateTarget(u32 width, u32 height) = 0;

    // The finished bitmap, its pixel access closed; null before Begin or once taken.
    std::unique_ptr<CVRAMBitmap> TakeBitmap();

protected:
    void MakeTarget(u32 width, u32 height) final;
    // Converts count pixels of the layout into the row.
    virtual void StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout) = 0;

private:
    void WriteRow(u32 row, u32 count, const u8* pixels, const TPixelLayout& layout);

    std::unique_ptr<CVRAMBitmap> fTarget;
    std::unique_ptr<CPixelAccess> fAccess;
};

// 8 bits: each pixel the index of the nearest entry of the screen's palette (sum of absolute
// channel differences; on equal sums the lower index). Alpha is ignored.
class C8NoDitherScanLineWriter final : public CBitmapScanLineWriter
{
public:
    explicit C8NoDitherScanLineWriter(const CScreenInfo& screen) : fScreen(screen) {}
    std::unique_ptr<CVRAMBitmap> CreateTarget(u32 width, u32 height) override;

protected:
    void StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout) override;

private:
    const CScreenInfo& fScreen;
};

// 16 bits, 5-5-5, with error diffusion: half of the three bits each channel drops goes to the
// next pixel to the right and to the same column of the next row. The carries run on from row to
// row; only CreateTarget clears them. Alpha is ignored.
class C16ErrorDiffusionScanLineWriter final : public CBitmapScanLineWriter
{
public:
    std::unique_ptr<CVRAMBitmap> CreateTarget(u32 width, u32 height) override;

    // Carries by channel: 0 blue, 1 green, 2 red.
    const u8* GetCarries() const { return fCarries; }

protected:
    void StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout) override;

private:
    std::vector<u8> fErrorRow; // per column blue, green, red
    u8 fCarries[3] = {};
};

// 32 bits: blue, green, red, alpha; rows without alpha get 255.
class C32ScanLineWriter : public CBitmapScanLineWriter
{
public:
    std::unique_ptr<CVRAMBitmap> CreateTarget(u32 width, u32 height) override;

protected:
    void StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout) override;
};

// 32 bits into an RGBA bitmap, noting whether any row with alpha had a pixel that is not opaque.
class CRGBAScanLineWriter final : public C32ScanLineWriter
{
public:
    std::unique_ptr<CVRAMBitmap> CreateTarget(u32 width, u32 height) override;
    bool HasTransparency() const { return fHasTransparency; }

protected:
    void StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout) override;

private:
    bool fHasTransparency = false;
};
} // namespace NSFerrant

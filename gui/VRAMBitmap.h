#pragma once
// The program's images: the abstract image and the bitmap of the pixel library that every picture
// the program shows is, with its four factories and direct access to its pixels.
#include "dlls/tinct/Tinct.h"

#include <array>
#include <memory>
#include <vector>

struct TDrawContext;

namespace NSFerrant
{
class CABCImage
{
public:
    CABCImage() = default;
    CABCImage(const CABCImage&) = delete;
    CABCImage& operator=(const CABCImage&) = delete;
    virtual ~CABCImage() = default;

    // {width, height}.
    virtual void GetSize(u32 size[2]) const = 0;
    // The part {sourceX, sourceY, width, height} at (x, y).
    virtual void Draw(TDrawContext& context, float x, float y, u32 sourceX, u32 sourceY, u32 width, u32 height) = 0;
    // The whole image scaled into {left, top, right, bottom}.
    virtual void DrawInRect(TDrawContext& context, const float rect[4]) = 0;
};

class CVRAMBitmap final : public CABCImage
{
public:
    // Takes ownership of the bitmap (released here when its description cannot be read).
    explicit CVRAMBitmap(NSTinct::IBitmap* bitmap);
    ~CVRAMBitmap() override;

    void GetSize(u32 size[2]) const override;
    void Draw(TDrawContext& context, float x, float y, u32 sourceX, u32 sourceY, u32 width, u32 height) override;
    void DrawInRect(TDrawContext& context, const float rect[4]) override;

    NSTinct::IBitmap* GetBitmap() const { return fBitmap; }
    // The description read from the library when the object was made.
    const NSTinct::TBitmapInfo& GetInfo() const { return fInfo; }

private:
    NSTinct::IBitmap* fBitmap;
    NSTinct::TBitmapInfo fInfo;
};

// Red, green, blue of the 256 entries of an 8-bit screen's palette.
using TPalette = std::vector<std::array<u8, 3>>;

// New bitmaps of width × height, every pixel 0. The palette of an 8-bit one has 256 entries.
std::unique_ptr<CVRAMBitmap> NewBitmap8(u32 width, u32 height, const TPalette& palette);
std::unique_ptr<CVRAMBitmap> NewBitmap16(u32 width, u32 height);
std::unique_ptr<CVRAMBitmap> NewBitmap32(u32 width, u32 height);
std::unique_ptr<CVRAMBitmap> NewBitmapRGBA(u32 width, u32 height);

// A bitmap's pixels, reachable while the object lives: row r at GetRow(r), GetInfo().fRowBytes
// apart. Only a bitmap of 8, 16 or 32 bits per pixel can be opened.
class CPixelAccess
{
public:
    CPixelAccess(CVRAMBitmap& bitmap, bool forWriting);
    ~CPixelAccess();
    CPixelAccess(const CPixelAccess&) = delete;
    CPixelAccess& operator=(const CPixelAccess&) = delete;

    const NSTinct::TBitmapInfo& GetInfo() const { return fInfo; }
    u8* GetRow(u32 row) const { return fBase + u64(row) * fInfo.fRowBytes; }

private:
    CVRAMBitmap& fBitmap;
    NSTinct::IPixelLock* fLock;
    NSTinct::TBitmapInfo fInfo;
    u8* fBase;
};

std::unique_ptr<CPixelAccess> OpenPixelsForWriting(CVRAMBitmap& bitmap);
std::unique_ptr<CPixelAccess> OpenPixelsForReading(CVRAMBitmap& bitmap);
} // namespace NSFerrant

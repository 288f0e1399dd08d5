#pragma once
// Tinct, our pixel library, as its users see it: the factory export and the interfaces of its
// root, canvas, bitmap and pixel-lock objects, laid out by slot. Every operation answers a u32
// status, kTinctOK for success (the table is in base/LibraryStatusTables.h); an out-status is preset
// by the caller and holds the final status when the operation returns. No exception leaves the
// library.
//
// Colours are four bytes red, green, blue, alpha. Rectangles are four floats left, top, right,
// bottom in pixels; coordinates are rounded to the nearest pixel edge.
#include "base/LibraryStatusTables.h"
#include "base/Types.h"

// A slot whose operation is not built: it answers kTinctLogicError (std::logic_error at the caller).
#define TINCT_RESERVED_SLOT(n) \
    virtual u32 ReservedSlot##n() { return kTinctLogicError; }

namespace NSTinct
{
// The description of a bitmap. Pixels: 8 bits one palette index; 16 bits a little-endian u16 with
// red in bits 10 to 14, green in 5 to 9, blue in 0 to 4; 32 bits bytes blue, green, red, alpha.
// Row r starts at the base address + r × fRowBytes; row 0 is the top.
struct TBitmapInfo
{
    u32 fWidth;
    u32 fHeight;
    u64 fRowBytes;
    u32 fBitsPerPixel; // 8, 16 or 32
    u32 fHasAlpha;     // 1 for an RGBA bitmap, whose alpha bytes are drawn as straight alpha
};
static_assert(sizeof(TBitmapInfo) == 24);

// The text-style record of GetFontInfo: 540 bytes, of which the library fills the start.
struct TFontInfo
{
    u16 fFaceName[32]; // zero-terminated UTF-16
    i32 fHeight;       // character height in pixels, as a LOGFONT's negative height
    i32 fWeight;       // 400 normal, 700 bold
    u8 fReserved[468];
};
static_assert(sizeof(TFontInfo) == 540);

// Access to a bitmap's pixels while the lock object lives. One writing lock excludes every other
// lock; any number of reading locks may be held together. The address operations answer
// kTinctInvalidArgument when the bitmap's depth is not theirs, kTinctIllegalCallSequence when a reading lock
// is asked for a writing address.
class IPixelLock
{
public:
    // Slot 0: with 1 the lock ends and the object is destroyed.
    virtual u32 Release(u32 destroy) = 0;
    TINCT_RESERVED_SLOT(1)
    TINCT_RESERVED_SLOT(2)
    // Slots 3 and 4: the base address of an 8-bit bitmap, for writing and for reading.
    virtual u32 GetPixels8ForWriting(u64* address) = 0;
    virtual u32 GetPixels8ForReading(u64* address) = 0;
    TINCT_RESERVED_SLOT(5)
    // Slots 6 and 7: of a 16-bit bitmap.
    virtual u32 GetPixels16ForWriting(u64* address) = 0;
    virtual u32 GetPixels16ForReading(u64* address) = 0;
    // Slots 8 and 9: of a 32-bit bitmap, plain or RGBA.
    virtual u32 GetPixels32ForWriting(u64* address) = 0;
    virtual u32 GetPixels32ForReading(u64* address) = 0;

protected:
    ~IPixelLock() = default;
};

class IBitmap
{
public:
    // Slot 0: with 1 the bitmap is destroyed; its locks must have ended (kTinctIllegalCallSequence
    // otherwise).
    virtual u32 Release(u32 destroy) = 0;
    // Slot 1.
    virtual u32 GetInfo(TBitmapInfo* info) = 0;
    // Slots 2 and 3: a lock for reading or for writing; kTinctIllegalCallSequence while a conflicting lock
    // lives.
    virtual IPixelLock* LockForReading(u32* status) = 0;
    virtual IPixelLock* LockForWriting(u32* status) = 0;

protected:
    ~IBitmap() = default;
};

// Measures text of a style on the canvas that made it; owned by that canvas.
class ITextMeasurer
{
public:
    // Slot 0: {ascent, descent} in pixels of the style's font.
    virtual u32 GetFontMetrics(const TFontInfo* style, float metrics[2]) = 0;

protected:
    ~ITextMeasurer() = default;
};

// Drawing onto a device context that the caller owns and keeps alive while the canvas lives.
class ICanvas
{
public:
    // Slot 0: with 1 the canvas is destroyed; the device context is left as the canvas found it.
    virtual u32 Release(u32 destroy) = 0;
    TINCT_RESERVED_SLOT(1)
    // Slots 2 and 3: save and restore the clip; a restore without a save answers kTinctIllegalCallSequence.
    virtual u32 SaveState() = 0;
    virtual u32 RestoreState() = 0;
    // Slot 4: narrows the clip to the rectangle.
    virtual u32 ClipToRect(const float rect[4]) = 0;
    // Slot 5: the bounding box of the clip; all zero when nothing can be drawn.
    virtual u32 GetClipBounds(float bounds[4]) = 0;
    TINCT_RESERVED_SLOT(6)
    TINCT_RESERVED_SLOT(7)
    TINCT_RESERVED_SLOT(8)
    TINCT_RESERVED_SLOT(9)
    TINCT_RESERVED_SLOT(10)
    // Slot 11: one run of zero-terminated UTF-16 text in the style's font, starting at x with its
    // baseline at y, each line after a line break one line height (ascent and descent) lower; the
    // background is left as it is and the colour's alpha is not used.
    virtual u32 DrawTextRun(const float position[2], const u16* text, const TFontInfo* style, const u8 colour[4]) = 0;
    TINCT_RESERVED_SLOT(12)
    TINCT_RESERVED_SLOT(13)
    // Slot 14: fills count rectangles (right and bottom edges excluded); alpha 255 paints, alpha 0
    // leaves the pixels, anything between blends.
    virtual u32 FillRects(const float* rects, u32 count, const u8 colour[4]) = 0;
    // Slot 15: draws count segments {x0, y0, x1, y1}, each without its end point, width pixels
    // wide (at least 1); the colour's alpha is not used.
    virtual u32 DrawLines(const float* segments, u32 count, const u8 colour[4], float width) = 0;
    // Slot 16: the canvas's text measurer, valid while the canvas lives.
    virtual ITextMeasurer* GetTextMeasurer(u32* status) = 0;

protected:
    ~ICanvas() = default;
};
} // namespace NSTinct

class ITinct
{
public:
    // Slot 0: with 1 the interface is destroyed; bitmaps and canvases stay usable.
    virtual u32 Release(u32 destroy) = 0;
    TINCT_RESERVED_SLOT(1)
    // Slot 2: an 8-bit bitmap of size {width, height} (each truncated, 1 to 32767) with a palette
    // of 256 colours; their alpha is not used.
    virtual NSTinct::IBitmap* CreateBitmap8(const float size[2], const u8 palette[256 * 4], u32* status) = 0;
    // Slots 3 to 5: 16-bit, 32-bit and RGBA bitmaps, every pixel 0.
    virtual NSTinct::IBitmap* CreateBitmap16(const float size[2], u32* status) = 0;
    virtual NSTinct::IBitmap* CreateBitmap32(const float size[2], u32* status) = 0;
    virtual NSTinct::IBitmap* CreateBitmapRGBA(const float size[2], u32* status) = 0;
    // Slot 6: a canvas over the device context (HDC) in *nativeHandle.
    virtual NSTinct::ICanvas* CreateCanvas(const u64* nativeHandle, u32* status) = 0;
    TINCT_RESERVED_SLOT(7)
    // Slot 8: copies the part of the bitmap at sourceOrigin of size to destination. The part is
    // first cut to the bitmap: nothing outside the bitmap is ever read. An RGBA bitmap is blended
    // by its alpha, every other bitmap copied.
    virtual u32 DrawBitmap(NSTinct::ICanvas* canvas, NSTinct::IBitmap* bitmap, const float destination[2],
                           const float sourceOrigin[2], const float size[2]) = 0;
    // Slot 9: the whole bitmap scaled into the rectangle.
    virtual u32 DrawBitmapInRect(NSTinct::ICanvas* canvas, NSTinct::IBitmap* bitmap, const float rect[4]) = 0;
    // Slot 10: fills the record for a text style; style 7550 is the system's message font.
    virtual u32 GetFontInfo(u32 style, NSTinct::TFontInfo* info) = 0;

protected:
    ~ITinct() = default;
};

#undef TINCT_RESERVED_SLOT

// The library's interface by name ("ITinct"); the caller presets the status to kTinctOK.
extern "C" ITinct* Tinct_Create(const char* interfaceName, u32* status);

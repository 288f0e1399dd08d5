#pragma once
// Owners of the GDI objects the library makes for one operation, released on every exit.
#include "base/Types.h"

#include <utility>

#include <windows.h>

namespace NSTinctLibrary
{
// A pen, brush or bitmap, deleted when the owner goes.
class CGDIObject
{
public:
    explicit CGDIObject(HGDIOBJ object) : fObject(object) {}
    ~CGDIObject()
    {
        if (fObject)
            DeleteObject(fObject);
    }
    CGDIObject(const CGDIObject&) = delete;
    CGDIObject& operator=(const CGDIObject&) = delete;

    HGDIOBJ Get() const { return fObject; }

private:
    HGDIOBJ fObject;
};

// A memory device context compatible with another.
class CMemoryDC
{
public:
    explicit CMemoryDC(HDC compatibleWith);
    ~CMemoryDC() { DeleteDC(fDC); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return fDC; }

private:
    HDC fDC;
};

// An object selected into a device context for the owner's life; the previous one returns after.
class CSelection
{
public:
    CSelection(HDC dc, HGDIOBJ object);
    ~CSelection() { SelectObject(fDC, fPrevious); }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC fDC;
    HGDIOBJ fPrevious;
};

// A device context's state, saved for the owner's life and put back after.
class CSavedDCState
{
public:
    explicit CSavedDCState(HDC dc);
    ~CSavedDCState() { RestoreDC(fDC, fState); }
    CSavedDCState(const CSavedDCState&) = delete;
    CSavedDCState& operator=(const CSavedDCState&) = delete;

private:
    HDC fDC;
    int fState;
};

// A 32-bit top-down DIB section of the given size, its pixels in fBits.
struct TDIBSection
{
    HBITMAP fBitmap;
    void* fBits;
};
// std::bad_alloc when the system cannot make it; palette (256 entries) only for 8 bits.
TDIBSection CreateDIBSectionOf(u32 width, u32 height, u32 bitsPerPixel, const RGBQUAD* palette);
} // namespace NSTinctLibrary

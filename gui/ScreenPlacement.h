#pragma once
// Screen geometry for placing new windows: which screen a rectangle belongs to, and moving a
// rectangle onto it. Rectangles are four i32 {left, top, right, bottom}.
#include "dlls/trellis/Trellis.h"

struct TIntRect
{
    i32 fLeft, fTop, fRight, fBottom;
};

struct TIntSize
{
    i32 fWidth, fHeight;
};

inline bool operator==(const TIntRect& a, const TIntRect& b)
{
    return a.fLeft == b.fLeft && a.fTop == b.fTop && a.fRight == b.fRight && a.fBottom == b.fBottom;
}

// The library's list of screens; its failure is thrown.
TScreenList GetScreens();

TIntRect UsableAreaOf(const TScreen& screen);

// The area the rectangle shares with the screen's usable area; 0 when they do not overlap.
i64 RectOverlapArea(const TScreen& screen, const TIntRect& rect);

// The screen that holds most of the rectangle; of equal ones the first. With fewer than two
// screens, screen 0.
u32 ChooseBestScreen(const TScreenList& screens, const TIntRect& rect);

// The rectangle shrunk to fit the usable area of its best screen and moved onto it, then grown
// to the minimum size where it is smaller (a minimum component of 0 or less asks nothing): the
// minimum wins over the screen.
TIntRect MoveRectOntoScreen(const TScreenList& screens, const TIntRect& rect, const TIntSize& minimum);
TIntRect MoveRectOntoScreen(const TIntRect& rect, const TIntSize& minimum);

// What a new dialog is placed over: the frontmost modal dialog's frame; else the frontmost
// document window's frame, or the usable area of its screen when it fills that screen; else
// the usable area of the main screen.
TIntRect GetPlacementReferenceRect();

#pragma once
// A PNG image resource of the program turned into a bitmap that suits the screen.
#include "base/ResourceID.h"
#include "gui/VRAMBitmap.h"

class CScreenInfo;

namespace NSFerrant
{
class CImageLib;

// An image with transparency stays an RGBA bitmap; an opaque one becomes a bitmap of the
// screen's depth (8 with its palette, 16, or 32 for 24 and 32); null for any other depth.
std::unique_ptr<CVRAMBitmap> DecodeImageResource(const CScreenInfo& screen, const TResourceID& resource);

// The same for a PNG image already decoded into an RGBA writer's bitmap: the conversion step alone.
std::unique_ptr<CVRAMBitmap> ConvertForScreen(const CScreenInfo& screen, CVRAMBitmap& opaque);
} // namespace NSFerrant

#pragma once
// A view's frame as a drawing rectangle.
#include "gui/Drawing.h"
#include "gui/View.h"

namespace NSFerrant
{
inline TRect ToRect(const NSTrellisGlue::TViewFrame& frame)
{
    return {frame[0], frame[1], frame[2], frame[3]};
}
} // namespace NSFerrant

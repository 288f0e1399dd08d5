#pragma once
// Dialog units turned into pixels by Windows itself, on a hidden dialog in the font the program's
// dialogs show, made on first use and kept for the run.
#include "gui/View.h"

namespace NSFerrant
{
// {x, y, x + cx, y + cy} in dialog units to pixels; font is kDialogFontShellDlg or
// kDialogFontSegoeUI (std::invalid_argument otherwise).
NSTrellisGlue::TViewFrame MapDialogUnits(u32 font, i32 x, i32 y, i32 cx, i32 cy);
} // namespace NSFerrant

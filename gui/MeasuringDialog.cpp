#include "gui/MeasuringDialog.h"

#include "base/Quorral.h"
#include "base/Throw.h"
#include "gui/DialogResource.h"

#include <cstring>
#include <stdexcept>
#include <string_view>

#include <windows.h>

namespace NSFerrant
{
namespace
{
// Appends to an extended dialog template in a zeroed buffer.
class CTemplateWriter
{
public:
    void Word(u16 value) { Put(&value, 2); }
    void Long(u32 value) { Put(&value, 4); }
    void Byte(u8 value) { Put(&value, 1); }
    void Text(std::u16string_view text)
    {
        Put(text.data(), text.size() * 2);
        Word(0);
    }
    void AlignTo4() { fUsed = (fUsed + 3) & ~size_t(3); }
    const void* Data() const { return fBytes; }

private:
    void Put(const void* bytes, size_t count)
    {
        std::memcpy(fBytes + fUsed, bytes, count);
        fUsed += count;
    }

    alignas(4) u8 fBytes[1024] = {};
    size_t fUsed = 0;
};

HWND MakeMeasuringDialog(u16 pointSize, std::u16string_view faceName)
{
    CTemplateWriter writer;
    writer.Word(1);      // version
    writer.Word(0xFFFF); // extended
    writer.Long(0);      // help id
    writer.Long(0);      // extended style
    writer.Long(0x80C800C8);
    writer.Word(1); // one item
    writer.Word(0);
    writer.Word(0);
    writer.Word(214);
    writer.Word(95);
    writer.Word(0); // no menu
    writer.Word(0); // default class
    writer.Text(u"Dictaph Installation");
    writer.Word(pointSize);
    writer.Word(400); // weight
    writer.Byte(0);   // not italic
    writer.Byte(1);   // default character set
    writer.Text(faceName);
    writer.AlignTo4();
    writer.Long(0); // help id
    writer.Long(0); // extended style
    writer.Long(0x50000001);
    writer.Word(51);
    writer.Word(74);
    writer.Word(50);
    writer.Word(14);
    writer.Long(1); // id
    writer.Word(0xFFFF);
    writer.Word(0x80); // button
    writer.Text(u"OK");
    writer.Word(0); // no creation data
    HWND dialog = CreateDialogIndirectParamW(nullptr, static_cast<const DLGTEMPLATE*>(writer.Data()), nullptr,
                                             nullptr, 0);
    if (!dialog)
        NSQuorral::Throw<NSQuorral::XCreate>();
    return dialog;
}

HWND GetMeasuringDialog(u32 font)
{
    if (font == kDialogFontShellDlg)
    {
        static const HWND dialog = MakeMeasuringDialog(8, u"MS Shell Dlg 2");
        return dialog;
    }
    if (font == kDialogFontSegoeUI)
    {
        static const HWND dialog = MakeMeasuringDialog(9, u"Segoe UI");
        return dialog;
    }
    NSQuorral::Throw<std::invalid_argument>();
}
} // namespace

NSTrellisGlue::TViewFrame MapDialogUnits(u32 font, i32 x, i32 y, i32 cx, i32 cy)
{
    RECT rect{x, y, x + cx, y + cy};
    MapDialogRect(GetMeasuringDialog(font), &rect);
    return {float(rect.left), float(rect.top), float(rect.right), float(rect.bottom)};
}
} // namespace NSFerrant

#pragma once
// A widget's record read, changed and written back: how a window moves, sizes and enables the
// widget library's controls, whose records hold their frames.
#include "dlls/sprocket/Sprocket.h"
#include "gui/SprocketInterface.h"
#include "gui/View.h"

#include <algorithm>
#include <iterator>

namespace NSSprocketUtils
{
template <class TRecord> TRecord ReadRecord(NSSprocket::IControlView<TRecord>& control)
{
    TRecord record{};
    ThrowIfSprocketFailure(control.GetProperties(&record));
    return record;
}

template <class TRecord> void WriteRecord(NSSprocket::IControlView<TRecord>& control, const TRecord& record)
{
    ThrowIfSprocketFailure(control.SetProperties(&record));
}

// Copies the text into a zeroed field of N units, cut to leave its terminating zero.
template <size_t N> void CopyText(u16 (&field)[N], const NSTextPackage::TUTF16String& text)
{
    const size_t count = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), count, field);
}

// The frame truncated toward zero, as the library keeps it.
inline void CopyFrame(i32 (&field)[4], const NSTrellisGlue::TViewFrame& frame)
{
    for (size_t i = 0; i < 4; ++i)
        field[i] = i32(frame[i]);
}

template <class TRecord> float WidthOf(const TRecord& record)
{
    return float(record.fFrame[2] - record.fFrame[0]);
}

template <class TRecord> float HeightOf(const TRecord& record)
{
    return float(record.fFrame[3] - record.fFrame[1]);
}

// Moves and sizes the control; the rest of its record stays.
template <class TRecord>
void PlaceControl(NSSprocket::IControlView<TRecord>& control, const NSTrellisGlue::TViewFrame& frame)
{
    TRecord record = ReadRecord(control);
    CopyFrame(record.fFrame, frame);
    WriteRecord(control, record);
}

// The title a push button's record holds, up to its terminator.
inline NSTextPackage::TUTF16String TitleOf(const NSSprocket::TPushButtonRecord& record)
{
    return NSTextPackage::TUTF16String(record.fTitle,
                                       std::find(std::begin(record.fTitle), std::end(record.fTitle), u16(0)));
}
} // namespace NSSprocketUtils

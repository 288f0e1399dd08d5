#pragma once
// A radio group: one platform radio button an item, in a host window that spans the items'
// frames and is shaped to them. A click selects its item and tells the program's handler.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

#include <array>
#include <vector>

namespace NSSprocketLibrary
{
class CRadioButtonGroupView final
    : public CControlView<NSSprocket::IRadioButtonGroupView, NSSprocket::TRadioButtonGroupRecord>
{
public:
    CRadioButtonGroupView(HWND parent, NSSprocket::IRadioButtonGroupViewHandler* handler,
                          const NSSprocket::TRadioButtonGroupRecord& record, const std::string& name);

    // The frame's size that shows an item's label whole on one line beside the round glyph.
    static SIZE MeasureItem(const wchar_t* label);

private:
    // Refuses more items than the record holds and a selection outside the items.
    static void Check(const NSSprocket::TRadioButtonGroupRecord& record);
    void CheckRecord(const NSSprocket::TRadioButtonGroupRecord& record) const override { Check(record); }
    void ShowRecord(const NSSprocket::TRadioButtonGroupRecord& record) override;
    void ReadBack(NSSprocket::TRadioButtonGroupRecord& record) const override;
    void ControlNotified(HWND control, WORD code) override;
    void ShowSelection(u16 selected);

    // The smallest frame around the items' frames; an empty one at the origin without items.
    static std::array<i32, 4> SpanOf(const NSSprocket::TRadioButtonGroupRecord& record);
    static std::array<i32, 4> CheckedSpan(const NSSprocket::TRadioButtonGroupRecord& record);

    NSSprocket::IRadioButtonGroupViewHandler* fHandler;
    std::vector<HWND> fButtons;
};
} // namespace NSSprocketLibrary

#pragma once
// A separator line: an etched line along the longer side of its frame.
#include "dlls/sprocket/ControlView.h"
#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketLibrary
{
class CSeparatorLineView final
    : public CControlView<NSSprocket::ISeparatorLineView, NSSprocket::TSeparatorLineRecord>
{
public:
    CSeparatorLineView(HWND parent, const NSSprocket::TSeparatorLineRecord& record, const std::string& name);

private:
    void ShowRecord(const NSSprocket::TSeparatorLineRecord& record) override;
    void ReadBack(NSSprocket::TSeparatorLineRecord&) const override {}
};
} // namespace NSSprocketLibrary

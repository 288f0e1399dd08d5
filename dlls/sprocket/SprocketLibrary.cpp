// The library's interface object and its export.
#include "dlls/sprocket/ControlHost.h"
#include "dlls/sprocket/ProgressView.h"
#include "dlls/sprocket/PushButtonView.h"
#include "dlls/sprocket/RadioButtonGroupView.h"
#include "dlls/sprocket/SeparatorLineView.h"
#include "dlls/sprocket/Sprocket.h"
#include "dlls/sprocket/SprocketFence.h"
#include "dlls/sprocket/StaticTextView.h"
#include "dlls/sprocket/TextFieldView.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace NSSprocketLibrary
{
class CSprocket final : public NSSprocket::ISprocket
{
public:
    NSSprocket::IPushButtonView* CreatePushButton(NSTrellis::IView* parent,
                                                  NSSprocket::IPushButtonViewHandler* handler,
                                                  const NSSprocket::TPushButtonRecord* record, u32, u32,
                                                  u32, u32, u32, u32, const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::IPushButtonView>(
            status, [&] { return new CPushButtonView(ParentWindow(parent), handler, Checked(record), NameOf(name)); });
    }

    NSSprocket::IRadioButtonGroupView* CreateRadioButtonGroup(NSTrellis::IView* parent,
                                                              NSSprocket::IRadioButtonGroupViewHandler* handler,
                                                              const NSSprocket::TRadioButtonGroupRecord* record, u32,
                                                              u32, u32, const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::IRadioButtonGroupView>(
            status,
            [&] { return new CRadioButtonGroupView(ParentWindow(parent), handler, Checked(record), NameOf(name)); });
    }

    NSSprocket::IProgressView* CreateProgressView(NSTrellis::IView* parent,
                                                  const NSSprocket::TProgressViewRecord* record, u32, u32, u32,
                                                  const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::IProgressView>(
            status, [&] { return new CProgressView(ParentWindow(parent), Checked(record), NameOf(name)); });
    }

    NSSprocket::IStaticTextView* CreateStaticText(NSTrellis::IView* parent,
                                                  const NSSprocket::TStaticTextRecord* record, u32, u32,
                                                  const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::IStaticTextView>(
            status, [&] { return new CStaticTextView(ParentWindow(parent), Checked(record), NameOf(name)); });
    }

    NSSprocket::ITextFieldView* CreateTextField(NSTrellis::IView* parent, NSSprocket::ITextFieldViewHandler* handler,
                                                const NSSprocket::TTextFieldRecord* record, u32, u32, u32, u8 flags,
                                                const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::ITextFieldView>(
            status,
            [&] { return new CTextFieldView(ParentWindow(parent), handler, Checked(record), flags, NameOf(name)); });
    }

    u32 MeasureText(const u16* text, const i32* limit, u32, u32, u32, u32, i32* size) override
    {
        return AnswerStatus(
            [&]
            {
                if (!text || !limit || !size)
                    ThrowInvalidArgument();
                constexpr i32 kLargestLimit = 0x7FFF; // far past any screen
                if (limit[0] < 0 || limit[1] < 0 || limit[0] > kLargestLimit || limit[1] > kLargestLimit)
                    ThrowInvalidArgument();
                const SIZE measured = CControlHost::MeasureText(reinterpret_cast<const wchar_t*>(text), 0);
                size[0] = std::max<i32>(measured.cx, limit[0]) + 2 * CPushButtonView::kMarginX;
                size[1] = CPushButtonView::HeightFor(std::max<i32>(measured.cy, limit[1]));
                return kTrellisOK;
            });
    }

    u32 MeasureRadioButton(const u16* label, u32, u32, i32* size) override
    {
        return AnswerStatus(
            [&]
            {
                if (!label || !size)
                    ThrowInvalidArgument();
                const SIZE measured = CRadioButtonGroupView::MeasureItem(reinterpret_cast<const wchar_t*>(label));
                size[0] = measured.cx;
                size[1] = measured.cy;
                return kTrellisOK;
            });
    }

    u32 MeasureTextLines(const u16* text, u32 width, u32, u32, i32* size) override
    {
        return AnswerStatus(
            [&]
            {
                if (!text || !size)
                    ThrowInvalidArgument();
                constexpr i32 kMargins = 2 * CTextFieldView::kMargin;
                const u32 textWidth = width > u32(kMargins) ? width - kMargins : width == 0 ? 0 : 1;
                const SIZE measured = CControlHost::MeasureText(reinterpret_cast<const wchar_t*>(text), textWidth);
                size[0] = measured.cx + kMargins;
                size[1] = measured.cy + kMargins;
                return kTrellisOK;
            });
    }

    NSSprocket::ISeparatorLineView* CreateSeparatorLine(NSTrellis::IView* parent,
                                                        const NSSprocket::TSeparatorLineRecord* record, u32, u32,
                                                        u32, const char* name, u32* status) override
    {
        return AnswerObject<NSSprocket::ISeparatorLineView>(
            status, [&] { return new CSeparatorLineView(ParentWindow(parent), Checked(record), NameOf(name)); });
    }

    u32 GetMetric(u32, u32, i32* value) override
    {
        return AnswerMetric(value, [] { return GetSystemMetrics(SM_CYEDGE); });
    }

    u32 GetControlMetrics(u32, u32, i32* height) override
    {
        return AnswerMetric(height, [] { return CProgressView::Height(); });
    }

    u32 Initialize(u32 version) override
    {
        return AnswerStatus(
            [&]
            {
                if (version != 1)
                    ThrowInvalidArgument();
                CControlHost::RegisterClasses();
                fInitialized = true;
                return kTrellisOK;
            });
    }

    u32 Release(u32 destroy) override;

private:
    // The parent view's window; controls are refused until the library is initialized.
    HWND ParentWindow(NSTrellis::IView* parent) const
    {
        if (!fInitialized)
            NSQuorral::Throw<NSQuorral::XIllegalCallSequence>("Initialize");
        if (!parent)
            ThrowInvalidArgument();
        u64 handle = 0;
        const u32 status = parent->GetNativeHandle(&handle);
        if (status != kTrellisOK)
            ThrowSprocketFailure(status);
        const HWND window = reinterpret_cast<HWND>(uintptr_t(handle));
        if (!IsWindow(window))
            ThrowInvalidArgument();
        return window;
    }

    template <class TRecord>
    static const TRecord& Checked(const TRecord* record)
    {
        if (!record)
            ThrowInvalidArgument();
        return *record;
    }

    static std::string NameOf(const char* name) { return name ? name : ""; }

    // A metric into *value; a null value is refused.
    template <class TMetric>
    static u32 AnswerMetric(i32* value, TMetric metric)
    {
        return AnswerStatus(
            [&]
            {
                if (!value)
                    ThrowInvalidArgument();
                *value = metric();
                return kTrellisOK;
            });
    }

    bool fInitialized = false;
};

CSprocket* gSprocket = nullptr;

u32 CSprocket::Release(u32 destroy)
{
    if (destroy == 1)
    {
        if (gSprocket == this)
            gSprocket = nullptr;
        delete this;
    }
    return kTrellisOK;
}
} // namespace NSSprocketLibrary

NSSprocket::ISprocket* Sprocket_Create(const char* interfaceName, ITrellis* trellis, u32* status)
{
    if (status && (!interfaceName || std::strcmp(interfaceName, "ISprocket") != 0))
    {
        *status = kTrellisNoSuchInterface; // an interface this library does not have
        return nullptr;
    }
    return NSSprocketLibrary::AnswerObject<NSSprocket::ISprocket>(
        status,
        [&]
        {
            if (!trellis)
                NSSprocketLibrary::ThrowInvalidArgument();
            if (!NSSprocketLibrary::gSprocket)
                NSSprocketLibrary::gSprocket = new NSSprocketLibrary::CSprocket;
            return NSSprocketLibrary::gSprocket;
        });
}

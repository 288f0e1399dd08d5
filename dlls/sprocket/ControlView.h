#pragma once
// A control interface over its host window: the record is kept as the program wrote it, with the
// frame and the fields the control shows read back from the control. A record without a frame of
// its own (a group of controls) is placed and read back by the control's ShowRecord and ReadBack.
#include "dlls/sprocket/ControlHost.h"
#include "dlls/sprocket/SprocketFence.h"

namespace NSSprocketLibrary
{
template <class TRecord>
constexpr bool kRecordHasFrame = requires(TRecord record) { record.fFrame[0]; };

template <class TInterface, class TRecord>
class CControlView : public TInterface, protected CControlHost
{
public:
    u32 Release(u32 destroy) override
    {
        if (destroy == 1)
            delete this;
        return kTrellisOK;
    }

    u32 SetProperties(const TRecord* record) override
    {
        return AnswerStatus(
            [&]
            {
                if (!record)
                    ThrowInvalidArgument();
                CheckRecord(*record);
                fRecord = *record;
                if constexpr (kRecordHasFrame<TRecord>)
                    SetFrame(fRecord.fFrame);
                ShowRecord(fRecord);
                return kTrellisOK;
            });
    }

    u32 GetProperties(TRecord* record) override
    {
        return AnswerStatus(
            [&]
            {
                if (!record)
                    ThrowInvalidArgument();
                *record = fRecord;
                if (GetHost())
                {
                    if constexpr (kRecordHasFrame<TRecord>)
                        GetFrame(record->fFrame);
                    ReadBack(*record);
                }
                return kTrellisOK;
            });
    }

protected:
    CControlView(HWND parent, const TRecord& record, const wchar_t* controlClass, DWORD controlStyle,
                 const std::string& name)
        : CControlView(parent, record.fFrame, record, controlClass, controlStyle, name)
    {
    }
    CControlView(HWND parent, const i32* frame, const TRecord& record, const wchar_t* controlClass,
                 DWORD controlStyle, const std::string& name)
        : CControlHost(parent, frame, controlClass, controlStyle, name), fRecord(record)
    {
    }
    ~CControlView() override = default;

    // Refuses a record the control cannot show (throws) before anything changes.
    virtual void CheckRecord(const TRecord&) const {}
    virtual void ShowRecord(const TRecord& record) = 0;
    // The fields that the control holds, read from it.
    virtual void ReadBack(TRecord& record) const = 0;
    void ControlNotified(HWND, WORD) override {}

    TRecord fRecord;
};
} // namespace NSSprocketLibrary

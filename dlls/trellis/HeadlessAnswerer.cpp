#include "dlls/trellis/HeadlessAnswerer.h"

#include "base/TextBuffers.h"
#include "dlls/trellis/LibraryFence.h"

#include <cstring>
#include <deque>
#include <memory>
#include <vector>

namespace NSTrellisLibrary
{
namespace
{
struct THeadlessState
{
    std::deque<u32> fAlertAnswers;
    std::deque<std::string> fFolderAnswers; // empty text: cancel
    // Records are large (over 11 KB); held one by one so that growing the list moves pointers.
    std::vector<std::unique_ptr<TTrellisHeadlessRecord>> fRecords;
};

std::unique_ptr<THeadlessState> gHeadless;

THeadlessState& GetHeadlessState()
{
    if (!gHeadless)
        ThrowIllegalCallSequence("headless answering is off");
    return *gHeadless;
}

TTrellisHeadlessRecord& AddRecord(u32 kind)
{
    auto record = std::make_unique<TTrellisHeadlessRecord>();
    std::memset(record.get(), 0, sizeof(TTrellisHeadlessRecord));
    record->fKind = kind;
    GetHeadlessState().fRecords.push_back(std::move(record));
    return *GetHeadlessState().fRecords.back();
}

template <class T>
std::optional<T> TakeNext(std::deque<T>& queue)
{
    if (queue.empty())
        return std::nullopt;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}
} // namespace

bool IsHeadless()
{
    return gHeadless != nullptr;
}

u32 AnswerAlertHeadless(const TAlertDescriptor& alert, u32 buttonCount)
{
    TTrellisHeadlessRecord& record = AddRecord(kHeadlessAlert);
    record.fAlert = alert;
    const u32 answer = TakeNext(GetHeadlessState().fAlertAnswers).value_or(kAlertAnswerLastButton);
    if (answer - kAlertAnswerLastButton >= buttonCount)
        ThrowIllegalCallSequence("the queued answer names no button of the alert");
    record.fAnswer = answer;
    return answer;
}

std::optional<std::string> AnswerFolderChooserHeadless(u32 tag, const u16* title)
{
    TTrellisHeadlessRecord& record = AddRecord(kHeadlessFolderChooser);
    record.fTag = tag;
    NSTextPackage::CopyWide(record.fAlert.fTitle, title, 1023);
    const std::string url = TakeNext(GetHeadlessState().fFolderAnswers).value_or(std::string());
    if (url.empty())
        return std::nullopt;
    record.fAnswer = 1;
    std::memcpy(record.fURL, url.c_str(), url.size() + 1);
    return url;
}
} // namespace NSTrellisLibrary

using namespace NSTrellisLibrary;

u32 TrellisHeadless_Enable(u32 on)
{
    return AnswerStatus([&] {
        if (on > 1)
            ThrowInvalidArgument();
        gHeadless.reset(on ? new THeadlessState : nullptr);
        return kTrellisOK;
    });
}

u32 TrellisHeadless_QueueAlertAnswer(u32 answer)
{
    return AnswerStatus([&] {
        if (answer < kAlertAnswerLastButton || answer > kAlertAnswerThirdToLastButton)
            ThrowInvalidArgument();
        GetHeadlessState().fAlertAnswers.push_back(answer);
        return kTrellisOK;
    });
}

u32 TrellisHeadless_QueueFolderAnswer(const char* url)
{
    return AnswerStatus([&] {
        const std::string text = url ? url : "";
        if (text.size() >= kHeadlessURLBytes)
            ThrowInvalidArgument();
        GetHeadlessState().fFolderAnswers.push_back(text);
        return kTrellisOK;
    });
}

u32 TrellisHeadless_CountRecords(u32* count)
{
    return AnswerStatus([&] {
        if (!count)
            ThrowInvalidArgument();
        *count = u32(GetHeadlessState().fRecords.size());
        return kTrellisOK;
    });
}

u32 TrellisHeadless_GetRecord(u32 index, TTrellisHeadlessRecord* record)
{
    return AnswerStatus([&] {
        const auto& records = GetHeadlessState().fRecords;
        if (!record || index >= records.size())
            ThrowInvalidArgument();
        *record = *records[index];
        return kTrellisOK;
    });
}

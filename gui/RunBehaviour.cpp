#include "gui/RunBehaviour.h"

#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

namespace NSTrellisGlue
{
u32 CABCRunBehaviour::Startup()
{
    return AnswerStatusOf([&] { OnStartup(); });
}

u32 CABCRunBehaviour::Shutdown()
{
    return AnswerStatusOf([&] { OnQuit(); });
}

u32 CABCRunBehaviour::QuitRequested()
{
    return AnswerStatusOf([&] { OnQuitRequested(); });
}

u32 CABCRunBehaviour::OpenDefaultWindow()
{
    return AnswerStatusOf([&] { OnOpenDefaultWindow(); });
}

u32 CABCRunBehaviour::OpenFile(const char* url)
{
    return AnswerStatusOf([&] { OnOpenFile(url); });
}

u32 CABCRunBehaviour::Callback5(u64 argument)
{
    return AnswerStatusOf([&] { OnCallback5(argument); });
}

u32 CABCRunBehaviour::SetUpMenus(NSTrellis::IMenuBar* menuBar)
{
    return AnswerStatusOf([&] { OnSetUpMenus(menuBar); });
}

u32 CABCRunBehaviour::DoCommand(const NSTrellis::TCommandEvent* event, u32* handled)
{
    return AnswerStatusOf(
        [&]
        {
            const bool taken = DoCommand(*event);
            *handled = taken ? 1 : 0;
        });
}

u32 CABCRunBehaviour::Callback8(u64 argument, u32* out)
{
    return AnswerStatusOf(
        [&]
        {
            const bool answer = OnCallback8(argument);
            *out = answer ? 1 : 0;
        });
}

u32 CABCRunBehaviour::Callback9(u64* out)
{
    return AnswerStatusOf(
        [&]
        {
            const u64 value = GetCallback9Value();
            *out = value;
        });
}

u32 CABCRunBehaviour::BeginNativeDrawing(NSTrellis::INativeCanvas* canvas)
{
    return AnswerStatusOf([&] { OnBeginNativeDrawing(canvas); });
}

u32 CABCRunBehaviour::EndNativeDrawing(NSTrellis::INativeCanvas* canvas)
{
    return AnswerStatusOf([&] { OnEndNativeDrawing(canvas); });
}

u32 CABCRunBehaviour::Callback12(u64 argument)
{
    return AnswerStatusOf([&] { OnCallback12(argument); });
}

u32 CABCRunBehaviour::Callback13()
{
    return AnswerStatusOf([&] { OnCallback13(); });
}

u32 CABCRunBehaviour::Callback14()
{
    return AnswerStatusOf([&] { OnCallback14(); });
}

u32 CABCRunBehaviour::Callback15()
{
    return AnswerStatusOf([&] { OnCallback15(); });
}

u32 CABCRunBehaviour::Callback16(u64 argument1, u64 argument2)
{
    return AnswerStatusOf([&] { OnCallback16(argument1, argument2); });
}

void CABCRunBehaviour::ReportStatus(u32 status)
{
    AnswerStatusOf([&] { OnReportStatus(status); });
}

void CABCRunBehaviour::Destroy()
{
    this->~CABCRunBehaviour();
    Trellis_Delete(this);
}

void CABCRunBehaviour::OnQuitRequested()
{
    CheckTrellis(GetTrellisInterface()->Quit());
}
} // namespace NSTrellisGlue

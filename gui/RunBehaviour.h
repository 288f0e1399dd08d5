#pragma once
// The program side of the application object: each callback of the GUI library's run calls an
// overridable handler with the same arguments and stops every exception at the boundary. Only
// the handlers are meant to be overridden.
#include "dlls/trellis/Trellis.h"

#include <new>
#include <utility>

namespace NSTrellisGlue
{
class CABCRunBehaviour : public NSTrellis::ITrellisRunBehavior
{
public:
    // The library's callbacks: each answers kTrellisOK, or the status of the handler's exception
    // with its out values left as they were.
    u32 Startup() final;
    u32 Shutdown() final;
    u32 QuitRequested() final;
    u32 OpenDefaultWindow() final;
    u32 OpenFile(const char* url) final;
    u32 Callback5(u64 argument) final;
    u32 SetUpMenus(NSTrellis::IMenuBar* menuBar) final;
    u32 DoCommand(const NSTrellis::TCommandEvent* event, u32* handled) final;
    u32 Callback8(u64 argument, u32* out) final;
    u32 Callback9(u64* out) final;
    u32 BeginNativeDrawing(NSTrellis::INativeCanvas* canvas) final;
    u32 EndNativeDrawing(NSTrellis::INativeCanvas* canvas) final;
    u32 Callback12(u64 argument) final;
    u32 Callback13() final;
    u32 Callback14() final;
    u32 Callback15() final;
    u32 Callback16(u64 argument1, u64 argument2) final;
    // The library learns nothing of an exception of the handler.
    void ReportStatus(u32 status) final;
    // The memory came from Trellis_New: objects of derived classes are made with it.
    void Destroy() final;

protected:
    virtual ~CABCRunBehaviour() = default;

    virtual void OnStartup() {}
    virtual void OnQuit() {}
    // Quits the run.
    virtual void OnQuitRequested();
    virtual void OnOpenDefaultWindow() {}
    virtual void OnOpenFile(const char* /*url*/) {}
    virtual void OnCallback5(u64 /*argument*/) {}
    virtual void OnSetUpMenus(NSTrellis::IMenuBar* /*menuBar*/) {}
    virtual bool DoCommand(const NSTrellis::TCommandEvent& /*event*/) { return false; }
    virtual bool OnCallback8(u64 /*argument*/) { return false; }
    virtual u64 GetCallback9Value() { return 10000; }
    virtual void OnBeginNativeDrawing(NSTrellis::INativeCanvas* /*canvas*/) {}
    virtual void OnEndNativeDrawing(NSTrellis::INativeCanvas* /*canvas*/) {}
    virtual void OnCallback12(u64 /*argument*/) {}
    virtual void OnCallback13() {}
    virtual void OnCallback14() {}
    virtual void OnCallback15() {}
    virtual void OnCallback16(u64 /*argument1*/, u64 /*argument2*/) {}
    virtual void OnReportStatus(u32 /*status*/) {}
};

// Makes an application object in the library's memory, as the library will free it.
template <class TApplication, class... TArguments> TApplication* NewRunBehaviour(TArguments&&... arguments)
{
    void* memory = Trellis_New(sizeof(TApplication));
    if (!memory)
        throw std::bad_alloc();
    try
    {
        return new (memory) TApplication(std::forward<TArguments>(arguments)...);
    }
    catch (...)
    {
        Trellis_Delete(memory);
        throw;
    }
}
} // namespace NSTrellisGlue

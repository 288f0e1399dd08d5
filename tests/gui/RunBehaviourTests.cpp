// The application object's glue: every callback calls its handler and stops its exceptions.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "gui/RunBehaviour.h"
#include "gui/TrellisInterface.h"
#include "tests/support/TrellisStub.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

using NSTrellisGlue::CABCRunBehaviour;

namespace
{
// Every handler records its name and then runs the test's action (which may throw).
class CRecordingApplication final : public CABCRunBehaviour
{
public:
    std::vector<std::string> fCalls;
    std::function<void()> fAction = [] {};
    bool fCommandAnswer = false;

private:
    void Note(const char* name)
    {
        fCalls.push_back(name);
        fAction();
    }
    void OnStartup() override { Note("startup"); }
    void OnQuit() override { Note("quit"); }
    void OnOpenDefaultWindow() override { Note("default window"); }
    void OnOpenFile(const char*) override { Note("open file"); }
    void OnSetUpMenus(NSTrellis::IMenuBar*) override { Note("menus"); }
    bool DoCommand(const NSTrellis::TCommandEvent&) override
    {
        Note("command");
        return fCommandAnswer;
    }
    void OnBeginNativeDrawing(NSTrellis::INativeCanvas*) override { Note("begin drawing"); }
    void OnEndNativeDrawing(NSTrellis::INativeCanvas*) override { Note("end drawing"); }
    void OnReportStatus(u32) override { Note("report"); }
};

NSTrellis::ITrellisRunBehavior& Library(CRecordingApplication& application)
{
    return application;
}

TEST(RunBehaviour, EveryCallbackAnswersTheStatusOfItsHandlersException)
{
    const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, 101, 0, 0, 0};
    const std::function<u32(NSTrellis::ITrellisRunBehavior&)> kCallbacks[] = {
        [](auto& a) { return a.Startup(); },
        [](auto& a) { return a.Shutdown(); },
        [](auto& a) { return a.OpenDefaultWindow(); },
        [](auto& a) { return a.OpenFile("file://C:\\x\\"); },
        [](auto& a) { return a.SetUpMenus(nullptr); },
        [&](auto& a)
        {
            u32 handled = 77;
            const u32 status = a.DoCommand(&event, &handled);
            EXPECT_EQ(handled, 77u); // left as it was
            return status;
        },
        [](auto& a) { return a.BeginNativeDrawing(nullptr); },
        [](auto& a) { return a.EndNativeDrawing(nullptr); },
    };
    struct Case
    {
        const char* name;
        std::function<void()> action;
        u32 status;
    };
    const Case kCases[] = {
        {"bad_alloc", [] { throw std::bad_alloc(); }, kTrellisOutOfMemory},
        {"invalid_argument", [] { throw std::invalid_argument(""); }, kTrellisInvalidArgument},
        {"no std::exception", [] { throw 5; }, kTrellisRuntimeError},
    };
    for (const Case& c : kCases)
    {
        for (const auto& callback : kCallbacks)
        {
            CRecordingApplication application;
            application.fAction = c.action;
            EXPECT_EQ(callback(application), c.status) << c.name;
            EXPECT_EQ(application.fCalls.size(), 1u);
        }
    }
}

TEST(RunBehaviour, ASilentAbortComesBackAsItselfThroughItsStatus)
{
    CRecordingApplication application;
    application.fAction = []
    {
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XSilentAbort(""));
    };
    const u32 status = Library(application).Startup();
    EXPECT_NE(status, kTrellisOK);
    EXPECT_THROW(ThrowTrellisFailure(status), NSQuorral::XSilentAbort);
}

TEST(RunBehaviour, OutValuesOfTheFixedAndTheCommandCallbacks)
{
    CRecordingApplication application;
    NSTrellis::ITrellisRunBehavior& library = application;
    const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, 800, 0, 0, 0};
    u32 handled = 77;
    EXPECT_EQ(library.DoCommand(&event, &handled), kTrellisOK);
    EXPECT_EQ(handled, 0u);
    application.fCommandAnswer = true;
    EXPECT_EQ(library.DoCommand(&event, &handled), kTrellisOK);
    EXPECT_EQ(handled, 1u);

    u32 out = 77;
    EXPECT_EQ(library.Callback8(123, &out), kTrellisOK);
    EXPECT_EQ(out, 0u);
    u64 value = 0;
    EXPECT_EQ(library.Callback9(&value), kTrellisOK);
    EXPECT_EQ(value, 10000u);
    for (u32 status : {library.Callback5(1), library.Callback12(1), library.Callback13(),
                       library.Callback14(), library.Callback15(), library.Callback16(1, 2)})
        EXPECT_EQ(status, kTrellisOK);

    // The report's handler may throw: the library hears nothing of it.
    application.fAction = [] { throw std::runtime_error("lost"); };
    library.ReportStatus(kTrellisFormatViolation);
    EXPECT_EQ(application.fCalls.back(), "report");
}

// The default quit handler quits the run; the library's refusal is the callback's answer.
class CQuitCounter final : public CTrellisStub
{
public:
    u32 Quit() override
    {
        ++fQuits;
        return fAnswer;
    }
    int fQuits = 0;
    u32 fAnswer = kTrellisOK;
};

TEST(RunBehaviour, TheDefaultQuitRequestQuitsTheRun)
{
    CQuitCounter trellis;
    ITrellis* replaced = ExchangeTrellisInterface(&trellis);
    CRecordingApplication application;
    NSTrellis::ITrellisRunBehavior& library = application;
    EXPECT_EQ(library.QuitRequested(), kTrellisOK);
    trellis.fAnswer = kTrellisIllegalCallSequence;
    EXPECT_EQ(library.QuitRequested(), kTrellisIllegalCallSequence);
    EXPECT_EQ(trellis.fQuits, 2);
    ExchangeTrellisInterface(replaced);
}
} // namespace

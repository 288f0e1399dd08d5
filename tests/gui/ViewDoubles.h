#pragma once
// Stand-ins for the GUI library's views: a library whose CreateView makes recording native views,
// and a responder that counts what reaches it.
#include "base/ExceptionResponder.h"
#include "base/LibraryStatusTables.h"
#include "gui/TrellisInterface.h"
#include "tests/support/TrellisStub.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class CFakeView final : public NSTrellis::IView
{
public:
    CFakeView(std::vector<std::string>& log, NSTrellis::IView* parent) : fLog(log), fParent(parent) {}

    u32 GetNativeHandle(u64* handle) override
    {
        *handle = 0;
        return kTrellisOK;
    }
    u32 GetParent(NSTrellis::IView** parent) override
    {
        *parent = fParent;
        return kTrellisOK;
    }
    u32 SetProperties(const NSTrellis::TViewProperties* properties) override
    {
        fLog.push_back("set");
        fProperties = *properties;
        return kTrellisOK;
    }
    u32 GetProperties(NSTrellis::TViewProperties* properties) override
    {
        *properties = fProperties;
        return kTrellisOK;
    }
    u32 MoveBy(i32 dx, i32 dy) override
    {
        fLog.push_back("move " + std::to_string(dx) + " " + std::to_string(dy));
        fProperties.fFrame[0] += dx;
        fProperties.fFrame[2] += dx;
        fProperties.fFrame[1] += dy;
        fProperties.fFrame[3] += dy;
        return kTrellisOK;
    }
    u32 DetachBehavior() override
    {
        fLog.push_back("detach");
        if (fBehavior)
            fBehavior->Destroy();
        fBehavior = nullptr;
        return fDetachStatus;
    }
    u32 Release() override
    {
        fLog.push_back("release");
        return kTrellisOK;
    }

    std::vector<std::string>& fLog;
    NSTrellis::IView* fParent;
    NSTrellis::IViewBehavior* fBehavior = nullptr;
    NSTrellis::TViewProperties fProperties{};
    u32 fDetachStatus = kTrellisOK;
};

class CViewLibrary : public CTrellisStub
{
public:
    NSTrellis::IView* CreateView(NSTrellis::IViewCreator* creator, NSTrellis::IView* parent, const char* name,
                                 u32* status) override
    {
        *status = kTrellisLogicError;
        if (fCreateStatus != kTrellisOK)
            return *status = fCreateStatus, nullptr;
        fNames.push_back(name);
        fViews.push_back(std::make_unique<CFakeView>(fLog, parent));
        u32 behaviorStatus = 0;
        fViews.back()->fBehavior = creator->CreateBehavior(&behaviorStatus);
        EXPECT_EQ(behaviorStatus, kTrellisOK);
        *status = kTrellisOK;
        return fViews.back().get();
    }
    u32 InvalidateViewRect(NSTrellis::IView*, const i32* rect) override
    {
        fLog.push_back("invalidate " + std::to_string(rect[0]) + " " + std::to_string(rect[1]) + " " +
                       std::to_string(rect[2]) + " " + std::to_string(rect[3]));
        return kTrellisOK;
    }

    std::vector<std::string> fLog;
    std::vector<std::string> fNames;
    std::vector<std::unique_ptr<CFakeView>> fViews;
    u32 fCreateStatus = kTrellisOK;
};

class CCountingResponder final : public NSQuorral::IExceptionResponder
{
public:
    void RespondToException(const std::exception&) override { ++fResponses; }
    void RespondToUnknownException() override { ++fResponses; }
    int fResponses = 0;
};

// The stand-in library in place of the real one and the counting responder registered.
template <class TLibrary> class LibraryDoubleTest : public ::testing::Test
{
protected:
    LibraryDoubleTest() : fReplaced(ExchangeTrellisInterface(&fTrellis))
    {
        NSQuorral::SetExceptionResponder(&fResponder);
    }
    ~LibraryDoubleTest() override
    {
        NSQuorral::SetExceptionResponder(nullptr);
        ExchangeTrellisInterface(fReplaced);
    }

    TLibrary fTrellis;
    CCountingResponder fResponder;
    ITrellis* fReplaced;
};

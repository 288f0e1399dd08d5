#pragma once
// The GUI library's run around a test: views draw only while an application object hands them
// the library's canvases, and windows are driven from the run's start-up.
#include "gui/CallbackFence.h"
#include "gui/Drawing.h"
#include "gui/RunBehaviour.h"
#include "gui/TrellisInterface.h"

#include <gtest/gtest.h>

#include <functional>

namespace NSAppTests
{
class CDrawingRun final : public NSTrellisGlue::CABCRunBehaviour
{
public:
    explicit CDrawingRun(std::function<void()> inside) : fInside(std::move(inside)) {}

    static void RunWith(std::function<void()> inside)
    {
        TTrellisStartupBlock block{};
        block.fVersion = 1;
        EXPECT_EQ(GetTrellisInterface()->Run(NSTrellisGlue::NewRunBehaviour<CDrawingRun>(std::move(inside)),
                                             &block),
                  kTrellisOK);
    }

private:
    void OnStartup() override
    {
        fInside();
        NSTrellisGlue::CheckTrellis(GetTrellisInterface()->Quit());
    }
    void OnBeginNativeDrawing(NSTrellis::INativeCanvas* canvas) override
    {
        NSTrellisUtils::PushCurrentCanvas(canvas);
    }
    void OnEndNativeDrawing(NSTrellis::INativeCanvas*) override { NSTrellisUtils::PopCurrentCanvas(); }

    std::function<void()> fInside;
};

} // namespace NSAppTests

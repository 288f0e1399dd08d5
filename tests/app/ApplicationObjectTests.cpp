// The application object outside a run: the bitmaps it fetches and caches, and the exception
// responder it is while it lives and that stays quiet once it is gone.
#include "app/VantlePacker.h"

#include "app/ProgramRun.h"
#include "base/CodeModule.h"
#include "base/ExceptionResponder.h"
#include "base/Quorral.h"
#include "gui/BitmapService.h"
#include "gui/ImageIDs.h"
#include "gui/ScreenInfo.h"
#include "tests/app/ApplicationObject.h"
#include "tests/gui/HeadlessTrellis.h"

#include <gtest/gtest.h>

using namespace NSFerrant;

namespace
{
std::shared_ptr<CABCImage> Fetch(NSVantleApp::CVantlePacker& application, const CScreenInfo& screen,
                                 const TImageID& id)
{
    std::shared_ptr<CABCImage> image;
    application.FetchBitmap(image, &screen, id);
    return image;
}

TEST(ApplicationObject, FetchesPNGResourcesOnceUntilForgottenAndNothingElse)
{
    // Resources are read through the program's code module.
    const auto module = NSVantleApp::MakeProgramCodeModule(GetModuleHandleW(nullptr));
    const auto application = NSAppTests::MakeApplication();
    application->StartBitmapService();
    const CScreenInfo screen;
    const TImageID about = MakePNGImageID(1000);

    const auto first = Fetch(*application, screen, about);
    ASSERT_NE(first, nullptr);
    u32 size[2] = {0, 0};
    first->GetSize(size);
    EXPECT_EQ(size[0], 483u);
    EXPECT_EQ(size[1], 398u);
    EXPECT_EQ(Fetch(*application, screen, about), first);

    application->ForgetBitmap(about);
    const auto decodedAgain = Fetch(*application, screen, about);
    ASSERT_NE(decodedAgain, nullptr);
    EXPECT_NE(decodedAgain, first);

    TImageID numbered;
    numbered.fKind = kImageIDNumber;
    numbered.fNumber = 7;
    numbered.fCacheID = RegisterImageID(numbered);
    EXPECT_EQ(Fetch(*application, screen, numbered), nullptr);
    EXPECT_EQ(Fetch(*application, screen, numbered), nullptr);
}

void RespondToAFailure()
{
    try
    {
        NSQuorral::Throw<NSQuorral::XNotFound>("", "file");
    }
    catch (...)
    {
        NSQuorral::RespondToCurrentException();
    }
}

using ApplicationResponder = HeadlessTrellisTest;

TEST_F(ApplicationResponder, ShowsFailuresWhileTheObjectLivesAndNothingOnceItIsGone)
{
    auto application = NSAppTests::MakeApplication();
    RespondToAFailure();
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].fKind, kHeadlessAlert);

    application.reset();
    // Answered by no one: the process goes on, and nothing is shown.
    RespondToAFailure();
    EXPECT_EQ(Records().size(), 1u);
}
} // namespace

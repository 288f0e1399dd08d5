#include "app/AboutBox.h"

#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextTemplates.h"
#include "filelib/FileLibWrappers.h"
#include "gui/BitmapService.h"
#include "gui/CallbackFence.h"
#include "gui/DefaultFontInfo.h"
#include "gui/Drawing.h"
#include "gui/ImageIDs.h"
#include "gui/KeyMatching.h"
#include "gui/TinctInterface.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "gui/VRAMBitmap.h"
#include "gui/VersionText.h"
#include "gui/Windows.h"
#include "packing/ProgramStrings.h"

#include <memory>

using NSTextPackage::TUTF16String;
using NSTrellisGlue::CheckTrellis;

namespace NSVantleApp
{
namespace
{
constexpr u16 kAboutPicture = 1000;
constexpr u16 kAboutTitle = 15;
constexpr u16 kVersionTemplate = 17;
constexpr u32 kEscapeKey = 27;
// The version line's distance from the picture's left and top edges.
constexpr float kVersionInset = 25;
constexpr u8 kVersionColour[4] = {0x77, 0x77, 0x77, 0xFF};

const NSFerrant::TImageID& GetAboutPicture()
{
    static const NSFerrant::TImageID picture = NSFerrant::MakePNGImageID(kAboutPicture);
    return picture;
}

TIntSize PictureSize(const NSFerrant::TImageID& picture)
{
    NSFerrant::CABCImage* image = NSFerrant::GetBitmap(picture);
    if (!image)
        NSQuorral::Throw<NSQuorral::XNotFound>("No About picture");
    u32 size[2] = {0, 0};
    image->GetSize(size);
    return {i32(size[0]), i32(size[1])};
}

class IAboutContentsHandler
{
public:
    virtual bool CloseAboutBox() = 0;

protected:
    ~IAboutContentsHandler() = default;
};

struct TAboutDialogData
{
    NSFerrant::TImageID fPicture;
};

// The picture and the version line; the picture stays in the application's cache while the box
// is open, so the next opening decodes it anew.
class CAboutContents final : public NSTrellisGlue::CABCView
{
public:
    CAboutContents(const NSTrellisGlue::CABCView& parent, const NSFerrant::TImageID& picture,
                   IAboutContentsHandler* handler)
        : CABCView(parent, FrameOf(picture), "CAboutContents"), fPicture(picture), fHandler(handler),
          fVersionLine(GetAboutVersionLine())
    {
        SetNativeAttribute(NSTrellis::kViewAttributeProgram);
    }

    ~CAboutContents() override { NSFerrant::ForgetBitmap(fPicture); }

    void Draw(NSTrellis::INativeRegion* region) override
    {
        const NSTrellisGlue::TViewFrame frame = GetFrame();
        TDrawContext context(region);
        NSFerrant::DrawImageAt(context, frame[0], frame[1], NSFerrant::GetBitmap(fPicture));
        if (fVersionLine.empty())
            return;
        const NSTinct::TFontInfo& font = GetDefaultFontInfo().fFontInfo;
        u32 status = 0;
        NSTinct::ITextMeasurer* measurer = context.GetCanvas()->GetTextMeasurer(&status);
        ThrowIfTinctFailure(status);
        float metrics[2] = {0, 0};
        ThrowIfTinctFailure(measurer->GetFontMetrics(&font, metrics));
        // The first metric is the ascent: the baseline sits one ascent below the inset.
        const float position[2] = {frame[0] + kVersionInset, frame[1] + metrics[0] + kVersionInset};
        ThrowIfTinctFailure(
            context.GetCanvas()->DrawTextRun(position, fVersionLine.c_str(), &font, kVersionColour));
    }

    bool OnMouseDown(const NSTrellis::TMouseEvent& /*event*/) override
    {
        fHandler->CloseAboutBox();
        return true;
    }

    std::vector<NSTrellisGlue::TViewFrame> GetMouseRects() override { return {GetFrame()}; }

private:
    static NSTrellisGlue::TViewFrame FrameOf(const NSFerrant::TImageID& picture)
    {
        const TIntSize size = PictureSize(picture);
        return {0, 0, float(size.fWidth), float(size.fHeight)};
    }

    NSFerrant::TImageID fPicture;
    IAboutContentsHandler* fHandler;
    TUTF16String fVersionLine;
};

class CAboutDialog final : public NSTrellisGlue::CABCModalDialog, public IAboutContentsHandler
{
public:
    CAboutDialog(NSTrellis::IModalDialog* native, const TAboutDialogData& data)
        : CABCModalDialog(
              native, PictureSize(data.fPicture),
              NSVantlePacking::GetProgramString(kAboutTitle))
    {
        fContents = NSTrellisGlue::MakeViewPtr(new CAboutContents(*GetContentView(), data.fPicture, this));
        // At the content view's top-left corner, at the picture's own size.
        const NSTrellisGlue::TViewFrame content = GetContentView()->GetFrame();
        const NSTrellisGlue::TViewFrame own = fContents->GetFrame();
        fContents->SetFrame(
            {content[0], content[1], content[0] + own[2] - own[0], content[1] + own[3] - own[1]});
    }

    bool CloseAboutBox() override
    {
        Close();
        return true;
    }

    bool OnKeyDown(const TKeyEvent& event) override
    {
        if (!DoesKeyEventMatch(event, kEscapeKey, 0))
            return false;
        return CloseAboutBox();
    }

private:
    std::shared_ptr<CAboutContents> fContents;
};
} // namespace

TUTF16String GetAboutVersionLine()
{
    const NSFerrant::CABCCodeModule* module = NSFerrant::GetCurrentCodeModule();
    if (!module)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>("No code module");
    const NSFileLibSupport::TFileSpecPtr program =
        NSFileLibSupport::GetChildFile(module->fInfo.fModuleFolder.get(), module->fInfo.fFileName);
    const TUTF16String version = FormatVersionText(NSFileLibSupport::GetModuleVersion(program.get()));
    return NSTextPackage::ExpandTemplate(
        NSVantlePacking::GetProgramString(kVersionTemplate),
        {version});
}

void ShowAboutBox()
{
    TAboutDialogData data{GetAboutPicture()};
    NSTrellisGlue::CModalDialogCreator<CAboutDialog, TAboutDialogData> creator(data);
    u32 status = kTrellisLogicError; // until the library sets it
    CheckTrellis(GetTrellisInterface()->RunModalDialog(&creator, nullptr, 1, 0, &status));
    CheckTrellis(status);
    NSTrellisUtils::UpdateNow();
}
} // namespace NSVantleApp

// The main window's views: what it builds, where it places them and how it refreshes them. Its
// commands and the pack run are in CreateWindowCommands.cpp.
#include "app/CreateWindow.h"

#include "app/CreateWindowSupport.h"
#include "app/HostFolder.h"
#include "app/PackRequestWindow.h"
#include "app/Preferences.h"
#include "app/VantlePacker.h"
#include "base/GroupedNumbers.h"
#include "base/TextConversions.h"
#include "filelib/RobustFileSpec.h"
#include "gui/BitmapView.h"
#include "gui/BorderStaticTextView.h"
#include "gui/ControlRecords.h"
#include "gui/DirectBitmapView.h"
#include "gui/ImageIDs.h"
#include "gui/SimpleColorView.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisUtils.h"
#include "gui/VRAMBitmap.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace NSVantleApp
{
namespace
{
using namespace NSSprocketUtils;
using NSTextPackage::TUTF16String;
using NSTrellisGlue::TViewFrame;

constexpr TIntSize kInitialContentSize{480, 418};
constexpr float kContentWidth = 480;
constexpr float kBackgroundHeight = 700;
// Where a control waits while it is not shown: outside the window.
constexpr TViewFrame kParkedFrame{-1000, -1000, -900, -980};

// Entries of string table 128.
constexpr u16 kInputFolderLabel = 49;
constexpr u16 kOutputFileLabel = 50;
constexpr u16 kCommentsLabel = 51;
constexpr u16 kCopyrightLabel = 52;
constexpr u16 kURLLabel = 53;
constexpr u16 kFileCountLabel = 54;
constexpr u16 kNameLabel = 55;
constexpr u16 kStopTitle = 56;
constexpr u16 kExternalVantlesLabel = 57;
constexpr u16 kSplashLabel = 59;
constexpr u16 kHostFolderLabel = 80;
constexpr u16 kCreateTitle = 43;

constexpr u32 kFolderIcon = 3011;
constexpr u16 kHostFolderUsableImage = 1001;
constexpr u16 kHostFolderNotUsableImage = 1002;

// The widget library's styles of the window's controls.
constexpr u32 kIconButtonStyle = 97;
constexpr u32 kTitledButtonStyle = 96;
constexpr u32 kCreateButtonKind = 98;
constexpr u32 kStopButtonKind = 99;
constexpr u32 kSmallFont = 88;
constexpr u32 kControlsVersion = 115;
constexpr u16 kHostFolderChoiceCount = 2;

using TTextViewPtr = std::shared_ptr<NSFerrant::CBorderStaticTextView>;

TTextViewPtr MakeTextView(const NSTrellisGlue::CABCView& parent, const TUTF16String& text = {})
{
    return NSTrellisGlue::MakeViewPtr(new NSFerrant::CBorderStaticTextView(parent, text));
}

TViewFrame ParkedFrameOfHeight(float height)
{
    return {-1000, -1000, -900, height - 1000};
}

// Moves the button and enables or disables it.
void ShowButtonAt(NSSprocket::IPushButtonView& button, const TViewFrame& frame, bool enabled)
{
    NSSprocket::TPushButtonRecord record = ReadRecord(button);
    CopyFrame(record.fFrame, frame);
    record.fEnabled = enabled ? 1 : 0;
    WriteRecord(button, record);
}

// The choice between the default and a custom host folder, its items stacked 10 apart.
std::shared_ptr<NSSprocket::IRadioButtonGroupView>
CreateHostFolderChoice(const NSTrellisGlue::CABCView& parent,
                       NSSprocket::IRadioButtonGroupViewHandler* handler)
{
    static const char* const kLabels[kHostFolderChoiceCount] = {"Default (Tessaro 8.2 or later)", "Custom"};
    NSSprocket::ISprocket* sprocket = GetSprocketInterface();
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    float top = -1000;
    for (u16 i = 0; i < kHostFolderChoiceCount; ++i)
    {
        const TUTF16String label = NSTextPackage::ASCIIToUTF16(kLabels[i], 0);
        i32 size[2] = {};
        ThrowIfSprocketFailure(
            sprocket->MeasureRadioButton(label.c_str(), NSSprocket::kSizeStyleRegular, kSmallFont, size));
        NSSprocket::TRadioButtonItem& item = record->fItems[i];
        CopyFrame(item.fFrame, {-1000, top, float(size[0]) - 1000, top + float(size[1])});
        CopyText(item.fLabel, label);
        CopyText(item.fLabelAgain, label);
        top += float(size[1]) + 10;
    }
    record->fCount = kHostFolderChoiceCount;
    record->fSelected = 0;
    record->fUnnamed164872 = 1;
    u32 status = kTrellisLogicError;
    NSSprocket::IRadioButtonGroupView* group = sprocket->CreateRadioButtonGroup(
        parent.GetNativeView(), handler, record.get(), NSSprocket::kSizeStyleRegular, kSmallFont,
        kControlsVersion, "radioButtonGroupView", &status);
    if (status != kTrellisOK && group)
        group->Release(1);
    ThrowIfSprocketFailure(status);
    return std::shared_ptr<NSSprocket::IRadioButtonGroupView>(
        group, [](NSSprocket::IRadioButtonGroupView* held) { held->Release(1); });
}

} // namespace

CCreateWindow::CCreateWindow(NSTrellis::IDocumentWindow* native, const TUTF16String& title)
    : CABCDocumentWindow(native, kInitialContentSize, title)
{
    fData.fWarnExternalReferences = 1;
    CreateViews();
    CVantlePacker* packer = GetVantlePacker();
    CCreateWindow* previous = packer ? packer->GetMainWindow() : nullptr;
    if (packer)
        packer->SetMainWindow(this);
    try
    {
        Layout();
        UpdateControls();
        fPackRequestWindow = std::make_unique<TPackRequestWindow>();
        CreatePackRequestWindow(fPackRequestWindow.get(), this);
    }
    catch (...)
    {
        // No destructor runs for a window that was never made: nothing may point to it.
        if (packer)
            packer->SetMainWindow(previous);
        throw;
    }
}

CCreateWindow::~CCreateWindow()
{
    fPackRequestWindow.reset();
    if (CVantlePacker* packer = GetVantlePacker(); packer && packer->GetMainWindow() == this)
        packer->SetMainWindow(nullptr);
}

bool CCreateWindow::IsPacking() const
{
    return fPacking != 0;
}

void CCreateWindow::CreateViews()
{
    NSTrellisGlue::CABCView& content = *GetContentView();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    fBackgroundView = NSTrellisGlue::MakeViewPtr(new NSFerrant::CSimpleColorView(
        content, {}, "fBackgroundView", {GetRValue(face), GetGValue(face), GetBValue(face), 255}));
    const NSTrellisGlue::CABCView& background = *fBackgroundView;

    // In this order; a label shows its string, a value view starts empty.
    constexpr u16 kEmpty = 0;
    const std::pair<TTextViewPtr CCreateWindow::*, u16> kTextViews[] = {
        {&CCreateWindow::fInputFolderLabel, kInputFolderLabel},
        {&CCreateWindow::fInputFolderView, kEmpty},
        {&CCreateWindow::fOutputFileLabel, kOutputFileLabel},
        {&CCreateWindow::fOutputFileView, kEmpty},
        {&CCreateWindow::fNameLabel, kNameLabel},
        {&CCreateWindow::fNameView, kEmpty},
        {&CCreateWindow::fCommentsLabel, kCommentsLabel},
        {&CCreateWindow::fCommentsView, kEmpty},
        {&CCreateWindow::fExternalVantlesLabel, kExternalVantlesLabel},
        {&CCreateWindow::fExternalVantlesView, kEmpty},
        {&CCreateWindow::fCopyrightLabel, kCopyrightLabel},
        {&CCreateWindow::fCopyrightView, kEmpty},
        {&CCreateWindow::fURLLabel, kURLLabel},
        {&CCreateWindow::fURLView, kEmpty},
        {&CCreateWindow::fFileCountLabel, kFileCountLabel},
        {&CCreateWindow::fFileCountView, kEmpty},
        {&CCreateWindow::fHostFolderLabel, kHostFolderLabel},
    };
    for (const auto& [view, label] : kTextViews)
        this->*view = MakeTextView(background, label == kEmpty ? TUTF16String() : GetProgramString(label));
    fRadioButtonGroupView = CreateHostFolderChoice(background, this);
    fHostFolderView = MakeTextView(background);
    fSplashLabel = MakeTextView(background, GetProgramString(kSplashLabel));
    fSplashView =
        NSTrellisGlue::MakeViewPtr(new NSFerrant::CDirectBitmapView(content, {}, "CDirectBitmapView", {}));
    fSoundbankOkOrNotOkImage = NSFerrant::MakeBitmapViewPtr(
        new NSFerrant::CBitmapView(background, {-100, -100, -50, -50}, "fSoundbankOkOrNotOkImage"));

    const float separatorHeight = NSSprocketUtils::GetMetric();
    fInputSeparatorView = NSSprocketUtils::CreateSeparatorLine(content, ParkedFrameOfHeight(separatorHeight),
                                                               "fInputSeparatorView");
    fPhaseSeparatorView = NSSprocketUtils::CreateSeparatorLine(content, ParkedFrameOfHeight(separatorHeight),
                                                               "fPhaseSeparatorView");
    fProgressTextView = MakeTextView(background);
    i32 progressHeight = 0;
    ThrowIfSprocketFailure(GetSprocketInterface()->GetControlMetrics(NSSprocket::kSizeStyleRegular,
                                                                     kSmallFont, &progressHeight));
    fProgressBarView = NSSprocketUtils::CreateProgressView(
        content, ParkedFrameOfHeight(float(progressHeight)), {}, "fProgressBarView");

    fSelectButtonIcon = NSTrellisUtils::CreateIcon(kFolderIcon);
    const float iconLimit[2] = {16, 16};
    const auto selectSize = NSSprocketUtils::GetTextSize({}, iconLimit, kIconButtonStyle);
    const TViewFrame selectFrame{-1000, -1000, selectSize[0] - 1000, selectSize[1] - 1000};
    const auto makeSelectButton = [&](const std::string& name)
    {
        return NSSprocketUtils::CreatePushButtonView(content, this, selectFrame, {}, fSelectButtonIcon.get(),
                                                     {}, kIconButtonStyle, NSSprocket::kSizeStyleRegular,
                                                     kIconButtonStyle, name);
    };
    fSelectInputDirButton = makeSelectButton("fSelectInputDirButton");
    fSelectOutputDirButton = makeSelectButton("fSelectOutputDirButton");
    fSelectTessaroOrK42DirButton = makeSelectButton("fSelectTessaroOrK42DirButton");

    const float noLimit[2] = {0, 0};
    const float titledHeight =
        NSSprocketUtils::GetTextSize(NSTextPackage::ASCIIToUTF16("dummy", 0), noLimit, kTitledButtonStyle)[1];
    const auto makeTitledButton = [&](u16 title, u32 kind, const std::string& name)
    {
        return NSSprocketUtils::CreatePushButtonView(content, this, ParkedFrameOfHeight(titledHeight),
                                                     GetProgramString(title), nullptr, {}, kind,
                                                     NSSprocket::kSizeStyleRegular, kTitledButtonStyle, name);
    };
    fCreateVantleButton = makeTitledButton(kCreateTitle, kCreateButtonKind, "fCreateVantleButton");
    fStopButton = makeTitledButton(kStopTitle, kStopButtonKind, "fStopButton");
    fTimeRemainingView = MakeTextView(background);

    // The background was made first, to hold the texts; it goes behind the content's other views.
    fBackgroundView->SendToBack();

    // Labels and the two progress lines are plain text; the values sit in a border.
    for (const TTextViewPtr& plain : {fInputFolderLabel, fOutputFileLabel, fNameLabel, fCommentsLabel,
                                      fExternalVantlesLabel, fCopyrightLabel, fURLLabel, fFileCountLabel,
                                      fProgressTextView, fSplashLabel, fHostFolderLabel, fTimeRemainingView})
    {
        plain->SetBordered(false);
        plain->Invalidate();
    }
}

void CCreateWindow::Layout()
{
    fBackgroundView->SetLayoutFrame({0, 0, kContentWidth, kBackgroundHeight});

    const float buttonHeight = HeightOf(ReadRecord(*fCreateVantleButton));
    const float labelOffset = std::floor((buttonHeight - 16) / 2);
    const auto hostButton = ReadRecord(*fSelectTessaroOrK42DirButton);
    const float hostButtonWidth = WidthOf(hostButton);
    const float hostButtonHeight = HeightOf(hostButton);
    const float separatorMetric = NSSprocketUtils::GetMetric();
    const auto selectButton = ReadRecord(*fSelectInputDirButton);
    const float selectWidth = WidthOf(selectButton);
    const float selectHeight = HeightOf(selectButton);
    const float progressHeight = HeightOf(ReadRecord(*fProgressBarView));
    const float noLimit[2] = {0, 0};
    float titleWidth = 0;
    for (const TPushButtonPtr& button : {fCreateVantleButton, fStopButton})
        titleWidth = std::max(titleWidth, NSSprocketUtils::GetTextSize(TitleOf(ReadRecord(*button)), noLimit,
                                                                       kTitledButtonStyle)[0]);

    constexpr float kLeft = 20;
    constexpr float kRight = 460;
    constexpr float kValueLeft = 170;
    constexpr float kLabelRight = 160;
    const float H = buttonHeight;
    const float r = kLeft + labelOffset;

    fInputFolderLabel->SetFrame({kLeft, r, kLabelRight, r + 16});
    fOutputFileLabel->SetFrame({kLeft, r + H, kLabelRight, r + H + 16});
    PlaceControl(*fInputSeparatorView, {kLeft, r + 2 * H, kRight, r + 2 * H + separatorMetric});
    const float S = HeightOf(ReadRecord(*fInputSeparatorView));
    const float y = r + 2 * H + S + 6;
    const float v = r + 2 * H + separatorMetric + 6;

    const TTextViewPtr stackedLabels[] = {fNameLabel, fCopyrightLabel, fURLLabel, fSplashLabel};
    for (int k = 0; k < 4; ++k)
        stackedLabels[k]->SetFrame({kLeft, y + k * H, kLabelRight, y + k * H + 16});
    fFileCountLabel->SetFrame({kLeft, y + 3 * H + 74, kLabelRight, y + 3 * H + 90});
    fCommentsLabel->SetFrame({kLeft, y + 4 * H + 74, kLabelRight, y + 4 * H + 90});
    fExternalVantlesLabel->SetFrame({kLeft, y + 5 * H + 154, kLabelRight, y + 5 * H + 170});

    fInputFolderView->SetFrame({kValueLeft, r, 458 - hostButtonWidth, r + 16});
    fOutputFileView->SetFrame({kValueLeft, r + H, 458 - hostButtonWidth, r + H + 16});
    const TTextViewPtr stackedValues[] = {fNameView, fCopyrightView, fURLView};
    for (int k = 0; k < 3; ++k)
        stackedValues[k]->SetFrame({kValueLeft, v + k * H, kRight, v + k * H + 16});
    fSplashView->MoveTo({kValueLeft, v + 3 * H, 236, v + 3 * H + 66});
    fFileCountView->SetFrame({kValueLeft, v + 3 * H + 74, kRight, v + 3 * H + 90});
    fCommentsView->SetFrame({kValueLeft, v + 4 * H + 74, kRight, v + 4 * H + 170});
    fExternalVantlesView->SetFrame({kValueLeft, v + 5 * H + 154, kRight, v + 5 * H + 186});

    const float e = v + 5 * H + 192;
    PlaceControl(*fPhaseSeparatorView, {kLeft, e, kRight, e + separatorMetric});
    const float S2 = HeightOf(ReadRecord(*fPhaseSeparatorView));

    // The choices move together, item 0 to the corner given; their sizes stay.
    auto choices = NSSprocketUtils::GetRadioButtonGroupProperties(*fRadioButtonGroupView);
    const i32 dx = i32(kLeft) - choices->fItems[0].fFrame[0];
    const i32 dy = i32(e + S2 + 34) - choices->fItems[0].fFrame[1];
    for (u16 i = 0; i < kHostFolderChoiceCount; ++i)
    {
        i32* frame = choices->fItems[i].fFrame;
        frame[0] += dx;
        frame[1] += dy;
        frame[2] += dx;
        frame[3] += dy;
    }
    ThrowIfSprocketFailure(fRadioButtonGroupView->SetProperties(choices.get()));
    const float c = float(choices->fItems[1].fFrame[2]);
    const float t = float(choices->fItems[1].fFrame[1]);

    fHostFolderView->SetFrame({c + 10, t, c + 366 - hostButtonWidth, t + 16});
    const float x = fHostFolderView->GetFrame()[2];
    fSoundbankOkOrNotOkImage->SetFrame({x + 9, t - 51, x + 25, t - 35});
    // The label's long text takes its row up to 10 short of the indicator beside it.
    fHostFolderLabel->SetFrame({kLeft, e + S2 + 6, x - 1, e + S2 + 22});
    const float g = std::floor((16 - hostButtonHeight) / 2);
    PlaceControl(*fSelectTessaroOrK42DirButton,
                 {kRight - hostButtonWidth, t + g, kRight, t + g + hostButtonHeight});
    const float b = t + g + hostButtonHeight;

    fProgressTextView->SetFrame({kLeft, b, kRight, b + 48});
    fTimeRemainingView->SetFrame({kLeft, b + H + 32, kRight, b + H + 48});
    fCreateButtonFrame = {kRight - titleWidth, b + 2 * H + 32, kRight, b + 3 * H + 32};
    PlaceControl(*fCreateVantleButton, fCreateButtonFrame);
    auto stop = ReadRecord(*fStopButton);
    stop.fFrame[2] = stop.fFrame[0] + i32(titleWidth);
    stop.fFrame[3] = stop.fFrame[1] + i32(H);
    stop.fEnabled = 0;
    WriteRecord(*fStopButton, stop);
    const float q = b + 2 * H + 32 + std::floor((H - progressHeight) / 2);
    PlaceControl(*fProgressBarView, {kLeft, q, 440 - titleWidth, q + progressHeight});
    PlaceControl(*fSelectInputDirButton, {kRight - selectWidth, 20, kRight, 20 + selectHeight});
    PlaceControl(*fSelectOutputDirButton,
                 {kRight - selectWidth, 20 + selectHeight, kRight, 20 + 2 * selectHeight});

    SetContentSize({i32(kContentWidth), i32(fCreateButtonFrame[3] + 20)});
}

void CCreateWindow::UpdateControls()
{
    const bool idle = fPacking == 0;
    for (const TPushButtonPtr& button :
         {fSelectInputDirButton, fSelectOutputDirButton, fSelectTessaroOrK42DirButton})
        NSSprocketUtils::SetEnabled(*button, idle);
    // Create and Stop take turns at the Create button's place; the other waits outside the window.
    ShowButtonAt(*fCreateVantleButton, idle ? fCreateButtonFrame : kParkedFrame, idle);
    ShowButtonAt(*fStopButton, idle ? kParkedFrame : fCreateButtonFrame, !idle);

    const CVantleInfo& info = fData.fInfo;
    fNameView->SetText(info.fName);
    fInputFolderView->SetText(fData.fInputFolder ? NSFileLibSupport::GetName(fData.fInputFolder.get())
                                                 : TUTF16String());
    fOutputFileView->SetText(fData.fOutputFile ? fData.fOutputFile->GetFileName() : TUTF16String());
    fCommentsView->SetText(info.fComments);
    fExternalVantlesView->SetText(fData.fExternalVantlesText);
    fCopyrightView->SetText(info.fCopyright);
    fURLView->SetText(info.fURL);
    fSplashView->SetBitmap(fData.fSplashImage);
    // The package's count includes its own information entry, which the user never chose.
    fFileCountView->SetText(
        info.fFileCount != 0 ? NSTextPackage::FormatGroupedNumber(i64(info.fFileCount) - 1) : TUTF16String());

    const CPreferences* preferences = GetApplicationPreferences();
    const NSFileLibSupport::TDirSpecPtr hostFolder = preferences ? preferences->GetHostFolder() : nullptr;
    fHostFolderView->SetText(hostFolder ? NSFileLibSupport::GetDirWinPath(hostFolder.get()) : TUTF16String());
    const bool usable = GetHostFolder().fStatus != kNoHostFolder;
    fSoundbankOkOrNotOkImage->SetBitmap(
        NSFerrant::MakePNGImageID(usable ? kHostFolderUsableImage : kHostFolderNotUsableImage));
    ShowHostFolderChoice(preferences && preferences->fCustomHostFolder != 0 ? 1 : 0);
}

void CCreateWindow::ShowHostFolderChoice(u16 selection)
{
    auto record = GetRadioButtonGroupProperties(*fRadioButtonGroupView);
    record->fSelected = selection;
    WriteRecord(*fRadioButtonGroupView, *record);
}
} // namespace NSVantleApp

// Our Trellis GUI library through its real DLL boundary: texts of the program's tables (this
// executable links the program's resources and the tables of TextTableCases.rc), icons and
// platform services.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"
#include "tests/dlls/TrellisLibraryTest.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace
{
// The failure kind of the exception that the program side raises for a status.
u32 FailureKindOf(u32 status)
{
    try
    {
        ThrowTrellisFailure(status);
    }
    catch (const std::exception& e)
    {
        return NSQuorral::ClassifyException(e).fKind;
    }
    return 0;
}

constexpr u32 kRuntimeErrorKind = 17;
constexpr u32 kInvalidArgumentKind = 11;
constexpr u32 kFormatViolationKind = 22;

class CCollectingGetter final : public NSTrellis::ITextGetter
{
public:
    u32 SetText(const u16* text) override
    {
        fText = text;
        ++fCalls;
        return fAnswer;
    }

    NSTextPackage::TUTF16String fText;
    int fCalls = 0;
    u32 fAnswer = kTrellisOK;
};

// Non-destructive: a destroyed icon has no icon information any more.
bool IsIconDestroyed(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return true;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return false;
}

HICON MakeTestIcon()
{
    static const BYTE andMask[32] = {};
    static const BYTE xorMask[32] = {0xFF, 0xFF, 0xF0, 0x0F};
    return CreateIcon(nullptr, 16, 16, 1, 1, andMask, xorMask);
}

class TrellisTest : public TrellisLibraryTest
{
protected:
    void SetUp() override
    {
        TrellisLibraryTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(fTrellis->GetPlatformServices(&fServices), kTrellisOK);
    }

    u32 GetText(const char* spec, NSTextPackage::TUTF16String& text)
    {
        CCollectingGetter getter;
        const u32 status = fTrellis->GetResourceText(spec, &getter);
        text = getter.fText;
        return status;
    }

    IPlatformServices* fServices = nullptr;
};

TEST_F(TrellisTest, GetResourceTextReadsStringAndAlertTablesWithEscapesDecoded)
{
    const struct
    {
        const char* spec;
        NSTextPackage::TUTF16String text;
    } kCases[] = {
        {"SSTR/128/18", MakeText(u"Vantle Packer")},
        {"SSTR/128/10", MakeText(u"2/5 Packing: \r\u201C^0\u201D")},
        {"SSTR/128/3224", MakeText(u"Stop")},
        {"SSTR/1997/204", MakeText(u"^0 (build ^1)")},
        {"SSTR/2000/500", MakeText(u"File Folder")},
        {"SALR/128/19", MakeText(u"[STOP][Stop Pack?]Do you wish to stop the packing that is currently  in progress?"
                        u"[Continue][Cancel Packing]")},
        {"SALR/301/3", MakeText(u"[STOP]Administrator user name or password is not correct!\r\rPlease try again.[OK]")},
        {"SALR/1997/0", MakeText(u"[STOP][Out of Memory]The Operation could not be completed because not enough memory is "
                        u"available.[OK]")},
        {"SSTR/30001/0", MakeText(u"zero")},
        {"SSTR/30001/7", MakeText(u"escapes \r|\n|\t|\\ end")},
        {"SSTR/30001/9", MakeText(u"raw\ttab")},
        {"SSTR/30001/12", MakeText(u"\u201Cquoted\u201D")},
        {"SSTR/30001/65535", MakeText(u"last without a line end")},
    };
    for (const auto& c : kCases)
    {
        NSTextPackage::TUTF16String text;
        EXPECT_EQ(GetText(c.spec, text), kTrellisOK) << c.spec;
        EXPECT_EQ(text, c.text) << c.spec;
    }
}

TEST_F(TrellisTest, GetResourceTextFailsThroughTheStatusTable)
{
    const struct
    {
        const char* spec;
        u32 kind;
    } kCases[] = {
        {"SSTR/128/1", kRuntimeErrorKind},     // no such entry
        {"SALR/128/999", kRuntimeErrorKind},   // no such entry
        {"SSTR/999/1", kRuntimeErrorKind},     // no such table
        {"SSTR/30002/1", kFormatViolationKind}, // a line without a tab, after the entry asked for
        {"SSTR/30003/1", kFormatViolationKind}, // an entry number that is no number
        {"SSTR/30004/1", kFormatViolationKind}, // an entry number above 65535
        {"SSTR/30005/1", kFormatViolationKind}, // an unknown escape
        {"SSTR/30006/1", kFormatViolationKind}, // a text ending in a lone backslash
        {"SSTR/30007/1", kFormatViolationKind}, // descending entries
        {"SSTR/30008/1", kFormatViolationKind}, // a repeated entry
        {"SSTR/30009/2", kFormatViolationKind}, // a text that is no UTF-8
        {"SSTR/30010/1", kFormatViolationKind}, // a line without an entry number
        {"SSTR/128", kInvalidArgumentKind},     // an id without an entry
        {"SSTR//1", kInvalidArgumentKind},
        {"SSTR/x/1", kInvalidArgumentKind},
        {"SSTR/128/65536", kInvalidArgumentKind},
        {"/128/1", kInvalidArgumentKind},
        {"", kInvalidArgumentKind},
    };
    for (const auto& c : kCases)
    {
        NSTextPackage::TUTF16String text;
        const u32 status = GetText(c.spec, text);
        EXPECT_NE(status, kTrellisOK) << c.spec;
        EXPECT_EQ(FailureKindOf(status), c.kind) << c.spec << " answered " << status;
    }
    EXPECT_EQ(FailureKindOf(fTrellis->GetResourceText("SSTR/128/18", nullptr)), kInvalidArgumentKind);
}

TEST_F(TrellisTest, GetResourceTextHandsBackTheGettersFailure)
{
    CCollectingGetter getter;
    getter.fAnswer = kTrellisIllegalCallSequence;
    EXPECT_EQ(fTrellis->GetResourceText("SSTR/128/18", &getter), kTrellisIllegalCallSequence);
    EXPECT_EQ(getter.fCalls, 1);
}

TEST_F(TrellisTest, CreateIconMakesTheLibrarysOwnIcons)
{
    for (const u32 id : {3001u, 3011u, 3016u})
    {
        u32 status = kTrellisOK;
        NSTrellis::IIcon* icon = fTrellis->CreateIcon(id, &status);
        ASSERT_EQ(status, kTrellisOK) << id;
        ASSERT_NE(icon, nullptr) << id;
        HICON smallIcon = nullptr;
        HICON largeIcon = nullptr;
        EXPECT_EQ(icon->GetHandles(&smallIcon, &largeIcon), kTrellisOK);
        EXPECT_FALSE(IsIconDestroyed(smallIcon));
        EXPECT_FALSE(IsIconDestroyed(largeIcon));
        EXPECT_EQ(icon->Release(), kTrellisOK);
        EXPECT_TRUE(IsIconDestroyed(smallIcon)) << id;
        EXPECT_TRUE(IsIconDestroyed(largeIcon)) << id;
    }
    const struct
    {
        u32 id;
        u32 kind;
    } kFailures[] = {{1234, kRuntimeErrorKind}, {0, kInvalidArgumentKind}, {70000, kInvalidArgumentKind}};
    for (const auto& c : kFailures)
    {
        u32 status = kTrellisOK;
        EXPECT_EQ(fTrellis->CreateIcon(c.id, &status), nullptr) << c.id;
        EXPECT_EQ(FailureKindOf(status), c.kind) << c.id;
    }
    EXPECT_EQ(fTrellis->CreateIcon(3001, nullptr), nullptr);
}

TEST_F(TrellisTest, CreateIconFromSpecReadsTheProgramsIconResources)
{
    for (const char* spec : {"1", "53", "91", "92", "93", "94"})
    {
        u32 status = kTrellisOK;
        NSTrellis::IIcon* icon = fTrellis->CreateIconFromSpec(spec, 0, &status);
        EXPECT_EQ(status, kTrellisOK) << spec;
        ASSERT_NE(icon, nullptr) << spec;
        icon->Release();
    }
    const struct
    {
        const char* spec;
        u32 zero;
        u32 kind;
    } kFailures[] = {
        {"3001", 0, kRuntimeErrorKind}, // the library's own icons are no program resources
        {"NoSuchIcon", 0, kRuntimeErrorKind},
        {"", 0, kInvalidArgumentKind},
        {"53", 1, kInvalidArgumentKind},
    };
    for (const auto& c : kFailures)
    {
        u32 status = kTrellisOK;
        EXPECT_EQ(fTrellis->CreateIconFromSpec(c.spec, c.zero, &status), nullptr) << c.spec;
        EXPECT_EQ(FailureKindOf(status), c.kind) << c.spec;
    }
}

TEST_F(TrellisTest, CreateIconFromHandlesOwnsBothHandlesOnEveryPath)
{
    {
        const HICON smallIcon = MakeTestIcon();
        const HICON largeIcon = MakeTestIcon();
        u32 status = kTrellisOK;
        NSTrellis::IIcon* icon = fServices->CreateIconFromHandles(smallIcon, 0, largeIcon, 0, 0, 0, 0, &status);
        ASSERT_EQ(status, kTrellisOK);
        ASSERT_NE(icon, nullptr);
        HICON gotSmall = nullptr;
        HICON gotLarge = nullptr;
        icon->GetHandles(&gotSmall, &gotLarge);
        EXPECT_EQ(gotSmall, smallIcon);
        EXPECT_EQ(gotLarge, largeIcon);
        EXPECT_FALSE(IsIconDestroyed(smallIcon));
        icon->Release();
        EXPECT_TRUE(IsIconDestroyed(smallIcon));
        EXPECT_TRUE(IsIconDestroyed(largeIcon));
    }
    {
        // One handle for both sizes is destroyed once.
        const HICON both = MakeTestIcon();
        u32 status = kTrellisOK;
        NSTrellis::IIcon* icon = fServices->CreateIconFromHandles(both, 0, both, 0, 0, 0, 0, &status);
        ASSERT_EQ(status, kTrellisOK);
        icon->Release();
        EXPECT_TRUE(IsIconDestroyed(both));
    }
    const struct
    {
        const char* what;
        bool smallGiven;
        bool largeGiven;
        u32 zero;
        bool statusGiven;
    } kRefused[] = {
        {"a non-zero reserved argument", true, true, 1, true},
        {"no small icon", false, true, 0, true},
        {"no large icon", true, false, 0, true},
        {"no status", true, true, 0, false},
    };
    for (const auto& c : kRefused)
    {
        const HICON smallIcon = c.smallGiven ? MakeTestIcon() : nullptr;
        const HICON largeIcon = c.largeGiven ? MakeTestIcon() : nullptr;
        u32 status = kTrellisOK;
        EXPECT_EQ(fServices->CreateIconFromHandles(smallIcon, 0, largeIcon, c.zero, 0, 0, 0,
                                                   c.statusGiven ? &status : nullptr),
                  nullptr)
            << c.what;
        if (c.statusGiven)
        {
            EXPECT_EQ(FailureKindOf(status), kInvalidArgumentKind) << c.what;
        }
        if (smallIcon)
        {
            EXPECT_TRUE(IsIconDestroyed(smallIcon)) << c.what;
        }
        if (largeIcon)
        {
            EXPECT_TRUE(IsIconDestroyed(largeIcon)) << c.what;
        }
    }
}

TEST_F(TrellisTest, PlatformServicesEnableAndDisableTheApplicationsWindows)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"test window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(fServices->EnableApplicationWindows(0), kTrellisOK);
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_EQ(fServices->EnableApplicationWindows(1), kTrellisOK);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(FailureKindOf(fServices->EnableApplicationWindows(2)), kInvalidArgumentKind);
    EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(window);
}

TEST(TrellisCreate, AnswersOnlyForItsOwnInterfaceAndLivesUntilReleased)
{
    u32 status = kTrellisOK;
    EXPECT_EQ(Trellis_Create("ISprocket", &status), nullptr);
    EXPECT_EQ(status, kTrellisNoSuchInterface);
    status = kTrellisOK;
    EXPECT_EQ(Trellis_Create(nullptr, &status), nullptr);
    EXPECT_EQ(status, kTrellisNoSuchInterface);
    EXPECT_EQ(Trellis_Create("ITrellis", nullptr), nullptr);

    status = kTrellisOK;
    ITrellis* first = Trellis_Create("ITrellis", &status);
    ASSERT_EQ(status, kTrellisOK);
    EXPECT_EQ(Trellis_Create("ITrellis", &status), first);
    EXPECT_EQ(first->Release(1), kTrellisOK);

    // After the release a new interface serves again.
    ITrellis* second = Trellis_Create("ITrellis", &status);
    ASSERT_EQ(status, kTrellisOK);
    NSTextPackage::TUTF16String text;
    CCollectingGetter getter;
    EXPECT_EQ(second->GetResourceText("SSTR/128/56", &getter), kTrellisOK);
    EXPECT_EQ(getter.fText, MakeText(u"Stop"));
    second->Release(1);
}

TEST(TrellisMemory, NewAndDeleteServeTheObjectsTheLibraryFrees)
{
    auto* bytes = static_cast<u8*>(Trellis_New(4096));
    ASSERT_NE(bytes, nullptr);
    bytes[0] = 1;
    bytes[4095] = 2;
    Trellis_Delete(bytes);
    EXPECT_EQ(Trellis_New(UINT64_MAX), nullptr);
    Trellis_Delete(nullptr);
}
} // namespace

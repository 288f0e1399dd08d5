// The responder's texts: one row per class and object type, in the order the classes are tested.
#include "app/ExceptionTexts.h"

#include "base/ExceptionProperty.h"
#include "base/ObjectTypeNames.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextConversions.h"
#include "filelib/WinErrors.h"
#include "filelib/WindowsErrorExceptions.h"
#include "gui/AlertText.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;
using NSVantleApp::DescribeException;

namespace
{
constexpr u16 kProgramAlerts = 128;
constexpr u16 kStandardAlerts = 1997;

TUTF16String Alert(u16 table, u16 index)
{
    return NSTrellisUtils::GetResourceText(NSFerrant::MakeAlertID(table, index));
}

TUTF16String DescribeThrown(const std::function<void()>& thrower)
{
    try
    {
        thrower();
    }
    catch (const std::exception& e)
    {
        return DescribeException(e);
    }
    ADD_FAILURE() << "nothing thrown";
    return TUTF16String();
}

template <class TException> std::function<void()> About(const char* objectType)
{
    return [objectType] { Throw<TException>("", TFixedName(objectType)); };
}

template <class TException> std::function<void()> Plain()
{
    return [] { Throw<TException>(); };
}

// A resolve failure about an object of the type, with the target id when one is given.
std::function<void()> ResolveFailure(const TFixedName& objectType, std::optional<TPropertyValue> target)
{
    return [objectType, target]
    {
        CThrowContext context{TThrowSite{}};
        context << XResolve("");
        context.SetTargetObjectType(objectType);
        if (target)
            context.SetProperty({GetTargetObjectIDKey(), *target});
        ThrowException(context);
    };
}

struct TRow
{
    const char* name;
    std::function<void()> thrower;
    u16 table; // 0: nothing is shown
    u16 index;
};

class ExceptionTexts : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }
};

TEST_F(ExceptionTexts, EachClassAndObjectTypeChoosesItsAlert)
{
    const TRow rows[] = {
        {"illegal call sequence", Plain<XIllegalCallSequence>(), kProgramAlerts, 201},
        {"invariant corrupt", Plain<XInvariantCorrupt>(), kProgramAlerts, 201},
        {"read", Plain<XRead>(), kStandardAlerts, 8},
        {"not found: file", About<XNotFound>("file"), kStandardAlerts, 4},
        {"not found: shell item", About<XNotFound>("shell_item"), kStandardAlerts, 19},
        {"not found: network", About<XNotFound>("network"), kStandardAlerts, 18},
        {"not found: kiv dll", About<XNotFound>("kiv_dll"), kProgramAlerts, 213},
        {"not found: application", About<XNotFound>("application"), kProgramAlerts, 201},
        {"not found: no type", Plain<XNotFound>(), kStandardAlerts, 4},
        {"create", Plain<XCreate>(), kStandardAlerts, 9},
        {"out of space", Plain<XOutOfSpace>(), kStandardAlerts, 3},
        {"locked", Plain<XLocked>(), kStandardAlerts, 13},
        {"not ready", Plain<XNotReady>(), kStandardAlerts, 16},
        {"permission", Plain<XPermission>(), kStandardAlerts, 17},
        {"resolve: file, integer id", ResolveFailure(GetFileObjectType(), TPropertyValue(u64(7))), kStandardAlerts, 14},
        {"resolve: directory, no id", ResolveFailure(GetDirectoryObjectType(), std::nullopt), kStandardAlerts, 14},
        {"resolve: reference", ResolveFailure(GetReferenceObjectType(), std::nullopt), kProgramAlerts, 201},
        {"resolve: other", ResolveFailure(TFixedName("kiv_file"), std::nullopt), kStandardAlerts, 14},
        {"out of items: file handles", About<XOutOfItems>("file_handle"), kProgramAlerts, 241},
        {"out of items: kiv slices", About<XOutOfItems>("kiv_slice"), kProgramAlerts, 211},
        {"out of items: other", Plain<XOutOfItems>(), kProgramAlerts, 241},
        {"silent abort", Plain<XSilentAbort>(), 0, 0},
        {"open: dll", About<XOpen>("dll"), kProgramAlerts, 250},
        {"open: dll dependants", About<XOpen>("dll_dependants"), kProgramAlerts, 250},
        {"open: shell item", About<XOpen>("shell_item"), kStandardAlerts, 15},
        {"open: kiv dll", About<XOpen>("kiv_dll"), kProgramAlerts, 212},
        {"open: other", Plain<XOpen>(), kProgramAlerts, 240},
        {"too new: kiv dll", About<XVersionTooNew>("kiv_dll"), kProgramAlerts, 215},
        {"too new: kiv file", About<XVersionTooNew>("kiv_file"), kProgramAlerts, 217},
        {"too new: other", Plain<XVersionTooNew>(), kStandardAlerts, 7},
        {"too old: kiv dll", About<XVersionTooOld>("kiv_dll"), kProgramAlerts, 214},
        {"too old: other", Plain<XVersionTooOld>(), kStandardAlerts, 7},
        {"write", Plain<XWrite>(), kStandardAlerts, 9},
        {"unsupported: unicode", About<XUnsupportedFormat>("unicode"), kProgramAlerts, 201},
        {"unsupported: zero loop", About<XUnsupportedFormat>("kiv_file_zeroloop"), kProgramAlerts, 218},
        {"unsupported: other", Plain<XUnsupportedFormat>(), kStandardAlerts, 7},
        {"format: unicode", About<XFormatViolation>("unicode"), 0, 0},
        {"format: sound font", About<XFormatViolation>("sound_font_file_format"), kProgramAlerts, 230},
        {"format: xml", About<XFormatViolation>("xml_format"), kProgramAlerts, 201},
        {"format: audio sample", About<XFormatViolation>("audio_sample"), kStandardAlerts, 23},
        {"format: kiv file", About<XFormatViolation>("kiv_file"), kProgramAlerts, 216},
        {"format: other", Plain<XFormatViolation>(), kStandardAlerts, 6},
        {"domain: command", [] { Throw(std::domain_error("x"), TFixedName("command")); }, kStandardAlerts, 12},
        {"domain: shell item", [] { Throw(std::domain_error("x"), TFixedName("shell_item")); }, kStandardAlerts, 21},
        {"domain: other", [] { throw std::domain_error("x"); }, kStandardAlerts, 12},
        {"bad alloc", [] { throw std::bad_alloc(); }, kStandardAlerts, 0},
        {"wrapped bad alloc", [] { Throw(std::bad_alloc()); }, kStandardAlerts, 0},
        {"abort", Plain<XAbort>(), 0, 0},
        {"overflow: kiv file", [] { Throw(std::overflow_error("x"), TFixedName("kiv_file")); }, kProgramAlerts, 210},
        {"overflow: other", [] { Throw(std::overflow_error("x"), TFixedName("file")); }, kProgramAlerts, 200},
        {"invalid argument", [] { throw std::invalid_argument("x"); }, kProgramAlerts, 201},
        {"runtime error", [] { throw std::runtime_error("x"); }, kProgramAlerts, 200},
        {"logic error", [] { Throw(std::logic_error("x")); }, kProgramAlerts, 200},
        {"plain exception", [] { throw std::exception(); }, kProgramAlerts, 200},
        {"out of range", [] { throw std::out_of_range("x"); }, kProgramAlerts, 200},
    };
    for (const TRow& row : rows)
    {
        const TUTF16String expected = row.table == 0 ? TUTF16String() : Alert(row.table, row.index);
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(expected), NSTextPackage::UTF16ToUTF8(DescribeThrown(row.thrower)))
            << row.name;
    }
}

// The shortcut's path is shown as it is: its backslashes kept, its brackets opening no button.
TEST_F(ExceptionTexts, BrokenShortcutNamesItsTextTargetAsWritten)
{
    const char* const kTargets[] = {
        "C:\\Sounds\\Gr\xC3\xBC\xC3\x9F" "e.lnk",
        "C:\\Sounds\\[old]\\Old.lnk",
        "C:\\]]]\\[[[\\[OK]\\[Cancel][Replace].lnk",
        "\\\\server\\share\\x\\",
    };
    for (const char* target : kTargets)
        for (const TFixedName& type : {GetFileObjectType(), GetDirectoryObjectType(), GetVolumeObjectType()})
        {
            const TUTF16String text = DescribeThrown(ResolveFailure(type, TPropertyValue(std::string(target))));
            TUTF16String kind, title, message;
            std::vector<TUTF16String> buttons;
            ASSERT_NO_THROW(ParseAlertText(text, kind, title, message, buttons)) << target;
            EXPECT_EQ("STOP", NSTextPackage::UTF16ToUTF8(kind));
            EXPECT_EQ("Broken shortcut", NSTextPackage::UTF16ToUTF8(title));
            EXPECT_EQ("The shortcut \xE2\x80\x9C" + std::string(target) +
                          "\xE2\x80\x9D could not be resolved. Please delete or repair it in the Explorer and try "
                          "again.",
                      NSTextPackage::UTF16ToUTF8(message));
            EXPECT_EQ(std::vector<TUTF16String>{NSTextPackage::ASCIIToUTF16("OK", 0)}, buttons) << target;
        }
}

// A Windows error shows the same alert whether the file library or the program's own registry
// and process calls met it.
TEST_F(ExceptionTexts, AWindowsErrorShowsOneAlertWhicheverCallMetIt)
{
    for (const u32 error : {2u, 3u, 4u, 5u, 8u, 15u, 19u, 21u, 29u, 30u, 32u, 33u, 39u, 82u, 87u, 112u, 1237u})
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(DescribeThrown([&] { WinThrowExceptionForKnownError(error); })),
                  NSTextPackage::UTF16ToUTF8(
                      DescribeThrown([&] { NSFileLibSupport::ThrowExceptionForWindowsError(error); })))
            << error;
}

TEST_F(ExceptionTexts, TextsReachTheUserAsWritten)
{
    EXPECT_EQ("[STOP][File not Found]The Operation could not be completed because a file could not be found.[OK]",
              NSTextPackage::UTF16ToUTF8(DescribeThrown(Plain<XNotFound>())));
    EXPECT_EQ("[STOP][KIV Error]Couldn\xE2\x80\x99t find the KIV library. Please reinstall.[OK]",
              NSTextPackage::UTF16ToUTF8(DescribeThrown(About<XNotFound>("kiv_dll"))));
    EXPECT_EQ("[STOP]An unknown error occured![OK]", NSTextPackage::UTF16ToUTF8(NSVantleApp::GetUnknownExceptionText()));
}
} // namespace

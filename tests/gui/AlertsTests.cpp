// Alert texts, their descriptor and their answers, against the real GUI library answering
// headless.
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "gui/Alerts.h"
#include "tests/gui/HeadlessTrellis.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace
{
using NSTextPackage::TUTF16String;

TUTF16String Text(const std::u16string& text)
{
    return TUTF16String(text.begin(), text.end());
}

TUTF16String FieldOf(const u16 (&field)[1024])
{
    return TUTF16String(field);
}

TEST(AlertText, ParsesEveryPartOrRefusesTheText)
{
    struct Case
    {
        std::u16string text;
        std::u16string kind, title, message;
        std::vector<std::u16string> buttons;
    };
    const Case kValid[] = {
        {u"[NOTE][Pack complete]Done.[OK]", u"NOTE", u"Pack complete", u"Done.", {u"OK"}},
        {u"[STOP]Unknown exception.[OK]", u"STOP", u"", u"Unknown exception.", {u"OK"}},
        {u"[WARN][T]M[Cancel][Replace]", u"WARN", u"T", u"M", {u"Cancel", u"Replace"}},
        {u"[NONE][]M[A][B][C]", u"NONE", u"", u"M", {u"A", u"B", u"C"}},
        // Escapes in title, message and buttons; text between and after buttons joins the message.
        {u"[NOTE][a\\]b\\\\]m\\[x\\][O\\]K]between[B]after", u"NOTE", u"a]b\\", u"m[x]betweenafter", {u"O]K", u"B"}},
        // An untitled message that starts with an escape.
        {u"[STOP]\\[X\\][OK]", u"STOP", u"", u"[X]", {u"OK"}},
        {u"[WARN][T][OK]", u"WARN", u"T", u"", {u"OK"}},
        {u"[XXXX]M[OK]", u"XXXX", u"", u"M", {u"OK"}}, // the kind's value is the caller's to check
    };
    for (const Case& c : kValid)
    {
        const std::string label(c.text.begin(), c.text.end());
        TUTF16String kind, title, message;
        std::vector<TUTF16String> buttons;
        ParseAlertText(Text(c.text), kind, title, message, buttons);
        EXPECT_EQ(kind, Text(c.kind)) << label;
        EXPECT_EQ(title, Text(c.title)) << label;
        EXPECT_EQ(message, Text(c.message)) << label;
        ASSERT_EQ(buttons.size(), c.buttons.size()) << label;
        for (std::size_t i = 0; i < buttons.size(); ++i)
            EXPECT_EQ(buttons[i], Text(c.buttons[i])) << label;
    }
    const std::u16string kMalformed[] = {
        u"", u"NOTE]M[OK]", u"[NOT]M[OK]", u"[NOTES]M[OK]", u"[NOTE][Title without end", u"[NOTE]M[OK",
        u"[NOTE]M[OK\\]", u"[NOTE][T]No button", u"[NOTE]M\\", u"[NOTE",
    };
    for (const std::u16string& text : kMalformed)
    {
        TUTF16String kind, title, message;
        std::vector<TUTF16String> buttons;
        EXPECT_THROW(ParseAlertText(Text(text), kind, title, message, buttons), std::invalid_argument)
            << std::string(text.begin(), text.end());
    }
}

TEST(AlertText, AnEscapedParameterReadsBackUnchanged)
{
    const TUTF16String parameter = Text(u"a[b]\\c]");
    TUTF16String kind, title, message;
    std::vector<TUTF16String> buttons;
    ParseAlertText(ExpandAlertText(Text(u"[NOTE]^0[OK]"), {parameter}), kind, title, message, buttons);
    EXPECT_EQ(message, parameter);
    EXPECT_EQ(buttons.size(), 1u);
}

TEST(AlertAnswers, LibraryAnswersMapToTheButtonCodes)
{
    EXPECT_EQ(NSTrellisUtils::MapAlertAnswer(564), kAlertLastButton);
    EXPECT_EQ(NSTrellisUtils::MapAlertAnswer(565), kAlertNextToLastButton);
    EXPECT_EQ(NSTrellisUtils::MapAlertAnswer(566), kAlertThirdToLastButton);
    for (const u32 other : {0u, 563u, 567u, kTrellisOK})
        EXPECT_EQ(NSTrellisUtils::MapAlertAnswer(other), kAlertLastButton) << other;
}

using AlertsTest = HeadlessTrellisTest;

TEST_F(AlertsTest, TheDescriptorHoldsOperationIconAndZeroTerminatedFields)
{
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(565), kTrellisOK);
    EXPECT_EQ(ShowAlert(GetTrellisInterface(), kAlertTwoButtons, kAlertIconWarning, Text(u"Title"), Text(u"Msg"),
                        Text(u"No"), Text(u"Yes"), {}),
              565u);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    const TAlertDescriptor& alert = records[0].fAlert;
    const u8* bytes = reinterpret_cast<const u8*>(&alert);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 14001);
    EXPECT_EQ(bytes[4], 26);
    const auto unitAt = [&](std::size_t offset) { return u16(bytes[offset] | bytes[offset + 1] << 8); };
    EXPECT_EQ(unitAt(8), u'T');
    EXPECT_EQ(unitAt(8 + 2 * 5), 0);
    EXPECT_EQ(unitAt(2056), u'M');
    EXPECT_EQ(unitAt(4104), u'N');
    EXPECT_EQ(unitAt(6152), u'Y');
    EXPECT_EQ(unitAt(8200), 0);
    // Zeroed first: nothing after a field's terminator.
    for (std::size_t offset = 8 + 2 * 6; offset < 2056; ++offset)
        ASSERT_EQ(bytes[offset], 0) << offset;
    EXPECT_EQ(records[0].fAnswer, 565u);
}

TEST_F(AlertsTest, ShowAlertRefusesAFieldOverItsRoomBeforeShowingIt)
{
    const TUTF16String full(1023, u'x');
    const TUTF16String over(1024, u'x');
    EXPECT_EQ(ShowAlert(GetTrellisInterface(), kAlertOneButton, kAlertIconNote, full, full, full, {}, {}), 564u);
    EXPECT_THROW(ShowAlert(GetTrellisInterface(), kAlertOneButton, kAlertIconNote, full, over, Text(u"OK"), {}, {}),
                 std::invalid_argument);
    EXPECT_THROW(ShowAlert(GetTrellisInterface(), kAlertOneButton, kAlertIconNote, {}, {}, {}, {}, over),
                 std::invalid_argument);
    EXPECT_EQ(Records().size(), 1u);
}

TEST_F(AlertsTest, AnswersOfOneTwoAndThreeButtons)
{
    struct Case
    {
        std::u16string text;
        u32 queued;
        u32 expected;
    };
    const Case kCases[] = {
        {u"[NOTE]One[OK]", 564, kAlertLastButton},
        {u"[WARN]Two[Cancel][Replace]", 564, kAlertLastButton},
        {u"[WARN]Two[Cancel][Replace]", 565, kAlertNextToLastButton},
        {u"[NONE]Three[A][B][C]", 564, kAlertLastButton},
        {u"[NONE]Three[A][B][C]", 565, kAlertNextToLastButton},
        {u"[NONE]Three[A][B][C]", 566, kAlertThirdToLastButton},
    };
    for (const Case& c : kCases)
    {
        ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(c.queued), kTrellisOK);
        EXPECT_EQ(NSTrellisUtils::DoAlertText(Text(c.text)), c.expected) << c.queued;
    }
    // An answer that names no button of the alert is the test's mistake, reported as such.
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(566), kTrellisOK);
    EXPECT_THROW(NSTrellisUtils::DoAlertText(Text(u"[WARN]Two[Cancel][Replace]")), NSQuorral::XIllegalCallSequence);
}

TEST_F(AlertsTest, TheAnswererRecordsEveryAlertAndAnswersTheDefaultWhenItsQueueIsEmpty)
{
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(565), kTrellisOK);
    EXPECT_EQ(NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(128, 20), Text(u"Song.mid")), kAlertNextToLastButton);
    EXPECT_EQ(NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(128, 5), Text(u"12")), kAlertLastButton);
    EXPECT_EQ(NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(128, 19)), kAlertLastButton);

    const auto records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fKind, kHeadlessAlert);
    EXPECT_EQ(records[0].fAlert.fOperation, kAlertTwoButtons);
    EXPECT_EQ(records[0].fAlert.fIcon, kAlertIconWarning);
    EXPECT_EQ(FieldOf(records[0].fAlert.fTitle), Text(u"File already exists"));
    EXPECT_EQ(FieldOf(records[0].fAlert.fMessage),
              Text(u"The file \u201cSong.mid\u201d already exists, do you want to replace it?"));
    EXPECT_EQ(FieldOf(records[0].fAlert.fButtons[0]), Text(u"Cancel"));
    EXPECT_EQ(FieldOf(records[0].fAlert.fButtons[1]), Text(u"Replace"));
    EXPECT_EQ(records[0].fAnswer, 565u);

    EXPECT_EQ(records[1].fAlert.fOperation, kAlertOneButton);
    EXPECT_EQ(records[1].fAlert.fIcon, kAlertIconNote);
    EXPECT_EQ(FieldOf(records[1].fAlert.fMessage),
              Text(u"The Vantle file has been packed successfully! 12 files were added."));
    EXPECT_EQ(records[1].fAnswer, 564u);
    // Nothing queued: the last button, as Enter would choose.
    EXPECT_EQ(FieldOf(records[2].fAlert.fButtons[1]), Text(u"Cancel Packing"));
    EXPECT_EQ(records[2].fAnswer, 564u);

    // Turning it on again starts afresh.
    ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(565), kTrellisOK);
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    EXPECT_TRUE(Records().empty());
    EXPECT_EQ(NSTrellisUtils::DoAlertText(Text(u"[WARN]Two[Cancel][Replace]")), kAlertLastButton);
}

TEST_F(AlertsTest, ParametersAreShownAsWrittenAndCannotAddButtons)
{
    const TUTF16String hostile = Text(u"\\[Replace]x\\");
    NSTrellisUtils::DoAlertText(Text(u"[STOP]^0 and ^1[OK]"), {hostile, Text(u"]")});
    NSTrellisUtils::DoAlertText(Text(u"[STOP][^0]^0[OK]"), {hostile});
    // Placeholders without a parameter vanish.
    NSTrellisUtils::DoAlertText(Text(u"[STOP]a^3b[OK]"), {});
    const auto records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(FieldOf(records[0].fAlert.fMessage), hostile + Text(u" and ]"));
    EXPECT_EQ(records[0].fAlert.fOperation, kAlertOneButton);
    EXPECT_EQ(FieldOf(records[1].fAlert.fTitle), hostile);
    EXPECT_EQ(FieldOf(records[1].fAlert.fMessage), hostile);
    EXPECT_EQ(FieldOf(records[2].fAlert.fMessage), Text(u"ab"));
}

TEST_F(AlertsTest, AParameterTooLongForTheMessageIsCutWithAnEllipsis)
{
    const TUTF16String path(3000, u'p');
    NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(128, 8), path);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    const TUTF16String message = FieldOf(records[0].fAlert.fMessage);
    ASSERT_EQ(message.size(), 1023u);
    EXPECT_EQ(message.substr(0, 10), Text(u"The file \u201c"));
    EXPECT_EQ(message.back(), u'\u2026');
    EXPECT_EQ(FieldOf(records[0].fAlert.fTitle), Text(u"Bad format"));
}

TEST_F(AlertsTest, MalformedAlertsThrowBeforeAnythingIsShown)
{
    for (const std::u16string text : {u"[INFO]Kind[OK]", u"[STOP]No button", u"[STOP]Four[A][B][C][D]",
                                      u"[STOP][Open title", u"[STOP]Open button[OK", u""})
    {
        EXPECT_THROW(NSTrellisUtils::DoAlertText(Text(text)), std::invalid_argument)
            << std::string(text.begin(), text.end());
    }
    EXPECT_TRUE(Records().empty());
}

TEST_F(AlertsTest, TheLibraryRefusesADescriptorItCannotShow)
{
    NSTrellisUtils::CAlertResultListener listener;
    auto alert = std::make_unique<TAlertDescriptor>();
    std::memset(alert.get(), 0, sizeof(TAlertDescriptor));
    alert->fOperation = kAlertTwoButtons;
    alert->fIcon = kAlertIconNote;
    alert->fButtons[0][0] = u'A';
    alert->fButtons[1][0] = u'B';
    ITrellis* trellis = GetTrellisInterface();
    EXPECT_EQ(trellis->RunAlert(nullptr, 1, alert.get(), &listener), kTrellisOK);
    EXPECT_EQ(listener.fAnswer, 564u);

    struct Case
    {
        const char* what;
        void (*spoil)(TAlertDescriptor&);
    };
    const Case kCases[] = {
        {"operation", [](TAlertDescriptor& a) { a.fOperation = 14002; }},
        {"icon", [](TAlertDescriptor& a) { a.fIcon = 27; }},
        {"unterminated message", [](TAlertDescriptor& a) { std::fill(std::begin(a.fMessage), std::end(a.fMessage), u16('m')); }},
        {"missing button", [](TAlertDescriptor& a) { a.fButtons[1][0] = 0; }},
    };
    for (const Case& c : kCases)
    {
        TAlertDescriptor spoiled = *alert;
        c.spoil(spoiled);
        EXPECT_EQ(trellis->RunAlert(nullptr, 1, &spoiled, &listener), kTrellisInvalidArgument) << c.what;
    }
    EXPECT_EQ(trellis->RunAlert(nullptr, 0, alert.get(), &listener), kTrellisInvalidArgument);
    EXPECT_EQ(trellis->RunAlert(nullptr, 1, alert.get(), nullptr), kTrellisInvalidArgument);
    EXPECT_EQ(Records().size(), 1u);
}
} // namespace

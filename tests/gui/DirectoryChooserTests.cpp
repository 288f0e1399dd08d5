// The folder chooser through the real GUI library answering headless, its answers read back by
// the file library.
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "filelib/FileLibWrappers.h"
#include "gui/DirectoryChooser.h"
#include "tests/gui/HeadlessTrellis.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
using NSTextPackage::TUTF16String;

TUTF16String TempFolderPath()
{
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    return NSTextPackage::FromWide(path);
}

std::string URLOf(const TUTF16String& path)
{
    return "file://" + NSTextPackage::UTF16ToUTF8(path);
}

using DirectoryChooserTest = HeadlessTrellisTest;

TEST_F(DirectoryChooserTest, TheChosenFolderOrNoneForCancel)
{
    const TUTF16String temp = TempFolderPath();
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(temp).c_str()), kTrellisOK);
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(nullptr), kTrellisOK);

    const auto chosen = NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"Select Input Folder"),
                                                                                 NSTrellisUtils::kInputFolderChooserTag);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(NSFileLibSupport::GetDirWinPath(chosen.get()), temp);
    EXPECT_EQ(NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"Output"),
                                                                       NSTrellisUtils::kOutputFolderChooserTag),
              nullptr);
    // Nothing queued: cancelled.
    EXPECT_EQ(NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"Host"),
                                                                       NSTrellisUtils::kHostFolderChooserTag),
              nullptr);

    const auto records = Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fKind, kHeadlessFolderChooser);
    EXPECT_EQ(records[0].fTag, 0x56544944u);
    EXPECT_EQ(TUTF16String(records[0].fAlert.fTitle), MakeText(u"Select Input Folder"));
    EXPECT_EQ(records[0].fAnswer, 1u);
    EXPECT_EQ(std::string(records[0].fURL), URLOf(temp));
    EXPECT_EQ(records[1].fAnswer, 0u);
    EXPECT_EQ(records[2].fTag, 0x544B3432u);
}

TEST_F(DirectoryChooserTest, AnAnswerThatNamesNoFolderFailsAndChoosesNothing)
{
    const TUTF16String temp = TempFolderPath();
    // A file's URL, a missing folder and a URL that is no file URL.
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(temp + MakeText(u"NoSuchFile.txt")).c_str()),
              kTrellisOK);
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(URLOf(temp + MakeText(u"No Such Folder\\")).c_str()),
              kTrellisOK);
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer("file://"), kTrellisOK);
    EXPECT_THROW(NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"T"), 1), std::invalid_argument);
    EXPECT_THROW(NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"T"), 1), NSQuorral::XNotFound);
    EXPECT_THROW(NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(MakeText(u"T"), 1), std::exception);
}
} // namespace

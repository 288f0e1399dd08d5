#pragma once
// Shared pieces of the Windows layer's tests: reading a caught failure as the file library's
// callers see it, a scratch folder on the real disk, and replacement calls that fail on cue.
#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "base/Win32Calls.h"
#include "tests/filelib/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// What a catch handler and the status boundary see of a failure.
struct TCaughtFailure
{
    bool thrown = false;
    u32 kind = NSQuorral::kFailureCode_UndefinedException;
    std::string message;
    u32 status = 0;
    bool hasFileHandleType = false;
};

template <class TAction> TCaughtFailure CatchFailure(TAction&& action)
{
    TCaughtFailure caught;
    try
    {
        action();
    }
    catch (const std::exception& e)
    {
        const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(e);
        caught.thrown = true;
        caught.kind = NSQuorral::GetLastFrame(body).GetKind();
        caught.message = e.what();
        caught.status = NSQuorral::StatusCodeFromException(e, NSFileLibSupport::GetFileLibStatusRange(),
                                                           NSFileLibSupport::GetFileLibStatusTable(),
                                                           NSQuorral::TThrowSite{});
        caught.hasFileHandleType = NSQuorral::HasTargetObjectType(body, NSQuorral::GetFileHandleObjectType());
    }
    return caught;
}

#define EXPECT_FAILURE(action, expectedKind, expectedMessage)                                                \
    do                                                                                                       \
    {                                                                                                        \
        const TCaughtFailure caughtFailure = CatchFailure([&] { action; });                                  \
        EXPECT_TRUE(caughtFailure.thrown) << #action;                                                        \
        EXPECT_EQ(caughtFailure.kind, u32(expectedKind)) << #action << ": " << caughtFailure.message;        \
        EXPECT_EQ(caughtFailure.message, std::string(expectedMessage)) << #action;                           \
    } while (false)

inline NSTextPackage::TUTF16String Text(const std::u16string& text)
{
    return NSTextPackage::TUTF16String(text.begin(), text.end());
}

inline NSTextPackage::TUTF16String PathText(const std::filesystem::path& path)
{
    return NSTextPackage::FromWide(path.c_str());
}

using NSFileLibTests::CScratchFolder;

// A last error that a replacement call leaves behind when it fails.
inline BOOL FailWith(DWORD error)
{
    ::SetLastError(error);
    return FALSE;
}

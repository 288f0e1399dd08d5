#include "base/ModuleVersion.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

#include "tests/support/ExpectThrown.h"
#include "tests/support/ModulePath.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

using namespace NSFerrant;
using NSTestSupport::ModulePath;
using NSTextPackage::TUTF16String;

namespace
{
constexpr u32 kPlainStdExceptionKind = 7;

struct ModuleCase
{
    const char* fModule;
    TVersion fExpected;
};

const ModuleCase kReadableModules[] = {
    // Stage in the top three bits of the fourth word (0x2005: d5), with a build number.
    {"VersionStageBits.dll", {3, 1, 0, kVersionStageDevelopment, 5, 12345}},
    // Stage as a flag in the high byte (0x0203: a3); an empty build string reads 0.
    {"VersionStageByte.dll", {2, 7, 4, kVersionStageAlpha, 3, 0}},
    {"VersionLargestBuild.dll", {1, 0, 0, kVersionStageFinal, 0, 65535}},
    // A build string that is no number leaves the build 0.
    {"VersionBuildNotANumber.dll", {1, 0, 0, kVersionStageFinal, 0, 0}},
};

TEST(ModuleVersion, ReadsFileVersionStageWordAndBuildNumber)
{
    for (const ModuleCase& c : kReadableModules)
    {
        SCOPED_TRACE(c.fModule);
        const TVersion version = ReadModuleVersionInfo(ModulePath(c.fModule));
        EXPECT_EQ(version, c.fExpected) << NSTextPackage::UTF16ToUTF8(FormatVersion(version, {}));
    }
}

TEST(ModuleVersion, BuildAbove65535AndUnknownStageWordAreFormatViolations)
{
    for (const char* module :
         {"VersionBuildTooLarge.dll", "VersionNegativeBuild.dll", "VersionUnknownStage.dll"})
    {
        SCOPED_TRACE(module);
        EXPECT_THROW(ReadModuleVersionInfo(ModulePath(module)), NSQuorral::XFormatViolation);
    }
}

TEST(ModuleVersion, MissingFileIsNotFoundForAFile)
{
    CatchThrown<NSQuorral::XNotFound>([] { ReadModuleVersionInfo(ModulePath("NoSuchModule.dll")); },
                                      NSQuorral::GetFileObjectType());
}

TEST(ModuleVersion, ModuleWithoutVersionResourceIsAPlainFailure)
{
    try
    {
        ReadModuleVersionInfo(ModulePath("VersionNone.dll"));
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const std::exception& e)
    {
        EXPECT_EQ(NSQuorral::ClassifyException(e).fKind, kPlainStdExceptionKind) << e.what();
    }
}

TEST(ModuleVersion, ErrorModeIsRestoredAfterAFailure)
{
    const UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    EXPECT_ANY_THROW(ReadModuleVersionInfo(ModulePath("NoSuchModule.dll")));
    EXPECT_EQ(SetErrorMode(before), UINT(SEM_FAILCRITICALERRORS));
}

TEST(ModuleVersion, VersionStringEndsAtItsTerminator)
{
    const TUTF16String path = ModulePath("VersionStageBits.dll");
    DWORD handle = 0;
    std::vector<u8> block(GetFileVersionInfoSizeW(NSTextPackage::AsWide(path), &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(NSTextPackage::AsWide(path), 0, DWORD(block.size()), block.data()));
    EXPECT_EQ(QueryVersionString(block.data(), MakeText(u"FileDescription")),
              MakeText(u"Version test module"));
    EXPECT_EQ(QueryVersionString(block.data(), MakeText(u"Build Number")), MakeText(u"12345"));
    EXPECT_EQ(QueryVersionString(block.data(), MakeText(u"NoSuchKey")), TUTF16String());
}

struct StageWordCase
{
    u16 fWord;
    bool fRecognised;
    u32 fStage;
    u32 fRevision;
};

const StageWordCase kStageWords[] = {
    {0x2005, true, kVersionStageDevelopment, 5}, {0x4000 | 0x1FFF, true, kVersionStageAlpha, 0x1FFF},
    {0x6007, true, kVersionStageBeta, 7},        {0x8000, true, kVersionStageFinal, 0},
    {0x8009, true, kVersionStageFinal, 9},       {0xA123, true, kVersionStageFinal, 0},
    {0x0105, true, kVersionStageDevelopment, 5}, {0x0203, true, kVersionStageAlpha, 3},
    {0x04FF, true, kVersionStageBeta, 0xFF},     {0x0802, true, kVersionStageFinal, 2},
    {0x1000, true, kVersionStageFinal, 0},       {0x10FF, true, kVersionStageFinal, 0},
    {0x0300, false, kVersionStageFinal, 0},      {0x0000, false, kVersionStageFinal, 0},
    {0xC000, false, kVersionStageFinal, 0},      {0xE001, false, kVersionStageFinal, 0},
};

TEST(ModuleVersion, StageWordTable)
{
    for (const StageWordCase& c : kStageWords)
    {
        SCOPED_TRACE(testing::Message() << std::hex << c.fWord);
        u32 stage = 99;
        u32 revision = 99;
        EXPECT_EQ(DecodeVersionStageWord(c.fWord, stage, revision), c.fRecognised);
        EXPECT_EQ(stage, c.fStage);
        EXPECT_EQ(revision, c.fRevision);
    }
}
} // namespace

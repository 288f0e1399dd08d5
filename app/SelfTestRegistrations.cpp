// The program's self-tests, registered before the entry point runs. Nothing refers to this file,
// so it is built into an object library that the program links whole.
#include "base/TestPackage.h"
#include "filelib/ApplicationFolderSelfTests.h"
#include "media/IFFSelfTest.h"

namespace
{
using namespace NSTestPackage;

void TestConstFourCharacterCode() {}

// The IFF suite is an object of its own; the registry's owner of it deletes nothing.
CTestSuite gIFFSuite("Ferrant IFF Code");

struct TSelfTestRegistrations
{
    TSelfTestRegistrations()
    {
        RegisterQuickTest(GetTestRegistry(), "FileLibSupport",
                          &NSFileLibSupport::TestGetOrCreateMusicDocumentsDirSpec,
                          "Test GetOrCreateMusicDocumentsDirSpec()");
        RegisterQuickTest(GetTestRegistry(), "FileLibSupport",
                          &NSFileLibSupport::TestGetCachedDataFolderDirSpec,
                          "Test GetCachedDataFolderDirSpec()");
        RegisterQuickTest(GetTestRegistry(), "CONST_FOUR_CHARACTER_CODE", &TestConstFourCharacterCode,
                          "CONST_FOUR_CHARACTER_CODE_TEST");
        AddIFFTest(gIFFSuite, "Test 1");
        AddSuite(GetTestRegistry(), std::shared_ptr<CTestSuite>(&gIFFSuite, [](CTestSuite*) {}));
    }
} gSelfTestRegistrations;
} // namespace

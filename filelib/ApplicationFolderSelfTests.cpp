#include "filelib/ApplicationFolderSelfTests.h"

#include "base/TestPackage.h"
#include "base/TextConversions.h"
#include "filelib/ApplicationFolders.h"

namespace NSFileLibSupport
{
namespace
{
// The source name the checks of this layer report.
constexpr char kSourceName[] = "Parts\\FerrantPackage\\Core\\FileLibSupport";

void TestFolderOf(TDirSpecPtr (*getFolder)(const TUTF16String& name))
{
    const TDirSpecPtr dir = getFolder(NSTextPackage::ASCIIToUTF16("___Ferrant__Test___", 0));
    TEST_VERIFY_IN(kSourceName, dir != nullptr);
    DeleteDirectory(dir.get());
}
} // namespace

void TestGetOrCreateMusicDocumentsDirSpec()
{
    TestFolderOf(&GetOrCreateMusicDocumentsDirSpec);
}

void TestGetCachedDataFolderDirSpec()
{
    TestFolderOf(&GetCachedDataFolderDirSpec);
}
} // namespace NSFileLibSupport

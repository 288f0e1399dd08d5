#pragma once
// Self-tests of the cache and music folders, registered with the self-test package in the suite
// "FileLibSupport" and run by nothing in the program. Each makes the folder "___Ferrant__Test___",
// checks that it was answered and deletes it again.
namespace NSFileLibSupport
{
void TestGetOrCreateMusicDocumentsDirSpec();
void TestGetCachedDataFolderDirSpec();
} // namespace NSFileLibSupport

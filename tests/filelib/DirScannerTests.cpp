// The folder scanner: what it lists, what it flags, and how it ends.
#include "filelib/SpecGlue.h"
#include "tests/filelib/FileLibTestFolder.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

using namespace NSFileLib;

namespace
{
class DirScanner : public CFileLibTestFolder
{
protected:
    std::unique_ptr<IDirScanner> Scan(IDirSpec* folder)
    {
        u32 status = 0;
        std::unique_ptr<IDirScanner> scanner(Lib().CreateDirScanner(folder, &status));
        EXPECT_EQ(status, kFileLibOK);
        return scanner;
    }

    // Every entry by name; a scanner that is done answers 5004 and changes nothing.
    static std::map<std::string, SChildInfo> ScanAll(IDirScanner& scanner)
    {
        std::map<std::string, SChildInfo> entries;
        while (!scanner.IsDone())
        {
            u16 name[kFileLibNameBufferUnits];
            SChildInfo info = {};
            EXPECT_EQ(scanner.GetCurrent(name, &info), kFileLibOK);
            entries[Narrow(name)] = info;
            EXPECT_EQ(scanner.Next(), kFileLibOK);
        }
        ExpectDone(scanner);
        return entries;
    }

    static void ExpectDone(IDirScanner& scanner)
    {
        u16 name[kFileLibNameBufferUnits] = {'k', 'e', 'p', 't', 0};
        SChildInfo info = {};
        info.kind = 7;
        EXPECT_EQ(scanner.GetCurrent(name, &info), kFileLibIllegalCallSequence);
        EXPECT_EQ(scanner.Next(), kFileLibIllegalCallSequence);
        EXPECT_TRUE(scanner.IsDone());
        EXPECT_EQ(Narrow(name), "kept");
        EXPECT_EQ(info.kind, 7u);
    }
};
} // namespace

TEST_F(DirScanner, AnEmptyFolderIsDoneAtOnce)
{
    std::unique_ptr<IDirScanner> scanner = Scan(Folder());
    EXPECT_TRUE(scanner->IsDone());
    ExpectDone(*scanner);
}

TEST_F(DirScanner, AMissingFolderIsDoneAtOnceWithoutFailing)
{
    NSFileLibInternals::CDirSpecGlue missing(FolderPath() + Wide("gone\\"));
    std::unique_ptr<IDirScanner> scanner = Scan(&missing);
    ASSERT_NE(scanner, nullptr);
    ExpectDone(*scanner);
}

TEST_F(DirScanner, ListsFilesAndFoldersWithTheirFlags)
{
    WriteFileBytes("song.aif", "12345");
    WriteFileBytes("hidden.txt", "h");
    ASSERT_TRUE(::SetFileAttributesW(NSTextPackage::AsWide(PathOf("hidden.txt")), FILE_ATTRIBUTE_HIDDEN));
    WriteFileBytes("link.lnk", "not really a shortcut");
    MakeSubfolder("Samples");

    std::unique_ptr<IDirScanner> scanner = Scan(Folder());
    const std::map<std::string, SChildInfo> entries = ScanAll(*scanner);
    ASSERT_EQ(entries.size(), 4u);

    const SChildInfo& song = entries.at("song.aif");
    EXPECT_EQ(song.kind, u32(kChildKindFile));
    EXPECT_EQ(song.fileInfo.size, 5u);
    EXPECT_EQ(song.fileInfo.isHidden, 0u);
    EXPECT_NE(song.fileInfo.modificationTime, 0u);

    EXPECT_EQ(entries.at("hidden.txt").fileInfo.isHidden, 1u);
    // The scanner reports what the find data says; it does not look at names.
    EXPECT_EQ(entries.at("link.lnk").fileInfo.isAlias, 0u);

    const SChildInfo& samples = entries.at("Samples");
    EXPECT_EQ(samples.kind, u32(kChildKindDirectory));
    EXPECT_EQ(samples.dirInfo.isHidden, 0u);
    // The record of the other kind is left as it was.
    EXPECT_EQ(samples.fileInfo.size, 0u);
}

TEST_F(DirScanner, GetCurrentNeedsANameBuffer)
{
    WriteFileBytes("a.txt", "a");
    std::unique_ptr<IDirScanner> scanner = Scan(Folder());
    SChildInfo info = {};
    EXPECT_EQ(scanner->GetCurrent(nullptr, &info), kFileLibBadArgument);
}

// The folder scanner: what it lists, what it flags, and how it ends.
#include "base/Win32Calls.h"
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

    // Every entry by name; a scanner that is done answers kFileLibIllegalCallSequence and changes nothing.
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

namespace
{
// A listing whose FindNextFileW call number failAt (counting from 1, "." and ".." included)
// fails with error; every search the scanner opens and closes is counted.
struct TInjectedListing
{
    int failAt = 0;
    DWORD error = 0;
    int nextCalls = 0;
    int opened = 0;
    int closed = 0;
};
TInjectedListing gListing;

HANDLE WINAPI CountedFindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data)
{
    const HANDLE find = RealWin32Calls().FindFirstFileW(pattern, data);
    if (find != INVALID_HANDLE_VALUE)
        ++gListing.opened;
    return find;
}

BOOL WINAPI FailingFindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data)
{
    if (++gListing.nextCalls == gListing.failAt)
    {
        ::SetLastError(gListing.error);
        return FALSE;
    }
    return RealWin32Calls().FindNextFileW(find, data);
}

BOOL WINAPI CountedFindClose(HANDLE find)
{
    ++gListing.closed;
    return RealWin32Calls().FindClose(find);
}

class InjectedDirScanner : public DirScanner
{
protected:
    static TWin32Calls MakeCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.FindFirstFileW = &CountedFindFirstFileW;
        calls.FindNextFileW = &FailingFindNextFileW;
        calls.FindClose = &CountedFindClose;
        return calls;
    }

    CWin32CallsOverride fOverride{MakeCalls()}; // keeps its own copy of the table
};
} // namespace

// A listing that breaks off with a real error (a share gone, access lost) is a failure the
// caller sees, never a short listing that looks complete; the end of the folder is no failure.
// Whatever happens, the search is closed.
TEST_F(InjectedDirScanner, AListingThatBreaksOffFailsAndClosesItsSearch)
{
    struct Case
    {
        const char* name;
        int failAt; // 1 and 2 step over "." and ".."; 3 moves past the first real entry
        DWORD error;
        bool created;  // CreateDirScanner answers a scanner
        bool nextFails; // and then Next answers a failure
    };
    const Case kCases[] = {
        {"the end of the folder while skipping dots", 1, ERROR_NO_MORE_FILES, true, false},
        {"the end of the folder after one entry", 3, ERROR_NO_MORE_FILES, true, false},
        {"a lost share while skipping dots", 2, ERROR_NETNAME_DELETED, false, false},
        {"a lost share after one entry", 3, ERROR_NETNAME_DELETED, true, true},
        {"access lost after one entry", 3, ERROR_ACCESS_DENIED, true, true},
    };
    WriteFileBytes("a.txt", "a");
    WriteFileBytes("b.txt", "b");
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.name);
        gListing = {};
        gListing.failAt = c.failAt;
        gListing.error = c.error;
        {
            u32 status = 0;
            std::unique_ptr<IDirScanner> scanner(Lib().CreateDirScanner(Folder(), &status));
            ASSERT_EQ(scanner != nullptr, c.created);
            if (!c.created)
            {
                EXPECT_NE(status, kFileLibOK);
            }
            else if (c.failAt == 3)
            {
                ASSERT_FALSE(scanner->IsDone());
                const u32 next = scanner->Next();
                if (c.nextFails)
                {
                    EXPECT_NE(next, kFileLibOK);
                    EXPECT_NE(next, kFileLibIllegalCallSequence);
                }
                else
                {
                    EXPECT_EQ(next, kFileLibOK);
                }
                ExpectDone(*scanner);
            }
            else
            {
                ExpectDone(*scanner);
            }
        }
        EXPECT_EQ(gListing.opened, 1);
        EXPECT_EQ(gListing.closed, 1);
    }
}

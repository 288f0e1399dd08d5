// Open files: positional reads and writes at their edges, and the safe write.
#include "base/Win32Calls.h"
#include "tests/filelib/FileLibTestFolder.h"
#include "tests/support/DurabilityLog.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace NSFileLib;

namespace
{
constexpr i64 kFourGiB = i64(1) << 32;
constexpr i64 kMaxPosition = std::numeric_limits<i64>::max();

class OpenFiles : public CFileLibTestFolder
{
protected:
    std::unique_ptr<IOpenReadWriteFile> CreateFile(const std::string& name)
    {
        u32 status = 0;
        std::unique_ptr<IOpenReadWriteFile> file(Lib().CreateFile(Folder(), Wide(name).c_str(), 0, 0, &status));
        EXPECT_EQ(status, kFileLibOK) << name;
        return file;
    }

    std::unique_ptr<IOpenReadFile> OpenReadFile(const std::string& name)
    {
        u32 status = 0;
        std::unique_ptr<IOpenReadFile> file(Lib().OpenReadFile(FileSpec(name).get(), &status));
        EXPECT_EQ(status, kFileLibOK) << name;
        return file;
    }

    std::unique_ptr<ISafeOpenReadWriteFile> SafeCreateFile(const std::string& name, u32 expectedStatus = kFileLibOK)
    {
        u32 status = 0;
        std::unique_ptr<ISafeOpenReadWriteFile> file(
            Lib().SafeCreateFile(Folder(), Wide(name).c_str(), 0, 0, &status));
        EXPECT_EQ(status, expectedStatus) << name;
        return file;
    }

    static u32 Write(IByteWriter* writer, i64 position, const std::string& bytes)
    {
        return writer->Write(position, i64(bytes.size()), reinterpret_cast<const u8*>(bytes.data()));
    }
};

// Reads of a 10-byte file; the read-write file checks the range itself, the read-only file
// lets the platform find the end.
struct ReadCase
{
    i64 position;
    i64 count;
    u32 readWriteStatus;
    u32 readOnlyStatus;
};
const ReadCase kReads[] = {
    {0, 10, kFileLibOK, kFileLibOK},
    {6, 4, kFileLibOK, kFileLibOK}, // ends exactly at the end of the file
    {6, 5, kFileLibRangeError, kFileLibReadFailure},
    {10, 0, kFileLibOK, kFileLibOK},
    {11, 0, kFileLibRangeError, kFileLibOK},
    {4, 0, kFileLibOK, kFileLibOK},
    {kFourGiB, 1, kFileLibRangeError, kFileLibReadFailure},
    {-1, 1, kFileLibBadArgument, kFileLibBadArgument},
    {0, -1, kFileLibBadArgument, kFileLibBadArgument},
    // position + count would overflow: refused, never wrapped into a small end.
    {kMaxPosition, 2, kFileLibBadArgument, kFileLibBadArgument},
    {2, kMaxPosition, kFileLibBadArgument, kFileLibBadArgument},
};
} // namespace

TEST_F(OpenFiles, ReadsAtTheEndOfTheFile)
{
    WriteFileBytes("ten.bin", "0123456789");
    std::unique_ptr<IOpenReadFile> readOnly = OpenReadFile("ten.bin");
    u64 size = 0;
    ASSERT_EQ(readOnly->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, 10u);
    for (const ReadCase& c : kReads)
    {
        std::vector<u8> buffer(16, 'x');
        EXPECT_EQ(readOnly->GetByteReader()->Read(c.position, c.count, buffer.data()), c.readOnlyStatus)
            << "read-only at " << c.position << " for " << c.count;
    }
    readOnly.reset();

    std::unique_ptr<IOpenReadWriteFile> readWrite = CreateFile("rw.bin");
    ASSERT_EQ(Write(readWrite->GetByteWriter(), 0, "0123456789"), kFileLibOK);
    for (const ReadCase& c : kReads)
    {
        std::vector<u8> buffer(16, 'x');
        EXPECT_EQ(readWrite->GetByteReader()->Read(c.position, c.count, buffer.data()), c.readWriteStatus)
            << "read-write at " << c.position << " for " << c.count;
    }
    u8 byte = 0;
    EXPECT_EQ(readWrite->GetByteReader()->Read(0, 1, nullptr), kFileLibBadArgument);
    EXPECT_EQ(readWrite->GetByteWriter()->Write(0, 1, nullptr), kFileLibBadArgument);
    EXPECT_EQ(readWrite->GetByteWriter()->Write(kMaxPosition, 1, &byte), kFileLibBadArgument);
}

TEST_F(OpenFiles, ReadsDeliverTheBytesAskedFor)
{
    WriteFileBytes("ten.bin", "0123456789");
    std::string bytes(4, '\0');
    EXPECT_EQ(OpenReadFile("ten.bin")->GetByteReader()->Read(6, 4, reinterpret_cast<u8*>(bytes.data())), kFileLibOK);
    EXPECT_EQ(bytes, "6789");
}

TEST_F(OpenFiles, WritesGrowTheFileAndEmptyWritesChangeNothing)
{
    std::unique_ptr<IOpenReadWriteFile> file = CreateFile("grow.bin");
    IByteWriter* writer = file->GetByteWriter();
    u64 size = 0;
    ASSERT_EQ(writer->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(writer->Write(100, 0, reinterpret_cast<const u8*>("")), kFileLibOK);
    ASSERT_EQ(writer->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(Write(writer, 4, "ab"), kFileLibOK);
    ASSERT_EQ(writer->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, 6u);
    file.reset();
    EXPECT_EQ(ReadFileBytes("grow.bin"), std::string("\0\0\0\0ab", 6));
}

TEST_F(OpenFiles, CreateFileEmptiesAnExistingFile)
{
    WriteFileBytes("old.bin", "old content");
    CreateFile("old.bin").reset();
    EXPECT_EQ(ReadFileBytes("old.bin"), "");
}

// The file is sparse: only the bytes written take room on the disk.
TEST_F(OpenFiles, PositionsAbove4GiBKeepTheirHighBits)
{
    std::unique_ptr<IOpenReadWriteFile> file = CreateFile("large.bin");
    const i64 high = 5 * (i64(1) << 30) + 3;
    ASSERT_EQ(Write(file->GetByteWriter(), 3, "low"), kFileLibOK);
    ASSERT_EQ(Write(file->GetByteWriter(), high, "high"), kFileLibOK);
    u64 size = 0;
    ASSERT_EQ(file->GetByteWriter()->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, u64(high) + 4);
    std::string bytes(4, '\0');
    EXPECT_EQ(file->GetByteReader()->Read(high, 4, reinterpret_cast<u8*>(bytes.data())), kFileLibOK);
    EXPECT_EQ(bytes, "high");
    file.reset();

    std::unique_ptr<IOpenReadFile> reader = OpenReadFile("large.bin");
    ASSERT_EQ(reader->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, u64(high) + 4);
    std::string low(3, '\0');
    EXPECT_EQ(reader->GetByteReader()->Read(3, 3, reinterpret_cast<u8*>(low.data())), kFileLibOK);
    EXPECT_EQ(low, "low");
    bytes.assign(4, '\0');
    EXPECT_EQ(reader->GetByteReader()->Read(high, 4, reinterpret_cast<u8*>(bytes.data())), kFileLibOK);
    EXPECT_EQ(bytes, "high");
    EXPECT_EQ(reader->GetByteReader()->Read(high, 5, reinterpret_cast<u8*>(bytes.data())),
              kFileLibReadFailure);
}

// A buffer of 4 GiB and one byte whose first page alone is backed: a transfer of that count
// fails at the end of the file or of the backed page, unless the count was cut to 32 bits, in
// which case one byte moves and the call succeeds.
class CHugeBuffer
{
public:
    static constexpr i64 kCount = kFourGiB + 1;

    CHugeBuffer()
        : fBase(static_cast<u8*>(::VirtualAlloc(nullptr, SIZE_T(kCount), MEM_RESERVE, PAGE_NOACCESS)))
    {
        if (fBase)
            ::VirtualAlloc(fBase, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~CHugeBuffer()
    {
        if (fBase)
            ::VirtualFree(fBase, 0, MEM_RELEASE);
    }
    CHugeBuffer(const CHugeBuffer&) = delete;
    CHugeBuffer& operator=(const CHugeBuffer&) = delete;

    u8* Get() const { return fBase; }

private:
    u8* fBase;
};

TEST_F(OpenFiles, TransfersOf4GiBOrMoreAreNeverCutTo32Bits)
{
    CHugeBuffer buffer;
    ASSERT_NE(buffer.Get(), nullptr);
    WriteFileBytes("ten.bin", "0123456789");
    EXPECT_EQ(OpenReadFile("ten.bin")->GetByteReader()->Read(0, CHugeBuffer::kCount, buffer.Get()),
              kFileLibReadFailure);

    std::unique_ptr<IOpenReadWriteFile> file = CreateFile("huge.bin");
    EXPECT_EQ(file->GetByteWriter()->Write(0, CHugeBuffer::kCount, buffer.Get()), kFileLibWriteFailure);
    u64 size = 0;
    ASSERT_EQ(file->GetByteWriter()->GetSize(&size), kFileLibOK);
    EXPECT_NE(size, 1u);
}

TEST_F(OpenFiles, SafeWriteToANewNameCreatesTheTargetAtOnce)
{
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("new.txt");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"new.txt"});
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "fresh"), kFileLibOK);
    EXPECT_EQ(safe->Commit(), kFileLibOK);
    safe.reset();
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"new.txt"});
    EXPECT_EQ(ReadFileBytes("new.txt"), "fresh");
}

TEST_F(OpenFiles, DiscardedSafeWriteToANewNameRemovesIt)
{
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("new.txt");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "fresh"), kFileLibOK);
    safe.reset();
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(OpenFiles, SafeWriteKeepsOldContentUntilCommit)
{
    WriteFileBytes("prefs.dat", "old content");
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("prefs.dat");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    u64 size = 0;
    ASSERT_EQ(safe->GetByteWriter()->GetSize(&size), kFileLibOK);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(ReadFileBytes("prefs.dat"), "old content");
    // The new data waits beside the target under a temporary name with the target's extension.
    const std::vector<std::string> during = FolderNames();
    ASSERT_EQ(during.size(), 2u);
    const std::string temporary = during[0] == "prefs.dat" ? during[1] : during[0];
    EXPECT_EQ(temporary.substr(0, 3), "TMP");
    EXPECT_EQ(temporary.substr(temporary.size() - 4), ".dat");

    EXPECT_EQ(safe->Commit(), kFileLibOK);
    EXPECT_EQ(ReadFileBytes("prefs.dat"), "new");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"});
    safe.reset();
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"});
}

TEST_F(OpenFiles, CommitKeepsTheTargetsAttributes)
{
    WriteFileBytes("hidden.dat", "old");
    ASSERT_TRUE(::SetFileAttributesW(NSTextPackage::AsWide(PathOf("hidden.dat")), FILE_ATTRIBUTE_HIDDEN));
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("hidden.dat");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    ASSERT_EQ(safe->Commit(), kFileLibOK);
    safe.reset();
    EXPECT_EQ(ReadFileBytes("hidden.dat"), "new");
    EXPECT_NE(::GetFileAttributesW(NSTextPackage::AsWide(PathOf("hidden.dat"))) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(OpenFiles, DiscardedSafeWriteLeavesTheTargetByteIdentical)
{
    const std::string old("old\0content\xff", 12);
    WriteFileBytes("prefs.dat", old);
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("prefs.dat");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "replacement"), kFileLibOK);
    safe.reset();
    EXPECT_EQ(ReadFileBytes("prefs.dat"), old);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"});
}

TEST_F(OpenFiles, SafeWriteRefusesAReadOnlyTargetBeforeMakingAnything)
{
    WriteFileBytes("locked.txt", "keep");
    ASSERT_TRUE(::SetFileAttributesW(NSTextPackage::AsWide(PathOf("locked.txt")), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SafeCreateFile("locked.txt", kFileLibLocked), nullptr);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"locked.txt"});
    EXPECT_EQ(ReadFileBytes("locked.txt"), "keep");
}

TEST_F(OpenFiles, AFailedCommitKeepsTheOldContentAndNoTemporaryFile)
{
    WriteFileBytes("busy.txt", "old");
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("busy.txt");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    // Another process holds the target open and does not let it be replaced.
    const HANDLE holder = ::CreateFileW(NSTextPackage::AsWide(PathOf("busy.txt")), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_NE(safe->Commit(), kFileLibOK);
    ::CloseHandle(holder);
    safe.reset();
    EXPECT_EQ(ReadFileBytes("busy.txt"), "old");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"busy.txt"});
}

TEST_F(OpenFiles, ACommittedSafeWriteRefusesFurtherUse)
{
    WriteFileBytes("once.txt", "old");
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("once.txt");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    ASSERT_EQ(safe->Commit(), kFileLibOK);
    u8 byte = 0;
    u64 size = 0;
    EXPECT_EQ(safe->Commit(), kFileLibIllegalCallSequence);
    EXPECT_EQ(safe->GetByteReader()->Read(0, 1, &byte), kFileLibIllegalCallSequence);
    EXPECT_EQ(safe->GetByteWriter()->Write(0, 1, &byte), kFileLibIllegalCallSequence);
    EXPECT_EQ(safe->GetByteWriter()->GetSize(&size), kFileLibIllegalCallSequence);
    safe.reset();
    EXPECT_EQ(ReadFileBytes("once.txt"), "new");
}

namespace
{
// Platform calls that fail on cue, through the file library's call table.
struct TInjected
{
    int renames = 0;
    DWORD renameError = 0; // 0: the rename goes through
    DWORD shortBy = 0;     // bytes each read or write leaves unmoved
};
TInjected gInjected;

// Only the commit's rename replaces an existing file; making the temporary name renames too.
BOOL WINAPI FailingMoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0)
        return RealWin32Calls().MoveFileExW(from, to, flags);
    ++gInjected.renames;
    if (gInjected.renameError == 0)
        return RealWin32Calls().MoveFileExW(from, to, flags);
    ::SetLastError(gInjected.renameError);
    return FALSE;
}

BOOL WINAPI ShortReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD moved, LPOVERLAPPED at)
{
    return RealWin32Calls().ReadFile(file, buffer, count - std::min(count, gInjected.shortBy), moved, at);
}

BOOL WINAPI ShortWriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD moved, LPOVERLAPPED at)
{
    return RealWin32Calls().WriteFile(file, buffer, count - std::min(count, gInjected.shortBy), moved, at);
}

class InjectedOpenFiles : public OpenFiles
{
protected:
    InjectedOpenFiles() : fCalls(MakeCalls()), fOverride(fCalls) { gInjected = {}; }

    static TWin32Calls MakeCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.MoveFileExW = &FailingMoveFileExW;
        calls.ReadFile = &ShortReadFile;
        calls.WriteFile = &ShortWriteFile;
        return calls;
    }

    TWin32Calls fCalls;
    CWin32CallsOverride fOverride;
};
} // namespace

TEST_F(InjectedOpenFiles, AFailedRenameAtCommitKeepsTheOldContentAndNoTemporaryFile)
{
    for (const DWORD error : {DWORD(ERROR_ACCESS_DENIED), DWORD(ERROR_DISK_FULL), DWORD(ERROR_SHARING_VIOLATION)})
    {
        gInjected = {};
        gInjected.renameError = error;
        WriteFileBytes("prefs.dat", "old content");
        std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("prefs.dat");
        ASSERT_NE(safe, nullptr);
        ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
        EXPECT_NE(safe->Commit(), kFileLibOK) << error;
        EXPECT_EQ(gInjected.renames, 1) << error;
        safe.reset();
        EXPECT_EQ(ReadFileBytes("prefs.dat"), "old content") << error;
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"}) << error;
    }
}

TEST_F(InjectedOpenFiles, AShortTransferIsAFailureOfItsDirection)
{
    WriteFileBytes("ten.bin", "0123456789");
    gInjected.shortBy = 1;
    std::string bytes(10, '\0');
    EXPECT_EQ(OpenReadFile("ten.bin")->GetByteReader()->Read(0, 10, reinterpret_cast<u8*>(bytes.data())),
              kFileLibReadFailure);

    std::unique_ptr<IOpenReadWriteFile> file = CreateFile("new.bin");
    EXPECT_EQ(Write(file->GetByteWriter(), 0, "0123456789"), kFileLibWriteFailure);
    gInjected.shortBy = 0;
    ASSERT_EQ(Write(file->GetByteWriter(), 0, "0123456789"), kFileLibOK);
    gInjected.shortBy = 1;
    EXPECT_EQ(file->GetByteReader()->Read(0, 10, reinterpret_cast<u8*>(bytes.data())), kFileLibReadFailure);
}

// A short read leaves the platform's position where it stopped, not where the read was meant
// to end: the next read still lands at its own offset.
TEST_F(InjectedOpenFiles, AReadAfterAShortReadLandsAtItsOffset)
{
    WriteFileBytes("ten.bin", "0123456789");
    std::unique_ptr<IOpenReadFile> file = OpenReadFile("ten.bin");
    std::string bytes(4, '\0');
    gInjected.shortBy = 1;
    EXPECT_EQ(file->GetByteReader()->Read(0, 4, reinterpret_cast<u8*>(bytes.data())), kFileLibReadFailure);
    gInjected.shortBy = 0;
    ASSERT_EQ(file->GetByteReader()->Read(4, 4, reinterpret_cast<u8*>(bytes.data())), kFileLibOK);
    EXPECT_EQ(bytes, "4567");
}

// The new data reaches the disk before it takes the target's name, so that a power loss right
// after the commit cannot leave the name over data still in the cache.
TEST_F(OpenFiles, CommitFlushesTheNewFileBeforeItTakesTheTargetsName)
{
    CDurabilityLog durability;
    WriteFileBytes("prefs.dat", "old content");
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("prefs.dat");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    ASSERT_EQ(durability.Events().size(), 0u);
    ASSERT_EQ(safe->Commit(), kFileLibOK);
    ASSERT_EQ(durability.Events().size(), 2u);
    const std::wstring flushed = durability.Events()[0].substr(std::wstring(L"flush ").size());
    EXPECT_EQ(durability.Events()[0].rfind(L"flush ", 0), 0u);
    EXPECT_NE(flushed, NSTextPackage::AsWide(PathOf("prefs.dat")));
    EXPECT_EQ(durability.Events()[1],
              L"move " + flushed + L" -> " + NSTextPackage::AsWide(PathOf("prefs.dat")) + L" written through");
    EXPECT_EQ(ReadFileBytes("prefs.dat"), "new");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"});
}

TEST_F(OpenFiles, AFlushThatFailsKeepsTheOldContentAndNoTemporaryFile)
{
    CDurabilityLog durability;
    durability.FailFlushes();
    WriteFileBytes("prefs.dat", "old content");
    std::unique_ptr<ISafeOpenReadWriteFile> safe = SafeCreateFile("prefs.dat");
    ASSERT_EQ(Write(safe->GetByteWriter(), 0, "new"), kFileLibOK);
    EXPECT_NE(safe->Commit(), kFileLibOK);
    safe.reset();
    EXPECT_EQ(durability.Events().size(), 1u) << "nothing is moved after a failed flush";
    EXPECT_EQ(ReadFileBytes("prefs.dat"), "old content");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"prefs.dat"});
}

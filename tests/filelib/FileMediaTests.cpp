// Files as media: open, created, safe-written and temporary files, and the file reference.
#include "filelib/FileMedia.h"
#include "base/Win32Calls.h"
#include "filelib/RobustFileSpec.h"
#include "tests/filelib/FileLibDouble.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSQuorral;

namespace
{
using TBytes = std::vector<u8>;

const TBytes kContent = {'V', 'a', 'n', 't', 'l', 'e', 0, 0xFF};

TEST(FileMedia, OpenFileReadsAnExistingFileAndRefusesToWrite)
{
    CScratchFolder folder;
    folder.WriteFile("in.bin", kContent);
    const TFileSpecPtr spec = GetChildFile(folder.Spec(), MakeText(u"in.bin"));
    COpenFile media(spec.get());

    EXPECT_EQ(i64(kContent.size()), media.GetSize())
        << "a file opened for reading has its size without a writer";
    TBytes bytes(kContent.size());
    media.Read(0, i64(bytes.size()), bytes.data());
    EXPECT_EQ(kContent, bytes);
    EXPECT_EQ(0, media.fPosition);

    EXPECT_EQ(u32(kFailureCode_Exception), ThrownKind([&] { media.Write(0, 1, "x"); }));
    EXPECT_EQ(u32(kFailureCode_LogicError_InvalidArgument),
              ThrownKind([&] { media.Read(-1, 1, bytes.data()); }));
    EXPECT_NE(0u, ThrownKind([&] { media.Read(4, 8, bytes.data()); })) << "a read past the end fails";
    EXPECT_EQ(kContent, folder.ReadFile("in.bin"));
}

TEST(FileMedia, OpenFileCreatesAndEmptiesFiles)
{
    CScratchFolder folder;
    folder.WriteFile("out.bin", TBytes(100, 7));
    {
        COpenFile media(folder.Spec(), MakeText(u"out.bin"), 0, 0);
        EXPECT_EQ(0, media.GetSize()) << "an existing file is emptied";
        media.Write(0, i64(kContent.size()), kContent.data());
        EXPECT_EQ(i64(kContent.size()), media.GetSize());
        TBytes back(2);
        media.Read(6, 2, back.data());
        EXPECT_EQ(TBytes({0, 0xFF}), back);
    }
    EXPECT_EQ(kContent, folder.ReadFile("out.bin"));
}

TEST(FileMedia, OpenFileOfAMissingFileThrowsTheLibrarysStatus)
{
    CScratchFolder folder;
    EXPECT_EQ(u32(kFailureCode_RuntimeError_NotFound),
              ThrownKind([&] { COpenFile media(folder.Spec(), MakeText(u"no\\such\\folder.bin"), 0, 0); }));
}

TEST(FileMedia, SafeOpenFileReplacesTheTargetOnlyOnCommit)
{
    CScratchFolder folder;
    folder.WriteFile("prefs", kContent);
    const CRobustFileSpec target(folder.Spec(), MakeText(u"prefs"));
    {
        CSafeOpenFile safe(target, 0, 0);
        safe.GetMedia().Write(0, 3, "new");
        u8 byte = 0;
        EXPECT_EQ(u32(kFailureCode_LogicError_InvalidArgument),
                  ThrownKind([&] { safe.GetMedia().Read(-1, 1, &byte); }));
    }
    EXPECT_EQ(kContent, folder.ReadFile("prefs")) << "destroyed without Commit: the target is as it was";
    {
        CSafeOpenFile safe(target, 0, 0);
        safe.GetMedia().Write(0, 3, "new");
        EXPECT_EQ(kFileLibOK, safe.Commit());
    }
    EXPECT_EQ(TBytes({'n', 'e', 'w'}), folder.ReadFile("prefs"));
}

TEST(FileMedia, RobustFileSpecNamesAFileThatMayNotExistYet)
{
    CScratchFolder folder;
    const CRobustFileSpec spec(folder.Spec(), MakeText(u"later.txt"));
    EXPECT_FALSE(spec.Exists());
    EXPECT_EQ(u32(kFailureCode_RuntimeError_NotFound), ThrownKind([&] { spec.GetFileSpec(); }));
    EXPECT_EQ(MakeText(u"later.txt"), spec.GetFileName());
    EXPECT_EQ(folder.FolderPath(), GetDirWinPath(spec.GetDirSpec().get()));

    folder.WriteFile("later.txt", kContent);
    EXPECT_TRUE(spec.Exists());
    EXPECT_EQ(MakeText(u"later.txt"), GetName(spec.GetFileSpec().get()));
}

// Files in the temporary folder whose names end in extension.
int CountTemporaryFiles(const std::string& extension)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        count += entry.path().extension() == extension;
    return count;
}

TEST(FileMedia, TemporaryFileTakesTheFirstExtensionAndIsGoneAfterClose)
{
    const SFileTypeDescriptor type = MakeFileTypeDescriptor(".vt7a;.vt7b", 0);
    ASSERT_EQ(0, CountTemporaryFiles(".vt7a"));
    {
        COpenTemporaryFile media(type);
        EXPECT_EQ(1, CountTemporaryFiles(".vt7a"));
        EXPECT_EQ(0, CountTemporaryFiles(".vt7b"));
        EXPECT_EQ(0, media.GetSize());
        media.Write(0, i64(kContent.size()), kContent.data());
        TBytes back(kContent.size());
        media.Read(0, i64(back.size()), back.data());
        EXPECT_EQ(kContent, back);
    }
    EXPECT_EQ(0, CountTemporaryFiles(".vt7a"));
}

TEST(FileMedia, ClosedTemporaryFileRefusesEveryOperation)
{
    COpenTemporaryFile media(MakeFileTypeDescriptor(".tmp", 0));
    media.Close();
    media.Close();
    u8 byte = 0;
    EXPECT_EQ(u32(kFailureCode_Exception), ThrownKind([&] { media.Read(0, 1, &byte); }));
    EXPECT_EQ(u32(kFailureCode_Exception), ThrownKind([&] { media.Write(0, 1, &byte); }));
    EXPECT_EQ(u32(kFailureCode_Exception), ThrownKind([&] { media.GetSize(); }));
}

// An open file with no reader or writer: the temporary file only hands them to its bridge.
class COpenFileDouble : public IOpenReadWriteFile
{
public:
    IByteReader* GetByteReader() override { return nullptr; }
    IByteWriter* GetByteWriter() override { return nullptr; }
    u32 IsValid() override { return 1; }
};

// A library that makes temporary files and answers every delete with one status.
class CDeleteLibrary : public CFileLibDouble
{
public:
    TFileLibStatus fDeleteStatus = kFileLibOK;
    int fDeletes = 0;
    int fAlive = 0;

    IDirSpec* GetTempDirectory(u32* status) override
    {
        *status = kFileLibOK;
        return new CDirSpecDouble(&fAlive);
    }
    IOpenReadWriteFile* CreateTemporaryFile(IDirSpec*, u32, u32, const u16*, IFileSpec** file,
                                            u32* status) override
    {
        *file = new CFileSpecDouble(&fAlive);
        *status = kFileLibOK;
        return new COpenFileDouble;
    }
    TFileLibStatus DeleteFile(IFileSpec*) override
    {
        ++fDeletes;
        return fDeleteStatus;
    }
};

// The pauses between delete attempts, taken through the call table without spending them.
class CPauseLog
{
public:
    CPauseLog() : fOverride(LoggedCalls()) { gPauses.clear(); }
    CPauseLog(const CPauseLog&) = delete;
    CPauseLog& operator=(const CPauseLog&) = delete;

    const std::vector<DWORD>& Pauses() const { return gPauses; }

private:
    static TWin32Calls LoggedCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.Sleep = [](DWORD milliseconds) { gPauses.push_back(milliseconds); };
        return calls;
    }

    static inline std::vector<DWORD> gPauses;
    CWin32CallsOverride fOverride;
};

struct DeleteCase
{
    TFileLibStatus status;
    int attempts;
};
// "Not ready" is retried 40 times 50 ms apart; any other answer ends the attempts.
const DeleteCase kDeleteCases[] = {{kFileLibOK, 1}, {kFileLibLocked, 1}, {kFileLibNotReady, 41}};

TEST(FileMedia, TemporaryFileRetriesADeleteThatIsNotReady)
{
    for (const DeleteCase& c : kDeleteCases)
    {
        CDeleteLibrary library;
        CFileLibDoubleScope scope(&library);
        CPauseLog pauses;
        library.fDeleteStatus = c.status;
        {
            COpenTemporaryFile media(MakeFileTypeDescriptor(".tmp", 0));
            EXPECT_EQ(0, library.fDeletes);
        }
        EXPECT_EQ(c.attempts, library.fDeletes) << c.status;
        EXPECT_EQ(std::vector<DWORD>(std::size_t(c.attempts - 1), 50), pauses.Pauses())
            << c.status << ": a pause before each retry";
        EXPECT_EQ(0, library.fAlive) << "the specifications are released";
    }
}
} // namespace

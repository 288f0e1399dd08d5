#include "media/bigfile/StdioMedia.h"

#include "filelib/RobustFileSpec.h"
#include "base/Win32Calls.h"
#include "media/bigfile/BigFile.h"
#include "tests/media/bigfile/ContainerImages.h"
#include "tests/media/bigfile/ContainerStreams.h"
#include "tests/support/ExpectThrown.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace NSBigFilePackage;
using NSContainerImages::Pattern;
using NSTestSupport::TBytes;

namespace
{
// A path in the temporary folder, its file removed at the end.
class StdioMedia : public ::testing::Test
{
protected:
    StdioMedia()
        : fPath(std::filesystem::temp_directory_path() /
                ("vantle-container-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".k42"))
    {
        std::filesystem::remove(fPath);
    }
    ~StdioMedia() override { std::filesystem::remove(fPath); }

    NSTextPackage::TUTF16String PathText() const { return NSTextPackage::FromWide(fPath.c_str()); }

    void WriteFile(const std::string& bytes) const { std::ofstream(fPath, std::ios::binary) << bytes; }

    std::string ReadFile() const
    {
        std::ifstream file(fPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    // Another handle on the file, as another process would hold it.
    CWinFileHandle OpenElsewhere(DWORD access, DWORD sharing) const
    {
        return CWinFileHandle(
            ::CreateFileW(fPath.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
    }

    std::filesystem::path fPath;
};

DWORD gWriteError = 0;

BOOL WINAPI FailingWriteFile(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    ::SetLastError(gWriteError);
    return FALSE;
}
} // namespace

TEST_F(StdioMedia, CreateOnAnExistingFileFailsAndLeavesItUntouched)
{
    WriteFile("keep me");
    CStdioMedia medium(PathText());
    CatchThrown<NSQuorral::XCreate>([&] { medium.Create(); }, NSQuorral::GetFileObjectType());
    EXPECT_EQ(ReadFile(), "keep me");
    // A medium already open is refused as well.
    CStdioMedia other(PathText());
    other.Open();
    CatchThrown<NSQuorral::XOpen>([&] { other.Open(); }, NSQuorral::GetFileObjectType());
}

TEST_F(StdioMedia, OpenFileIsSharedForReadingOnlyWithItsFirstByteLocked)
{
    CStdioMedia medium(PathText());
    medium.Create();
    const TBytes bytes = Pattern(8, 'a');
    medium.Write(0, i64(bytes.size()), bytes.data());

    {
        const CWinFileHandle writer = OpenElsewhere(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_FALSE(writer.IsOpen());
        EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    }
    CStdioMedia second(PathText());
    CatchThrown<NSQuorral::XOpen>([&] { second.Open(); }, NSQuorral::GetFileObjectType());

    // Another opener may read the file but cannot take the lock on its first byte; the byte
    // after it is free.
    const CWinFileHandle reader = OpenElsewhere(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_FALSE(::LockFile(reader.Get(), 0, 0, 1, 0));
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_LOCK_VIOLATION));
    EXPECT_TRUE(::LockFile(reader.Get(), 1, 0, 1, 0));
    EXPECT_TRUE(::UnlockFile(reader.Get(), 1, 0, 1, 0));

    medium.Close();
    EXPECT_TRUE(::LockFile(reader.Get(), 0, 0, 1, 0));
    EXPECT_TRUE(::UnlockFile(reader.Get(), 0, 0, 1, 0));
}

TEST_F(StdioMedia, ExistsAndIsEmptyAnswerFromTheFile)
{
    CStdioMedia medium(PathText());
    EXPECT_FALSE(medium.Exists());
    EXPECT_FALSE(medium.IsEmpty());
    WriteFile("");
    EXPECT_TRUE(medium.Exists());
    EXPECT_TRUE(medium.IsEmpty());
    medium.Open();
    EXPECT_TRUE(medium.IsEmpty());
    medium.Write(0, 1, reinterpret_cast<const u8*>("x"));
    EXPECT_FALSE(medium.IsEmpty());
    // The medium's own write access does not hide the file.
    EXPECT_TRUE(medium.Exists());
    EXPECT_EQ(medium.GetSize(), 1u);
}

TEST_F(StdioMedia, DeleteRemovesTheFileOrFailsWhileAnotherHandleHoldsIt)
{
    CStdioMedia medium(PathText());
    EXPECT_NO_THROW(medium.Delete());

    WriteFile("data");
    {
        const CWinFileHandle writer = OpenElsewhere(GENERIC_WRITE, FILE_SHARE_READ);
        ASSERT_TRUE(writer.IsOpen());
        CatchThrown<NSQuorral::XWrite>([&] { medium.Delete(); }, NSQuorral::GetFileObjectType());
        EXPECT_TRUE(std::filesystem::exists(fPath));
    }
    medium.Delete();
    EXPECT_FALSE(std::filesystem::exists(fPath));
}

TEST_F(StdioMedia, FailedWritesTellAFullDiskFromOtherFailures)
{
    CStdioMedia medium(PathText());
    medium.Create();
    struct Case
    {
        DWORD error;
        bool outOfSpace;
    };
    const Case kCases[] = {{ERROR_DISK_FULL, true}, {ERROR_HANDLE_DISK_FULL, true}, {ERROR_ACCESS_DENIED, false}};
    TWin32Calls calls = RealWin32Calls();
    calls.WriteFile = &FailingWriteFile;
    CWin32CallsOverride failing(calls);
    for (const Case& test : kCases)
    {
        gWriteError = test.error;
        const u8 byte = 0;
        if (test.outOfSpace)
            CatchThrown<NSQuorral::XOutOfSpace>([&] { medium.Write(0, 1, &byte); }, NSQuorral::GetDiskObjectType());
        else
            CatchThrown<NSQuorral::XWrite>([&] { medium.Write(0, 1, &byte); }, NSQuorral::GetFileObjectType());
    }
}

TEST_F(StdioMedia, ContainerLivesOnTheFile)
{
    {
        CStdioMedia medium(PathText());
        CreateBigFile(medium);
        CBigFile container(medium);
        NSContainerStreams::WriteStream(container, container.OpenStreamForWriting(), Pattern(300000, 1));
        NSContainerStreams::WriteStream(container, container.CreateStream(2), Pattern(10, 2));
    }
    CStdioMedia medium(PathText());
    CBigFile container(medium);
    EXPECT_EQ(container.GetStreamIDs(), (std::vector<u32>{1, 2}));
    EXPECT_EQ(NSContainerStreams::ReadStream(container, 1), Pattern(300000, 1));
    EXPECT_EQ(NSContainerStreams::ReadStream(container, 2), Pattern(10, 2));
}

TEST_F(StdioMedia, SetSizeWorksOnAClosedMedium)
{
    WriteFile("0123456789");
    CStdioMedia medium(PathText());
    medium.SetSize(4);
    EXPECT_EQ(ReadFile(), "0123");
    medium.Open();
    CatchThrown<NSQuorral::XOpen>([&] { medium.SetSize(2); }, NSQuorral::GetFileObjectType());
}

TEST_F(StdioMedia, FileSpecPathIsTheFoldersPathAndTheName)
{
    const NSFileLibSupport::TDirSpecPtr folder =
        NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromWide(fPath.parent_path().c_str()));
    const NSTextPackage::TUTF16String name = NSTextPackage::FromWide(fPath.filename().c_str());
    const NSFileLibSupport::CRobustFileSpec file(folder.get(), name);
    const NSTextPackage::TUTF16String path = NSFileLibSupport::GetFileSpecPath(file);
    EXPECT_EQ(path.substr(path.size() - name.size() - 1), u16('\\') + name);
    CStdioMedia medium(path);
    medium.Create();
    medium.Close();
    EXPECT_TRUE(std::filesystem::exists(fPath));
}

// Open files transfer from the handle's own position: a transfer that starts where the last one
// ended goes without a seek, any other seeks first, and no call names an offset of its own.
// Seen through the file library's call table, with the bytes judged as well.
#include "base/Win32Calls.h"
#include "tests/filelib/FileLibTestFolder.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

using namespace NSFileLib;

namespace
{
// The transfer calls made, as "seek 6", "read 4", "write 2"; "read 4 at 6" for a call that
// names its offset.
std::vector<std::string> gCalls;

std::string WithOffset(const std::string& call, LPOVERLAPPED at)
{
    if (at == nullptr)
        return call;
    return call + " at " + std::to_string((u64(at->OffsetHigh) << 32) | at->Offset);
}

BOOL WINAPI RecordedReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD moved, LPOVERLAPPED at)
{
    gCalls.push_back(WithOffset("read " + std::to_string(count), at));
    return RealWin32Calls().ReadFile(file, buffer, count, moved, at);
}

BOOL WINAPI RecordedWriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD moved, LPOVERLAPPED at)
{
    gCalls.push_back(WithOffset("write " + std::to_string(count), at));
    return RealWin32Calls().WriteFile(file, buffer, count, moved, at);
}

BOOL WINAPI RecordedSetFilePointerEx(HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER moved, DWORD method)
{
    gCalls.push_back("seek " + std::to_string(distance.QuadPart));
    return RealWin32Calls().SetFilePointerEx(file, distance, moved, method);
}

TWin32Calls RecordingCalls()
{
    TWin32Calls calls = RealWin32Calls();
    calls.ReadFile = &RecordedReadFile;
    calls.WriteFile = &RecordedWriteFile;
    calls.SetFilePointerEx = &RecordedSetFilePointerEx;
    return calls;
}

// A read expects bytes at position; a write puts them there.
struct TStep
{
    bool write;
    i64 position;
    std::string bytes;
};

struct TTransferCase
{
    const char* name;
    bool readWrite; // else the file "0123456789" opened for reading only
    std::vector<TStep> steps;
    std::vector<std::string> calls;
};

const TTransferCase kTransferCases[] = {
    {"a read after a read needs no seek",
     false,
     {{false, 0, "0123"}, {false, 4, "4567"}, {false, 8, "89"}},
     {"read 4", "read 4", "read 2"}},
    {"a read elsewhere lands at its offset",
     false,
     {{false, 6, "6789"}, {false, 2, "23"}, {false, 4, "45"}},
     {"seek 6", "read 4", "seek 2", "read 2", "read 2"}},
    {"a write between reads is honoured",
     true,
     {{true, 0, "0123456789"}, {false, 0, "0123"}, {true, 8, "XY"}, {false, 4, "4567"}, {false, 8, "XY"}},
     {"write 10", "seek 0", "read 4", "seek 8", "write 2", "seek 4", "read 4", "read 2"}},
    {"a write after a read goes on from its end",
     true,
     {{true, 0, "0123456789"}, {false, 2, "23"}, {true, 4, "ab"}, {false, 0, "0123ab6789"}},
     {"write 10", "seek 2", "read 2", "write 2", "seek 0", "read 10"}},
};

class PositionTrackingFiles : public CFileLibTestFolder
{
protected:
    PositionTrackingFiles() : fCalls(RecordingCalls()), fOverride(fCalls) { gCalls.clear(); }

    TWin32Calls fCalls;
    CWin32CallsOverride fOverride;
};
} // namespace

TEST_F(PositionTrackingFiles, TransfersSeekOnlyWhereTheLastOneDidNotEnd)
{
    for (const TTransferCase& test : kTransferCases)
    {
        WriteFileBytes("ten.bin", "0123456789");
        u32 status = 0;
        std::unique_ptr<IOpenReadWriteFile> readWrite;
        std::unique_ptr<IOpenReadFile> readOnly;
        IByteReader* reader = nullptr;
        IByteWriter* writer = nullptr;
        if (test.readWrite)
        {
            readWrite.reset(Lib().CreateFile(Folder(), Wide("ten.bin").c_str(), 0, 0, &status));
            ASSERT_NE(readWrite, nullptr) << test.name;
            reader = readWrite->GetByteReader();
            writer = readWrite->GetByteWriter();
        }
        else
        {
            readOnly.reset(Lib().OpenReadFile(FileSpec("ten.bin").get(), &status));
            ASSERT_NE(readOnly, nullptr) << test.name;
            reader = readOnly->GetByteReader();
        }
        gCalls.clear();
        for (const TStep& step : test.steps)
        {
            const i64 count = i64(step.bytes.size());
            if (step.write)
            {
                ASSERT_EQ(writer->Write(step.position, count, reinterpret_cast<const u8*>(step.bytes.data())),
                          kFileLibOK)
                    << test.name;
                continue;
            }
            std::string bytes(step.bytes.size(), '\0');
            ASSERT_EQ(reader->Read(step.position, count, reinterpret_cast<u8*>(bytes.data())), kFileLibOK)
                << test.name;
            EXPECT_EQ(bytes, step.bytes) << test.name << " at " << step.position;
        }
        EXPECT_EQ(gCalls, test.calls) << test.name;
    }
}

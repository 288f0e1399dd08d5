#pragma once
// The open files of the library. Each owns its backend file and is its own byte reader (and
// writer); the reader and writer do not check the object they belong to.
#include "filelib/FileLib.h"
#include "filelib/OpenFileImpl.h"

#include <memory>

namespace NSFileLibInternals
{
class COpenReadFileGlue : public NSFileLib::IOpenReadFile, public NSFileLib::IByteReader
{
public:
    explicit COpenReadFileGlue(std::unique_ptr<COpenReadFileImpl> file) : fFile(std::move(file)) {}

    NSFileLib::IByteReader* GetByteReader() override { return this; }
    NSFileLib::TFileLibStatus GetSize(u64* size) override;
    NSFileLib::TFileLibStatus Read(i64 position, i64 count, u8* buffer) override;
    u32 IsValid() override { return 1; }

private:
    std::unique_ptr<COpenReadFileImpl> fFile;
};

class COpenReadWriteFileGlue : public NSFileLib::IOpenReadWriteFile,
                               public NSFileLib::IByteReader,
                               public NSFileLib::IByteWriter
{
public:
    explicit COpenReadWriteFileGlue(std::unique_ptr<COpenReadWriteFileImpl> file) : fFile(std::move(file)) {}

    NSFileLib::IByteReader* GetByteReader() override { return this; }
    NSFileLib::IByteWriter* GetByteWriter() override { return this; }
    NSFileLib::TFileLibStatus Read(i64 position, i64 count, u8* buffer) override;
    NSFileLib::TFileLibStatus Write(i64 position, i64 count, const u8* buffer) override;
    // size is preset to kFileLibResultNotSet.
    NSFileLib::TFileLibStatus GetSize(u64* size) override;
    u32 IsValid() override { return 1; }

private:
    std::unique_ptr<COpenReadWriteFileImpl> fFile;
};

// After Commit the reader, writer and size answer NSFileLib::kFileLibIllegalCallSequence, and so does a
// second Commit.
class CSafeOpenReadWriteFileGlue : public NSFileLib::ISafeOpenReadWriteFile,
                                   public NSFileLib::IByteReader,
                                   public NSFileLib::IByteWriter
{
public:
    explicit CSafeOpenReadWriteFileGlue(std::unique_ptr<CSafeOpenReadWriteFileImpl> file) : fFile(std::move(file))
    {
    }

    NSFileLib::IByteReader* GetByteReader() override { return this; }
    NSFileLib::IByteWriter* GetByteWriter() override { return this; }
    NSFileLib::TFileLibStatus Commit() override;
    NSFileLib::TFileLibStatus Read(i64 position, i64 count, u8* buffer) override;
    NSFileLib::TFileLibStatus Write(i64 position, i64 count, const u8* buffer) override;
    // size is not preset.
    NSFileLib::TFileLibStatus GetSize(u64* size) override;
    u32 IsValid() override { return 1; }

private:
    std::unique_ptr<CSafeOpenReadWriteFileImpl> fFile;
};
} // namespace NSFileLibInternals

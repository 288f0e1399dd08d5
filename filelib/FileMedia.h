#pragma once
// Files of the file library as media. Positions and counts go to the library unchanged, so a
// negative one fails with the library's bad-argument status; every status but kFileLibOK is thrown
// through the file library's status table.
#include "filelib/FileLib.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileTypeDescriptors.h"
#include "base/Media.h"

#include <memory>

namespace NSFileLibSupport
{
class CRobustFileSpec;

// A medium over the borrowed reader and writer of an open file, which must outlive it.
class CMediaBridge : public NSFerrant::CMedia
{
public:
    CMediaBridge(NSFileLib::IByteReader* reader, NSFileLib::IByteWriter* writer);

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;

private:
    NSFileLib::IByteReader* fReader;
    NSFileLib::IByteWriter* fWriter;
};

// A medium over a file it opens itself and closes when destroyed.
class COpenFile : public NSFerrant::CMedia
{
public:
    // Creates the file in folder, or empties an existing one, for reading and writing.
    COpenFile(NSFileLib::IDirSpec* folder, const TUTF16String& name, u32 creator, u32 fileType);
    // Opens an existing file for reading only; writing through it throws a plain std::exception.
    explicit COpenFile(NSFileLib::IFileSpec* file);
    ~COpenFile() override;

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;

private:
    std::unique_ptr<NSFileLib::IOpenReadWriteFile> fReadWriteFile;
    std::unique_ptr<NSFileLib::IOpenReadFile> fReadFile;
    NSFileLib::IByteReader* fReader = nullptr;
    NSFileLib::IByteWriter* fWriter = nullptr;
};

// A safe write of a file: the data goes through GetMedia into a new file that takes the
// target's place only on Commit. Destroyed without a successful Commit, it discards what was
// written and leaves the target as it was.
class CSafeOpenFile
{
public:
    CSafeOpenFile(const CRobustFileSpec& target, u32 creator, u32 fileType);
    ~CSafeOpenFile();
    CSafeOpenFile(const CSafeOpenFile&) = delete;
    CSafeOpenFile& operator=(const CSafeOpenFile&) = delete;

    NSFerrant::CMedia& GetMedia() { return *fMedia; }
    // The library's status, kFileLibOK when the data now stands in the target's place. After a
    // successful Commit the medium must not be used any more.
    NSFileLib::TFileLibStatus Commit();

private:
    std::unique_ptr<NSFileLib::ISafeOpenReadWriteFile> fFile;
    std::unique_ptr<CMediaBridge> fMedia; // over fFile: declared after it, so destroyed first
};
// A medium over a new, empty temporary file in the library's temporary folder, named with the
// first extension of its kind. Close (and so the destructor) deletes the file, and the system
// deletes it should the program end without Close; after Close the medium throws a plain
// std::exception on every operation.
class COpenTemporaryFile : public NSFerrant::CMedia
{
public:
    // Whatever fails after the file was made deletes it again before the exception leaves.
    explicit COpenTemporaryFile(const SFileTypeDescriptor& type);
    ~COpenTemporaryFile() override;

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;

    // Closes and deletes the file. While the library answers "not ready" the delete is retried,
    // up to 40 times 50 ms apart; a delete that still fails leaves the file, unreported.
    // A second Close does nothing.
    void Close();

private:
    // The medium while the file is open.
    CMediaBridge& Media() const;

    TFileSpecPtr fFileSpec;
    std::unique_ptr<NSFileLib::IOpenReadWriteFile> fOpenFile;
    std::unique_ptr<CMediaBridge> fMedia; // over fOpenFile
    bool fDeleteOnClose = true;
};
} // namespace NSFileLibSupport

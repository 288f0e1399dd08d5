#pragma once
// An open block container: byte streams known by 32-bit ids, stored in the blocks of one file.
// Written bytes go to blocks the committed directory does not use; closing a written stream
// commits it by writing a new directory and then the root slot that is not current, so an
// interrupted commit leaves the previous state readable.
//
// Who may open an id at the same time:
//   OpenStreamForWriting  id 1 only, seekable, replaces stream 1 on Close; alone on the id
//   CreateStream          a new id, append-only; readers may share its bytes as they grow
//   OpenStreamForReading  any number, unless the id is open for seekable writing
#include "base/Types.h"
#include "media/bigfile/BigFileMedium.h"
#include "media/bigfile/BlockFile.h"
#include "media/bigfile/Directory.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace NSBigFilePackage
{
class IStream
{
public:
    virtual ~IStream() = default;
    virtual u32 GetID() const = 0;
    virtual u64 GetSize() const = 0;
    virtual u64 GetPosition() const = 0;
    virtual void SetPosition(u64 position) = 0;
    // Commits a written stream; a stream destroyed without Close discards what was written.
    virtual void Close() = 0;
};

// The working state of a stream, shared by every stream object open under one id.
struct CTemporaryStream
{
    std::vector<u64> fBlocks;
    u64 fLength = 0;
    // A writer's block not yet written out; empty for a stream read from the directory.
    std::vector<u8> fBuffer;
    u64 fBufferedBlock = 0;
};

class CBigFile;

class CStream : public IStream
{
public:
    CStream(CBigFile& container, u32 id, bool writable, bool appendOnly, std::shared_ptr<CTemporaryStream> state);
    ~CStream() override;

    u32 GetID() const override { return fID; }
    u64 GetSize() const override { return fState->fLength; }
    u64 GetPosition() const override { return fPosition; }
    void SetPosition(u64 position) override;
    void Close() override;

private:
    friend class CBigFile;

    u32 fID;
    bool fWritable;
    bool fAppendOnly;
    bool fClosed = false;
    CBigFile& fContainer;
    u64 fPosition = 0;
    std::shared_ptr<CTemporaryStream> fState;
};

// Creates an empty container on a new or empty medium, which ends closed. Anything that fails
// after the header was written deletes the medium.
void CreateBigFile(IMedia& medium);

class CBigFile
{
public:
    // Opens the container on the medium, which stays open until the container is destroyed.
    explicit CBigFile(IMedia& medium);
    // Commits nothing. Every stream must be destroyed before its container.
    ~CBigFile();
    CBigFile(const CBigFile&) = delete;
    CBigFile& operator=(const CBigFile&) = delete;

    std::unique_ptr<IStream> OpenStreamForWriting();
    std::unique_ptr<IStream> CreateStream(u32 id);
    std::unique_ptr<IStream> OpenStreamForReading(u32 id);
    std::vector<u32> GetStreamIDs() const;

    // Reads n bytes at the stream's position and advances it; the stream must be read-only.
    void ReadStreamAt(IStream& stream, u32 n, u8* destination);
    // Writes n bytes at the stream's position and advances it; the stream must be open and
    // writable.
    void WriteStreamAt(IStream& stream, u32 n, const u8* source);

    const CDirectory& GetDirectory() const { return *fDirectory; }

private:
    friend class CStream;

    void ChooseRootSlot();
    std::shared_ptr<CTemporaryStream> NewWriterState(u32 id);
    std::shared_ptr<CTemporaryStream> GetReaderState(u32 id);
    CStream& OwnStream(IStream& stream);
    void FlushStreamBuffer(CStream& stream);
    void ReadStreamBlockPart(CStream& stream, u64 index, u32 offset, u32 count, u8* destination);
    void CommitStream(CStream& stream);
    void ReleaseStream(CStream& stream);

    CBlockFile fBlockFile;
    std::unique_ptr<CDirectory> fDirectory;
    std::set<u32> fOpenForWriting;
    std::set<u32> fOpenForAppending;
    std::map<u32, i32> fReaderCounts;
    u64 fSequence = 0;
    u32 fCurrentSlot = 0;
    std::map<u32, std::weak_ptr<CTemporaryStream>> fWorkingStates;
};
} // namespace NSBigFilePackage

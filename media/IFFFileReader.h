#pragma once
// Walks a whole IFF file as a tree: entering a group or chunk pushes a level with a chunk reader
// over its data, leaving pops it. Users read the entered chunk's data through the current
// reader's media, which covers exactly that data.
#include "media/IFFReader2.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
// The type of the "CAT " group that is a host song, and the chunk of a published song's inner song.
constexpr TFourCC kFourCC_SongCAT = MakeFourCC("TS10");
constexpr TFourCC kFourCC_BODY = MakeFourCC("BODY");

class CIFFFileReader
{
public:
    struct CIFFFileLevel
    {
        std::shared_ptr<CIFFReader2> fParentReader;
        std::shared_ptr<CIFFReader2> fReader;
        TIFFChunk fChunk;
    };

    // Root reader over the media (big-endian sizes); the media must outlive the reader.
    explicit CIFFFileReader(CMedia& media);
    virtual ~CIFFFileReader();

    bool EnterFORM(TFourCC type);
    bool EnterCAT(TFourCC type);
    // Enter or throw XFormatViolation; the level stays where it was on failure.
    void RequireFORM(TFourCC type);
    void EnterSongCAT();
    void EnterBODYChunk();

    bool EnterFirstChunk();
    // Leaves the current chunk and enters the next one at the same depth; at the end it answers
    // false and the level stays left.
    bool EnterNextChunk();
    void LeaveLevel();

    const TIFFChunk& GetCurrentChunk() const;
    CIFFReader2& GetCurrentReader() { return *fCurrentReader; }
    size_t GetDepth() const { return fLevels.size(); }

    // Enters the chunk the current reader has just read.
    void PushLevel(const TIFFChunk& chunk);

private:
    const CIFFFileLevel& InnermostLevel() const;

    std::shared_ptr<CIFFReader2> fCurrentReader;
    std::vector<std::shared_ptr<CIFFFileLevel>> fLevels;
};
} // namespace NSFerrant

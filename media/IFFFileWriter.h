#pragma once
// Writes a whole IFF file as a tree: beginning a group pushes a level with a chunk writer over its
// data, ending it patches the group's size and pops it. Groups are written at the end of their
// media, so a level's size is everything from its data start to the end of the media.
#include "media/IFFWriter2.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
class CIFFFileWriter
{
public:
    struct CIFFFileLevel
    {
        std::shared_ptr<CIFFWriter2> fParentWriter;
        std::shared_ptr<CIFFWriter2> fWriter;
        TIFFChunk fChunk;
    };

    // Root writer over the media (big-endian sizes); the media must outlive the writer.
    explicit CIFFFileWriter(CMedia& media);
    // Ends every open level, innermost first; a level that fails to end is dropped silently.
    virtual ~CIFFFileWriter();

    void BeginFORM(TFourCC type);
    void BeginLIST(TFourCC type);
    void BeginCAT(TFourCC type);
    // A plain chunk as a level: its data is written through the current writer's media.
    void BeginChunk(TFourCC id);
    void EndLevel();

    CIFFWriter2& GetCurrentWriter() { return *fCurrentWriter; }
    size_t GetDepth() const { return fLevels.size(); }

    // Enters a chunk the current writer has just begun.
    void PushLevel(const TIFFChunk& chunk);

private:
    std::shared_ptr<CIFFWriter2> fCurrentWriter;
    std::vector<std::shared_ptr<CIFFFileLevel>> fLevels;
};
} // namespace NSFerrant

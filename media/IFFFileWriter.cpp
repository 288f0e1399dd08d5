#include "media/IFFFileWriter.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

namespace NSFerrant
{
CIFFFileWriter::CIFFFileWriter(CMedia& media) : fCurrentWriter(std::make_shared<CIFFWriter2>(media))
{
}

CIFFFileWriter::~CIFFFileWriter()
{
    while (!fLevels.empty())
    {
        const size_t depth = fLevels.size();
        try
        {
            EndLevel();
        }
        catch (...)
        {
            // A destructor cannot report the media's failure: drop this level, end the next.
            if (fLevels.size() == depth)
            {
                fCurrentWriter = fLevels.back()->fParentWriter;
                fLevels.pop_back();
            }
        }
    }
}

void CIFFFileWriter::PushLevel(const TIFFChunk& chunk)
{
    auto level = std::make_shared<CIFFFileLevel>();
    level->fParentWriter = fCurrentWriter;
    level->fWriter = std::make_shared<CIFFWriter2>(*fCurrentWriter, chunk);
    level->fChunk = chunk;
    fLevels.push_back(level);
    fCurrentWriter = level->fWriter;
}

void CIFFFileWriter::BeginFORM(TFourCC type)
{
    PushLevel(fCurrentWriter->BeginFORM(type));
}

void CIFFFileWriter::BeginLIST(TFourCC type)
{
    PushLevel(fCurrentWriter->BeginLIST(type));
}

void CIFFFileWriter::BeginCAT(TFourCC type)
{
    PushLevel(fCurrentWriter->BeginGroup(kChunkKindCAT, kFourCC_CAT, type));
}

void CIFFFileWriter::BeginChunk(TFourCC id)
{
    PushLevel(fCurrentWriter->BeginChunk(id));
}

void CIFFFileWriter::EndLevel()
{
    if (fLevels.empty())
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    CMedia& window = fCurrentWriter->GetMedia();
    const i64 size = window.GetSize();
    if (auto* child = dynamic_cast<CABCChildMedia*>(&window))
        child->PropagatePosition(false);
    const std::shared_ptr<CIFFFileLevel> level = fLevels.back();
    fLevels.pop_back();
    fCurrentWriter = level->fParentWriter;
    fCurrentWriter->EndChunk(level->fChunk, size);
}
} // namespace NSFerrant

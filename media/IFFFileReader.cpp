#include "media/IFFFileReader.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

namespace NSFerrant
{
CIFFFileReader::CIFFFileReader(CMedia& media) : fCurrentReader(std::make_shared<CIFFReader2>(media))
{
}

CIFFFileReader::~CIFFFileReader()
{
    while (!fLevels.empty())
        LeaveLevel();
}

void CIFFFileReader::PushLevel(const TIFFChunk& chunk)
{
    auto level = std::make_shared<CIFFFileLevel>();
    level->fParentReader = fCurrentReader;
    level->fReader = std::make_shared<CIFFReader2>(*fCurrentReader, chunk);
    level->fChunk = chunk;
    fLevels.push_back(level);
    fCurrentReader = level->fReader;
}

void CIFFFileReader::LeaveLevel()
{
    if (fLevels.empty())
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    fCurrentReader = fLevels.back()->fParentReader;
    fLevels.pop_back();
}

const CIFFFileReader::CIFFFileLevel& CIFFFileReader::InnermostLevel() const
{
    if (fLevels.empty())
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    return *fLevels.back();
}

const TIFFChunk& CIFFFileReader::GetCurrentChunk() const
{
    return InnermostLevel().fChunk;
}

bool CIFFFileReader::EnterFORM(TFourCC type)
{
    TIFFChunk chunk;
    if (!fCurrentReader->FindFORM(type, chunk))
        return false;
    PushLevel(chunk);
    return true;
}

bool CIFFFileReader::EnterCAT(TFourCC type)
{
    TIFFChunk chunk;
    if (!fCurrentReader->FindCAT(type, chunk))
        return false;
    PushLevel(chunk);
    return true;
}

void CIFFFileReader::RequireFORM(TFourCC type)
{
    if (!EnterFORM(type))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void CIFFFileReader::EnterSongCAT()
{
    if (!EnterCAT(kFourCC_SongCAT))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void CIFFFileReader::EnterBODYChunk()
{
    TIFFChunk chunk;
    if (!fCurrentReader->FindChunk(kFourCC_BODY, chunk))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    PushLevel(chunk);
}

bool CIFFFileReader::EnterFirstChunk()
{
    TIFFChunk chunk;
    if (!fCurrentReader->FirstChunk(chunk))
        return false;
    PushLevel(chunk);
    return true;
}

bool CIFFFileReader::EnterNextChunk()
{
    const TIFFChunk current = InnermostLevel().fChunk;
    LeaveLevel();
    TIFFChunk next;
    if (!fCurrentReader->NextChunk(current, next))
        return false;
    PushLevel(next);
    return true;
}
} // namespace NSFerrant

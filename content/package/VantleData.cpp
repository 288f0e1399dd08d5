#include "content/package/VantleData.h"

#include "content/package/PackageFailures.h"
#include "content/package/VantleHeader.h"
#include "filelib/FileMedia.h"

#include <stdexcept>

CVantleData::CVantleData(NSFileLib::IFileSpec* file, u32 kind)
    : fMedia(std::make_unique<NSFileLibSupport::COpenFile>(file)), fKind(kind)
{
    if (kind != kVantleKindStandard && kind != kVantleKindAlternate)
        ThrowPackageFailure<std::runtime_error>();
    fMedia->fPosition = 0;
    ReadVantleHeader(fInfo, *fMedia);
    fSize = fMedia->GetSize();
}

CVantleData::~CVantleData() = default;

NSFerrant::CMedia& CVantleData::GetMedia() const
{
    return *fMedia;
}

bool ProbeVantleFile(NSFileLib::IFileSpec* file)
{
    try
    {
        const CVantleData probe(file, kVantleKindStandard);
        return true;
    }
    catch (const NSQuorral::XOutOfItems&)
    {
        throw;
    }
    catch (...)
    {
        return false;
    }
}

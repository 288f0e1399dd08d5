#include "filelib/ListingGlue.h"

#include "filelib/GlueFence.h"

namespace NSFileLibInternals
{
using namespace NSFileLib;

TFileLibStatus CDirScannerGlue::GetCurrent(u16* name, SChildInfo* info)
{
    if (fScanner->IsDone())
        return kFileLibIllegalCallSequence;
    if (name == nullptr || info == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { fScanner->GetCurrent(name, *info); });
}

TFileLibStatus CDirScannerGlue::Next()
{
    if (fScanner->IsDone())
        return kFileLibIllegalCallSequence;
    return RunFenced([&] { fScanner->Next(); });
}

CVolumesGlue::CVolumesGlue(const std::vector<TUTF16String>& volumePaths)
{
    fVolumes.reserve(volumePaths.size());
    for (const TUTF16String& path : volumePaths)
        fVolumes.emplace_back(path);
}
} // namespace NSFileLibInternals

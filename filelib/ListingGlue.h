#pragma once
// The folder scanner and the volume list of the library.
#include "filelib/DirScannerImpl.h"
#include "filelib/FileLib.h"
#include "filelib/SpecGlue.h"

#include <memory>
#include <vector>

namespace NSFileLibInternals
{
class CDirScannerGlue : public NSFileLib::IDirScanner
{
public:
    explicit CDirScannerGlue(std::unique_ptr<CDirScannerImpl> scanner) : fScanner(std::move(scanner)) {}

    bool IsDone() override { return fScanner->IsDone(); }
    NSFileLib::TFileLibStatus GetCurrent(u16* name, NSFileLib::SChildInfo* info) override;
    NSFileLib::TFileLibStatus Next() override;
    u32 IsValid() override { return 1; }

private:
    std::unique_ptr<CDirScannerImpl> fScanner;
};

// Owns its volumes, in the order the backend found them.
class CVolumesGlue : public NSFileLib::IVolumes
{
public:
    explicit CVolumesGlue(const std::vector<TUTF16String>& volumePaths);

    u32 GetCount() override { return u32(fVolumes.size()); }
    // Null for an index past the end.
    NSFileLib::IVolumeSpec* GetVolume(u32 index) override
    {
        return index < fVolumes.size() ? &fVolumes[index] : nullptr;
    }
    u32 IsValid() override { return 1; }

private:
    std::vector<CVolumeSpecGlue> fVolumes;
};
} // namespace NSFileLibInternals

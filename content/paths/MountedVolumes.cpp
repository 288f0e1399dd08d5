#include "content/paths/MountedVolumes.h"

#include "filelib/FileLibAccess.h"

namespace NSDiskScanner
{
namespace
{
class CFileLibVolumes final : public IMountedVolumes
{
public:
    std::vector<NSFileLibSupport::TVolumeSpecPtr> GetVolumes() override
    {
        return NSFileLibSupport::GetVolumes();
    }
    NSFileLib::TFileLibStatus GetVolumeInfo(NSFileLib::IVolumeSpec* volume,
                                            NSFileLib::SVolumeInfo* info) override
    {
        return NSFileLibSupport::GetFileLib()->GetVolumeInfo(volume, info);
    }
    NSFileLib::TFileLibStatus GetVolumeDetails(NSFileLib::IVolumeSpec* volume,
                                               NSFileLib::SVolumeDetails* details) override
    {
        return NSFileLibSupport::GetFileLib()->GetVolumeDetails(volume, details);
    }
};

CFileLibVolumes gFileLibVolumes;
// Touched from the application's one thread only.
IMountedVolumes* gReplacement = nullptr;
} // namespace

IMountedVolumes& GetMountedVolumes()
{
    return gReplacement ? *gReplacement : gFileLibVolumes;
}

IMountedVolumes* ExchangeMountedVolumes(IMountedVolumes* volumes)
{
    IMountedVolumes* previous = gReplacement;
    gReplacement = volumes;
    return previous;
}
} // namespace NSDiskScanner

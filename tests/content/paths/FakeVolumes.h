#pragma once
// Mounted volumes of the test's own, in place of the file library's for the lifetime of the
// object. Each fake volume is a real volume specification (so that its root folder can be had)
// with the kind, availability, label and statuses the test gives it.
#include "content/paths/MountedVolumes.h"

#include <string>
#include <vector>

namespace NSContentTests
{
struct SFakeVolume
{
    NSFileLibSupport::TVolumeSpecPtr fSpec;
    u32 fKind;
    u32 fAvailable;
    std::string fLabel;
    NSFileLib::TFileLibStatus fDetailsStatus;
};

class CFakeVolumes final : public NSDiskScanner::IMountedVolumes
{
public:
    CFakeVolumes();
    ~CFakeVolumes();
    CFakeVolumes(const CFakeVolumes&) = delete;
    CFakeVolumes& operator=(const CFakeVolumes&) = delete;

    // A volume over the drive of rootPath ("C:\").
    void Add(const std::string& rootPath, u32 kind, const std::string& label, u32 available = 1,
             NSFileLib::TFileLibStatus detailsStatus = NSFileLib::kFileLibOK);

    std::vector<NSFileLibSupport::TVolumeSpecPtr> GetVolumes() override;
    NSFileLib::TFileLibStatus GetVolumeInfo(NSFileLib::IVolumeSpec* volume,
                                            NSFileLib::SVolumeInfo* info) override;
    NSFileLib::TFileLibStatus GetVolumeDetails(NSFileLib::IVolumeSpec* volume,
                                               NSFileLib::SVolumeDetails* details) override;

    std::vector<SFakeVolume> fVolumes;
    // The labels asked for, by index into fVolumes.
    std::vector<size_t> fLabelsAsked;
    // When set, listing the volumes fails with XRead.
    bool fListingFails = false;

private:
    size_t IndexOf(NSFileLib::IVolumeSpec* volume) const;

    NSDiskScanner::IMountedVolumes* fPrevious;
};
} // namespace NSContentTests

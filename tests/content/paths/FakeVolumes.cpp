#include "tests/content/paths/FakeVolumes.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <algorithm>

namespace NSContentTests
{
CFakeVolumes::CFakeVolumes() : fPrevious(NSDiskScanner::ExchangeMountedVolumes(this)) {}

CFakeVolumes::~CFakeVolumes()
{
    NSDiskScanner::ExchangeMountedVolumes(fPrevious);
}

void CFakeVolumes::Add(const std::string& rootPath, u32 kind, const std::string& label, u32 available,
                       NSFileLib::TFileLibStatus detailsStatus)
{
    fVolumes.push_back({NSFileLibSupport::VolumeSpecFromWinPath(NSTextPackage::UTF8ToUTF16(rootPath)), kind,
                        available, label, detailsStatus});
}

std::vector<NSFileLibSupport::TVolumeSpecPtr> CFakeVolumes::GetVolumes()
{
    if (fListingFails)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XRead("volume list"));
    std::vector<NSFileLibSupport::TVolumeSpecPtr> volumes;
    for (const SFakeVolume& volume : fVolumes)
        volumes.push_back(volume.fSpec);
    return volumes;
}

NSFileLib::TFileLibStatus CFakeVolumes::GetVolumeInfo(NSFileLib::IVolumeSpec* volume,
                                                      NSFileLib::SVolumeInfo* info)
{
    const SFakeVolume& fake = fVolumes.at(IndexOf(volume));
    info->kind = fake.fKind;
    info->isAvailable = fake.fAvailable;
    info->isCDROM = fake.fKind == NSFileLib::kVolumeKindCDROM;
    return NSFileLib::kFileLibOK;
}

NSFileLib::TFileLibStatus CFakeVolumes::GetVolumeDetails(NSFileLib::IVolumeSpec* volume,
                                                         NSFileLib::SVolumeDetails* details)
{
    const size_t index = IndexOf(volume);
    fLabelsAsked.push_back(index);
    const SFakeVolume& fake = fVolumes[index];
    if (fake.fDetailsStatus != NSFileLib::kFileLibOK)
        return fake.fDetailsStatus;
    const NSTextPackage::TUTF16String label = NSTextPackage::UTF8ToUTF16(fake.fLabel);
    std::copy(label.begin(), label.end(), details->label);
    details->label[label.size()] = 0;
    return NSFileLib::kFileLibOK;
}

size_t CFakeVolumes::IndexOf(NSFileLib::IVolumeSpec* volume) const
{
    const auto found = std::find_if(fVolumes.begin(), fVolumes.end(),
                                    [volume](const SFakeVolume& fake) { return fake.fSpec.get() == volume; });
    return size_t(found - fVolumes.begin());
}
} // namespace NSContentTests

#pragma once
// The mounted volumes as the disk scanner asks the file library about them. Tests put a double in
// the library's place: Wine cannot mount removable disks, CDs or network volumes with media in
// them, nor make a drive fail its label query.
#include "filelib/FileLibWrappers.h"

#include <vector>

namespace NSDiskScanner
{
class IMountedVolumes
{
public:
    // Independent volume specifications in the file library's order.
    virtual std::vector<NSFileLibSupport::TVolumeSpecPtr> GetVolumes() = 0;
    virtual NSFileLib::TFileLibStatus GetVolumeInfo(NSFileLib::IVolumeSpec* volume,
                                                    NSFileLib::SVolumeInfo* info) = 0;
    virtual NSFileLib::TFileLibStatus GetVolumeDetails(NSFileLib::IVolumeSpec* volume,
                                                       NSFileLib::SVolumeDetails* details) = 0;

protected:
    ~IMountedVolumes() = default;
};

// The volumes in use: the file library's unless a test replaced them.
IMountedVolumes& GetMountedVolumes();
// Test hook: puts volumes in place (null puts the file library's back) and answers the ones it
// replaced, null for the file library's.
IMountedVolumes* ExchangeMountedVolumes(IMountedVolumes* volumes);
} // namespace NSDiskScanner

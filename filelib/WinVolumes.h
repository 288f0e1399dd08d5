#pragma once
// Volumes named by their volume paths: drive roots and share roots.
// Floppy drives are recognised by their device name and are never touched to answer their
// kind, availability or presence; only their details read the medium.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLibRecords.h"

#include <vector>

bool WinIsFloppyDrive(const NSTextPackage::TUTF16String& volumePath);
// An EVolumeKind; raises NSQuorral::XNotFound for a letter with no drive behind it.
u32 WinGetVolumeKind(const NSTextPackage::TUTF16String& volumePath);
NSFileLib::SVolumeInfo WinGetVolumeInfo(const NSTextPackage::TUTF16String& volumePath);
// Total and free bytes in units of 64 KiB.
void WinGetDiskSpace(const NSTextPackage::TUTF16String& volumePath, u32& total, u32& free);
NSFileLib::SVolumeDetails WinGetVolumeDetails(const NSTextPackage::TUTF16String& volumePath);
bool WinIsVolumeMounted(const NSTextPackage::TUTF16String& driveRoot);
// The mounted drive roots, in the platform's order.
void WinGetVolumes(std::vector<NSTextPackage::TUTF16String>& volumePaths);
// The volume of the Windows folder, such as C:\.
NSTextPackage::TUTF16String WinGetSystemVolume();
bool WinDoesVolumeExist(const NSTextPackage::TUTF16String& volumePath);

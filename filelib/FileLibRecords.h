#pragma once
// The records that cross the file library's boundary: file, folder and volume information.
// Times are Windows file times (100 ns since 1601-01-01 UTC) exactly as the platform reports
// them; flags are u32 holding 0 or 1.
#include "base/Types.h"

namespace NSFileLib
{
struct SFileInfo
{
    u32 isHidden;
    u32 isLocked; // the read-only attribute
    u32 isAlias;  // the name ends in ".lnk" or ".pif"
    u64 creationTime;
    u64 modificationTime;
    u64 size;
    u64 reserved1; // always 0
    u64 reserved2; // always 0
};

struct SDirInfo
{
    u32 isHidden;
    u32 isLocked; // the read-only attribute
    u32 reserved; // always 0
    u64 creationTime;
    u64 modificationTime;
};

enum EChildKind : u32
{
    kChildKindDirectory = 34,
    kChildKindFile = 35,
};

// One entry of a folder: only the record of its kind is filled.
struct SChildInfo
{
    u32 kind; // EChildKind
    SDirInfo dirInfo;
    SFileInfo fileInfo;
};

enum EVolumeKind : u32
{
    kVolumeKindFloppy = 10,
    kVolumeKindFixed = 11,
    kVolumeKindRemovable = 12,
    kVolumeKindCDROM = 13,
    kVolumeKindNetwork = 14,
    kVolumeKindOther = 15, // a type the platform does not know, or a RAM disk
};

struct SVolumeInfo
{
    u32 kind; // EVolumeKind
    u32 isAvailable;
    u32 isCDROM;
    u32 driveLetter; // the path's first unit for a drive root, 0 for a share root
};

struct SVolumeDetails
{
    u16 label[1024]; // at most 256 units and a terminating zero
    u32 totalSpace;  // bytes >> 16, units of 64 KiB
    u32 freeSpace;   // bytes >> 16
    u32 serialNumber;
};
} // namespace NSFileLib

#pragma once
// An opened package: its file, held open read-only, its kind and its checked header. One is made
// per reader and shared by the reader, every entry location and every media handed out, so the
// file stays open as long as any of them needs it.
#include "base/Types.h"
#include "content/package/VantleInfo.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}
namespace NSFileLib
{
class IFileSpec;
}
namespace NSFileLibSupport
{
class COpenFile;
}

// The package kind: chosen by the caller from the package file's name, carried and handed on.
// Both kinds are read the same way.
enum EVantleKind : u32
{
    kVantleKindStandard = 0,
    kVantleKindAlternate = 1,
};

class CVantleData
{
public:
    // Opens the file read-only and reads its header (ReadVantleHeader). A kind other than 0 or 1
    // is std::runtime_error; header and file failures pass through.
    CVantleData(NSFileLib::IFileSpec* file, u32 kind);
    ~CVantleData();
    CVantleData(const CVantleData&) = delete;
    CVantleData& operator=(const CVantleData&) = delete;

    // The package file. Its position is shared by everyone reading through this package.
    NSFerrant::CMedia& GetMedia() const;
    u32 GetKind() const { return fKind; }
    const CVantleInfo& GetInfo() const { return fInfo; }
    // The file's size when it was opened: the bound every entry is checked against, asked of the
    // platform once instead of once an entry.
    i64 GetSize() const { return fSize; }

private:
    std::unique_ptr<NSFileLibSupport::COpenFile> fMedia;
    u32 fKind;
    CVantleInfo fInfo;
    i64 fSize = 0;
};

using TVantleDataPtr = std::shared_ptr<CVantleData>;

// Whether the file opens and its header reads as a package; the file is closed again. Every
// failure answers false except XOutOfItems (no more file handles or the like), which passes on.
bool ProbeVantleFile(NSFileLib::IFileSpec* file);

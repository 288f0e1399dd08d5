#pragma once
// Thin throwing wrappers over the file library. Each calls one library operation, throws the
// exception that the file library's status table gives for any status but kFileLibOK, and hands
// every object the library made to a shared owner (an empty owner stands for none).
#include "base/UTF16String.h"
#include "base/VersionNumbers.h"
#include "filelib/FileLib.h"

#include <memory>
#include <vector>

namespace NSFileLibSupport
{
using TFileSpecPtr = std::shared_ptr<NSFileLib::IFileSpec>;
using TDirSpecPtr = std::shared_ptr<NSFileLib::IDirSpec>;
using TVolumeSpecPtr = std::shared_ptr<NSFileLib::IVolumeSpec>;
using NSTextPackage::TUTF16String;

bool DoesChildFileExist(NSFileLib::IDirSpec* folder, const TUTF16String& name);
bool DoesChildDirectoryExist(NSFileLib::IDirSpec* folder, const TUTF16String& name);
// A missing child is XNotFound.
TFileSpecPtr GetChildFile(NSFileLib::IDirSpec* folder, const TUTF16String& name);
TDirSpecPtr GetChildDirectory(NSFileLib::IDirSpec* folder, const TUTF16String& name);
TDirSpecPtr CreateChildDirectory(NSFileLib::IDirSpec* parent, const TUTF16String& name);
void DeleteDirectory(NSFileLib::IDirSpec* folder);
TDirSpecPtr GetFileParentDirectory(NSFileLib::IFileSpec* file);
bool IsAlias(NSFileLib::IFileSpec* file);
// On success each owner takes the matching output (an output not set empties its owner); on
// failure the owners keep what they held. A file that is no shortcut is XResolve.
void ResolvePossibleAlias(NSFileLib::IFileSpec* file, TVolumeSpecPtr& volume, TDirSpecPtr& folder,
                          TFileSpecPtr& target);
// base and extension are assigned only on success.
void SplitExtension(const TUTF16String& name, TUTF16String& base, TUTF16String& extension);
// Independent clones of the mounted volumes, in the library's order.
std::vector<TVolumeSpecPtr> GetVolumes();
TDirSpecPtr GetVolumeRootDirectory(NSFileLib::IVolumeSpec* volume);
u32 GetVolumeKind(NSFileLib::IVolumeSpec* volume); // NSFileLib::EVolumeKind
TFileSpecPtr CloneFileSpec(NSFileLib::IFileSpec* file);
TDirSpecPtr CloneDirSpec(NSFileLib::IDirSpec* folder);
TVolumeSpecPtr CloneVolumeSpec(NSFileLib::IVolumeSpec* volume);
TUTF16String GetName(NSFileLib::IDirSpec* folder);
TUTF16String GetName(NSFileLib::IFileSpec* file);

TFileSpecPtr FileSpecFromWinPath(const TUTF16String& path);
// FileSpecFromWinPath for a path whose folder part is already in long form.
TFileSpecPtr FileSpecFromWinPathInLongFolder(const TUTF16String& path);
// FileSpecFromWinPath for a file known to exist under a path already in long form throughout.
TFileSpecPtr FileSpecFromLongWinPath(const TUTF16String& path);
TDirSpecPtr DirSpecFromWinPath(const TUTF16String& path);
TVolumeSpecPtr VolumeSpecFromWinPath(const TUTF16String& path);
// The path getters report nothing: the library has no status for them.
TUTF16String GetFileWinPath(NSFileLib::IFileSpec* file);
TUTF16String GetDirWinPath(NSFileLib::IDirSpec* folder); // ends in "\"
TUTF16String GetVolumeWinPath(NSFileLib::IVolumeSpec* volume);

// The existing child folder, else a new one. Test and creation are two separate calls.
TDirSpecPtr GetOrCreateChildDirectory(NSFileLib::IDirSpec* parent, const TUTF16String& name);
// Deletes the child file when it is there; answers whether it deleted one.
bool DeleteChildFileIfExists(NSFileLib::IDirSpec* folder, const TUTF16String& name);
// Whether the specification still names something: its GetName succeeds. Never throws.
bool IsSpecUsable(NSFileLib::IDirSpec* folder);
bool IsSpecUsable(NSFileLib::IFileSpec* file);

// The version of the module file the specification names (the About box asks it for the running
// module). Fails as NSFerrant::ReadModuleVersionInfo does.
NSFerrant::TVersion GetModuleVersion(NSFileLib::IFileSpec* file);
} // namespace NSFileLibSupport

#pragma once
// A file named by its folder and its name; the file need not exist yet. The program keeps its
// outputs this way and opens or creates them from it.
#include "filelib/FileLibWrappers.h"

namespace NSFileLibSupport
{
class CRobustFileSpec
{
public:
    // Keeps a clone of folder, which must not be null.
    CRobustFileSpec(NSFileLib::IDirSpec* folder, const TUTF16String& name);

    bool Exists() const;
    // A missing file is XNotFound.
    TFileSpecPtr GetFileSpec() const;
    TDirSpecPtr GetDirSpec() const;
    TUTF16String GetFileName() const;

private:
    TDirSpecPtr fDir;
    TUTF16String fName;
};

// The path a container's file medium takes for a file: its folder's Windows path and its name.
TUTF16String GetFileSpecPath(const CRobustFileSpec& file);
} // namespace NSFileLibSupport

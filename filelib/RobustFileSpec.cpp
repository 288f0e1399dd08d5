#include "filelib/RobustFileSpec.h"

namespace NSFileLibSupport
{
CRobustFileSpec::CRobustFileSpec(NSFileLib::IDirSpec* folder, const TUTF16String& name)
    : fDir(CloneDirSpec(folder)), fName(name)
{
}

bool CRobustFileSpec::Exists() const
{
    return DoesChildFileExist(fDir.get(), fName);
}

TFileSpecPtr CRobustFileSpec::GetFileSpec() const
{
    return GetChildFile(fDir.get(), fName);
}

TDirSpecPtr CRobustFileSpec::GetDirSpec() const
{
    return fDir;
}

TUTF16String CRobustFileSpec::GetFileName() const
{
    return fName;
}

TUTF16String GetFileSpecPath(const CRobustFileSpec& file)
{
    return GetDirWinPath(file.GetDirSpec().get()) + file.GetFileName();
}
} // namespace NSFileLibSupport

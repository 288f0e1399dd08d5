#include "app/ApplicationFile.h"

#include "base/FileLibStatus.h"
#include "filelib/FileLibAccess.h"

namespace NSVantleApp
{
NSFileLibSupport::TFileSpecPtr GetApplicationFileSpec()
{
    u16 fileName[NSFileLib::kFileLibNameBufferUnits];
    fileName[0] = 0;
    u32 status = NSFileLib::kFileLibUnknownError;
    const NSFileLibSupport::TDirSpecPtr folder(NSFileLibSupport::GetFileLib()->GetApplicationDirectory(fileName, &status));
    NSFileLibSupport::ThrowIfFileLibError(status);
    return NSFileLibSupport::GetChildFile(folder.get(), NSTextPackage::TUTF16String(fileName));
}

NSTextPackage::TUTF16String GetApplicationPath()
{
    return NSFileLibSupport::GetFileWinPath(GetApplicationFileSpec().get());
}
} // namespace NSVantleApp

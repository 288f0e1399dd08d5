#include "filelib/ApplicationFolders.h"

#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "filelib/FileLibAccess.h"

#include <memory>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

using namespace NSFileLib;
using namespace NSQuorral;

namespace NSFileLibSupport
{
namespace
{
struct SCoTaskMemFree
{
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// The known folder, which the platform creates when it is missing. A failed query is a plain
// std::exception; only the music folder reports a refused access as XPermission.
TDirSpecPtr KnownFolderSpec(const KNOWNFOLDERID& id, bool accessDeniedIsPermission)
{
    wchar_t* rawPath = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &rawPath);
    const std::unique_ptr<wchar_t, SCoTaskMemFree> path(rawPath);
    if (result == E_ACCESSDENIED && accessDeniedIsPermission)
        NSQuorral::Throw<NSQuorral::XPermission>();
    if (result != S_OK)
        NSQuorral::Throw(std::exception());
    return DirSpecFromWinPath(NSTextPackage::FromWide(path.get()));
}

// The folder a shortcut file leads to; nothing for a file that is no shortcut to a folder.
TDirSpecPtr ShortcutFolder(IFileSpec* file)
{
    if (!IsAlias(file))
        return nullptr;
    TVolumeSpecPtr volume;
    TDirSpecPtr folder;
    TFileSpecPtr target;
    try
    {
        ResolvePossibleAlias(file, volume, folder, target);
    }
    catch (...)
    {
        // A shortcut that cannot be followed is no folder either.
    }
    return folder;
}
} // namespace

TUTF16String GetCompanyName()
{
    return NSTextPackage::ASCIIToUTF16("Quillmont Software", 0);
}

TDirSpecPtr GetUserAppDataDirSpec(const TUTF16String& company, const TUTF16String& product)
{
    u32 status = kFileLibUnknownError;
    const TDirSpecPtr folder(
        GetFileLib()->GetUserAppDataDirectory(company.c_str(), product.c_str(), &status));
    ThrowIfFileLibError(status);
    return folder;
}

TDirSpecPtr GetLocalAppDataDirSpec()
{
    return KnownFolderSpec(FOLDERID_LocalAppData, false);
}

TDirSpecPtr GetCompanyDataDirSpec()
{
    return GetOrCreateChildDirectory(GetLocalAppDataDirSpec().get(), GetCompanyName());
}

TDirSpecPtr GetCachedDataFolderDirSpec(const TUTF16String& name)
{
    return GetOrCreateChildDirectory(GetCompanyDataDirSpec().get(), name);
}

TDirSpecPtr GetOrCreateMusicDocumentsDirSpec(const TUTF16String& name)
{
    const TDirSpecPtr music = KnownFolderSpec(FOLDERID_Music, true);
    if (!DoesChildFileExist(music.get(), name))
        return GetOrCreateChildDirectory(music.get(), name);
    if (TDirSpecPtr folder = ShortcutFolder(GetChildFile(music.get(), name).get()))
        return folder;
    NSQuorral::Throw<NSQuorral::XNotFound>();
}
} // namespace NSFileLibSupport

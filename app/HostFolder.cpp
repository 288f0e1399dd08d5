#include "app/HostFolder.h"

#include "app/Preferences.h"
#include "app/VantlePacker.h"
#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextConversions.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/ApplicationFolders.h"
#include "filelib/FileLibAccess.h"
#include "gui/Alerts.h"
#include "gui/DirectoryChooser.h"
#include "gui/TrellisUtils.h"
#include "packing/ProgramStrings.h"

#include <memory>

#include <shlobj.h>
#include <windows.h>

using namespace NSFileLibSupport;
using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
constexpr u16 kHostFolderChooserTitle = 81;
constexpr u16 kNoHostFolderAlert = 30;

TUTF16String Text(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

TUTF16String Text(const char16_t* text)
{
    return TUTF16String(text, text + std::char_traits<char16_t>::length(text));
}

TKnownBank Bank(const char* name, const TUTF16String& fileName, const char* folderName,
                const char* folderName2, const NSFerrant::TVersion& version)
{
    return TKnownBank{Text(name), fileName, Text(folderName), Text(folderName2), version};
}

// Whether the path names something: a missing installation is no failure, only not found.
bool PathExists(const TUTF16String& path)
{
    return GetFileAttributesW(NSTextPackage::AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingDirectory(const TUTF16String& path)
{
    const DWORD attributes = GetFileAttributesW(NSTextPackage::AsWide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder that the file library can list: it names a directory and a scanner can be made on it.
bool CanBeListed(NSFileLib::IDirSpec* folder)
{
    if (!IsExistingDirectory(GetDirWinPath(folder)))
        return false;
    u32 status = NSFileLib::kFileLibNotSet;
    const std::unique_ptr<NSFileLib::IDirScanner> scanner(GetFileLib()->CreateDirScanner(folder, &status));
    ThrowIfFileLibError(status);
    return true;
}

// False when the folder holds no bank the database can mount.
bool TryMount(CItemDatabase& database, const TDirSpecPtr& folder)
{
    try
    {
        database.SetHostFolder(folder);
        return true;
    }
    catch (const NSQuorral::XNotFound&)
    {
        return false;
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        return false;
    }
}

CPreferences& RequireApplicationPreferences()
{
    CPreferences* preferences = GetApplicationPreferences();
    if (!preferences)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>("No preferences");
    return *preferences;
}
} // namespace

const TKnownBank& GetLumenBank()
{
    static const TKnownBank bank = Bank("-", Text("Lumen.dat"), "Lumen", "Lumen", {7, 0, 0});
    return bank;
}

const TKnownBank& GetSinfonelBank()
{
    static const TKnownBank bank =
        Bank("Sinfonel Sounds", Text("Sinfonel.vtl"), "Sinfonel", "Sinfonel_v2", {1, 0, 0});
    return bank;
}

const TKnownBank& GetPatchCollectionBank()
{
    static const TKnownBank bank = Bank("Tessaro Sounds", Text("Tessaro Patch Collection.vtl"), "Tessaro 10",
                                        "Tessaro 10.2-v2", {10, 2, 0});
    return bank;
}

const TKnownBank& GetStockBank()
{
    // The item database mounts this bank by the same file name.
    static const TKnownBank bank =
        Bank("Stock Sounds", Text(kFactoryBankFileName), "Tessaro 10", "Tessaro 10.2-v2", {10, 2, 0});
    return bank;
}

THostFolderStatus ValidateHostFolder(const TDirSpecPtr& folder)
{
    if (!folder)
        return {};
    for (const auto& [status, bank] :
         {std::pair<u32, const TKnownBank*>{0, &GetSinfonelBank()}, {1, &GetLumenBank()}})
        if (DoesChildFileExist(folder.get(), bank->fFileName))
            return {status, GetChildFile(folder.get(), bank->fFileName)};
    return {};
}

THostFolderStatus FindDefaultHostFolder()
{
    wchar_t programFiles[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles)))
        return {};
    for (const char* installation : {"\\Quillmont\\Tessaro", "\\Quillmont\\Dictaph"})
    {
        const TUTF16String path = NSTextPackage::FromWide(programFiles) + Text(installation);
        if (!PathExists(path))
            continue;
        const THostFolderStatus found = ValidateHostFolder(DirSpecFromWinPath(path));
        if (found.fStatus != 2)
            return found;
    }
    return {};
}

THostFolderStatus GetHostFolder()
{
    const CPreferences& preferences = RequireApplicationPreferences();
    if (preferences.fCustomHostFolder)
        return ValidateHostFolder(preferences.GetHostFolder());
    return ValidateHostFolder(FindSoundbanksFolder(GetLumenBank()));
}

void ChooseHostFolder()
{
    const TUTF16String title =
        NSVantlePacking::GetProgramString(kHostFolderChooserTitle);
    for (;;)
    {
        TDirSpecPtr folder = NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(
            title, NSTrellisUtils::kHostFolderChooserTag);
        if (!folder)
            NSQuorral::Throw<NSQuorral::XSilentAbort>();
        if (ValidateHostFolder(folder).fStatus != 2)
        {
            RequireApplicationPreferences().SetHostFolder(std::move(folder));
            return;
        }
        NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(NSVantlePacking::kProgramStringTable, kNoHostFolderAlert));
    }
}

void MountHostFolder(CPreferences& preferences, CItemDatabase& database)
{
    if (!preferences.fCustomHostFolder)
    {
        if (const TDirSpecPtr shared = FindSoundbanksFolder(GetStockBank()))
            TryMount(database, shared);
        return;
    }
    if (ValidateHostFolder(preferences.GetHostFolder()).fStatus == 2)
    {
        const THostFolderStatus found = FindDefaultHostFolder();
        preferences.SetHostFolder(found.fStatus != 2 ? GetFileParentDirectory(found.fItem.get()) : nullptr);
    }
    if (const TDirSpecPtr folder = preferences.GetHostFolder(); folder && !TryMount(database, folder))
        preferences.SetHostFolder(nullptr);
}

TDirSpecPtr FindSoundbanksFolder(const TKnownBank& bank)
{
    u32 status = NSFileLib::kFileLibUnknownError;
    const TDirSpecPtr soundbanks(GetFileLib()->GetCommonAppDataDirectory(
        GetCompanyName().c_str(), Text("Soundbanks").c_str(), &status));
    ThrowIfFileLibError(status);
    if (!soundbanks || !DoesChildDirectoryExist(soundbanks.get(), bank.fFolderName))
        return nullptr;
    TDirSpecPtr child = GetChildDirectory(soundbanks.get(), bank.fFolderName);
    try
    {
        return CanBeListed(child.get()) ? child : nullptr;
    }
    catch (const NSQuorral::XPermission&)
    {
        return nullptr;
    }
}
} // namespace NSVantleApp

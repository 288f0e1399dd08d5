#include "app/Preferences.h"

#include "base/FourCC.h"
#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "filelib/ApplicationFolders.h"
#include "filelib/FileMedia.h"
#include "filelib/RobustFileSpec.h"
#include "filelib/StoredDirSpec.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"

namespace NSVantleApp
{
namespace
{
constexpr NSFerrant::TFourCC kFourCC_VPPR = NSFerrant::MakeFourCC("VPPR");
constexpr u32 kPreferencesCreator = NSFerrant::MakeFourCC("VaPa");
constexpr u32 kPreferencesFileType = NSFerrant::MakeFourCC("=prf");
constexpr NSFerrant::TVersion kFormatVersion{1, 1, 0};
constexpr NSFerrant::TVersion kHostFolderVersion{1, 0, 0};

// Whether version is oldest or newer.
bool IsAtLeast(const NSFerrant::TVersion& version, const NSFerrant::TVersion& oldest)
{
    return NSFerrant::CompareVersions(version, oldest) != NSFerrant::kVersionOlder;
}
} // namespace

TUTF16String GetApplicationName()
{
    return NSTextPackage::ASCIIToUTF16("Vantle Packer", 0);
}

TUTF16String GetPreferencesFileName()
{
    return NSTextPackage::ASCIIToUTF16("VantlePacker Preferences", 0);
}

CPreferences::CPreferences(const TUTF16String& company) : fCompany(company), fApplication(GetApplicationName())
{
    const NSFileLibSupport::TDirSpecPtr folder = NSFileLibSupport::GetUserAppDataDirSpec(fCompany, fApplication);
    if (!NSFileLibSupport::DoesChildFileExist(folder.get(), GetPreferencesFileName()))
        return;
    const NSFileLibSupport::TFileSpecPtr file = NSFileLibSupport::GetChildFile(folder.get(), GetPreferencesFileName());
    try
    {
        NSFileLibSupport::COpenFile media(file.get());
        media.fPosition = 0;
        ReadFrom(media);
    }
    catch (...)
    {
        // A damaged file keeps what was read before the damage; the rest stays at the defaults.
    }
}

void CPreferences::ReadFrom(NSFerrant::CMedia& media)
{
    NSFerrant::CIFFFileReader reader(media);
    if (!reader.EnterFORM(kFourCC_VPPR))
        return;
    NSFerrant::CMedia& body = reader.GetCurrentReader().GetMedia();
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(body);
    if (version.fMajor != kFormatVersion.fMajor)
        return;
    if (IsAtLeast(version, kHostFolderVersion) && NSFerrant::ReadU8(body) != 0)
        fHostFolder = NSFileLibSupport::ReadDirSpec(body);
    if (IsAtLeast(version, kFormatVersion))
        fCustomHostFolder = NSFerrant::ReadU8(body) == 1 ? 1 : 0;
    reader.LeaveLevel();
}

void CPreferences::WriteTo(NSFerrant::CMedia& media) const
{
    NSFerrant::CIFFFileWriter writer(media);
    writer.BeginFORM(kFourCC_VPPR);
    NSFerrant::CMedia& body = writer.GetCurrentWriter().GetMedia();
    NSFerrant::WriteVersion(kFormatVersion, body);
    NSFerrant::WriteU8(body, fHostFolder ? 1 : 0);
    if (fHostFolder)
        NSFileLibSupport::WriteDirSpec(fHostFolder.get(), body);
    NSFerrant::WriteU8(body, fCustomHostFolder ? 1 : 0);
    writer.EndLevel();
}

void CPreferences::Save() const
{
    try
    {
        const NSFileLibSupport::TDirSpecPtr folder = NSFileLibSupport::GetUserAppDataDirSpec(fCompany, fApplication);
        const NSFileLibSupport::CRobustFileSpec target(folder.get(), GetPreferencesFileName());
        NSFileLibSupport::CSafeOpenFile file(target, kPreferencesCreator, kPreferencesFileType);
        file.GetMedia().fPosition = 0;
        WriteTo(file.GetMedia());
        file.Commit(); // a failed commit discards the new file and leaves the old one
    }
    catch (...)
    {
        // Losing the settings of one run is not worth a message at quit.
    }
}
} // namespace NSVantleApp

#pragma once
// The settings the program keeps between runs: the host folder and whether the user chose it.
// They live in a small per-user file, read when the object is built and written by Save.
//
// The file is one IFF "FORM" of type "VPPR":
//   version   5 bytes, 1.1.0 in its short form (BC 01 01 00 00)
//   has host  u8, 1 when a stored folder reference follows
//   host      the stored folder reference, only when the byte before is 1
//   custom    u8, the custom flag (from version 1.1.0 on)
#include "filelib/FileLibWrappers.h"
#include "base/Media.h"

namespace NSVantleApp
{
using NSTextPackage::TUTF16String;

// "Vantle Packer": the application folder under the company folder.
TUTF16String GetApplicationName();
// "VantlePacker Preferences": the file's name in that folder (no extension).
TUTF16String GetPreferencesFileName();

class CPreferences
{
public:
    // Starts from the defaults (no host folder, custom flag 0) and loads the file when there is
    // one. A failure to find or make the per-user folder passes to the caller; a damaged file
    // keeps what was read before the damage.
    explicit CPreferences(const TUTF16String& company);

    // Writes the file through a safe write; any failure is swallowed and leaves the old file.
    void Save() const;

    void SetHostFolder(NSFileLibSupport::TDirSpecPtr folder) { fHostFolder = std::move(folder); }
    NSFileLibSupport::TDirSpecPtr GetHostFolder() const { return fHostFolder; }

    // The file's group read from the media's start and written at its position; reading throws
    // on damage, leaving what was read before it in place.
    void ReadFrom(NSFerrant::CMedia& media);
    void WriteTo(NSFerrant::CMedia& media) const;

    TUTF16String fCompany;
    TUTF16String fApplication;
    NSFileLibSupport::TDirSpecPtr fHostFolder;
    u8 fCustomHostFolder = 0; // 1 when the user chose the host folder himself
};
} // namespace NSVantleApp

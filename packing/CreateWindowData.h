#pragma once
// What the main window keeps about the next pack: the source folder, the package file, and the
// package information and splash shown before any pack, with the operations that fill it when
// the user picks a source folder or an output location.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "content/package/VantleInfo.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/RobustFileSpec.h"

#include <memory>

namespace NSFerrant
{
class CVRAMBitmap;
}

class CCreateWindowData
{
public:
    // Warn about references into other packages.
    u8 fWarnExternalReferences = 0;
    NSFileLibSupport::TDirSpecPtr fInputFolder;
    std::shared_ptr<NSFileLibSupport::CRobustFileSpec> fOutputFile;
    CVantleInfo fInfo;
    std::shared_ptr<NSFerrant::CVRAMBitmap> fSplashImage;
    // The other packages the last pack referred to, as the window shows them.
    NSTextPackage::TUTF16String fExternalVantlesText;
};

namespace NSVantlePacking
{
// Reads the folder's package settings and takes the folder as the source. With an output file
// chosen, the output becomes the new package's file name in the chosen source folder. A folder
// without NAME or SPLASH.JPG shows alert 4 or 12 and ends with XSilentAbort, leaving the source
// folder as it was (the information already reset).
void SetInputDirectory(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder);
void SetOutputFile(CCreateWindowData& data, const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& file);
// The output file keeps its name in the new folder; without one it is named after the package,
// or "output.vtl" without a source folder.
void SetOutputDirectory(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder);
// Empty texts, zero counts, versions 0.0.0, no splash, no external packages.
void ResetVantleInfo(CCreateWindowData& data);
} // namespace NSVantlePacking

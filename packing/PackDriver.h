#pragma once
// The one call that packs a source folder into a package: it asks before replacing an existing
// package, runs the nine phases, writes the packing log, reports the result in an alert, and turns
// every failure of a phase that names its cause into the alert that names it.
#include "base/Types.h"
#include "content/package/VantleInfo.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/RobustFileSpec.h"
#include "packing/PackingProgress.h"

#include <memory>

namespace NSFerrant
{
class CVRAMBitmap;
}

namespace NSVantlePacking
{
// Returns after a finished pack, with or without warnings. Every other outcome leaves by an
// exception; a failure already shown as an alert (and a Stop or a declined "Replace") is
// XSilentAbort with an empty message. The previous package stays untouched until the new one is
// complete; a pack that ends early leaves no part of its package behind.
void PackVantle(const NSFileLibSupport::TDirSpecPtr& inputFolder,
                const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& outputFile, CVantleInfo& info,
                std::shared_ptr<NSFerrant::CVRAMBitmap>& splash, u8 warnExternalReferences,
                IVantlePackingProgress* progress);

// What "Open Log File" does; tests replace it to see the log asked for without opening a viewer.
using TLogOpener = void (*)(const NSFileLibSupport::TFileSpecPtr& log);
// Answers the opener it replaces.
TLogOpener SetLogOpener(TLogOpener opener);
} // namespace NSVantlePacking

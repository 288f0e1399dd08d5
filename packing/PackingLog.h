#pragma once
// The packing log: a plain-text report written beside the package after a pack that finished or
// was aborted with problems or warnings. It lists, section by section, the files that failed, the
// references that stayed unresolved or broke in the finished package, the references into other
// packages, the users of prohibited devices, the files left out with their samples and the
// samples nothing refers to; its last line says whether the pack completed. UTF-8, CR LF lines.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLibWrappers.h"
#include "packing/PackJob.h"

namespace NSFerrant
{
class CMedia;
}

namespace NSVantlePacking
{
// What the log reports, as the pack job holds it.
struct TPackingLogContents
{
    const TReferencesByNode& fUnresolved;
    const TReferencesByNode& fExternal;
    const TSourceNodeSet& fFailed;
    // Listed among the failed files.
    const std::vector<NSTextPackage::TUTF16String>& fUnreadFiles;
    const TReferencesByIndexRow& fBroken;
    const TDeviceNamesByNode& fProhibitedUsers;
    TSourceNodeSet fUnreferencedSamples;
    TSourceNodeSet fSkippedReferrers;
    TOutsideShortcuts fOutsideShortcuts;
    u8 fComplete;
};

// Creates the log in the output folder under a name no item there has, writes it and answers
// its file. Nothing is left in the folder when writing fails.
NSFileLibSupport::TFileSpecPtr WritePackingLog(const CItemPtr& sourceFolder, const CItemPtr& outputFolder,
                                               const CVantleInfo& info, const TPackingLogContents& contents);
// "NAME packing log DATE.txt", or with " 2", " 3" ... before ".txt" when that name is taken.
NSTextPackage::TUTF16String MakeLogFileName(const NSTextPackage::TUTF16String& packageName,
                                            const CItemPtr& outputFolder);
// The sections, from the media's position.
void WriteLogBody(NSFerrant::CMedia& media, const CItemPtr& sourceFolder,
                  const TPackingLogContents& contents);
// Opens the log with the program the shell associates with it; a failure is not reported.
void OpenLogFile(const NSFileLibSupport::TFileSpecPtr& log);
} // namespace NSVantlePacking

#pragma once
// All the state of one pack run: where it reads and writes, the source tree, the package
// information, the settings of the information files and the result sets the phases fill.
//
// The job owns every node of its tree and every node taken out of it; all other sets and maps
// hold plain pointers to those nodes, so a node taken out stays alive as long as the job. Sets
// and maps keyed by a node are ordered by node identity; their order carries no meaning.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "content/package/VantleIndexRow.h"
#include "content/package/VantleInfo.h"
#include "content/references/ReferenceResolution.h"
#include "content/vfs/VirtualFileItem.h"
#include "filelib/FolderIdentity.h"
#include "packing/SourceFileSizes.h"
#include "packing/PackingProgress.h"
#include "packing/SourceNode.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace NSFerrant
{
class CMedia;
class CVRAMBitmap;
} // namespace NSFerrant

class CSkipItemsTree;
struct SPackSettings;
namespace NSVantlePacking
{
class CSampleChecksAhead;
}

using TSourceNodeSet = std::set<CSourceNode*>;
// The entries that are shortcuts to something outside the source folder: the file item of such a
// node is the shortcut, its resolved item the target.
using TOutsideShortcuts = TSourceNodeSet;
using TReferencesByNode = std::map<CSourceNode*, TReferenceList>;
using TDeviceNamesByNode = std::map<CSourceNode*, std::vector<NSTextPackage::TUTF16String>>;

// Index rows in a stable order: by name, then the other fields.
struct TIndexRowLess
{
    bool operator()(const CVantleIndexRow& a, const CVantleIndexRow& b) const;
};
using TReferencesByIndexRow = std::map<CVantleIndexRow, TReferenceList, TIndexRowLess>;

class CPackJob
{
public:
    // The INFO flags start as a job without INFO.TXT has them: only the warning about prohibited
    // devices is on.
    CPackJob(const CItemPtr& inputFolder, const CItemPtr& outputFolder,
             const NSTextPackage::TUTF16String& outputFileName, u8 warnExternalReferences);
    ~CPackJob();
    CPackJob(const CPackJob&) = delete;
    CPackJob& operator=(const CPackJob&) = delete;

    // Copies the settings of the information files into the job's flags and device list.
    void ApplySettings(const SPackSettings& settings);

    // Takes the node out of the tree into the removed entries and answers true; a node already
    // taken out answers false. The caller lowers the file count by the nodes taken out.
    bool RemoveSourceNode(CSourceNode* node);

    // Unresolved references, failed files or references broken in the finished package.
    bool HasProblems() const;
    bool HasWarnings() const;
    // The prohibited-device users and unreferenced samples when they are to be warned about,
    // else empty.
    const TDeviceNamesByNode& GetReportedProhibitedDeviceUsers() const;
    TSourceNodeSet GetReportedUnreferencedSamples() const;
    TSourceNodeSet GetSkippedReferrers() const { return fSkippedReferrers; }
    TOutsideShortcuts GetOutsideShortcuts() const { return fOutsideShortcuts; }
    NSTextPackage::TUTF16String GetOutputFileName() const { return fOutputFileName; }

    CItemPtr fInputFolder;
    // The source folder's identity on disk, read when its entries are collected.
    std::optional<CFolderIdentity> fInputFolderIdentity;
    // Empty in a light job.
    CItemPtr fOutputFolder;
    // Empty in a light job until the settings are read.
    NSTextPackage::TUTF16String fOutputFileName;
    // The top-level entries, sorted.
    TSourceNodes fEntries;
    // Entries taken out of the tree; kept alive until the job ends.
    TSourceNodes fRemovedEntries;
    CVantleInfo fInfo;
    std::shared_ptr<NSFerrant::CVRAMBitmap> fSplashImage;
    std::vector<NSTextPackage::TUTF16String> fProhibitedDevices;
    u8 fWarnAboutProhibitedDevices = 1;
    u8 fSkipProhibitedDevices = 0;
    u8 fWarnAboutUnusedSamples = 0;
    u8 fSkipUnusedSamples = 0;
    u8 fPropagateSampleSkipping = 0;
    // The window's choice to warn about references into other packages.
    u8 fWarnExternalReferences = 0;
    std::unique_ptr<CSkipItemsTree> fSkipItemsTree;
    // Bytes each file takes in the data area.
    std::map<CSourceNode*, u64> fPackedSizes;
    // Each sample file's size as the verifying phase read it.
    NSVantlePacking::TSourceFileSizes fSourceSizes;
    // Per file, the references to entries that will be packed, those that resolve to nothing or
    // to a skip item, and those into other packages.
    TReferencesByNode fResolvedReferences;
    TReferencesByNode fUnresolvedReferences;
    TReferencesByNode fExternalReferences;
    TSourceNodeSet fFailedFiles;
    // Files of the source folder on disk that the walk could not list, and folders that cannot be
    // listed at all, by their path in the log ("Samples/Old/Snare.aif"): they fail the pack as
    // failed files do.
    std::vector<NSTextPackage::TUTF16String> fUnreadFiles;
    TDeviceNamesByNode fProhibitedDeviceUsers;
    // Per entry of the finished package, the references that cannot be resolved in it.
    TReferencesByIndexRow fBrokenReferences;
    // Files left out because they refer to a skip item.
    TSourceNodeSet fSkippedReferrers;
    TOutsideShortcuts fOutsideShortcuts;
    TSourceNodeSet fUnreferencedSamples;
    u8 fHasLumenPatch = 0;
    // The package file, open from the packing of the entries to the end of composing.
    std::unique_ptr<NSFerrant::CMedia> fOutputMedia;
    // The packed samples checked while the entries were packed; they read the package file, so
    // they end before it closes.
    std::unique_ptr<NSVantlePacking::CSampleChecksAhead> fSampleChecks;
};

// A job that only reads the source folder's settings: no output folder or name, no warning about
// references into other packages.
TPackJobHandle MakeLightPackJob(const CItemPtr& inputFolder);

#pragma once
// A source folder on disk for the packing tests, and its pack job:
//
//     Source/Samples/Kick.aif, Source/Samples/Old/Snare.aif, Source/Song.sng,
//     Source/Extra.lnk -> Elsewhere (a folder outside the source folder holding Hat.aif)
//
// The job's tree is built the way the collecting phases build it: every entry a node, a folder's
// entries below it, a shortcut to a folder outside an outside shortcut.
#include "content/references/SampleReference.h"
#include "packing/PackJob.h"
#include "tests/content/vfs/ContentTestSupport.h"

#include <string>
#include <vector>

namespace NSPackingTests
{
using NSContentTests::Text;

class CSourceFolderTest : public NSContentTests::CItemTest
{
protected:
    void SetUp() override;

    CItemPtr Root() const { return FolderItem("Source"); }
    // Relative to the source folder.
    CItemPtr SourceFile(const std::string& path) const { return FileItem("Source/" + path); }
    CItemPtr SourceFolder(const std::string& path) const { return FolderItem("Source/" + path); }
    void MakeShortcut(const std::string& target, const std::string& shortcut) const;

    // A job over the source folder with its tree; its NAME is Bank.
    TPackJobHandle MakeJob() const;
};

// The node of the job's tree at the path of display names ("Samples/Old/Snare.aif").
CSourceNode* NodeAt(CPackJob& job, const std::string& path);

TPathComponents Names(const std::vector<std::string>& names);
// A sample reference with no valid path and no package.
CSF10ReferenceChunk BlankReference();
CSF10ReferenceChunk RelativeReference(u32 stepUp, const std::vector<std::string>& names);
CSF10ReferenceChunk DatabaseReference(const std::string& packageName, const std::vector<std::string>& names);
std::string TextOf(const NSTextPackage::TUTF16String& text);
} // namespace NSPackingTests

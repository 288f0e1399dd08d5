#pragma once
// The walk lists folders through the shell, which leaves out some of what a folder holds on disk
// (names that end in a dot or a space, anything whose path passes 260 units) and shows a folder
// it cannot read as empty. Each folder the walk lists is listed on disk as well; whatever is there
// that the walk did not see goes into the job's unread files, so that the pack fails naming it
// instead of finishing without it.
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

#include <vector>

namespace NSVantlePacking
{
// Notes the files of the folder (the source folder itself when null) that are on disk but not
// among the items the walk listed, with every file of a subfolder the walk did not list and every
// folder that cannot be listed on disk. Hidden entries are left out, as the walk's listing leaves
// them out. A folder that is not on disk is not looked at.
void NoteFilesMissedByWalk(CPackJob& job, const CSourceNode* folder, const std::vector<CItemPtr>& listed);
} // namespace NSVantlePacking

#pragma once
// The host application's data folder: whether a folder is one, the default installation, the
// current one and the dialog in which the user picks one.
#include "filelib/FileLibWrappers.h"

namespace NSVantleApp
{
struct THostFolderStatus
{
    u32 fStatus = 2; // 0 the Sinfonel bank file found, 1 the Lumen data file found, 2 no host folder
    NSFileLibSupport::TFileSpecPtr fItem;
};

THostFolderStatus ValidateHostFolder(const NSFileLibSupport::TDirSpecPtr& folder);
THostFolderStatus FindDefaultHostFolder();
// The folder the preferences name when the user chose one, else the shared bank folder.
THostFolderStatus GetHostFolder();
// Stores the folder the user picks in the preferences; XSilentAbort when they cancel.
void ChooseHostFolder();
} // namespace NSVantleApp

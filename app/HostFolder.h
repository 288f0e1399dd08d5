#pragma once
// The host application's data folder: whether a folder is one, the default installation, the
// current one and the dialog in which the user picks one; and the maker's sound banks the program
// knows, by which it recognises them.
#include "base/VersionNumbers.h"
#include "filelib/FileLibWrappers.h"

namespace NSVantleApp
{
struct THostFolderStatus
{
    u32 fStatus = 2; // 0 the Sinfonel bank file found, 1 the Lumen data file found, 2 no host folder
    NSFileLibSupport::TFileSpecPtr fItem;
};

// One sound bank of the maker. Only the file name and the first folder name are read; the rest
// describes the bank.
struct TKnownBank
{
    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fFileName;   // the file that marks or holds the bank
    NSTextPackage::TUTF16String fFolderName; // its folder in the shared "Soundbanks" folder
    NSTextPackage::TUTF16String fFolderName2;
    NSFerrant::TVersion fVersion;
};

const TKnownBank& GetLumenBank();
const TKnownBank& GetSinfonelBank();
const TKnownBank& GetPatchCollectionBank();
const TKnownBank& GetStockBank();

THostFolderStatus ValidateHostFolder(const NSFileLibSupport::TDirSpecPtr& folder);
// The first of the Tessaro and Dictaph installations under the program files folder that is a
// host folder; a missing one only counts as not found.
THostFolderStatus FindDefaultHostFolder();
// The folder the preferences name when the user chose one, else the shared bank folder.
THostFolderStatus GetHostFolder();
// Stores the folder the user picks in the preferences; asks again, after an alert, while the
// pick is no host folder. XSilentAbort when they cancel.
void ChooseHostFolder();
// The bank's folder in the machine-wide "Soundbanks" folder of the maker (made when missing);
// null when it is not there or may not be listed.
NSFileLibSupport::TDirSpecPtr FindSoundbanksFolder(const TKnownBank& bank);
} // namespace NSVantleApp

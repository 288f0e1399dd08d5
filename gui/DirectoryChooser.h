#pragma once
// The blocking, application-modal folder chooser of the GUI library.
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"
#include "filelib/FileLib.h"

#include <memory>

namespace NSTrellisUtils
{
// Hears the chooser's answer: the folder a "file://" URL names, or none for cancel. An answer
// the file library cannot read, or one that names a file, chooses no folder: the callback
// answers the failure's status, which the library hands to the chooser's caller.
class CABCDirectoryChooserDialogListener : public NSTrellis::IDirectoryChooserListener
{
public:
    u32 FolderChosen(const char* url) override;
    u32 ChooserCancelled() override;

    std::shared_ptr<NSFileLib::IDirSpec> fChosenFolder;
};

// Tags naming the chooser's purpose; the library remembers the last folder of each.
constexpr u32 kInputFolderChooserTag = 0x56544944;  // 'VTID'
constexpr u32 kOutputFolderChooserTag = 0x56544F44; // 'VTOD'
constexpr u32 kHostFolderChooserTag = 0x544B3432;   // 'TK42'

// The folder the user chose; null when they cancelled. Failures pass to the caller.
std::shared_ptr<NSFileLib::IDirSpec> DoBlockingAppModalDirectoryChooserDialog(const NSTextPackage::TUTF16String& title,
                                                                              u32 tag);
} // namespace NSTrellisUtils

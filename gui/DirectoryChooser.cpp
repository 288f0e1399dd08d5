#include "gui/DirectoryChooser.h"

#include "base/FileLibStatus.h"
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "filelib/FileLibAccess.h"
#include "gui/TrellisInterface.h"

#include <stdexcept>

namespace NSTrellisUtils
{
u32 CABCDirectoryChooserDialogListener::FolderChosen(const char* url)
{
    try
    {
        u16 fileName[NSFileLib::kFileLibNameBufferUnits];
        fileName[0] = 0;
        u32 status = NSFileLib::kFileLibUnknownError;
        std::shared_ptr<NSFileLib::IDirSpec> folder(
            NSFileLibSupport::GetFileLib()->InterpretURL(url, fileName, &status));
        NSFileLibSupport::ThrowIfFileLibError(status);
        if (fileName[0] != 0)
            NSQuorral::Throw(std::invalid_argument(""));
        fChosenFolder = std::move(folder);
        return kTrellisOK;
    }
    catch (...)
    {
        return TrellisStatusFromCurrentException();
    }
}

u32 CABCDirectoryChooserDialogListener::ChooserCancelled()
{
    fChosenFolder.reset();
    return kTrellisOK;
}

std::shared_ptr<NSFileLib::IDirSpec> DoBlockingAppModalDirectoryChooserDialog(const NSTextPackage::TUTF16String& title,
                                                                              u32 tag)
{
    CABCDirectoryChooserDialogListener listener;
    const u32 status = GetTrellisInterface()->RunDirectoryChooser(&listener, tag, nullptr, 1, title.c_str());
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return listener.fChosenFolder;
}
} // namespace NSTrellisUtils

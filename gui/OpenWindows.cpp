#include "gui/OpenWindows.h"

#include "base/LibraryStatusTables.h"
#include "gui/TrellisInterface.h"

namespace NSTrellisUtils
{
namespace
{
// Copies the list the library hands over once; the library's array lives only for the call.
template <class TWindow>
u32 CopyWindows(std::vector<TWindow*>& target, TWindow* const* windows, u32 count)
{
    try
    {
        target.assign(windows, windows + count);
        return kTrellisOK;
    }
    catch (...)
    {
        return TrellisStatusFromCurrentException();
    }
}

class CDocumentWindowCollector final : public NSTrellis::IDocumentWindowListGetter
{
public:
    u32 SetDocumentWindows(NSTrellis::IDocumentWindow* const* windows, u32 count) override
    {
        return CopyWindows(fWindows, windows, count);
    }

    std::vector<NSTrellis::IDocumentWindow*> fWindows;
};

class CModalDialogCollector final : public NSTrellis::IModalDialogListGetter
{
public:
    u32 SetModalDialogs(NSTrellis::IModalDialog* const* dialogs, u32 count) override
    {
        return CopyWindows(fDialogs, dialogs, count);
    }

    std::vector<NSTrellis::IModalDialog*> fDialogs;
};
} // namespace

std::vector<NSTrellis::IDocumentWindow*> GetDocumentWindows()
{
    CDocumentWindowCollector collector;
    const u32 status = GetTrellisInterface()->GetDocumentWindows(&collector);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return collector.fWindows;
}

std::vector<NSTrellis::IModalDialog*> GetModalDialogs()
{
    CModalDialogCollector collector;
    const u32 status = GetTrellisInterface()->GetModalDialogs(&collector);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return collector.fDialogs;
}
} // namespace NSTrellisUtils

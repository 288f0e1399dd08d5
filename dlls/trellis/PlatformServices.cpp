#include "dlls/trellis/PlatformServices.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "dlls/trellis/LibraryFence.h"

#include "dlls/trellis/Icon.h"

#include <stdexcept>
#include <utility>

namespace NSTrellisLibrary
{
NSTrellis::IIcon* CPlatformServices::CreateIconFromHandles(HICON smallIcon, u32 zero1, HICON largeIcon, u32 zero2,
                                                           u32 zero3, u32 zero4, u32 zero5, u32* status)
{
    // The handles are ours from the first line on; a call we refuse still destroys them.
    CIconHandle smallOwned(smallIcon);
    CIconHandle largeOwned(largeIcon == smallIcon ? nullptr : largeIcon);
    return AnswerObject(status,
                        [&]() -> NSTrellis::IIcon*
                        {
                            if (!smallIcon || !largeIcon || (zero1 | zero2 | zero3 | zero4 | zero5) != 0)
                                ThrowInvalidArgument();
                            return new CIcon(std::move(smallOwned), std::move(largeOwned));
                        });
}

u32 CPlatformServices::EnableApplicationWindows(u32 enable)
{
    if (enable > 1)
        return kTrellisInvalidArgument;
    struct TRequest
    {
        DWORD process;
        BOOL enable;
    } request{GetCurrentProcessId(), BOOL(enable)};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            const auto* request = reinterpret_cast<const TRequest*>(parameter);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == request->process)
                EnableWindow(window, request->enable);
            return TRUE;
        },
        LPARAM(&request));
    return kTrellisOK;
}
} // namespace NSTrellisLibrary

#include "content/vfs/ShellFileCalls.h"

#include "base/Clock.h"
#include "filelib/ShellContainerIterator.h"
#include "filelib/ShellItem.h"

namespace NSVirtualFS
{
namespace
{
// Names, folder names and creations.
constexpr DWORD kChangeFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_CREATION;

class CShellContainerListing final : public IShellChildListing
{
public:
    explicit CShellContainerListing(const NSFerrant::CShellItem& folder) : fIterator(folder) {}

    bool IsDone() const override { return fIterator.IsDone(); }
    void GetCurrent(NSFerrant::CShellItem& child) const override { fIterator.GetCurrent(child); }
    void Next() override { fIterator.Next(); }

private:
    NSFerrant::CShellContainerIterator fIterator;
};

std::unique_ptr<IShellChildListing> OpenShellContainerListing(const NSFerrant::CShellItem& folder)
{
    return std::make_unique<CShellContainerListing>(folder);
}

SShellFileCalls& CurrentCalls()
{
    static SShellFileCalls calls = GetPlatformShellFileCalls();
    return calls;
}

u32 gOpenNotifications = 0;
} // namespace

SShellFileCalls GetPlatformShellFileCalls()
{
    return {::FindFirstChangeNotificationW, ::FindNextChangeNotification, ::FindCloseChangeNotification,
            ::WaitForSingleObject, NSFerrant::GetMilliseconds, OpenShellContainerListing};
}

const SShellFileCalls& GetShellFileCalls()
{
    return CurrentCalls();
}

SShellFileCalls ExchangeShellFileCalls(const SShellFileCalls& calls)
{
    const SShellFileCalls previous = CurrentCalls();
    CurrentCalls() = calls;
    return previous;
}

CFolderChangeNotification::~CFolderChangeNotification()
{
    Close();
}

bool CFolderChangeNotification::Open(const wchar_t* folderPath)
{
    Close();
    const HANDLE handle = GetShellFileCalls().findFirstChangeNotification(folderPath, FALSE, kChangeFilter);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr)
        return false;
    fHandle = handle;
    ++gOpenNotifications;
    return true;
}

bool CFolderChangeNotification::PollSignalled()
{
    if (!IsOpen() || GetShellFileCalls().waitForSingleObject(fHandle, 0) != WAIT_OBJECT_0)
        return false;
    if (!GetShellFileCalls().findNextChangeNotification(fHandle))
        Close();
    return true;
}

void CFolderChangeNotification::Close()
{
    if (!IsOpen())
        return;
    GetShellFileCalls().findCloseChangeNotification(fHandle);
    fHandle = INVALID_HANDLE_VALUE;
    --gOpenNotifications;
}

u32 CFolderChangeNotification::GetOpenCount()
{
    return gOpenNotifications;
}
} // namespace NSVirtualFS

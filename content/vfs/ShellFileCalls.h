#pragma once
// The platform calls through which disk folders list their children and notice changes: folder
// change notifications, the millisecond clock and the shell's folder listing. Tests put doubles
// in their place; Wine delivers notifications late and cannot make a folder unwatchable.
#include "base/Types.h"

#include <windows.h>

#include <memory>

namespace NSFerrant
{
class CShellItem;
}

namespace NSVirtualFS
{
// A folder's children as the shell lists them, one at a time.
class IShellChildListing
{
public:
    virtual ~IShellChildListing() = default;
    virtual bool IsDone() const = 0;
    virtual void GetCurrent(NSFerrant::CShellItem& child) const = 0;
    virtual void Next() = 0;
};

struct SShellFileCalls
{
    HANDLE(WINAPI* findFirstChangeNotification)(LPCWSTR path, BOOL watchSubtree, DWORD filter);
    BOOL(WINAPI* findNextChangeNotification)(HANDLE handle);
    BOOL(WINAPI* findCloseChangeNotification)(HANDLE handle);
    DWORD(WINAPI* waitForSingleObject)(HANDLE handle, DWORD milliseconds);
    i64 (*getMilliseconds)();
    std::unique_ptr<IShellChildListing> (*openListing)(const NSFerrant::CShellItem& folder);
};

// The table in use: the platform's unless a test replaced it.
const SShellFileCalls& GetShellFileCalls();
// Test hook: puts calls in place and answers the table it replaced.
SShellFileCalls ExchangeShellFileCalls(const SShellFileCalls& calls);
// The platform's own calls, for doubles that wrap them.
SShellFileCalls GetPlatformShellFileCalls();

// A folder change notification, closed when the object goes. Counts the notifications open in
// the process, so a scan can report how many handles its folders hold.
class CFolderChangeNotification
{
public:
    CFolderChangeNotification() = default;
    ~CFolderChangeNotification();
    CFolderChangeNotification(const CFolderChangeNotification&) = delete;
    CFolderChangeNotification& operator=(const CFolderChangeNotification&) = delete;

    bool IsOpen() const { return fHandle != INVALID_HANDLE_VALUE; }
    // Watches names and creations in the folder itself (not below it); false when the platform
    // refuses, leaving the object closed.
    bool Open(const wchar_t* folderPath);
    // Whether a change was signalled since the last poll; never waits. A signalled notification
    // is re-armed, and closed when that fails.
    bool PollSignalled();
    void Close();

    static u32 GetOpenCount();

private:
    HANDLE fHandle = INVALID_HANDLE_VALUE;
};
} // namespace NSVirtualFS

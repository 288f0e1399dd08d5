#pragma once
// Owners of the platform resources that the Windows layer obtains: each is released on every
// exit, failures included, through the replaceable call table.
#include "base/ComRef.h"
#include "base/Win32Calls.h"

#include <utility>

// A handle from CreateFileW; INVALID_HANDLE_VALUE stands for none.
class CWinFileHandle
{
public:
    explicit CWinFileHandle(HANDLE handle) : fHandle(handle) {}
    ~CWinFileHandle() { Close(); }
    CWinFileHandle(const CWinFileHandle&) = delete;
    CWinFileHandle& operator=(const CWinFileHandle&) = delete;

    bool IsOpen() const { return fHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return fHandle; }
    // Closes now rather than when the owner goes; false when the system failed to close it.
    bool Close()
    {
        return !IsOpen() || Win32Calls().CloseHandle(std::exchange(fHandle, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE fHandle;
};

// A handle of a kernel object other than a file (a process, a thread, an access token); null
// stands for none.
class CWinKernelHandle
{
public:
    explicit CWinKernelHandle(HANDLE handle = nullptr) : fHandle(handle) {}
    ~CWinKernelHandle()
    {
        if (fHandle)
            Win32Calls().CloseHandle(fHandle);
    }
    CWinKernelHandle(const CWinKernelHandle&) = delete;
    CWinKernelHandle& operator=(const CWinKernelHandle&) = delete;

    HANDLE Get() const { return fHandle; }
    // Hands the handle on; the owner holds none after.
    HANDLE Release() { return std::exchange(fHandle, nullptr); }

private:
    HANDLE fHandle;
};

// A search from FindFirstFileW.
class CWinFindHandle
{
public:
    explicit CWinFindHandle(HANDLE handle) : fHandle(handle) {}
    ~CWinFindHandle()
    {
        if (IsOpen())
            Win32Calls().FindClose(fHandle);
    }
    CWinFindHandle(const CWinFindHandle&) = delete;
    CWinFindHandle& operator=(const CWinFindHandle&) = delete;

    bool IsOpen() const { return fHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return fHandle; }

private:
    HANDLE fHandle;
};

// A Windows icon handle, destroyed when the owner goes unless Release handed it on.
class CWinIconHandle
{
public:
    explicit CWinIconHandle(HICON handle = nullptr) : fHandle(handle) {}
    ~CWinIconHandle()
    {
        if (fHandle)
            Win32Calls().DestroyIcon(fHandle);
    }
    CWinIconHandle(const CWinIconHandle&) = delete;
    CWinIconHandle& operator=(const CWinIconHandle&) = delete;

    HICON Get() const { return fHandle; }
    HICON Release() { return std::exchange(fHandle, nullptr); }

private:
    HICON fHandle;
};

// An item id list allocated by the shell, freed through the shell's allocator, which must
// outlive the list.
class CShellIDList
{
public:
    explicit CShellIDList(IMalloc* allocator = nullptr) : fAllocator(allocator) {}
    ~CShellIDList() { Free(); }
    CShellIDList(const CShellIDList&) = delete;
    CShellIDList& operator=(const CShellIDList&) = delete;
    CShellIDList(CShellIDList&& other) noexcept
        : fAllocator(other.fAllocator), fList(std::exchange(other.fList, nullptr))
    {
    }
    CShellIDList& operator=(CShellIDList&& other) noexcept
    {
        if (this != &other)
        {
            Free();
            fAllocator = other.fAllocator;
            fList = std::exchange(other.fList, nullptr);
        }
        return *this;
    }

    LPITEMIDLIST Get() const { return fList; }
    LPITEMIDLIST* Receive() { return &fList; }
    // Frees the list held, then holds list, to be freed through allocator.
    void Adopt(IMalloc* allocator, LPITEMIDLIST list)
    {
        Free();
        fAllocator = allocator;
        fList = list;
    }

private:
    void Free()
    {
        if (fList)
            fAllocator->Free(std::exchange(fList, nullptr));
    }

    IMalloc* fAllocator;
    LPITEMIDLIST fList = nullptr;
};

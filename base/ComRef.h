#pragma once
// An owner of one COM interface reference.
#include <utility>

// One reference to a COM interface, released when the owner goes.
template <class T> class CComRef
{
public:
    CComRef() = default;
    ~CComRef() { Reset(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    CComRef(CComRef&& other) noexcept : fInterface(std::exchange(other.fInterface, nullptr)) {}
    CComRef& operator=(CComRef&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            fInterface = std::exchange(other.fInterface, nullptr);
        }
        return *this;
    }

    T* Get() const { return fInterface; }
    T* operator->() const { return fInterface; }
    explicit operator bool() const { return fInterface != nullptr; }

    // The place a creating call fills in; whatever was held is released first.
    T** Receive()
    {
        Reset();
        return &fInterface;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    // One more reference to an interface that another owner holds too (none for null).
    void Share(T* shared)
    {
        if (shared)
            shared->AddRef();
        Reset();
        fInterface = shared;
    }

    void Reset()
    {
        if (fInterface)
            std::exchange(fInterface, nullptr)->Release();
    }

private:
    T* fInterface = nullptr;
};

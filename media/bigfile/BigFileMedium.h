#pragma once
// The medium a block container lives on: a byte store that can be tested, created, opened,
// closed, read and written at offsets, flushed and deleted. A container never owns its medium.
#include "base/Types.h"

namespace NSBigFilePackage
{
class IMedia
{
public:
    virtual ~IMedia() = default;

    virtual bool Exists() = 0;
    // A new, empty medium, left open for reading and writing.
    virtual void Create() = 0;
    // The medium exists and holds no bytes.
    virtual bool IsEmpty() = 0;
    virtual void Open() = 0;
    // Brings written bytes to the medium; never fails.
    virtual void Close() = 0;
    virtual bool IsReadOnly() = 0;
    virtual u64 GetSize() = 0;
    // Exactly size bytes at offset, or a failure.
    virtual void Read(u64 offset, i64 size, u8* destination) = 0;
    // Extends the medium when the bytes reach past its end.
    virtual void Write(u64 offset, i64 size, const u8* source) = 0;
    virtual void SetSize(u64 size) = 0;
    virtual void Flush() = 0;
    virtual void Delete() = 0;
};

// For cleanup paths, where a second failure must not hide the first.
inline void CloseQuietly(IMedia& medium)
{
    try
    {
        medium.Close();
    }
    catch (...)
    {
    }
}

inline void DeleteQuietly(IMedia& medium)
{
    try
    {
        medium.Delete();
    }
    catch (...)
    {
    }
}
} // namespace NSBigFilePackage

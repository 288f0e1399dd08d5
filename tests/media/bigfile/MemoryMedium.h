#pragma once
// A container medium in memory for the block container's tests: it records the reads and can
// fail a chosen write the way a crash would, after only part of the bytes reached the medium.
#include "base/Quorral.h"
#include "media/bigfile/BigFileMedium.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

class CMemoryMedium : public NSBigFilePackage::IMedia
{
public:
    CMemoryMedium() = default;
    explicit CMemoryMedium(std::vector<u8> bytes) : fExists(true), fBytes(std::move(bytes)) {}

    bool Exists() override { return fExists; }
    void Create() override
    {
        fExists = true;
        fOpen = true;
        fBytes.clear();
    }
    bool IsEmpty() override { return fExists && fBytes.empty(); }
    void Open() override
    {
        if (!fExists || fOpen)
            Fail<NSQuorral::XOpen>();
        fOpen = true;
    }
    void Close() override { fOpen = false; }
    bool IsReadOnly() override { return false; }
    u64 GetSize() override { return fBytes.size(); }
    void Read(u64 offset, i64 size, u8* destination) override
    {
        fReads.emplace_back(offset, size);
        if (!fOpen || offset > fBytes.size() || u64(size) > fBytes.size() - offset)
            Fail<NSQuorral::XRead>();
        std::memcpy(destination, fBytes.data() + offset, size_t(size));
    }
    void Write(u64 offset, i64 size, const u8* source) override
    {
        if (!fOpen)
            Fail<NSQuorral::XWrite>();
        ++fWriteCount;
        // The failing write leaves its first half behind, as an interrupted write would.
        const bool failing = fWriteCount == fFailingWrite;
        const u64 reaching = failing ? u64(size) / 2 : u64(size);
        if (fBytes.size() < offset + reaching)
            fBytes.resize(offset + reaching);
        std::copy(source, source + reaching, fBytes.begin() + offset);
        if (failing)
            Fail<NSQuorral::XWrite>();
    }
    void SetSize(u64 size) override { fBytes.resize(size); }
    void Flush() override {}
    void Delete() override
    {
        fExists = false;
        fBytes.clear();
    }

    bool fExists = false;
    bool fOpen = false;
    std::vector<u8> fBytes;
    std::vector<std::pair<u64, i64>> fReads;
    int fWriteCount = 0;
    // The number of the write to fail, counted from 1; 0 fails none.
    int fFailingWrite = 0;

private:
    template <class TException> [[noreturn]] static void Fail()
    {
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << TException(""));
    }
};

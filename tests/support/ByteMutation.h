#pragma once
// Damaged variants of a valid file for the readers' robustness tests, made from a fixed seed so
// that every run reads the same inputs, and the check that a reader answers each one properly.
#include "base/ByteOrder.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <new>
#include <random>
#include <typeinfo>
#include <utility>

namespace NSTestSupport
{
enum class EFieldOrder
{
    kLittleEndian,
    kBigEndian
};

// The offsets of the size fields of an IFF or RIFF file: the form's and every chunk's in it,
// the chunks of "LIST" chunks included. The walk stops where the sizes leave the file.
inline std::vector<size_t> ChunkSizeFields(const TBytes& file, EFieldOrder order)
{
    std::vector<size_t> fields;
    auto sizeAt = [&](size_t at) -> u64 {
        return order == EFieldOrder::kBigEndian ? NSByteOrder::ReadBE32(file.data() + at)
                                                : NSByteOrder::ReadLE32(file.data() + at);
    };
    auto walk = [&](auto& self, size_t at, size_t end) -> void {
        while (at + 8 <= end)
        {
            fields.push_back(at + 4);
            const u64 size = sizeAt(at + 4);
            if (size > end - at - 8)
                return;
            if (size >= 4 && std::equal(file.begin() + long(at), file.begin() + long(at) + 4, "LIST"))
                self(self, at + 12, at + 8 + size_t(size));
            at += 8 + size_t(size) + (size & 1);
        }
    };
    if (file.size() >= 12)
    {
        fields.push_back(4);
        walk(walk, 12, file.size());
    }
    return fields;
}

// Each variant takes one to four edits of its valid file: a byte overwritten, the file cut
// short, bytes appended, or a 32-bit field set to a huge value (mostly one of the given size
// fields, else anywhere).
class CByteMutator
{
public:
    CByteMutator(u32 seed, EFieldOrder order, std::vector<size_t> sizeFields = {})
        : fRandom(seed), fOrder(order), fSizeFields(std::move(sizeFields))
    {
    }

    TBytes Mutate(const TBytes& valid)
    {
        TBytes bytes = valid;
        const int edits = 1 + int(fRandom() % 4);
        for (int edit = 0; edit < edits && !bytes.empty(); ++edit)
        {
            switch (fRandom() % 4)
            {
            case 0:
                bytes[fRandom() % bytes.size()] = u8(fRandom());
                break;
            case 1:
                bytes.resize(fRandom() % bytes.size());
                break;
            case 2:
                for (u32 n = 1 + fRandom() % 8; n > 0; --n)
                    bytes.push_back(u8(fRandom()));
                break;
            default:
                SetHugeField(bytes);
            }
        }
        return bytes;
    }

private:
    void SetHugeField(TBytes& bytes)
    {
        if (bytes.size() < 4)
            return;
        size_t at = fSizeFields.empty() || fRandom() % 4 == 0 ? fRandom() % (bytes.size() - 3)
                                                              : fSizeFields[fRandom() % fSizeFields.size()];
        if (at > bytes.size() - 4)
            at = bytes.size() - 4;
        // The last claims a size one field longer than what is left of the file.
        const u32 kHuge[] = {0xFFFFFFFF, 0xFFFFFFFE, 0x80000000, 0x7FFFFFFF, 0x7FFFFFF8, 0x40000001,
                             u32(bytes.size() - at)};
        const u32 value = kHuge[fRandom() % std::size(kHuge)];
        if (fOrder == EFieldOrder::kBigEndian)
            NSByteOrder::WriteBE32(bytes.data() + at, value);
        else
            NSByteOrder::WriteLE32(bytes.data() + at, value);
    }

    std::mt19937 fRandom;
    EFieldOrder fOrder;
    std::vector<size_t> fSizeFields;
};

// Runs a reader on a damaged input: true when it read the input, false when it failed with one
// of the classes TRefusal. A bad allocation, any other exception, or a crash fails the test.
template <class... TRefusal, class TRead>
bool ReadsOrRefuses(TRead&& read)
{
    try
    {
        read();
        return true;
    }
    catch (const std::bad_alloc& e)
    {
        ADD_FAILURE() << "an untrusted size reached an allocation: " << e.what();
    }
    catch (const std::exception& e)
    {
        if (!(dynamic_cast<const TRefusal*>(&e) || ...))
            ADD_FAILURE() << "threw " << typeid(e).name() << ": " << e.what();
    }
    catch (...)
    {
        ADD_FAILURE() << "threw something that is no std::exception";
    }
    return false;
}
} // namespace NSTestSupport

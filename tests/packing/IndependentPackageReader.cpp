#include "tests/packing/IndependentPackageReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace NSPackingTests
{
namespace
{
constexpr std::size_t kCreatorBlockBytes = 256;
constexpr std::size_t kInfoOffset = 8 + kCreatorBlockBytes;

class CCursor
{
public:
    explicit CCursor(const std::vector<u8>& bytes, std::size_t position) : fBytes(bytes), fPosition(position)
    {
    }

    bool Has(std::size_t count) const { return fPosition + count <= fBytes.size(); }
    u32 U32()
    {
        if (!Has(4))
            return Fail<u32>("u32 past the end");
        const u32 value = (u32(fBytes[fPosition]) << 24) | (u32(fBytes[fPosition + 1]) << 16) |
                          (u32(fBytes[fPosition + 2]) << 8) | u32(fBytes[fPosition + 3]);
        fPosition += 4;
        return value;
    }
    u8 U8()
    {
        if (!Has(1))
            return Fail<u8>("u8 past the end");
        return fBytes[fPosition++];
    }
    // A count and that many Windows-1252 bytes; the tests' texts need no other form.
    std::string Name()
    {
        const u32 count = U32();
        if (count == 0xFFFFFFFF || !Has(count))
            return Fail<std::string>("name not in the 1252 form or past the end");
        std::string text(fBytes.begin() + std::ptrdiff_t(fPosition),
                         fBytes.begin() + std::ptrdiff_t(fPosition + count));
        fPosition += count;
        return text;
    }
    std::size_t Position() const { return fPosition; }

private:
    template <class T> T Fail(const char* what)
    {
        ADD_FAILURE() << what << " at " << fPosition;
        fPosition = fBytes.size();
        return T();
    }
    const std::vector<u8>& fBytes;
    std::size_t fPosition;
};
} // namespace

TIndependentPackage ReadPackageIndependently(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    const std::vector<u8> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    TIndependentPackage package;
    CCursor header(bytes, 0);
    EXPECT_EQ(header.U32(), 0x56616E74u) << "magic";
    EXPECT_EQ(header.U32(), bytes.size()) << "size field";
    CCursor info(bytes, kInfoOffset);
    package.fName = info.Name();
    package.fComments = info.Name();
    package.fURL = info.Name();
    package.fCopyright = info.Name();
    package.fFileCount = info.U32();
    package.fIndexStart = info.U32();
    package.fDataStart = info.U32();
    EXPECT_LE(info.Position(), package.fIndexStart);
    EXPECT_LE(package.fIndexStart, package.fDataStart);
    CCursor index(bytes, package.fIndexStart);
    u32 expectedOffset = 0;
    for (u32 i = 0; i < package.fFileCount && index.Position() < package.fDataStart; ++i)
    {
        TIndependentEntry entry;
        entry.fName = index.Name();
        entry.fPackedType = index.U8();
        entry.fOffset = index.U32();
        entry.fSize = index.U32();
        entry.fFlag = index.U8();
        EXPECT_EQ(entry.fOffset, expectedOffset) << entry.fName << ": entries follow one another";
        expectedOffset += entry.fSize;
        const std::size_t start = std::size_t(package.fDataStart) + entry.fOffset;
        if (start + entry.fSize > bytes.size())
        {
            ADD_FAILURE() << entry.fName << " lies past the end";
            break;
        }
        entry.fBytes.assign(bytes.begin() + std::ptrdiff_t(start),
                            bytes.begin() + std::ptrdiff_t(start + entry.fSize));
        package.fEntries.push_back(std::move(entry));
    }
    EXPECT_EQ(index.Position(), package.fDataStart) << "the index ends where the data begins";
    EXPECT_EQ(package.fEntries.size(), package.fFileCount);
    EXPECT_EQ(std::size_t(package.fDataStart) + expectedOffset, bytes.size()) << "the data fills the rest";
    return package;
}
} // namespace NSPackingTests

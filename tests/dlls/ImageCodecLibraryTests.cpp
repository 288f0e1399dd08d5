// Our PNG (Oriel) and JPEG (Glisk) codec libraries, called as the program calls them: through
// their exports, with a byte reader and a pixel writer of the test's own.
#include "dlls/glisk/Glisk.h"
#include "dlls/oriel/Oriel.h"

#include "base/LibraryStatusTables.h"
#include "base/ByteOrder.h"
#include "tests/support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace NSImageCodec;
using namespace NSTestSupport;

namespace
{
// Reads from a byte vector; a read outside it answers the format-violation status of the
// library, as the program's reader does for a read past the end of a file. fStatus, when not
// success, is answered to every read instead.
class CBytesReader final : public IByteReader
{
public:
    CBytesReader(std::vector<u8> bytes, u32 success, u32 formatViolation)
        : fBytes(std::move(bytes)), fSuccess(success), fFormatViolation(formatViolation), fStatus(success)
    {
    }
    u32 Read(i64 position, i64 count, void* destination) override
    {
        if (fStatus != fSuccess)
            return fStatus;
        if (position < 0 || count < 0 || position + count > i64(fBytes.size()))
            return fFormatViolation;
        std::memcpy(destination, fBytes.data() + position, size_t(count));
        return fSuccess;
    }

    std::vector<u8> fBytes;
    u32 fSuccess;
    u32 fFormatViolation;
    u32 fStatus;
};

// Keeps what the library hands over. fFailAtRow, when set, answers fFailure to that row.
class CRowsWriter final : public IPixelWriter
{
public:
    explicit CRowsWriter(u32 success) : fSuccess(success) {}
    u32 BeginImage(u32 width, u32 height, u32 pixelFormat) override
    {
        ++fBeginCount;
        fWidth = width;
        fHeight = height;
        fFormat = pixelFormat;
        fRows.assign(height, {});
        return fSuccess;
    }
    u32 WriteScanLine(u32 row, const u8* pixels) override
    {
        if (row == fFailAtRow)
            return fFailure;
        const size_t bytes = size_t(fWidth) * (fFormat == kPixelFormatRGBA ? 4 : 3);
        fRows.at(row).assign(pixels, pixels + bytes);
        ++fRowCount;
        return fSuccess;
    }

    u32 fSuccess;
    u32 fBeginCount = 0;
    u32 fWidth = 0;
    u32 fHeight = 0;
    u32 fFormat = 0;
    u32 fRowCount = 0;
    std::vector<std::vector<u8>> fRows;
    u32 fFailAtRow = 0xFFFFFFFF;
    u32 fFailure = 0;
};

enum class EFormat
{
    kPNG,
    kJPEG
};

struct TLibrary
{
    u32 fSuccess;
    u32 fFormatViolation;
    u32 fUnsupported;
    u32 fRead;
};

const TLibrary kOriel{kOrielOK, OrielStatus(kImageFormatViolation), OrielStatus(kImageUnsupported),
                      OrielStatus(kImageReadFailure)};
const TLibrary kGlisk{kGliskOK, GliskStatus(kImageFormatViolation), GliskStatus(kImageUnsupported),
                      GliskStatus(kImageReadFailure)};

const TLibrary& LibraryOf(EFormat format)
{
    return format == EFormat::kPNG ? kOriel : kGlisk;
}

// One decode through the library's export; the reader's status is set by the caller.
u32 Decode(EFormat format, CBytesReader& reader, CRowsWriter& writer, i64 byteCount)
{
    const TLibrary& library = LibraryOf(format);
    u32 status = library.fSuccess;
    u32 result = 0;
    if (format == EFormat::kPNG)
    {
        IOriel* oriel = Oriel_Create("IOriel", &status);
        EXPECT_EQ(status, library.fSuccess);
        result = oriel->Decode(&reader, byteCount, &writer);
        oriel->Release();
    }
    else
    {
        IGlisk* glisk = Glisk_Create("IGlisk", &status);
        EXPECT_EQ(status, library.fSuccess);
        result = glisk->Decode(&reader, byteCount, &writer);
        glisk->Release();
    }
    return result;
}

u32 DecodeBytes(EFormat format, std::vector<u8> bytes, CRowsWriter& writer)
{
    const TLibrary& library = LibraryOf(format);
    CBytesReader reader(std::move(bytes), library.fSuccess, library.fFormatViolation);
    return Decode(format, reader, writer, i64(reader.fBytes.size()));
}

// How far the decoded rows are from ImageMagick's pixels: the largest and the mean difference of
// any channel.
struct TDifference
{
    int fLargest = 0;
    double fMean = 0;
};

TDifference DifferenceOf(const CRowsWriter& writer, const std::vector<u8>& expected)
{
    const u32 channels = writer.fFormat == kPixelFormatRGBA ? 4 : 3;
    TDifference difference;
    u64 sum = 0;
    for (u32 y = 0; y < writer.fHeight; ++y)
        for (u32 x = 0; x < writer.fWidth; ++x)
            for (u32 c = 0; c < channels; ++c)
            {
                const u8 decoded = writer.fRows[y][x * channels + c];
                const u8 wanted = expected[(size_t(y) * writer.fWidth + x) * 4 + c];
                const int one = std::abs(int(decoded) - int(wanted));
                difference.fLargest = std::max(difference.fLargest, one);
                sum += u64(one);
            }
    difference.fMean = double(sum) / (double(writer.fWidth) * writer.fHeight * channels);
    return difference;
}

struct TFixtureCase
{
    const char* fName;
    EFormat fFormat;
    u32 fPixelFormat;
    int fLargestDifference;
    double fMeanDifference;
};

const TFixtureCase kFixtureCases[] = {
    {"rgb.png", EFormat::kPNG, kPixelFormatRGB, 0, 0},
    {"gray.png", EFormat::kPNG, kPixelFormatRGB, 0, 0},
    {"rgb16.png", EFormat::kPNG, kPixelFormatRGB, 0, 0},
    {"interlaced.png", EFormat::kPNG, kPixelFormatRGB, 0, 0},
    {"rgb-trns.png", EFormat::kPNG, kPixelFormatRGBA, 0, 0},
    {"gray-trns.png", EFormat::kPNG, kPixelFormatRGBA, 0, 0},
    {"rgba.png", EFormat::kPNG, kPixelFormatRGBA, 0, 0},
    {"gray-alpha.png", EFormat::kPNG, kPixelFormatRGBA, 0, 0},
    {"palette-trns.png", EFormat::kPNG, kPixelFormatRGBA, 0, 0},
    // Two JPEG decoders may round the inverse transform and the colour conversion differently,
    // and may upsample halved chroma differently, which shows at sharp colour edges.
    {"baseline.jpg", EFormat::kJPEG, kPixelFormatRGB, 6, 1.0},
    {"progressive.jpg", EFormat::kJPEG, kPixelFormatRGB, 6, 1.0},
    {"gray.jpg", EFormat::kJPEG, kPixelFormatRGB, 6, 1.0},
    {"subsampled-420.jpg", EFormat::kJPEG, kPixelFormatRGB, 32, 3.0},
    {"full-444.jpg", EFormat::kJPEG, kPixelFormatRGB, 6, 1.0},
};

TEST(ImageCodecLibraries, FixturesDecodeToTheirSizeAndRows)
{
    for (const TFixtureCase& c : kFixtureCases)
    {
        SCOPED_TRACE(c.fName);
        CRowsWriter writer(LibraryOf(c.fFormat).fSuccess);
        ASSERT_EQ(DecodeBytes(c.fFormat, ReadImageFixture(c.fName), writer), LibraryOf(c.fFormat).fSuccess);
        EXPECT_EQ(writer.fBeginCount, 1u);
        EXPECT_EQ(writer.fWidth, kImageFixtureWidth);
        EXPECT_EQ(writer.fHeight, kImageFixtureHeight);
        EXPECT_EQ(writer.fFormat, c.fPixelFormat);
        EXPECT_EQ(writer.fRowCount, kImageFixtureHeight);
        const TDifference difference = DifferenceOf(writer, ReadImageFixturePixels(c.fName));
        EXPECT_LE(difference.fLargest, c.fLargestDifference);
        EXPECT_LE(difference.fMean, c.fMeanDifference);
    }
}

// A PNG whose header claims width × height; nothing after the header chunk is valid.
std::vector<u8> PNGClaiming(u32 width, u32 height)
{
    std::vector<u8> png = ReadImageFixture("rgb.png");
    NSByteOrder::WriteBE32(png.data() + 16, width);
    NSByteOrder::WriteBE32(png.data() + 20, height);
    return png;
}

std::vector<u8> FirstHalf(std::vector<u8> bytes)
{
    bytes.resize(bytes.size() / 2);
    return bytes;
}

// Every byte of the image data from the middle on overwritten.
std::vector<u8> Scrambled(std::vector<u8> bytes)
{
    for (size_t i = bytes.size() / 2; i + 16 < bytes.size(); ++i)
        bytes[i] = u8(i * 151 + 7);
    return bytes;
}

struct TRefusedCase
{
    const char* fName;
    EFormat fFormat;
    std::vector<u8> fBytes;
    bool fUnsupported; // else a format violation
};

TEST(ImageCodecLibraries, BadInputFailsWithAStatusAndNoRows)
{
    const std::vector<u8> junk(300, 0x5A);
    const TRefusedCase cases[] = {
        {"empty PNG", EFormat::kPNG, {}, false},
        {"empty JPEG", EFormat::kJPEG, {}, false},
        {"junk as PNG", EFormat::kPNG, junk, false},
        {"junk as JPEG", EFormat::kJPEG, junk, false},
        {"a JPEG as PNG", EFormat::kPNG, ReadImageFixture("baseline.jpg"), false},
        {"a PNG as JPEG", EFormat::kJPEG, ReadImageFixture("rgb.png"), false},
        {"truncated PNG", EFormat::kPNG, FirstHalf(ReadImageFixture("rgb.png")), false},
        {"truncated interlaced PNG", EFormat::kPNG, FirstHalf(ReadImageFixture("interlaced.png")), false},
        {"truncated JPEG", EFormat::kJPEG, FirstHalf(ReadImageFixture("baseline.jpg")), false},
        {"truncated progressive JPEG", EFormat::kJPEG, FirstHalf(ReadImageFixture("progressive.jpg")), false},
        {"corrupt PNG", EFormat::kPNG, Scrambled(ReadImageFixture("rgba.png")), false},
        {"PNG of 0 rows", EFormat::kPNG, PNGClaiming(37, 0), false},
        {"PNG of 100000 x 100000", EFormat::kPNG, PNGClaiming(100000, 100000), true},
        {"PNG of 32767 x 32767", EFormat::kPNG, PNGClaiming(32767, 32767), true},
        {"JPEG of 65000 x 65000", EFormat::kJPEG, JPEGClaiming(65000, 65000), true},
        {"JPEG of 0 rows", EFormat::kJPEG, JPEGClaiming(37, 0), true},
        // Within the limits, but far more pixels than the file's data can hold.
        {"JPEG of 4096 x 32767 in a few bytes", EFormat::kJPEG, JPEGClaiming(4096, 32767), false},
        {"JPEG of 2000 x 2000 in a few bytes", EFormat::kJPEG, JPEGClaiming(2000, 2000), false},
    };
    for (const TRefusedCase& c : cases)
    {
        SCOPED_TRACE(c.fName);
        const TLibrary& library = LibraryOf(c.fFormat);
        CRowsWriter writer(library.fSuccess);
        const u32 status = DecodeBytes(c.fFormat, c.fBytes, writer);
        EXPECT_EQ(status, c.fUnsupported ? library.fUnsupported : library.fFormatViolation);
        if (c.fUnsupported)
        {
            EXPECT_EQ(writer.fBeginCount, 0u) << "a refused size begins no image";
        }
    }
}

TEST(ImageCodecLibraries, CallbackStatusesEndTheDecodeAndComeBack)
{
    for (EFormat format : {EFormat::kPNG, EFormat::kJPEG})
    {
        const TLibrary& library = LibraryOf(format);
        const std::vector<u8> file = ReadImageFixture(format == EFormat::kPNG ? "rgb.png" : "baseline.jpg");

        CBytesReader failingReader(file, library.fSuccess, library.fFormatViolation);
        failingReader.fStatus = library.fRead;
        CRowsWriter untouched(library.fSuccess);
        EXPECT_EQ(Decode(format, failingReader, untouched, i64(file.size())), library.fRead);
        EXPECT_EQ(untouched.fBeginCount, 0u);

        CRowsWriter failingWriter(library.fSuccess);
        failingWriter.fFailAtRow = 5;
        failingWriter.fFailure = library.fUnsupported;
        EXPECT_EQ(DecodeBytes(format, file, failingWriter), library.fUnsupported);
        EXPECT_EQ(failingWriter.fRowCount, 5u) << "no row after the failing one";

        CBytesReader reader(file, library.fSuccess, library.fFormatViolation);
        EXPECT_EQ(Decode(format, reader, untouched, -1), format == EFormat::kJPEG
                                                             ? GliskStatus(kImageInvalidArgument)
                                                             : OrielStatus(kImageInvalidArgument));
    }
}

TEST(ImageCodecLibraries, OnlyTheirOwnInterfaceNamesAreMade)
{
    u32 status = kOrielOK;
    EXPECT_EQ(Oriel_Create("IGlisk", &status), nullptr);
    EXPECT_EQ(status, OrielStatus(kImageUnsupported));
    status = kGliskOK;
    EXPECT_EQ(Glisk_Create(nullptr, &status), nullptr);
    EXPECT_EQ(status, GliskStatus(kImageUnsupported));
}
} // namespace

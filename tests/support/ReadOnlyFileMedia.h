#pragma once
// A read-only media over a file on disk, for tests and benchmarks that read large fixture files
// without holding them in memory. Writing through it is a test error.
#include "media/Media.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace NSTestSupport
{
class CReadOnlyFileMedia : public NSFerrant::CMedia
{
public:
    explicit CReadOnlyFileMedia(const std::filesystem::path& path) : fFile(_wfopen(path.c_str(), L"rb"))
    {
        if (!fFile)
            throw std::runtime_error("cannot open " + path.string());
        _fseeki64(fFile, 0, SEEK_END);
        fSize = _ftelli64(fFile);
    }
    ~CReadOnlyFileMedia() override { std::fclose(fFile); }

    void Read(i64 offset, i64 size, void* destination) const override
    {
        if (offset < 0 || size < 0 || offset > fSize || size > fSize - offset || _fseeki64(fFile, offset, SEEK_SET) != 0 ||
            std::fread(destination, 1, size_t(size), fFile) != size_t(size))
            throw std::runtime_error("file read failed");
    }
    void Write(i64, i64, const void*) override { throw std::logic_error("read-only test media"); }
    i64 GetSize() const override { return fSize; }

private:
    std::FILE* fFile;
    i64 fSize = 0;
};

// The Debian SoundFont banks that scripts/setup installs, as Wine sees them.
inline std::filesystem::path GetSystemSoundFontPath(const char* name)
{
    return std::filesystem::path(L"Z:\\usr\\share\\sounds\\sf2") / name;
}
} // namespace NSTestSupport

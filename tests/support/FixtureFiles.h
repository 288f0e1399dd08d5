#pragma once
// Reading the build-made fixture files of the tests from under Wine.
#include "base/Types.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace NSTestSupport
{
// The Windows path of a Linux path that the build compiled in as UTF-8 text: Wine maps the Linux
// root to drive Z:. Read as UTF-8, not in the ANSI code page, so that a checkout in a folder
// named with non-ASCII letters is found.
inline std::filesystem::path WinePathOfLinuxPath(const std::string& linuxPath)
{
    return std::filesystem::path(u8"Z:" + std::u8string(linuxPath.begin(), linuxPath.end()));
}

// The whole file `name` of the Linux folder `folder` as bytes; a missing one throws.
inline std::vector<u8> ReadFixtureFile(const std::string& folder, const std::string& name)
{
    std::ifstream file(WinePathOfLinuxPath(folder) / name, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing fixture " + name);
    return std::vector<u8>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
} // namespace NSTestSupport

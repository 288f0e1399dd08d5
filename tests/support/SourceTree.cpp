#include "tests/support/SourceTree.h"

#include "tests/support/FixtureFiles.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace NSTestSupport
{
std::filesystem::path GetSourcePath(const std::string& relative)
{
    return WinePathOfLinuxPath(VANTLE_SOURCE_DIR) / relative;
}

std::string ReadSourceFile(const std::string& relative)
{
    std::ifstream file(GetSourcePath(relative), std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open source file " + relative);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
} // namespace NSTestSupport

// The names of a pack's files in the output folder: whatever the package NAME, one plain name
// inside that folder.
#include "base/TextConversions.h"
#include "content/package/VantleInfo.h"
#include "packing/PackageFileNames.h"

#include <gtest/gtest.h>

namespace
{
using NSTextPackage::FromUTF8;
using NSTextPackage::UTF16ToUTF8;

TEST(PackageFileNamesTest, APackageNameBecomesOneValidFileName)
{
    struct TCase
    {
        const char* fName;
        const char* fFileName;
    };
    const TCase cases[] = {
        {"Test Bank", "Test Bank.vtl"},
        {"..\\x", ".._x.vtl"},
        {"a:b", "a_b.vtl"},
        {"CON", "CON_.vtl"},
        {"..", "_.vtl"},
        {"dir/sub", "dir_sub.vtl"},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.fName);
        CVantleInfo info;
        info.fName = FromUTF8(c.fName);
        const std::string fileName = UTF16ToUTF8(NSVantlePacking::MakePackageFileName(info));
        EXPECT_EQ(fileName, c.fFileName);
        EXPECT_EQ(fileName.find_first_of("\\/:"), std::string::npos);
    }
}
} // namespace

#pragma once
// The self-test of the IFF chunk writer and reader: a FORM with three LISTs (one of them empty)
// written into memory and read back. The test fails when either side throws, or when a group or
// chunk written is not found again with its bytes.
#include "base/TestPackage.h"

namespace NSFerrant
{
class CMedia;
}

class CIFFTests
{
public:
    explicit CIFFTests(const std::string& name) : fName(name) {}

    void Test1();

    // The test's two halves. The structure takes 96 bytes at the media's position. Reading fails
    // a check (XUnitTestFailure) where the structure is not found as written.
    static void WriteTestStructure(NSFerrant::CMedia& media);
    static void ReadTestStructure(NSFerrant::CMedia& media);

private:
    std::string fName;
};

namespace NSTestPackage
{
// Adds a runner of CIFFTests::Test1 under the name.
void AddIFFTest(CTestSuite& suite, const std::string& testName);
} // namespace NSTestPackage

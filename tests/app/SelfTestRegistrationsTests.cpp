// The program's own self-tests, as the program links them.
#include "base/TestPackage.h"
#include "tests/support/TestRegistryQueries.h"

#include <gtest/gtest.h>

using namespace NSTestPackage;
using NSTestSupport::FindSuite;
using NSTestSupport::SuiteNames;

namespace
{
TEST(TestRegistry, ProgramSuitesAreSortedByteWiseWithTheirTests)
{
    const TTestRegistry& registry = GetTestRegistry();
    EXPECT_EQ(SuiteNames(registry),
              (std::vector<std::string>{"CONST_FOUR_CHARACTER_CODE", "Ferrant IFF Code", "FileLibSupport"}));
    std::vector<std::string> registered;
    for (const auto& suite : registry.fOwnedSuites)
        registered.push_back(suite->fName);
    EXPECT_EQ(registered,
              (std::vector<std::string>{"FileLibSupport", "CONST_FOUR_CHARACTER_CODE", "Ferrant IFF Code"}));
    const CTestSuite* fileLib = FindSuite(registry, "FileLibSupport");
    ASSERT_NE(fileLib, nullptr);
    std::vector<std::string> fileLibTests;
    for (const auto& test : fileLib->fCases)
        fileLibTests.push_back(test->GetName());
    EXPECT_EQ(fileLibTests, (std::vector<std::string>{"Test GetOrCreateMusicDocumentsDirSpec()",
                                                      "Test GetCachedDataFolderDirSpec()"}));
    const CTestSuite* iff = FindSuite(registry, "Ferrant IFF Code");
    ASSERT_NE(iff, nullptr);
    ASSERT_EQ(iff->fCases.size(), 1u);
    EXPECT_EQ(iff->fCases.front()->GetName(), "Test 1");
    for (const CTestSuite* suite : registry.fSortedSuites)
        for (const auto& test : suite->fCases)
        {
            EXPECT_FALSE(test->IsFlagged()) << test->GetName();
            EXPECT_TRUE(test->Run()) << test->GetName();
            EXPECT_TRUE(test->GetTrace().empty()) << test->GetName();
        }
}
} // namespace

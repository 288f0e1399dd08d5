// The command line's split into arguments and the run mode it selects.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using NSVantleApp::ParseCommandLineMode;
using NSVantleApp::SplitCommandLine;
using TArguments = std::vector<std::string>;

TEST(CommandLine, SplitsAtBlanksWithQuotesAndNoEscapes)
{
    const struct
    {
        std::string fLine;
        TArguments fArguments;
    } kCases[] = {
        {"", {}},
        {"    ", {}},
        {"/install", {"/install"}},
        {"a  \"b c\"  d", {"a", "b c", "d"}},
        {"  a ", {"a"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"\"ab cd", {"\"ab cd"}},
        {"\"", {"\""}},
        {"\"\"", {""}},
        {"x\"\"", {"x\"\""}},
        {"a\tb", {"a\tb"}},
        {"C:\\x\\ \"y\\\" z", {"C:\\x\\", "y\\", "z"}},
        {"/install /RegisterApplicationPathXYZ", {"/install", "/RegisterApplicationPathXYZ"}},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(SplitCommandLine(c.fLine), c.fArguments) << c.fLine;
}

TEST(CommandLine, StripsOnlyAPairOfSurroundingQuotes)
{
    EXPECT_EQ(NSVantleApp::StripSurroundingQuotes("\"a b\""), "a b");
    EXPECT_EQ(NSVantleApp::StripSurroundingQuotes("\"\""), "");
    EXPECT_EQ(NSVantleApp::StripSurroundingQuotes("\""), "\"");
    EXPECT_EQ(NSVantleApp::StripSurroundingQuotes("\"a"), "\"a");
    EXPECT_EQ(NSVantleApp::StripSurroundingQuotes("a\""), "a\"");
}

TEST(CommandLine, TheExactInstallArgumentWinsOverUninstall)
{
    const struct
    {
        std::string fLine;
        NSVantleApp::ERunMode fMode;
    } kCases[] = {
        {"", NSVantleApp::kRunModeNormal},
        {"/INSTALL", NSVantleApp::kRunModeNormal},
        {"/install", NSVantleApp::kRunModeInstall},
        {"\"/install\"", NSVantleApp::kRunModeInstall},
        {"/uninstall", NSVantleApp::kRunModeUninstall},
        {"/uninstall /install", NSVantleApp::kRunModeInstall},
        {"/installer /uninstall", NSVantleApp::kRunModeUninstall},
        {"/install\t/x", NSVantleApp::kRunModeNormal},
        {"file.vtl", NSVantleApp::kRunModeNormal},
    };
    for (const auto& c : kCases)
    {
        ParseCommandLineMode(c.fLine);
        EXPECT_EQ(NSVantleApp::GetRunMode(), c.fMode) << c.fLine;
        EXPECT_EQ(NSVantleApp::GetCommandLineArguments(), SplitCommandLine(c.fLine)) << c.fLine;
    }
    ParseCommandLineMode("");
}
} // namespace

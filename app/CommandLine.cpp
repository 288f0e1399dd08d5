#include "app/CommandLine.h"

#include <algorithm>

namespace NSVantleApp
{
namespace
{
ERunMode gRunMode = kRunModeNormal;
std::vector<std::string> gArguments;
} // namespace

std::string StripSurroundingQuotes(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> arguments;
    std::size_t start = commandLine.find_first_not_of(' ');
    while (start != std::string::npos)
    {
        std::size_t end;
        if (commandLine[start] == '"')
        {
            const std::size_t closing = commandLine.find('"', start + 1);
            end = closing == std::string::npos ? commandLine.size() : closing + 1;
        }
        else
        {
            end = std::min(commandLine.find(' ', start), commandLine.size());
        }
        arguments.push_back(StripSurroundingQuotes(commandLine.substr(start, end - start)));
        start = commandLine.find_first_not_of(' ', end);
    }
    return arguments;
}

void ParseCommandLineMode(const std::string& commandLine)
{
    try
    {
        std::vector<std::string> arguments = SplitCommandLine(commandLine);
        const auto has = [&](const char* argument) {
            return std::find(arguments.begin(), arguments.end(), argument) != arguments.end();
        };
        const ERunMode mode = has("/install") ? kRunModeInstall : has("/uninstall") ? kRunModeUninstall : kRunModeNormal;
        gArguments = std::move(arguments);
        gRunMode = mode;
    }
    catch (...)
    {
        // Without a readable command line the program starts as it would without one.
    }
}

ERunMode GetRunMode()
{
    return gRunMode;
}

const std::vector<std::string>& GetCommandLineArguments()
{
    return gArguments;
}
} // namespace NSVantleApp

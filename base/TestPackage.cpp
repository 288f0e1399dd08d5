#include "base/TestPackage.h"

#include "base/Quorral.h"

#include <algorithm>
#include <cstdio>

namespace NSTestPackage
{
namespace
{
// Tests run from one thread, so neither the listener list nor the indent text is guarded.
std::vector<ITraceListener*>& Listeners()
{
    static std::vector<ITraceListener*> listeners;
    return listeners;
}

void SendToListeners(const std::string& line)
{
    for (ITraceListener* listener : Listeners())
        listener->OnTrace(line);
}

class CMyDebugger final : public IDebugger
{
public:
    [[noreturn]] void VerifyFailed(const char* sourceFile, u32 line, const char* expression) override
    {
        char lineText[16];
        std::snprintf(lineText, sizeof lineText, "%u", line);
        const std::string message =
            std::string(sourceFile) + "(" + lineText + "): TEST_VERIFY failure (" + expression + ")";
        SendToListeners(message);
        NSQuorral::Throw<NSQuorral::XUnitTestFailure>(message);
    }

    void Trace(const char* text) override { SendToListeners(fIndent + text); }
    void Indent() override { fIndent = "!  " + fIndent; }
    void Unindent() override { fIndent = fIndent.substr(3); }

private:
    std::string fIndent;
};
} // namespace

CABCTestRunner::CABCTestRunner(const std::string& name) : fName(name) {}

bool CABCTestRunner::Run()
{
    fTrace.clear();
    AddTraceListener(this);
    try
    {
        CallTestFunction();
    }
    catch (const std::exception& e)
    {
        NSQuorral::ObserveException(e);
        fTrace.push_back("Test '" + fName + "' FAILED:");
        fTrace.push_back(std::string("\t") + e.what());
        RemoveTraceListener(this);
        return false;
    }
    catch (...)
    {
        RemoveTraceListener(this);
        throw;
    }
    RemoveTraceListener(this);
    return true;
}

void CABCTestRunner::OnTrace(const std::string& line)
{
    try
    {
        CTestMutexLocker lock(fMutex);
        fTrace.push_back(line);
    }
    catch (const std::exception&)
    {
    }
}

CQuickTestRunner::CQuickTestRunner(const std::string& name, TQuickTestFunction function)
    : CABCTestRunner(name), fFunction(function)
{
}

void RegisterQuickTest(TTestRegistry& registry, const std::string& suiteName, TQuickTestFunction function,
                       const std::string& testName)
{
    const auto found = std::find_if(registry.fSortedSuites.begin(), registry.fSortedSuites.end(),
                                    [&](const CTestSuite* suite) { return suite->fName == suiteName; });
    CTestSuite* suite = nullptr;
    if (found != registry.fSortedSuites.end())
    {
        suite = *found;
    }
    else
    {
        const auto made = std::make_shared<CQuickTestSuite>(suiteName);
        AddSuite(registry, made);
        suite = made.get();
    }
    AddQuickTest(*suite, testName, function);
}

void AddSuite(TTestRegistry& registry, const std::shared_ptr<CTestSuite>& suite)
{
    registry.fSortedSuites.push_back(suite.get());
    registry.fOwnedSuites.push_back(suite);
    std::sort(registry.fSortedSuites.begin(), registry.fSortedSuites.end(), &CompareSuiteNames);
}

void AddQuickTest(CTestSuite& suite, const std::string& testName, TQuickTestFunction function)
{
    suite.fCases.push_back(std::make_shared<CQuickTestRunner>(testName, function));
}

bool CompareSuiteNames(const CTestSuite* a, const CTestSuite* b)
{
    // std::string compares its bytes as unsigned char, a proper prefix first.
    return a->fName < b->fName;
}

void AddTraceListener(ITraceListener* listener)
{
    Listeners().push_back(listener);
}

void RemoveTraceListener(ITraceListener* listener)
{
    auto& listeners = Listeners();
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found != listeners.end())
        listeners.erase(found);
}

IDebugger& GetTestDebugger()
{
    static CMyDebugger debugger;
    return debugger;
}

TTestRegistry& GetTestRegistry()
{
    static TTestRegistry registry;
    return registry;
}
} // namespace NSTestPackage

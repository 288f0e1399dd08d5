#pragma once
// The framework's small self-test package: test cases grouped in named suites, a program-wide
// registry filled by static initializers, runners that run one case and collect its trace lines,
// and the check reporter behind TEST_VERIFY. Tests are run from one thread at a time.
#include "base/TestMutex.h"
#include "base/Types.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace NSTestPackage
{
class ITestCase
{
public:
    virtual ~ITestCase() = default;
    // Runs the test; true when its function returned normally. The trace then holds this run's
    // lines only.
    virtual bool Run() = 0;
    virtual const std::string& GetName() const = 0;
    virtual const std::list<std::string>& GetTrace() const = 0;
    // No case of this program is flagged.
    virtual bool IsFlagged() const = 0;
};

class ITraceListener
{
public:
    virtual void OnTrace(const std::string& line) = 0;

protected:
    ~ITraceListener() = default;
};

// What the two runners share: the name, the trace and its lock. A run listens for trace lines
// while the test function runs and turns an escaping std::exception into two trace lines.
class CABCTestRunner : public ITestCase, public ITraceListener
{
public:
    explicit CABCTestRunner(const std::string& name);

    bool Run() override;
    const std::string& GetName() const override { return fName; }
    const std::list<std::string>& GetTrace() const override { return fTrace; }
    bool IsFlagged() const override { return fFlagged; }
    // Appends under the lock; a line that cannot be appended is lost without a report.
    void OnTrace(const std::string& line) override;

protected:
    virtual void CallTestFunction() = 0;

private:
    std::string fName;
    std::list<std::string> fTrace;
    bool fFlagged = false;
    CTestMutex fMutex;
};

using TQuickTestFunction = void (*)();

class CQuickTestRunner : public CABCTestRunner
{
public:
    CQuickTestRunner(const std::string& name, TQuickTestFunction function);

protected:
    void CallTestFunction() override { fFunction(); }

private:
    TQuickTestFunction fFunction;
};

// Each run makes a fresh fixture from the case's name, calls the member function on it and
// destroys it.
template <class TFixture> class CTestRunner : public CABCTestRunner
{
public:
    using TTestFunction = void (TFixture::*)();

    CTestRunner(const std::string& name, TTestFunction function) : CABCTestRunner(name), fFunction(function)
    {
    }

protected:
    void CallTestFunction() override
    {
        const auto fixture = std::make_unique<TFixture>(GetName());
        ((*fixture).*fFunction)();
    }

private:
    TTestFunction fFunction;
};

class CTestSuite
{
public:
    explicit CTestSuite(const std::string& name) : fName(name) {}

    std::string fName;
    std::list<std::shared_ptr<ITestCase>> fCases; // in the order added
};

// The suites RegisterQuickTest makes.
class CQuickTestSuite : public CTestSuite
{
public:
    using CTestSuite::CTestSuite;
};

struct TTestRegistry
{
    std::vector<CTestSuite*> fSortedSuites;                // by CompareSuiteNames
    std::vector<std::shared_ptr<CTestSuite>> fOwnedSuites; // in registration order
};

// The program-wide registry, made on first use. The program's own self-tests are registered in
// it before the entry point runs.
TTestRegistry& GetTestRegistry();

// Adds the test to the suite of that exact name, making the suite when there is none.
void RegisterQuickTest(TTestRegistry& registry, const std::string& suiteName, TQuickTestFunction function,
                       const std::string& testName);
// Adds the suite and sorts the registry again; a name already present is not merged.
void AddSuite(TTestRegistry& registry, const std::shared_ptr<CTestSuite>& suite);
void AddQuickTest(CTestSuite& suite, const std::string& testName, TQuickTestFunction function);
// Byte-wise order of the names as unsigned bytes, a proper prefix first.
bool CompareSuiteNames(const CTestSuite* a, const CTestSuite* b);

// The program-wide listeners of trace lines, in the order added.
void AddTraceListener(ITraceListener* listener);
// Removes the first occurrence; an absent listener is ignored.
void RemoveTraceListener(ITraceListener* listener);

// The check reporter.
class IDebugger
{
public:
    // Sends "file(line): TEST_VERIFY failure (expression)" to every listener, then throws
    // XUnitTestFailure with that message.
    [[noreturn]] virtual void VerifyFailed(const char* sourceFile, u32 line, const char* expression) = 0;
    // Sends the indent text followed by text to every listener.
    virtual void Trace(const char* text) = 0;
    // Puts "!  " before the indent text.
    virtual void Indent() = 0;
    // Takes the first 3 characters off the indent text; std::out_of_range when it is shorter.
    virtual void Unindent() = 0;

protected:
    ~IDebugger() = default;
};

// The program-wide check reporter.
IDebugger& GetTestDebugger();
} // namespace NSTestPackage

// A check of a test body, reported under the given source name.
#define TEST_VERIFY_IN(sourceName, condition)                                                                \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
            NSTestPackage::GetTestDebugger().VerifyFailed((sourceName), __LINE__, #condition);               \
    } while (false)

#define TEST_VERIFY(condition) TEST_VERIFY_IN(__FILE__, condition)

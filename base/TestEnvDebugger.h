#pragma once
// The error framework's debugger interface and the console debugger of the self-test
// environment, which prints traces and failed assertions to standard output.
#include "base/TestMutex.h"

#include <string>

namespace NSQuorral
{
struct TThrowSite;

class IDebugger
{
public:
    // The first argument is not read.
    virtual void Trace(const void* unused, const char* text) = 0;
    virtual void Reserved1() = 0;
    virtual void Assert(const TThrowSite* site, const char* expression) = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    virtual ~IDebugger() = default;
};
} // namespace NSQuorral

namespace NSTestPackage
{
class ICustomDebugger
{
public:
    virtual ~ICustomDebugger() = default;
    virtual void Reserved() = 0;
};

class CSimpleTestEnvDebugger final : public NSQuorral::IDebugger, public ICustomDebugger
{
public:
    explicit CSimpleTestEnvDebugger(const std::string& name);

    // A copy of the name, taken under the lock.
    std::string GetName();

    // Prints "TRACE : name> text".
    void Trace(const void* unused, const char* text) override;
    // Prints "ASSERT: name> file:line  ASSERT(expression)", then throws XUnitTestFailure
    // ("Assert").
    [[noreturn]] void Assert(const NSQuorral::TThrowSite* site, const char* expression) override;

    void Reserved1() override {}
    void Reserved2() override {}
    void Reserved3() override {}
    void Reserved() override {}

private:
    std::string fName;
    CTestMutex fMutex;
};

// The program's one console debugger, with an empty name; made on first use, so a mutex that
// cannot be made fails the caller rather than the program's start.
CSimpleTestEnvDebugger& GetSimpleTestEnvDebugger();
} // namespace NSTestPackage

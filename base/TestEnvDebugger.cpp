#include "base/TestEnvDebugger.h"

#include "base/Quorral.h"

#include <cstdio>

namespace NSTestPackage
{
CSimpleTestEnvDebugger::CSimpleTestEnvDebugger(const std::string& name) : fName(name) {}

std::string CSimpleTestEnvDebugger::GetName()
{
    CTestMutexLocker lock(fMutex);
    return fName;
}

void CSimpleTestEnvDebugger::Trace(const void*, const char* text)
{
    std::printf("TRACE : %s> %s\n", GetName().c_str(), text);
}

void CSimpleTestEnvDebugger::Assert(const NSQuorral::TThrowSite* site, const char* expression)
{
    std::printf("ASSERT: %s> %s:%d  ASSERT(%s)\n", GetName().c_str(), site->fSecondText,
                static_cast<int>(site->fLine), expression);
    throw NSQuorral::XUnitTestFailure("Assert");
}

CSimpleTestEnvDebugger& GetSimpleTestEnvDebugger()
{
    static CSimpleTestEnvDebugger debugger("");
    return debugger;
}
} // namespace NSTestPackage

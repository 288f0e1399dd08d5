#pragma once
// Probes of drives and files run with SEM_FAILCRITICALERRORS, so that an empty drive or an
// unreachable share answers with an error instead of a system dialog. The scope restores the
// previous mode on every exit, also when an exception passes through.
#include "base/Win32Calls.h"

class CFailCriticalErrorsScope
{
public:
    CFailCriticalErrorsScope() : fPreviousMode(Win32Calls().SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CFailCriticalErrorsScope() { Win32Calls().SetErrorMode(fPreviousMode); }
    CFailCriticalErrorsScope(const CFailCriticalErrorsScope&) = delete;
    CFailCriticalErrorsScope& operator=(const CFailCriticalErrorsScope&) = delete;

private:
    UINT fPreviousMode;
};

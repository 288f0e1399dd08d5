#pragma once
// What the program's entry point shows for a failure that ends the start-up or the run: a fatal
// report for the unexpected ones, nothing for those that end the program quietly.
#include <string>

namespace NSVantleApp
{
// Inside a catch handler: reports the failure being handled, if it is to be reported, and
// answers whether it was.
bool ReportStartupFailure();

// Test hook: the report ReportStartupFailure makes (ReportFatalError unless replaced); answers
// the previous one.
using TFatalReporter = void (*)(const std::string& title, const std::string& text, const std::string& detail);
TFatalReporter SetFatalReporter(TFatalReporter reporter);
} // namespace NSVantleApp

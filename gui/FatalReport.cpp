#include "gui/FatalReport.h"

#include <windows.h>

void ReportFatalError(const std::string& title, const std::string& text, const std::string& detail)
{
    const std::string message = detail.empty() ? text : text + "\r\n" + detail;
    MessageBoxA(nullptr, message.c_str(), title.c_str(), MB_ICONERROR);
}

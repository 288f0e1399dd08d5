#pragma once
// The report of a failure that happens before or outside the GUI library: a plain Windows
// message box with no owner and the error icon.
#include <string>

// The message is the text, or, when detail is not empty, the text and the detail on two lines.
void ReportFatalError(const std::string& title, const std::string& text, const std::string& detail);

#include "app/StartupFailure.h"

#include "base/ExceptionBody.h"
#include "base/Quorral.h"
#include "gui/FatalReport.h"

#include <stdexcept>

using namespace NSQuorral;

namespace NSVantleApp
{
namespace
{
const char kTitle[] = "VantlePacker";
const char kUnexpectedError[] = "VantlePacker cannot run because of an unexpected error.";

TFatalReporter gReporter = &ReportFatalError;

// The failure's own "target_object_type" is that name.
bool IsAbout(const std::exception& exception, const char* objectType)
{
    const auto* body = dynamic_cast<const CExceptionBodyMixin*>(&exception);
    return body && HasTargetObjectType(*body, TFixedName(objectType));
}

bool Report(const char* text, const char* detail = "")
{
    gReporter(kTitle, text, detail);
    return true;
}
} // namespace

TFatalReporter SetFatalReporter(TFatalReporter reporter)
{
    TFatalReporter previous = gReporter;
    gReporter = reporter;
    return previous;
}

bool ReportStartupFailure()
{
    try
    {
        throw;
    }
    catch (const XUnsupportedFormat& failure)
    {
        // The GUI library's answer for an operating system it cannot run on.
        if (IsAbout(failure, "api"))
            return Report("VantlePacker requires Windows XP in order to run.",
                          "Please upgrade your operating system.");
        return Report(kUnexpectedError);
    }
    catch (const XSilentAbort&)
    {
        return false;
    }
    catch (const std::runtime_error& failure)
    {
        // Failures about these object types end the program without a report.
        if (IsAbout(failure, "hsq") || IsAbout(failure, "hsq_magic"))
            return false;
        return Report("VantlePacker cannot run because of an unexpected runtime error.");
    }
    catch (...)
    {
        return Report(kUnexpectedError);
    }
}
} // namespace NSVantleApp

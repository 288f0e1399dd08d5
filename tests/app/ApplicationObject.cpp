#include "tests/app/ApplicationObject.h"

#include "tests/support/TextLiterals.h"

namespace NSAppTests
{
NSTextPackage::TUTF16String GetTestCompany()
{
    return MakeText(u"___Vantle__Application__Test___");
}

TApplicationPtr MakeApplication()
{
    TApplicationPtr application(NSTrellisGlue::NewRunBehaviour<NSVantleApp::CVantlePacker>());
    application->ReplacePreferences(std::make_unique<NSVantleApp::CPreferences>(GetTestCompany()));
    return application;
}
} // namespace NSAppTests

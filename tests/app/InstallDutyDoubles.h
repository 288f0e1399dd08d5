#pragma once
// Doubles and a fixture for the install duties: duties that log what is asked of them and can
// fail on request, the real GUI library answering alerts headless, and the program's module for
// the alert texts.
#include "app/InstallDuty.h"
#include "base/CodeModule.h"
#include "base/TextConversions.h"
#include "tests/gui/HeadlessTrellis.h"
#include "tests/support/TextLiterals.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFakeDuty final : public NSVantleApp::NSInstallDuties::IInstallDuty
{
public:
    CFakeDuty(std::string name, std::vector<std::string>& log) : fName(std::move(name)), fLog(&log) {}

    std::string GetName() const override { return fName; }
    std::string GetDescription() const override { return fDescription; }
    bool NeedsInstall() const override { return fNeedsInstall; }
    bool PrepareInstall() override
    {
        fLog->push_back("prepare " + fName);
        return true;
    }
    void Install(const std::string& rest) override
    {
        fLog->push_back("install " + fName + " [" + rest + "]");
        if (fFailure)
            fFailure();
    }
    bool IsInstalled() const override
    {
        if (fIsInstalledFailure)
            fIsInstalledFailure();
        return fInstalled;
    }
    void Uninstall() override
    {
        fLog->push_back("uninstall " + fName);
        if (fFailure)
            fFailure();
    }

    std::string fName;
    std::string fDescription;
    bool fNeedsInstall = true;
    bool fInstalled = false;
    std::function<void()> fFailure;            // thrown from Install and Uninstall
    std::function<void()> fIsInstalledFailure; // thrown from IsInstalled
    std::vector<std::string>* fLog;
};

// The real GUI library with alerts answered headless, and the program's module for its resources.
class InstallDutiesTest : public HeadlessTrellisTest
{
protected:
    std::shared_ptr<CFakeDuty> MakeDuty(const std::string& name)
    {
        return std::make_shared<CFakeDuty>(name, fLog);
    }

    // The alerts shown so far: those of table 301 by the entry's number ("301/5"), others by
    // their message.
    static std::vector<std::string> ShownAlerts()
    {
        static const struct
        {
            const char* fMessageStart;
            const char* fName;
        } kKnown[] = {
            {"Log on failed due to some restriction on the account.", "301/1"},
            {"Make sure you are using a valid Administrator", "301/2"},
            {"Administrator user name or password is not correct!", "301/3"},
            {"Failed to start the repair tool. Terminating application.", "301/5"},
        };
        std::vector<std::string> shown;
        for (const TTrellisHeadlessRecord& record : Records())
        {
            if (record.fKind != kHeadlessAlert)
                continue;
            std::string name = NSTextPackage::UTF16ToUTF8(NSTextPackage::TUTF16String(record.fAlert.fMessage));
            for (const auto& known : kKnown)
            {
                if (name.rfind(known.fMessageStart, 0) == 0)
                    name = known.fName;
            }
            shown.push_back(name);
        }
        return shown;
    }

    std::vector<std::string> fLog;
    NSFerrant::CApplicationTarget fModule{NSFerrant::TCodeModuleInfo(
        nullptr, MakeText(u"VantlePacker.exe"), MakeText(u"Vantle Packer"), GetModuleHandleW(nullptr))};
};


#pragma once
// An install duty: a registration step done once per machine with administrator rights. A normal
// start relaunches the program elevated while one is still to be done; the install mode performs
// the duties the command line names, the uninstall mode undoes those that are done.
#include <memory>
#include <string>
#include <vector>

namespace NSVantleApp::NSInstallDuties
{
class IInstallDuty
{
public:
    virtual ~IInstallDuty() = default;
    // "/" followed by the name is the argument that selects the duty in the install mode.
    virtual std::string GetName() const = 0;
    // Appended to "/" + name in the relaunch argument; the relaunched copy hands whatever follows
    // the name to Install.
    virtual std::string GetDescription() const = 0;
    virtual bool NeedsInstall() const = 0;
    // Called on each pending duty before its relaunch argument is built.
    virtual bool PrepareInstall() = 0;
    virtual void Install(const std::string& rest) = 0;
    virtual bool IsInstalled() const = 0;
    virtual void Uninstall() = 0;
};

using TInstallDutyPtr = std::shared_ptr<IInstallDuty>;
using TInstallDuties = std::vector<TInstallDutyPtr>;
} // namespace NSVantleApp::NSInstallDuties

#include "packing/CreateWindowData.h"

#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextConversions.h"
#include "content/vfs/ItemDatabase.h"
#include "gui/Alerts.h"
#include "packing/CollectPhases.h"
#include "packing/PackFailures.h"
#include "packing/PackageFileNames.h"

namespace NSVantlePacking
{
namespace
{
constexpr u16 kAlertTable = 128;
constexpr u16 kAlertNoName = 4;
constexpr u16 kAlertNoSplash = 12;

void ReadSettingsInto(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder)
{
    TPackJobHandle job = MakeLightPackJob(GetItemForFolder(folder));
    try
    {
        CollectSourceEntries(job, nullptr);
        ReadPackageSettings(job, nullptr);
    }
    catch (const NSQuorral::XNotFound& failure)
    {
        const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(failure);
        const bool noName = NSQuorral::HasTargetObjectType(body, GetVantleNameObjectType());
        if (!noName && !NSQuorral::HasTargetObjectType(body, GetVantleSplashObjectType()))
            throw;
        NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(kAlertTable, noName ? kAlertNoName : kAlertNoSplash));
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XSilentAbort(""));
    }
    data.fInfo = job->fInfo;
    data.fSplashImage = job->fSplashImage;
}
} // namespace

void SetInputDirectory(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder)
{
    ResetVantleInfo(data);
    ReadSettingsInto(data, folder);
    data.fInputFolder = folder;
    if (data.fOutputFile)
        data.fOutputFile = std::make_shared<NSFileLibSupport::CRobustFileSpec>(
            folder.get(), MakePackageFileName(data.fInfo));
}

void SetOutputFile(CCreateWindowData& data, const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& file)
{
    data.fOutputFile = file;
}

void SetOutputDirectory(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder)
{
    NSTextPackage::TUTF16String name = NSTextPackage::FromUTF8("output.vtl");
    if (data.fOutputFile)
        name = data.fOutputFile->GetFileName();
    else if (data.fInputFolder)
        name = MakePackageFileName(data.fInfo);
    data.fOutputFile = std::make_shared<NSFileLibSupport::CRobustFileSpec>(folder.get(), name);
}

void ResetVantleInfo(CCreateWindowData& data)
{
    data.fInfo = CVantleInfo();
    data.fSplashImage.reset();
    data.fExternalVantlesText.clear();
}
} // namespace NSVantlePacking

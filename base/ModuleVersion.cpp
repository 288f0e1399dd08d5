#include "base/ModuleVersion.h"

#include "base/NumberText.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <windows.h>

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
constexpr u32 kLargestBuild = 65535;

// A missing or unreadable module must not raise the system's "cannot open" box; the previous
// mode comes back on every exit.
class CNoOpenFileErrorBoxScope
{
public:
    CNoOpenFileErrorBoxScope() : fPreviousMode(SetErrorMode(SEM_NOOPENFILEERRORBOX)) {}
    ~CNoOpenFileErrorBoxScope() { SetErrorMode(fPreviousMode); }
    CNoOpenFileErrorBoxScope(const CNoOpenFileErrorBoxScope&) = delete;
    CNoOpenFileErrorBoxScope& operator=(const CNoOpenFileErrorBoxScope&) = delete;

private:
    UINT fPreviousMode;
};

struct TTranslation
{
    WORD fLanguage;
    WORD fCodePage;
};

struct TStageCode
{
    u32 fCode;
    u32 fStage;
    bool fHasRevision;
};

// The stage in the top three bits of the word, the revision in the other 13.
const TStageCode kTopBitsCodes[5] = {
    {1, kVersionStageDevelopment, true}, {2, kVersionStageAlpha, true},  {3, kVersionStageBeta, true},
    {4, kVersionStageFinal, true},       {5, kVersionStageFinal, false},
};
// The older shape: one flag in the high byte, the revision in the low byte.
const TStageCode kHighByteCodes[5] = {
    {0x01, kVersionStageDevelopment, true}, {0x02, kVersionStageAlpha, true},
    {0x04, kVersionStageBeta, true},        {0x08, kVersionStageFinal, true},
    {0x10, kVersionStageFinal, false},
};

u32 ReadBuildNumber(const void* block)
{
    const TUTF16String text = QueryVersionString(block, NSTextPackage::ASCIIToUTF16("Build Number", 0));
    i64 build = 0;
    if (text.empty() || !NSTextPackage::ParseInteger(text, build))
        return 0;
    // Read as unsigned, so a negative build is too large as well.
    if (static_cast<u64>(build) > kLargestBuild)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return static_cast<u32>(build);
}
} // namespace

bool DecodeVersionStageWord(u16 word, u32& stage, u32& revision)
{
    stage = kVersionStageFinal;
    revision = 0;
    const auto decode = [&](const TStageCode(&codes)[5], u32 code, u32 revisionBits)
    {
        for (const TStageCode& known : codes)
            if (known.fCode == code)
            {
                stage = known.fStage;
                revision = known.fHasRevision ? revisionBits : 0;
                return true;
            }
        return false;
    };
    return decode(kTopBitsCodes, word >> 13, word & 0x1FFF) || decode(kHighByteCodes, word >> 8, word & 0xFF);
}

TUTF16String QueryVersionString(const void* block, const TUTF16String& key)
{
    void* table = nullptr;
    UINT tableBytes = 0;
    if (!VerQueryValueW(block, L"\\VarFileInfo\\Translation", &table, &tableBytes) ||
        tableBytes < sizeof(TTranslation))
        return {};
    const auto* translations = static_cast<const TTranslation*>(table);
    for (UINT i = 0; i < tableBytes / sizeof(TTranslation); ++i)
    {
        wchar_t subBlock[64 + MAX_PATH];
        _snwprintf(subBlock, std::size(subBlock), L"\\StringFileInfo\\%04x%04x\\%ls",
                   translations[i].fLanguage, translations[i].fCodePage, NSTextPackage::AsWide(key));
        subBlock[std::size(subBlock) - 1] = 0;
        void* value = nullptr;
        UINT units = 0;
        if (VerQueryValueW(block, subBlock, &value, &units) && units != 0)
        {
            // The count may include the terminating zero; the text ends at its first zero unit.
            const TUTF16String text = NSTextPackage::FromWide(static_cast<const wchar_t*>(value), units);
            return text.substr(0, text.find(u16(0)));
        }
    }
    return {};
}

TVersion ReadModuleVersionInfo(const TUTF16String& winPath)
{
    CNoOpenFileErrorBoxScope errorMode;
    const wchar_t* path = NSTextPackage::AsWide(winPath);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
    {
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            NSQuorral::Throw<NSQuorral::XNotFound>("", NSQuorral::GetFileObjectType());
        NSQuorral::Throw(std::exception());
    }
    std::vector<u8> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data()))
        NSQuorral::Throw(std::exception());
    void* fixedInfo = nullptr;
    UINT fixedBytes = 0;
    if (!VerQueryValueW(block.data(), L"\\", &fixedInfo, &fixedBytes) ||
        fixedBytes < sizeof(VS_FIXEDFILEINFO))
        NSQuorral::Throw(std::exception());
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixedInfo);

    TVersion version;
    version.fMajor = HIWORD(info->dwFileVersionMS);
    version.fMinor = LOWORD(info->dwFileVersionMS);
    version.fFix = HIWORD(info->dwFileVersionLS);
    version.fBuild = ReadBuildNumber(block.data());
    const u16 stageWord = LOWORD(info->dwFileVersionLS);
    if (stageWord != 0 && !DecodeVersionStageWord(stageWord, version.fStage, version.fStageRevision))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return version;
}
} // namespace NSFerrant

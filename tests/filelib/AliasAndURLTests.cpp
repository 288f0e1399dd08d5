// Shortcuts made and followed, and "file://" URLs written and read back.
#include "filelib/SpecGlue.h"
#include "filelib/WinShortcuts.h"
#include "tests/filelib/FileLibTestFolder.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

using namespace NSFileLib;

namespace
{

class AliasAndURL : public CFileLibTestFolder
{
protected:
    std::string FileURL(IFileSpec* file)
    {
        char url[kFileLibURLBufferBytes] = {};
        EXPECT_EQ(Lib().GetFileURL(file, url), kFileLibOK);
        return url;
    }

    std::string DirPath(IDirSpec* folder)
    {
        u16 path[kFileLibPathBufferUnits];
        Win().GetDirPath(folder, path);
        return Narrow(path);
    }

    std::string FilePath(IFileSpec* file)
    {
        u16 path[kFileLibPathBufferUnits];
        Win().GetFilePath(file, path);
        return Narrow(path);
    }

    // The description stored in a shortcut file, read through the shell-link object.
    static std::string ShortcutDescription(const TUTF16String& path)
    {
        IShellLinkW* link = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link))))
            return "<no shell link>";
        IPersistFile* file = nullptr;
        wchar_t description[INFOTIPSIZE] = {};
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        {
            if (SUCCEEDED(file->Load(NSTextPackage::AsWide(path), STGM_READ)))
                link->GetDescription(description, INFOTIPSIZE);
            file->Release();
        }
        link->Release();
        return Narrow(NSTextPackage::FromWide(description));
    }

    struct TResolved
    {
        u32 status;
        std::unique_ptr<IVolumeSpec> volume;
        std::unique_ptr<IDirSpec> folder;
        std::unique_ptr<IFileSpec> file;
    };

    TResolved Resolve(IFileSpec* alias)
    {
        IVolumeSpec* volume = nullptr;
        IDirSpec* folder = nullptr;
        IFileSpec* file = nullptr;
        const u32 status = Lib().ResolvePossibleAlias(alias, &volume, &folder, &file);
        return {status, std::unique_ptr<IVolumeSpec>(volume), std::unique_ptr<IDirSpec>(folder),
                std::unique_ptr<IFileSpec>(file)};
    }
};
} // namespace

TEST_F(AliasAndURL, FileURLsRoundTrip)
{
    WriteFileBytes("Bass Loop.aif", "x");
    std::unique_ptr<IFileSpec> file = FileSpec("Bass Loop.aif");
    const std::string url = FileURL(file.get());
    // Backslashes stay and nothing is escaped.
    ASSERT_EQ(url, "file://" + Narrow(FolderPath()) + "Bass Loop.aif");

    std::string forward = url;
    std::replace(forward.begin() + 7, forward.end(), '\\', '/');
    // The file itself need not exist; its name is read as UTF-8.
    const std::string otherName = "file://" + Narrow(FolderPath()) + "Caf\xc3\xa9.aif";
    const struct
    {
        std::string url;
        const char* name;
    } kURLs[] = {{url, "Bass Loop.aif"}, {forward, "Bass Loop.aif"}, {otherName, "Caf\xc3\xa9.aif"}};
    for (const auto& c : kURLs)
    {
        u16 name[kFileLibNameBufferUnits];
        u32 status = 0;
        std::unique_ptr<IDirSpec> folder(Lib().InterpretURL(c.url.c_str(), name, &status));
        ASSERT_EQ(status, kFileLibOK) << c.url;
        u32 equal = 0;
        EXPECT_EQ(folder->IsEqual(Folder(), &equal), kFileLibOK);
        EXPECT_EQ(equal, 1u) << c.url;
        EXPECT_EQ(Narrow(name), c.name);
    }
}

TEST_F(AliasAndURL, FolderURLsRoundTripWithAnEmptyName)
{
    char url[kFileLibURLBufferBytes];
    ASSERT_EQ(Lib().GetDirURL(Folder(), url), kFileLibOK);
    EXPECT_EQ(std::string(url), "file://" + Narrow(FolderPath()));
    u16 name[kFileLibNameBufferUnits] = {'x', 0};
    u32 status = 0;
    std::unique_ptr<IDirSpec> folder(Lib().InterpretURL(url, name, &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(DirPath(folder.get()), Narrow(FolderPath()));
    EXPECT_EQ(Narrow(name), "");
}

TEST_F(AliasAndURL, AURLOfAMissingFolderFailsAfterGivingTheName)
{
    const std::string url = "file://" + Narrow(FolderPath()) + "missing/take.wav";
    u16 name[kFileLibNameBufferUnits];
    u32 status = 0;
    EXPECT_EQ(Lib().InterpretURL(url.c_str(), name, &status), nullptr);
    EXPECT_EQ(status, kFileLibNotFound);
    EXPECT_EQ(Narrow(name), "take.wav");
}

// Paths the library makes are at most 260 units and always fit; a longer one is refused
// instead of overrunning the buffer.
TEST_F(AliasAndURL, AURLThatWouldNotFitItsBufferIsRefused)
{
    NSFileLibInternals::CFileSpecGlue longFile(Wide("C:\\") + TUTF16String(400, u16(0x4E00)));
    char url[kFileLibURLBufferBytes + 16];
    std::fill(std::begin(url), std::end(url), 'u');
    EXPECT_EQ(Lib().GetFileURL(&longFile, url), kFileLibBadArgument);
    EXPECT_EQ(std::count(std::begin(url), std::end(url), 'u'), std::size(url));
}

TEST_F(AliasAndURL, AliasesAreMadeAndResolved)
{
    WriteFileBytes("source.wav", "RIFF");
    std::unique_ptr<IFileSpec> source = FileSpec("source.wav");
    u32 status = 0;
    std::unique_ptr<IFileSpec> alias(Win().CreateAlias(source.get(), Folder(), Wide("My Take").c_str(), &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(FilePath(alias.get()), Narrow(PathOf("My Take.lnk")));
    EXPECT_EQ(ShortcutDescription(PathOf("My Take.lnk")), "My Take");

    SFileInfo info = {};
    ASSERT_EQ(Lib().GetFileInfo(alias.get(), &info), kFileLibOK);
    EXPECT_EQ(info.isAlias, 1u);

    TResolved resolved = Resolve(alias.get());
    ASSERT_EQ(resolved.status, kFileLibOK);
    EXPECT_EQ(resolved.volume, nullptr);
    EXPECT_EQ(resolved.folder, nullptr);
    ASSERT_NE(resolved.file, nullptr);
    u32 equal = 0;
    EXPECT_EQ(resolved.file->IsEqual(source.get(), &equal), kFileLibOK);
    EXPECT_EQ(equal, 1u);
}

TEST_F(AliasAndURL, AnAliasToAFolderSetsOnlyTheFolder)
{
    MakeSubfolder("Loops");
    WinCreateShortcut(PathOf("Loops"), PathOf("Loops.lnk"), Wide("Loops"));
    TResolved resolved = Resolve(FileSpec("Loops.lnk").get());
    ASSERT_EQ(resolved.status, kFileLibOK);
    EXPECT_EQ(resolved.volume, nullptr);
    EXPECT_EQ(resolved.file, nullptr);
    ASSERT_NE(resolved.folder, nullptr);
    EXPECT_EQ(DirPath(resolved.folder.get()), Narrow(PathOf("Loops\\")));
}

TEST_F(AliasAndURL, FilesThatLeadNowhereAreNotResolved)
{
    WriteFileBytes("plain.txt", "x");
    WriteFileBytes("gone.wav", "x");
    std::unique_ptr<IFileSpec> gone = FileSpec("gone.wav");
    u32 status = 0;
    std::unique_ptr<IFileSpec> alias(Win().CreateAlias(gone.get(), Folder(), Wide("gone").c_str(), &status));
    ASSERT_EQ(status, kFileLibOK);
    ASSERT_EQ(Lib().DeleteFile(gone.get()), kFileLibOK);

    const struct
    {
        const char* name;
        u32 status;
    } kCases[] = {
        {"plain.txt", kFileLibReferenceUnresolved}, // no shortcut: never answered with itself
        {"gone.lnk", kFileLibResolveFailure},       // its target was deleted
    };
    for (const auto& c : kCases)
    {
        TResolved resolved = Resolve(FileSpec(c.name).get());
        EXPECT_EQ(resolved.status, c.status) << c.name;
        EXPECT_EQ(resolved.volume, nullptr) << c.name;
        EXPECT_EQ(resolved.folder, nullptr) << c.name;
        EXPECT_EQ(resolved.file, nullptr) << c.name;
    }
}

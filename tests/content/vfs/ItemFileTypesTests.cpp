// The sample-like file types of disk items and the system's names of file types.
#include "tests/content/vfs/ContentTestSupport.h"

#include "content/vfs/ItemFileTypes.h"

#include <windows.h>

namespace NSContentTests
{
namespace
{
using ItemFileTypesTest = CItemTest;

TEST_F(ItemFileTypesTest, SampleLikeFilesAreKnownByExtensionInAnyCase)
{
    struct Case
    {
        const char* name;
        bool sample;
    };
    const Case kCases[] = {{"a.WAV", true},  {"b.aif", true},   {"c.krb", true},  {"d.mp3", true},
                           {"e.sf2s", true}, {"f.kivs", true},  {"g.Wave", true}, {"h.txt", false},
                           {"i.vtl", false}, {"wav", false}};
    for (const Case& c : kCases)
    {
        MakeFile(std::string("types/") + c.name);
        EXPECT_EQ(IsSampleFile(FileItem(std::string("types/") + c.name)), c.sample) << c.name;
    }
    MakeFolder("types/folder.wav");
    EXPECT_FALSE(IsSampleFile(FolderItem("types/folder.wav")));
}

// Registers a document type for an extension in the test's own Wine prefix.
void RegisterDocumentType(const wchar_t* extension, const wchar_t* progID, const wchar_t* friendlyName)
{
    const auto setDefault = [](const std::wstring& key, const wchar_t* value) {
        ASSERT_EQ(::RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value,
                                 static_cast<DWORD>(wcslen(value) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    };
    setDefault(extension, progID);
    setDefault(progID, friendlyName);
}

TEST_F(ItemFileTypesTest, FriendlyTypeNamesComeFromTheFileAssociations)
{
    RegisterDocumentType(L".vtltest", L"VantleTest.Document", L"Vantle Test Document");
    EXPECT_EQ(GetFriendlyTypeName(Text("bank.vtltest")), Text("Vantle Test Document"));
    EXPECT_EQ(GetFriendlyTypeName(Text("a.b.VTLTEST")), Text("Vantle Test Document"));
    EXPECT_TRUE(GetFriendlyTypeName(Text("no extension")).empty());
    // No association: the extension itself, never a failure.
    EXPECT_EQ(GetFriendlyTypeName(Text("x.unknownzz")), Text(".unknownzz"));
}
} // namespace
} // namespace NSContentTests

// The path and name rules: which texts are volume paths, paths and names, how names are
// cleaned, cut and split, and how extension lists and parents are read.
#include "filelib/WinPaths.h"
#include "filelib/WinFiles.h"
#include "filelib/WinFolderEntries.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace
{
TUTF16String Repeat(char16_t unit, size_t count)
{
    return TUTF16String(count, u16(unit));
}

struct TPathCase
{
    TUTF16String path;
    bool isVolumePath;
    bool isValidPath;
};

const TUTF16String kName256 = Repeat(u'n', 256);

const TPathCase kPathCases[] = {
    {Text(u"C:\\"), true, true},
    {Text(u"c:\\"), true, true},
    {Text(u"C:"), false, false},
    {Text(u"1:\\"), false, false},
    {Text(u"C:/"), false, false},
    {Text(u"\\\\server\\share\\"), true, true},
    {Text(u"\\\\server\\share"), false, true},
    {Text(u"\\\\server\\"), false, false},
    {Text(u"\\\\server\\\\share\\"), false, false},
    {Text(u"\\\\ser*ver\\share\\"), false, false},
    {Text(u"\\\\server\\share\\dir\\"), false, true},
    {Text(u"C:\\a\\b"), false, true},
    {Text(u"C:\\a\\b\\"), false, true},
    {Text(u"C:\\a\\\\b"), false, false},
    {Text(u"C:\\a.\\b"), false, false},
    {Text(u"C:\\con\\b"), false, false},
    {Text(u"C:\\a?b"), false, false},
    {Text(u""), false, false},
    // 260 units pass, 261 fail; a name of 257 units fails wherever it stands.
    {Text(u"C:\\") + kName256 + u16(u'\\'), false, true},
    {Text(u"C:\\") + kName256 + Text(u"\\b"), false, false},
    {Text(u"C:\\") + Repeat(u'n', 257), false, false},
    {Text(u"\\\\s\\") + Repeat(u's', 255) + u16(u'\\'), true, true},
    {Text(u"\\\\s\\") + Repeat(u's', 256) + u16(u'\\'), false, false},
};

struct TNameCase
{
    TUTF16String name;
    bool isValid;
    bool isReserved;
};

const TNameCase kNameCases[] = {
    {kName256, true, false},         {Repeat(u'n', 257), false, false},
    {Text(u""), false, false},       {Text(u"name."), false, false},
    {Text(u"name "), false, false},  {Text(u"name\t"), false, false},
    {Text(u"a\x1A"), true, false},   {Text(u"a\x1B"), false, false},
    {Text(u"a/b"), false, false},    {Text(u"con"), false, true},
    {Text(u"Con.txt"), false, true}, {Text(u"nul.txt"), false, true},
    {Text(u"Aux"), false, true},     {Text(u"LPT3 .log"), false, true},
    {Text(u"$mft"), false, true},    {Text(u"$Reparse.x"), false, true},
    {Text(u"CON_"), true, false},    {Text(u"CONSOLE"), true, false},
    {Text(u"COM10"), true, false},   {Text(u"xCON"), true, false},
    {Text(u".hidden"), true, false},
};

struct TCleaningCase
{
    TUTF16String name;
    TUTF16String cleaned;
};

const TUTF16String kLongBase = Repeat(u'b', 296);

const TCleaningCase kCleaningCases[] = {
    {Text(u"  a:b?.txt  "), Text(u"a_b_.txt")},
    {Text(u"con.txt"), Text(u"con_.txt")},
    {Text(u"nul"), Text(u"nul_")},
    {Text(u"COM1 .log"), Text(u"COM1 _.log")},
    {Text(u"..."), Text(u"")},
    {Text(u" \t. ."), Text(u"")},
    {Text(u".hidden"), Text(u".hidden")},
    {Text(u""), Text(u"")},
    {Text(u"\f\nname\r\v"), Text(u"name")},
    {Text(u"a\x01"
          u"b\x1A"
          u"c"),
     Text(u"a_b\x1A"
          u"c")},
    {kLongBase + Text(u".wav"), Repeat(u'b', 252) + Text(u".wav")},
    // The last "." lies 260 units before the end: too long to be an extension.
    {Repeat(u'a', 40) + u16(u'.') + Repeat(u'e', 259), Repeat(u'a', 40) + u16(u'.') + Repeat(u'e', 215)},
    // A cut without extension that ends in a blank or a dot loses them.
    {Repeat(u'a', 254) + Text(u" .") + Repeat(u'z', 300), Repeat(u'a', 254)},
    // A reserved name of 256 units gains its "_" and is cut back to 256.
    {Text(u"CON.") + Repeat(u'x', 252), Text(u"CON_.") + Repeat(u'x', 251)},
    {Text(u"CON.") + Repeat(u'x', 250) + Text(u" y"), Text(u"CON_.") + Repeat(u'x', 250)},
};
} // namespace

TEST(WinPathRules, VolumePathsAndPaths)
{
    for (const TPathCase& test : kPathCases)
    {
        const std::string shown = NSTextPackage::UTF16ToUTF8(test.path).substr(0, 40) + " (" +
                                  std::to_string(test.path.size()) + " units)";
        EXPECT_EQ(WinIsValidVolumePath(test.path), test.isVolumePath) << shown;
        EXPECT_EQ(WinIsValidPath(test.path), test.isValidPath) << shown;
    }
}

TEST(WinPathRules, NamesAndReservedNames)
{
    for (const TNameCase& test : kNameCases)
    {
        const std::string shown = NSTextPackage::UTF16ToUTF8(test.name).substr(0, 40);
        EXPECT_EQ(WinIsValidPathComponent(test.name), test.isValid) << shown;
        EXPECT_EQ(WinIsReservedFileName(test.name), test.isReserved) << shown;
    }
}

TEST(WinPathRules, CleaningGivesNamesThatPassTheNameTest)
{
    for (const TCleaningCase& test : kCleaningCases)
    {
        const TUTF16String cleaned = WinMakeValidName(test.name);
        const std::string shown = NSTextPackage::UTF16ToUTF8(test.name).substr(0, 40);
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(cleaned), NSTextPackage::UTF16ToUTF8(test.cleaned)) << shown;
        if (!cleaned.empty())
        {
            EXPECT_TRUE(WinIsValidPathComponent(cleaned)) << shown;
        }
    }
}

TEST(WinPathRules, TruncationKeepsTheExtensionAndNeverSplitsASurrogatePair)
{
    // The pair stands at units 251 and 252 of the base; only 252 units of base fit.
    const TUTF16String base = Repeat(u'a', 251) + Text(u"\xD83D\xDE00") + Repeat(u'a', 10);
    const TUTF16String cut = WinTruncateFileName(base + Text(u".wav"), 256);
    EXPECT_EQ(cut, Repeat(u'a', 251) + Text(u".wav"));

    EXPECT_EQ(WinTruncateFileName(Text(u"short.txt"), 5), Text(u"s.txt"));
    EXPECT_EQ(WinTruncateFileName(Text(u"abc.txt"), 7), Text(u"abc.txt"));

    // An extension of 256 units leaves no room for the base.
    const TUTF16String longExtension = Text(u"b.") + Repeat(u'e', 255);
    EXPECT_FAILURE(WinTruncateFileName(longExtension, 256), kFailureCode_RuntimeError_OutOfSpace,
                   "not enough room for truncated file name");
    EXPECT_FAILURE(WinMakeValidName(longExtension), kFailureCode_RuntimeError_OutOfSpace,
                   "not enough room for truncated file name");
    EXPECT_FAILURE(WinTruncateFileName(Text(u"abcdef.txt"), 4), kFailureCode_RuntimeError_OutOfSpace,
                   "not enough room for truncated file name");
}

TEST(WinPathRules, SplittingNamesAndPaths)
{
    struct TSplitCase
    {
        const char16_t* whole;
        const char16_t* first;
        const char16_t* second;
    };
    const TSplitCase kExtensions[] = {
        {u"Song.aiff", u"Song", u".aiff"}, {u"archive.tar.gz", u"archive.tar", u".gz"},
        {u".profile", u"", u".profile"},   {u"README", u"README", u""},
        {u"trailing.", u"trailing", u"."},
    };
    for (const TSplitCase& test : kExtensions)
    {
        TUTF16String base;
        TUTF16String extension;
        WinSplitExtension(Text(test.whole), base, extension);
        EXPECT_EQ(base, Text(test.first));
        EXPECT_EQ(extension, Text(test.second));
    }
    const TSplitCase kPaths[] = {
        {u"C:\\dir\\file.txt", u"C:\\dir\\", u"file.txt"},
        {u"C:\\dir\\", u"C:\\dir\\", u""},
        {u"file.txt", u"", u"file.txt"},
    };
    for (const TSplitCase& test : kPaths)
    {
        TUTF16String folder;
        TUTF16String name;
        WinSplitPath(Text(test.whole), folder, name);
        EXPECT_EQ(folder, Text(test.first));
        EXPECT_EQ(name, Text(test.second));
    }
}

TEST(WinPathRules, ExtensionLists)
{
    struct TListCase
    {
        const char16_t* list;
        const char16_t* name;
        bool matches;
    };
    const TListCase kCases[] = {
        {u".lnk;.pif", u"Link.LNK", true}, {u".lnk;.pif", u"a.pif", true}, {u".lnk;.pif", u"a.lnk2", false},
        {u"txt", u"a.txt", false},         {u".wav", u"README", false},    {u";.wav", u"README", true},
        {u".wav;;.aif", u"README", true},  {u".wav;", u"README", true},    {u".WAV;.AIF", u"drum.aif", true},
    };
    for (const TListCase& test : kCases)
    {
        EXPECT_EQ(WinDoesNameHaveExtension(Text(test.list), Text(test.name)), test.matches)
            << NSTextPackage::UTF16ToUTF8(Text(test.list)) << " "
            << NSTextPackage::UTF16ToUTF8(Text(test.name));
        const TUTF16String list = Text(test.list);
        EXPECT_EQ(WinDoesNameHaveExtension(list.c_str(), Text(test.name)), test.matches);
    }
    EXPECT_TRUE(WinIsAliasFile(Text(u"C:\\links\\song.lnk")));
    EXPECT_TRUE(WinIsAliasFile(Text(u"C:\\links\\old.PIF")));
    EXPECT_FALSE(WinIsAliasFile(Text(u"C:\\links.lnk\\song.wav")));
}

TEST(WinPathRules, ParentFolders)
{
    struct TParentCase
    {
        const char16_t* folder;
        const char16_t* parent; // null: none
    };
    const TParentCase kCases[] = {
        {u"D:\\", nullptr},
        {u"C:\\dir\\", u"C:\\"},
        {u"C:\\a\\b\\", u"C:\\a\\"},
        {u"\\\\server\\share\\", nullptr},
        {u"\\\\server\\share\\dir\\", u"\\\\server\\share\\"},
    };
    for (const TParentCase& test : kCases)
    {
        const TUTF16String folder = Text(test.folder);
        EXPECT_EQ(WinHasDirParentDirectory(folder), test.parent != nullptr)
            << NSTextPackage::UTF16ToUTF8(folder);
        if (test.parent)
        {
            EXPECT_EQ(WinGetDirParentDirectory(folder), Text(test.parent));
        }
    }
    EXPECT_FAILURE(WinGetDirParentDirectory(Text(u"D:\\")), kFailureCode_LogicError_InvalidArgument,
                   "WinGetDirParentDirectory");
    EXPECT_FAILURE(WinGetDirParentDirectory(Text(u"")), kFailureCode_LogicError_InvalidArgument,
                   "WinGetDirParentDirectory");
    EXPECT_FAILURE(WinHasDirParentDirectory(Text(u"dir\\")), kFailureCode_LogicError_InvalidArgument,
                   "WinHasDirParentDirectory");
}

TEST(WinPathRules, LongFormOfAnExistingPath)
{
    CScratchFolder scratch;
    scratch.Write(u"Long File Name.txt", "x");
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathNameW(NSTextPackage::AsWide(scratch.PathOf(u"Long File Name.txt")), shortPath,
                                  MAX_PATH),
              0u);
    const TUTF16String longPath = WinGetLongPathName(NSTextPackage::FromWide(shortPath));
    EXPECT_EQ(NSTextPackage::CompareText(longPath, scratch.PathOf(u"Long File Name.txt"), 1),
              NSTextPackage::kCompareEqual)
        << NSTextPackage::UTF16ToUTF8(longPath);

    EXPECT_FAILURE(WinGetLongPathName(scratch.PathOf(u"missing.txt")), kFailureCode_RuntimeError_NotFound,
                   "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)");
}

namespace
{
// Names of files in a folder in long form: plain, beyond ASCII, and long.
const std::u16string kNames[] = {u"Plain.wav", u"\u00dcn\u00efc\u00f6d\u00e9 \u03a9mega \u97f3.wav",
                                 std::u16string(180, u'L') + u".wav"};
} // namespace

TEST(WinPathRules, LongFormInALongFolderLooksUpTheLastNameAsTheWholeLookupDoes)
{
    CScratchFolder scratch;
    ASSERT_EQ(WinGetLongPathName(scratch.FolderPath()), scratch.FolderPath());
    for (const std::u16string& name : kNames)
        scratch.Write(name, "x");
    // The last name asked in another case comes back as the folder stores it.
    for (const std::u16string& name : {kNames[0], kNames[1], kNames[2], std::u16string(u"PLAIN.WAV")})
    {
        const TUTF16String path = scratch.PathOf(name);
        EXPECT_EQ(WinGetLongPathNameInLongFolder(path), WinGetLongPathName(path)) << NSTextPackage::UTF16ToUTF8(path);
    }
    EXPECT_FAILURE(WinGetLongPathNameInLongFolder(scratch.PathOf(u"missing.txt")), kFailureCode_RuntimeError_NotFound,
                   "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)");
}

// A listed child's file specification takes a listed name as an existing file's long form
// without a lookup.
TEST(WinPathRules, EveryFileNameOfAFolderListingNamesAFileInLongForm)
{
    CScratchFolder scratch;
    for (const std::u16string& name : kNames)
        scratch.Write(name, "x");
    ASSERT_TRUE(::CreateDirectoryW(NSTextPackage::AsWide(scratch.PathOf(u"Sub")), nullptr));

    const std::vector<TUTF16String> listed = WinFileNamesOf(WinListFolderEntries(scratch.FolderPath()));
    ASSERT_EQ(listed.size(), std::size(kNames));
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    for (const std::u16string& name : kNames)
        EXPECT_TRUE(std::binary_search(listed.begin(), listed.end(), TUTF16String(name.begin(), name.end())));
    for (const TUTF16String& name : listed)
    {
        const TUTF16String path = scratch.FolderPath() + name;
        EXPECT_TRUE(WinDoesFileExist(path)) << NSTextPackage::UTF16ToUTF8(path);
        EXPECT_EQ(WinGetLongPathNameInLongFolder(path), path) << NSTextPackage::UTF16ToUTF8(path);
    }
}

namespace
{
DWORD gLongPathError;

DWORD WINAPI FailingGetLongPathName(LPCWSTR, LPWSTR, DWORD)
{
    ::SetLastError(gLongPathError);
    return 0;
}

DWORD WINAPI SlashedGetLongPathName(LPCWSTR, LPWSTR buffer, DWORD size)
{
    const wchar_t answer[] = L"C:/data/Song.wav";
    if (size < std::size(answer))
        return DWORD(std::size(answer));
    wcscpy(buffer, answer);
    return DWORD(std::size(answer) - 1);
}
} // namespace

TEST(WinPathRules, LongFormKeepsThePathOfAnUnreadyDriveOrShareAndUsesBackslashes)
{
    TWin32Calls calls = RealWin32Calls();
    calls.GetLongPathNameW = FailingGetLongPathName;
    {
        CWin32CallsOverride failing(calls);
        for (const DWORD kept : {DWORD(NO_ERROR), DWORD(ERROR_NOT_READY), DWORD(ERROR_BAD_NETPATH)})
        {
            gLongPathError = kept;
            EXPECT_EQ(WinGetLongPathName(Text(u"E:/x")), Text(u"E:\\x")) << kept;
        }
        gLongPathError = ERROR_INVALID_NAME;
        EXPECT_FAILURE(WinGetLongPathName(Text(u"E:\\x")), kFailureCode_RuntimeError_NotFound,
                       "GetLongPathName failed with unrecognized error type");
        gLongPathError = ERROR_ACCESS_DENIED;
        EXPECT_FAILURE(WinGetLongPathName(Text(u"E:\\x")), kFailureCode_RuntimeError_Permission,
                       "WinThrowExceptionForKnownError(ERROR_ACCESS_DENIED)");
    }
    calls.GetLongPathNameW = SlashedGetLongPathName;
    CWin32CallsOverride slashed(calls);
    EXPECT_EQ(WinGetLongPathName(Text(u"C:\\DATA\\SONG~1.WAV")), Text(u"C:\\data\\Song.wav"));
}

#pragma once
// Shared pieces of the shell-item tests: items of scratch files and folders, items of the
// shell's known folders, and reading the class and object type of a caught failure.
#include "base/Quorral.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/ShellErrors.h"
#include "filelib/ShellItem.h"
#include "tests/filelib/ScratchFolder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace NSShellItemTests
{
using NSTextPackage::TUTF16String;

inline TUTF16String Text(const std::string& ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

inline TUTF16String PathIn(const NSFileLibTests::CScratchFolder& folder, const std::string& name)
{
    return folder.FolderPath() + Text(name);
}

inline NSFerrant::CShellItem MakeFileItem(const TUTF16String& path)
{
    return NSFerrant::CShellItem(NSFileLibSupport::FileSpecFromWinPath(path));
}

// path ends in "\".
inline NSFerrant::CShellItem MakeFolderItem(const TUTF16String& path)
{
    return NSFerrant::CShellItem(NSFileLibSupport::DirSpecFromWinPath(path));
}

// The item of a known folder of the shell, such as FOLDERID_ComputerFolder.
inline NSFerrant::CShellItem MakeKnownFolderItem(const KNOWNFOLDERID& folderID)
{
    PIDLIST_ABSOLUTE list = nullptr;
    EXPECT_HRESULT_SUCCEEDED(::SHGetKnownFolderIDList(folderID, 0, nullptr, &list));
    NSFerrant::CShellItem item(list);
    ::CoTaskMemFree(list);
    return item;
}

// Whether action throws TException with the object type; anything else fails the test.
template <class TException, class TAction>
void ExpectShellFailure(TAction&& action, const NSQuorral::TFixedName& objectType = NSFerrant::GetShellItemObjectType())
{
    try
    {
        action();
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const TException& e)
    {
        EXPECT_TRUE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e), objectType))
            << "object type " << objectType.c_str() << " missing";
    }
    catch (const std::exception& e)
    {
        ADD_FAILURE() << "another class: " << typeid(e).name();
    }
}
} // namespace NSShellItemTests

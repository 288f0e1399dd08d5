#pragma once
// The fixture of the item tests: the GUI library's interface, a database of the test's own in the
// process's place, and a scratch folder with helpers that make files, folders and their items.
#include "base/TextConversions.h"
#include "content/vfs/ItemDatabase.h"
#include "content/vfs/ShellFileCalls.h"
#include "tests/filelib/ScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace NSContentTests
{
using NSTextPackage::TUTF16String;

inline TUTF16String Text(const std::string& ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

class CItemTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CItemDatabase& Database() { return *fDatabase; }
    const NSFileLibTests::CScratchFolder& Scratch() const { return fScratch; }

    // A file (or folder) under the scratch folder, made with its parent folders; "a/b.txt".
    void MakeFile(const std::string& relativePath, const std::string& bytes = "x") const;
    void MakeFolder(const std::string& relativePath) const;
    // The Windows path of the entry; folders end in "\".
    TUTF16String FilePath(const std::string& relativePath) const;
    TUTF16String FolderPath(const std::string& relativePath) const;
    CItemPtr FileItem(const std::string& relativePath) const;
    // "" is the scratch folder itself.
    CItemPtr FolderItem(const std::string& relativePath) const;

private:
    NSFileLibTests::CScratchFolder fScratch;
    std::unique_ptr<CItemDatabase> fDatabase;
};

// The names of the items, in their order.
std::vector<TUTF16String> NamesOf(const std::vector<CItemPtr>& items);

// Puts the calls in place for the lifetime of the object.
class CShellFileCallsScope
{
public:
    explicit CShellFileCallsScope(const NSVirtualFS::SShellFileCalls& calls)
        : fPrevious(NSVirtualFS::ExchangeShellFileCalls(calls))
    {
    }
    ~CShellFileCallsScope() { NSVirtualFS::ExchangeShellFileCalls(fPrevious); }
    CShellFileCallsScope(const CShellFileCallsScope&) = delete;
    CShellFileCallsScope& operator=(const CShellFileCallsScope&) = delete;

private:
    NSVirtualFS::SShellFileCalls fPrevious;
};

// Counts the children the shell hands out to disk folders for the lifetime of the object.
class CChildReadCounter
{
public:
    CChildReadCounter();
    u32 Count() const;

private:
    CShellFileCallsScope fScope;
};

// Asks until check answers true, up to about twenty seconds: change notifications arrive late, and
// much later on a machine busy with parallel builds (five seconds proved too short there).
template <class TCheck> bool Eventually(TCheck check)
{
    for (int attempt = 0; attempt < 400; ++attempt)
    {
        if (check())
            return true;
        ::Sleep(50);
    }
    return check();
}
} // namespace NSContentTests

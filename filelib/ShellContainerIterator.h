#pragma once
// Lists the children of a folder shell item: its folders and non-folders, without hidden items,
// without the folder itself and without the special folders no listing shows. Each child is
// handed out as a new shell item. One thread only.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <shlobj.h>

#include <memory>

namespace NSFerrant
{
class CShellItem;
struct SLongFolder;

class CShellContainerIterator
{
public:
    // Binds the folder, starts the listing and moves to the first child. A listing refused for
    // lack of logon, by a cancel or because the item is no folder is XOpen.
    explicit CShellContainerIterator(const CShellItem& folder);
    virtual ~CShellContainerIterator();
    CShellContainerIterator(const CShellContainerIterator&) = delete;
    CShellContainerIterator& operator=(const CShellContainerIterator&) = delete;

    bool IsDone() const { return fDone != 0; }
    // The current child; XIllegalCallSequence once done.
    void GetCurrent(CShellItem& child) const;
    // The next child that is not skipped, or the end. The end codes of a listing end it quietly;
    // any other failure raises and leaves the iterator where it was.
    void Next();

private:
    bool IsSkipped();
    // Whether the shell takes the current child for the folder itself.
    bool IsFolderItself();
    void EndListing();
    void ReleaseAll();

    IMalloc* fMalloc = nullptr;
    IShellFolder* fDesktopFolder = nullptr;
    LPITEMIDLIST fFolderIDList = nullptr;
    IShellFolder* fFolder = nullptr; // bound once, handed to every child
    LPITEMIDLIST fCurrentID = nullptr;
    IEnumIDList* fEnumerator = nullptr;
    // Made when the folder's path is in long form and handed to every child: their file
    // specifications then look up at most their own names. Null otherwise.
    std::shared_ptr<const SLongFolder> fLongFolder;
    enum EFolderItselfAnswer : u8
    {
        kNotAsked,
        kFolderItself,
        kNotFolderItself,
    };
    EFolderItselfAnswer fFolderItselfAnswer = kNotAsked; // kept for a folder on disk only
    u8 fDone = 0;
};
} // namespace NSFerrant

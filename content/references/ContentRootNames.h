#pragma once
// The names of the two roots that path texts start from: the item database's root folder and the
// shell's desktop item. The item database provides them for as long as it exists; the path
// descriptions only need the names, so they ask this interface instead of the database.
#include "base/UTF16String.h"

class IContentRootNames
{
public:
    virtual NSTextPackage::TUTF16String GetDatabaseRootName() const = 0;
    virtual NSTextPackage::TUTF16String GetDesktopName() const = 0;

protected:
    ~IContentRootNames() = default;
};

// Installs names for the lifetime of this object and restores the ones installed before.
class CInstalledContentRootNames
{
public:
    explicit CInstalledContentRootNames(const IContentRootNames& names);
    ~CInstalledContentRootNames();
    CInstalledContentRootNames(const CInstalledContentRootNames&) = delete;
    CInstalledContentRootNames& operator=(const CInstalledContentRootNames&) = delete;

private:
    const IContentRootNames* fPrevious;
};

// The installed names; XIllegalCallSequence when none are installed.
const IContentRootNames& GetContentRootNames();

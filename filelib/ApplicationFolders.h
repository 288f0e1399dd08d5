#pragma once
// The application's folders: its per-user data folder, the company folder under the local
// application data with the cache folders in it, and folders in the user's music documents.
// Nothing is cached: every call asks again and creates what is missing on the way.
#include "filelib/FileLibWrappers.h"

namespace NSFileLibSupport
{
// "Quillmont Software": the maker's folder in the application data folders.
TUTF16String GetCompanyName();
// The per-user application data's company\product folder, created when missing.
TDirSpecPtr GetUserAppDataDirSpec(const TUTF16String& company, const TUTF16String& product);
// The local application data folder. A failed query is a plain std::exception.
TDirSpecPtr GetLocalAppDataDirSpec();
// "Quillmont Software" in the local application data.
TDirSpecPtr GetCompanyDataDirSpec();
// The named folder in the company folder.
TDirSpecPtr GetCachedDataFolderDirSpec(const TUTF16String& name);
// The named folder in the music documents, or the folder that a shortcut of exactly that name
// there leads to. A name taken by anything else is XNotFound; a music folder the platform refuses
// is XPermission, any other failed query a plain std::exception.
TDirSpecPtr GetOrCreateMusicDocumentsDirSpec(const TUTF16String& name);
} // namespace NSFileLibSupport

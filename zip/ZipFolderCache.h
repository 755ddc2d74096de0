// What extraction knows about the folders it writes into: that they exist and which names
// they hold. Looking up a name that is not there costs a scan of the folder on some systems;
// a listing taken once per folder answers those lookups instead. The listing is read once and
// then follows the names the caller adds; it is not checked against the folder again, which
// would cost a query per file. A file someone else makes meanwhile is therefore not seen:
// callers create a file that the listing says is absent only in ways that fail when it exists.
#pragma once
#include "afx.h"
#include <map>
#include <string>
#include <unordered_set>

class CZipFolderCache
{
public:
    CZipFolderCache() = default;

    // Folders are full paths, spelled alike for the same folder (as CZipTargetPath makes them).
    // Makes sure the folder exists, creating it and its parents. Returns false only when
    // lpszName is known not to be in it; names that could match another spelling of an
    // existing name (short names, trailing dots or spaces) may always be there.
    bool MayHold(const CString& strFolder, LPCTSTR lpszName);
    // Records that lpszName was put into the folder by the caller.
    void NoteAdded(const CString& strFolder, LPCTSTR lpszName);
    // Drops what is known about the folder; the next question reads it again.
    void Forget(const CString& strFolder);
    void Clear();

private:
    typedef std::unordered_set<std::wstring> Names;

    Names* Read(const std::string& strFullPath);
    // The case-insensitive form of a name; empty for names that may match another spelling.
    static std::wstring KeyOf(LPCTSTR lpszName);

    // By full path.
    std::map<std::string, Names> m_folders;

    CZipFolderCache(const CZipFolderCache&) = delete;
    CZipFolderCache& operator=(const CZipFolderCache&) = delete;
};

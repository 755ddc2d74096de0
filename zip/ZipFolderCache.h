// What extraction knows about the folders it writes into: that they exist and which names
// they hold. Looking up a name that is not there costs a scan of the folder on some systems;
// a listing taken once per folder answers those lookups instead. A folder's listing is
// trusted while its last-write time stays the one seen after the last change made through
// the cache; any other change makes it read the folder again.
#pragma once
#include "afx.h"
#include <map>
#include <memory>
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
    struct Folder
    {
        Folder() : hFolder(INVALID_HANDLE_VALUE), lastWrite() {}
        ~Folder();
        HANDLE hFolder;
        FILETIME lastWrite;
        std::unordered_set<std::wstring> names;
    };

    // The folder's entry while its listing can be trusted, else none.
    Folder* FindCurrent(const std::string& strFullPath);
    Folder* Read(const std::string& strFullPath);
    static bool GetLastWrite(HANDLE hFolder, FILETIME& lastWrite);
    // The case-insensitive form of a name; empty for names that may match another spelling.
    static std::wstring KeyOf(LPCTSTR lpszName);

    // By full path.
    std::map<std::string, std::unique_ptr<Folder>> m_folders;

    CZipFolderCache(const CZipFolderCache&) = delete;
    CZipFolderCache& operator=(const CZipFolderCache&) = delete;
};

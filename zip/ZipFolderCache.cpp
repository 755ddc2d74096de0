#include "ZipFolderCache.h"
#include "ZipFileSystem.h"

CZipFolderCache::Folder::~Folder()
{
    if (hFolder != INVALID_HANDLE_VALUE)
        CloseHandle(hFolder);
}

std::wstring CZipFolderCache::KeyOf(LPCTSTR lpszName)
{
    size_t uLength = strlen(lpszName);
    if (uLength == 0 || strchr(lpszName, '~') != NULL || lpszName[uLength - 1] == '.' ||
        lpszName[uLength - 1] == ' ')
        return std::wstring();
    int nWide = MultiByteToWideChar(CP_ACP, 0, lpszName, (int)uLength, NULL, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring strWide(nWide, L'\0');
    MultiByteToWideChar(CP_ACP, 0, lpszName, (int)uLength, &strWide[0], nWide);
    std::wstring strKey(nWide, L'\0');
    if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, strWide.data(), nWide, &strKey[0], nWide) != nWide)
        return std::wstring();
    return strKey;
}

bool CZipFolderCache::GetLastWrite(HANDLE hFolder, FILETIME& lastWrite)
{
    return GetFileTime(hFolder, NULL, NULL, &lastWrite) != FALSE;
}

CZipFolderCache::Folder* CZipFolderCache::FindCurrent(const std::string& strFullPath)
{
    auto it = m_folders.find(strFullPath);
    if (it == m_folders.end())
        return NULL;
    FILETIME lastWrite;
    if (GetLastWrite(it->second->hFolder, lastWrite) && CompareFileTime(&lastWrite, &it->second->lastWrite) == 0)
        return it->second.get();
    m_folders.erase(it);
    return NULL;
}

CZipFolderCache::Folder* CZipFolderCache::Read(const std::string& strFullPath)
{
    if (!ZipForceDirectory(strFullPath.c_str()))
        return NULL;
    std::unique_ptr<Folder> folder(new Folder);
    folder->hFolder = CreateFileA(strFullPath.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, NULL);
    // The time is taken before the listing, so a change while listing shows at the next question.
    if (folder->hFolder == INVALID_HANDLE_VALUE || !GetLastWrite(folder->hFolder, folder->lastWrite))
        return NULL;
    std::string strPattern = strFullPath;
    if (strPattern.empty() || (strPattern.back() != '\\' && strPattern.back() != '/'))
        strPattern += '\\';
    strPattern += '*';
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileExA(strPattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, NULL, 0);
    if (hFind == INVALID_HANDLE_VALUE)
    {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return NULL;
    }
    else
    {
        do
        {
            std::wstring strKey = KeyOf(data.cFileName);
            if (!strKey.empty())
                folder->names.insert(strKey);
        } while (FindNextFileA(hFind, &data));
        bool bComplete = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(hFind);
        if (!bComplete)
            return NULL;
    }
    Folder* pFolder = folder.get();
    m_folders[strFullPath] = std::move(folder);
    return pFolder;
}

bool CZipFolderCache::MayHold(const CString& strFolder, LPCTSTR lpszName)
{
    std::string strFullPath((LPCTSTR)strFolder);
    Folder* pFolder = FindCurrent(strFullPath);
    if (pFolder == NULL)
        pFolder = Read(strFullPath);
    if (pFolder == NULL)
        return true;
    std::wstring strKey = KeyOf(lpszName);
    return strKey.empty() || pFolder->names.count(strKey) != 0;
}

void CZipFolderCache::NoteAdded(const CString& strFolder, LPCTSTR lpszName)
{
    auto it = m_folders.find(std::string((LPCTSTR)strFolder));
    if (it == m_folders.end())
        return;
    std::wstring strKey = KeyOf(lpszName);
    if (!strKey.empty())
        it->second->names.insert(strKey);
    if (!GetLastWrite(it->second->hFolder, it->second->lastWrite))
        m_folders.erase(it);
}

void CZipFolderCache::Forget(const CString& strFolder)
{
    m_folders.erase(std::string((LPCTSTR)strFolder));
}

void CZipFolderCache::Clear()
{
    m_folders.clear();
}

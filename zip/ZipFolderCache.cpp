#include "ZipFolderCache.h"
#include "ZipFileSystem.h"

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

CZipFolderCache::Names* CZipFolderCache::Read(const std::string& strFullPath)
{
    if (!ZipForceDirectory(strFullPath.c_str()))
        return NULL;
    std::string strPattern = strFullPath;
    if (strPattern.empty() || (strPattern.back() != '\\' && strPattern.back() != '/'))
        strPattern += '\\';
    strPattern += '*';
    Names names;
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
                names.insert(strKey);
        } while (FindNextFileA(hFind, &data));
        bool bComplete = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(hFind);
        if (!bComplete)
            return NULL;
    }
    return &m_folders.insert_or_assign(strFullPath, std::move(names)).first->second;
}

bool CZipFolderCache::MayHold(const CString& strFolder, LPCTSTR lpszName)
{
    std::string strFullPath((LPCTSTR)strFolder);
    auto it = m_folders.find(strFullPath);
    Names* pNames = it != m_folders.end() ? &it->second : Read(strFullPath);
    if (pNames == NULL)
        return true;
    std::wstring strKey = KeyOf(lpszName);
    return strKey.empty() || pNames->count(strKey) != 0;
}

void CZipFolderCache::NoteAdded(const CString& strFolder, LPCTSTR lpszName)
{
    auto it = m_folders.find(std::string((LPCTSTR)strFolder));
    if (it == m_folders.end())
        return;
    std::wstring strKey = KeyOf(lpszName);
    if (!strKey.empty())
        it->second.insert(strKey);
}

void CZipFolderCache::Forget(const CString& strFolder)
{
    m_folders.erase(std::string((LPCTSTR)strFolder));
}

void CZipFolderCache::Clear()
{
    m_folders.clear();
}

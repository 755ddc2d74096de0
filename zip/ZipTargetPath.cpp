#include "ZipTargetPath.h"
#include "ZipPathHelpers.h"

CString CZipTargetPath::GetFullFolder(LPCTSTR lpszFolder)
{
    char szFull[MAX_PATH];
    DWORD uLength = GetFullPathNameA(lpszFolder, MAX_PATH, szFull, NULL);
    if (uLength == 0 || uLength >= MAX_PATH)
        return lpszFolder;
    return CString(szFull, (int)uLength);
}

bool CZipTargetPath::IsAbsolute(LPCTSTR lpszPath)
{
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (isSeparator(lpszPath[0]))
        return isSeparator(lpszPath[1]);
    return lpszPath[0] != '\0' && lpszPath[1] == ':' && isSeparator(lpszPath[2]);
}

bool CZipTargetPath::Resolve(const CString& strFullFolder, LPCTSTR lpszEntryName)
{
    if (!ZipIsSafeEntryName(lpszEntryName))
        return false;
    m_strPath = ZipRemoveTrailingSeparators(strFullFolder) + "\\" + ZipStripDrive(lpszEntryName);
    // Separators are found character by character: a trail byte may have the value of '\'.
    m_nNameStart = 0;
    for (LPCTSTR p = m_strPath; *p != '\0'; p = CharNextA(p))
    {
        if (*p == '\\' || *p == '/')
            m_nNameStart = (int)(p - (LPCTSTR)m_strPath) + 1;
    }
    return true;
}

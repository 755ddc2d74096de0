#include "ZipTargetPath.h"
#include "ZipPathHelpers.h"

namespace
{
CString FullPathOf(LPCTSTR lpszFolder)
{
    char szFull[MAX_PATH];
    DWORD uLength = GetFullPathNameA(lpszFolder, MAX_PATH, szFull, NULL);
    if (uLength == 0 || uLength >= MAX_PATH)
        return lpszFolder;
    return CString(szFull, (int)uLength);
}
}

bool CZipTargetPath::Resolve(LPCTSTR lpszFolder, LPCTSTR lpszEntryName)
{
    if (!ZipIsSafeEntryName(lpszEntryName))
        return false;
    m_strPath = ZipRemoveTrailingSeparators(FullPathOf(lpszFolder)) + "\\" + ZipStripDrive(lpszEntryName);
    // Separators are found character by character: a trail byte may have the value of '\'.
    m_nNameStart = 0;
    for (LPCTSTR p = m_strPath; *p != '\0'; p = CharNextA(p))
    {
        if (*p == '\\' || *p == '/')
            m_nNameStart = (int)(p - (LPCTSTR)m_strPath) + 1;
    }
    return true;
}

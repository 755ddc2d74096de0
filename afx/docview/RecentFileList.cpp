#include "RecentFileList.h"
#include "CmdUI.h"
#include "Menu.h"
#include "WinApp.h"
#include "afxres.h"

#include <shlwapi.h>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_arrNames(new CString[nSize]), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart), m_nSize(nSize), m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    char szFull[MAX_PATH];
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, szFull, NULL) == 0)
        AfxCopyTextBounded(szFull, MAX_PATH, lpszPathName);

    // Move the existing entry of this file, or drop the last one, to make room at the top.
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++)
    {
        if (m_arrNames[iMRU].CompareNoCase(szFull) == 0)
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = szFull;
}

void CRecentFileList::Remove(int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < m_nSize);
    m_arrNames[nIndex].Empty();
    for (int iMRU = nIndex; iMRU < m_nSize - 1; iMRU++)
        m_arrNames[iMRU] = m_arrNames[iMRU + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    const CString& strPath = m_arrNames[nIndex];
    if (strPath.IsEmpty())
        return FALSE;

    // A file in the current folder shows without its folder.
    if (lpszCurDir != NULL && nCurDir > 0 && strPath.GetLength() > nCurDir &&
        strPath.Left(nCurDir).CompareNoCase(lpszCurDir) == 0 && strPath.Find('\\', nCurDir + 1) < 0 &&
        strPath[nCurDir] == '\\')
    {
        strName = strPath.Mid(nCurDir + 1);
        return TRUE;
    }
    if (m_nMaxDisplayLength <= 0 || strPath.GetLength() <= m_nMaxDisplayLength)
    {
        strName = strPath;
        return TRUE;
    }

    char szShort[MAX_PATH];
    AfxCopyTextBounded(szShort, MAX_PATH, strPath);
    if (!::PathCompactPathExA(szShort, strPath, (UINT)m_nMaxDisplayLength + 1, 0) && bAtLeastName)
        AfxCopyTextBounded(szShort, MAX_PATH, ::PathFindFileNameA(strPath));
    strName = szShort;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_arrNames[0].IsEmpty())
    {
        // An empty list shows the original item, disabled.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;

    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
        pMenu->DeleteMenu(pCmdUI->m_nID + (UINT)iMRU, MF_BYCOMMAND);

    char szCurDir[MAX_PATH];
    int nCurDir = (int)::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strName;
        if (!GetDisplayName(strName, iMRU, szCurDir, nCurDir))
            break;
        // Ampersands in names must show as themselves.
        strName.Replace("&", "&&");
        CString strText;
        strText.Format("&%d %s", (iMRU + 1 + (int)m_nStart) % 10, (LPCTSTR)strName);
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strText);
    }
    // The items were inserted in place of the first one; continue after the last.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    // Rewrite the whole section so that entries of a longer list do not linger.
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        if (m_arrNames[iMRU].IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
    }
}

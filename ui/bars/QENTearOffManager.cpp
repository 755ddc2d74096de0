#include "QENTearOffManager.h"

#include <stdlib.h>

namespace {

const TCHAR kIdMark = '\1';

}   // namespace

CQENTearOffManager* g_pTearOffManager = NULL;

CQENTearOffManager::CQENTearOffManager(UINT nFirstId, UINT nLastId)
    : m_nFirstId(nFirstId), m_nLastId(nLastId < nFirstId ? nFirstId : nLastId)
{
    m_used.SetSize(m_nLastId - m_nFirstId + 1);
    ReleaseIds();
}

UINT CQENTearOffManager::AllocateId()
{
    for (INT_PTR i = 0; i < m_used.GetSize(); i++)
        if (!m_used[i])
        {
            m_used[i] = TRUE;
            return m_nFirstId + (UINT)i;
        }
    return 0;
}

BOOL CQENTearOffManager::MarkUsed(UINT nId)
{
    if (nId < m_nFirstId || nId > m_nLastId)
        return FALSE;
    m_used[nId - m_nFirstId] = TRUE;
    return TRUE;
}

BOOL CQENTearOffManager::IsUsed(UINT nId) const
{
    return nId >= m_nFirstId && nId <= m_nLastId && m_used[nId - m_nFirstId];
}

void CQENTearOffManager::ReleaseIds(HMENU hMenu)
{
    if (hMenu == NULL)
    {
        for (INT_PTR i = 0; i < m_used.GetSize(); i++)
            m_used[i] = FALSE;
        return;
    }
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        TCHAR szText[256] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof szText, MF_BYPOSITION);
        CString strText(szText);
        const UINT nId = ParseTearOffText(strText);
        if (nId >= m_nFirstId && nId <= m_nLastId)
            m_used[nId - m_nFirstId] = FALSE;
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu != NULL)
            ReleaseIds(hSubMenu);
    }
}

UINT PASCAL CQENTearOffManager::ParseTearOffText(CString& strText)
{
    if (strText.GetLength() < 3 || strText[0] != kIdMark)
        return 0;
    const int iEnd = strText.Find(kIdMark, 1);
    if (iEnd < 2)
        return 0;
    const CString strId = strText.Mid(1, iEnd - 1);
    for (int i = 0; i < strId.GetLength(); i++)
        if (strId[i] < '0' || strId[i] > '9')
            return 0;
    const UINT nId = (UINT)strtoul(strId, NULL, 10);
    strText = strText.Mid(iEnd + 1);
    return nId;
}

void PASCAL CQENTearOffManager::BuildTearOffText(UINT nId, CString& strText)
{
    CString strWithId;
    strWithId.Format("%c%d%c%s", kIdMark, (int)nId, kIdMark, (LPCTSTR)strText);
    strText = strWithId;
}

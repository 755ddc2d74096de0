// CQENMenuBar: the lists of all menus in the registry, and the reset of all menus.
#include "QENMenuBar.h"

#include "QENSettingsPath.h"

void CQENMenuBar::TemplateMenus(CArray<HMENU, HMENU>& menus, CArray<UINT, UINT>& ids) const
{
    menus.RemoveAll();
    ids.RemoveAll();
    CWinApp* pApp = AfxGetApp();
    if (!m_bPerDocumentMenus || pApp == NULL)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate != NULL && pTemplate->m_hMenuShared != NULL)
        {
            menus.Add(pTemplate->m_hMenuShared);
            ids.Add(pTemplate->GetResourceID());
        }
    }
}

void CQENMenuBar::SetOriginalItemsFrom(HMENU hMenu)
{
    BuildItemsFrom(hMenu);
    while (!m_resourceButtons.IsEmpty())
        delete m_resourceButtons.RemoveHead();
    for (int i = 0; i < ButtonCount(); i++)
    {
        CQENToolbarButton* pOriginal = new CQENToolbarButton;
        pOriginal->AssignFrom(*ButtonAt(i));
        m_resourceButtons.AddTail(pOriginal);
    }
}

void CQENMenuBar::ShowCurrentMenu()
{
    if (!LoadFromCache(m_hMenu))
        BuildItemsFrom(m_hMenu);
    UpdateHaveImages();
    if (m_hWnd != NULL)
    {
        RecalcButtonLayout();
        if (m_pOwnerFrame != NULL)
            m_pOwnerFrame->RecalcLayout();
    }
    RestoreChildMaximized();
}

BOOL CQENMenuBar::WriteMenuState(HMENU hMenu, LPCTSTR lpszPath, int nBarId, UINT nExtraId)
{
    SetOriginalItemsFrom(hMenu);
    // A list that cannot be read back is not stored over the one saved before.
    if (!LoadFromCache(hMenu))
        return FALSE;
    return CQENToolBar::WriteState(lpszPath, nBarId, nExtraId);
}

BOOL CQENMenuBar::WriteState(LPCTSTR lpszProfile, int nBarId, UINT)
{
    const CString strPath = BuildSettingsPath(s_strMenuBarSection, lpszProfile);
    RemoveCaptionItems();
    StoreInCache(m_hMenu);
    BOOL bWritten = TRUE;
    CArray<HMENU, HMENU> menus;
    CArray<UINT, UINT> ids;
    TemplateMenus(menus, ids);
    CFile* pFile = NULL;
    for (INT_PTR i = 0; i < menus.GetSize(); i++)
        if (s_MenuCache.Lookup(menus[i], pFile) && !WriteMenuState(menus[i], strPath, nBarId, ids[i]))
            bWritten = FALSE;
    if (m_hDefaultMenu != NULL && !WriteMenuState(m_hDefaultMenu, strPath, nBarId, 0))
        bWritten = FALSE;
    ShowCurrentMenu();
    return bWritten;
}

void CQENMenuBar::ReadMenuState(HMENU hMenu, UINT nResourceId, LPCTSTR lpszPath, int nBarId, UINT nExtraId)
{
    SetOriginalItemsFrom(hMenu);
    m_bResourceChanged = FALSE;
    // The toolbar's own fallback resets the bar to its resource; here a menu takes its place.
    m_nResourceId = 0;
    const BOOL bLoaded = CQENToolBar::ReadState(lpszPath, nBarId, nExtraId);
    m_nResourceId = nResourceId;
    if (!bLoaded || m_bResourceChanged || ButtonCount() == 0)
    {
        BuildItemsFrom(hMenu);
        CWnd* pOwner = m_pOwnerFrame != NULL ? m_pOwnerFrame : GetOwner();
        if (pOwner != NULL)
            pOwner->SendMessage(QENM_TOOLBAR_RESETMENU, nResourceId);
    }
    StoreInCache(hMenu);
}

BOOL CQENMenuBar::ReadState(LPCTSTR lpszProfile, int nBarId, UINT)
{
    const CString strPath = BuildSettingsPath(s_strMenuBarSection, lpszProfile);
    RemoveCaptionItems();
    CArray<HMENU, HMENU> menus;
    CArray<UINT, UINT> ids;
    TemplateMenus(menus, ids);
    for (INT_PTR i = 0; i < menus.GetSize(); i++)
        ReadMenuState(menus[i], ids[i], strPath, nBarId, ids[i]);
    if (m_hDefaultMenu != NULL)
        ReadMenuState(m_hDefaultMenu, m_nDefaultMenuId, strPath, nBarId, 0);
    m_nResourceId = m_nDefaultMenuId;
    ShowCurrentMenu();
    return TRUE;
}

void CQENMenuBar::ResetToResource()
{
    // The lists are the customized copies; the menus themselves hold the resource's items.
    CArray<HMENU, HMENU> menus;
    CArray<UINT, UINT> ids;
    TemplateMenus(menus, ids);
    menus.Add(m_hDefaultMenu);
    for (INT_PTR i = 0; i < menus.GetSize(); i++)
    {
        if (menus[i] == NULL)
            continue;
        BuildItemsFrom(menus[i]);
        StoreInCache(menus[i]);
    }
    ShowCurrentMenu();
}

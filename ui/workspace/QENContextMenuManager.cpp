#include "QENContextMenuManager.h"

#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENSettingsPath.h"

namespace {

const LPCTSTR kSection = "QENContextMenuManager";
// The bar index of every context menu's state key; the menu's resource id tells them apart.
const int kBarIndex = 0;

} // namespace

CQENContextMenuManager* g_pContextMenuManager = NULL;

CQENContextMenuManager::CQENContextMenuManager() : m_nLastCommand(0), m_bTrackMode(FALSE)
{
    g_pContextMenuManager = this;
    CQENPopupMenu::s_pfnTrackedCommand = TakeTrackedCommand;
}

CQENContextMenuManager::~CQENContextMenuManager()
{
    for (POSITION pos = m_menuMap.GetStartPosition(); pos != NULL;)
    {
        UINT nMenuId;
        HMENU hMenu;
        m_menuMap.GetNextAssoc(pos, nMenuId, hMenu);
        ::DestroyMenu(hMenu);
    }
    if (g_pContextMenuManager == this)
    {
        g_pContextMenuManager = NULL;
        CQENPopupMenu::s_pfnTrackedCommand = NULL;
    }
}

BOOL CQENContextMenuManager::RegisterContextMenu(LPCTSTR lpszName, UINT nMenuId)
{
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nMenuId));
    if (hMenu == NULL)
        return FALSE;
    HMENU hRegistered;
    if (m_menuMap.Lookup(nMenuId, hRegistered))
    {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_menuMap.SetAt(nMenuId, hMenu);
    m_menuNameMap.SetAt(lpszName, hMenu);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Showing

BOOL CQENContextMenuManager::ShowContextMenu(UINT nMenuId, int x, int y, CWnd* pWnd, BOOL bOwnMessage)
{
    HMENU hMenu;
    if (!m_menuMap.Lookup(nMenuId, hMenu))
        return FALSE;
    HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
    if (hSubMenu == NULL)
        return FALSE;
    if (x == -1 && y == -1 && pWnd != NULL && ::IsWindow(pWnd->m_hWnd))
    {
        CPoint pt(5, 5);
        pWnd->ClientToScreen(&pt);
        x = pt.x;
        y = pt.y;
    }
    return ShowContextMenu(hSubMenu, x, y, pWnd, bOwnMessage) != NULL;
}

CQENPopupMenu* CQENContextMenuManager::ShowContextMenu(HMENU hMenu, int x, int y, CWnd* pWnd, BOOL bOwnMessage)
{
    if (m_bTrackMode)
        bOwnMessage = TRUE;
    CWnd* pTarget = pWnd != NULL && ::IsWindow(pWnd->m_hWnd) ? pWnd : NULL;
    if (!bOwnMessage)
    {
        while (pTarget != NULL && (pTarget->GetStyle() & WS_CHILD) && pTarget->GetParent() != NULL)
            pTarget = pTarget->GetParent();
    }

    CQENPopupMenu* pPopup = new CQENPopupMenu;
    CQENPopupMenu* pOpen = CQENPopupMenu::s_pActivePopupMenu;
    if (pOpen != NULL && ::IsWindow(pOpen->m_hWnd))
        pOpen->SendMessage(WM_CLOSE);
    pPopup->m_bTrackMode = m_bTrackMode;
    // A popup that cannot be shown has deleted itself.
    if (!pPopup->Create(pTarget, x, y, hMenu, FALSE, bOwnMessage))
        return NULL;
    return pPopup;
}

UINT CQENContextMenuManager::TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pWnd)
{
    m_nLastCommand = 0;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return 0;
    m_bTrackMode = TRUE;
    CQENPopupMenu* pPopup = ShowContextMenu(hMenu, x, y, pWnd, TRUE);
    m_bTrackMode = FALSE;
    if (pPopup != NULL)
        RunUntilClosed(pApp, pPopup->m_hWnd);
    return m_nLastCommand;
}

void CQENContextMenuManager::RunUntilClosed(CWinApp* pApp, HWND hPopup)
{
    MSG msg;
    while (::IsWindow(hPopup))
    {
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            pApp->OnIdle(0);
            if (::IsWindow(hPopup))
                ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            // The program is ending: the menu goes, and the outer loop gets the quit message.
            ::SendMessageA(hPopup, WM_CLOSE, 0, 0);
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        if (pApp->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void PASCAL CQENContextMenuManager::TakeTrackedCommand(UINT nCommandId)
{
    if (g_pContextMenuManager != NULL)
        g_pContextMenuManager->m_nLastCommand = nCommandId;
}

// ---------------------------------------------------------------------------------------------------
// The menus by name

void CQENContextMenuManager::ListMenuNames(CStringList& names) const
{
    for (POSITION pos = m_menuNameMap.GetStartPosition(); pos != NULL;)
    {
        CString strName;
        HMENU hMenu;
        m_menuNameMap.GetNextAssoc(pos, strName, hMenu);
        names.AddTail(strName);
    }
}

HMENU CQENContextMenuManager::FindMenuByName(LPCTSTR lpszName, UINT* pnMenuId) const
{
    HMENU hMenu;
    if (lpszName == NULL || !m_menuNameMap.Lookup(lpszName, hMenu))
        return NULL;
    if (pnMenuId != NULL)
    {
        for (POSITION pos = m_menuMap.GetStartPosition(); pos != NULL;)
        {
            UINT nMenuId;
            HMENU hRegistered;
            m_menuMap.GetNextAssoc(pos, nMenuId, hRegistered);
            if (hRegistered == hMenu)
                *pnMenuId = nMenuId;
        }
    }
    return hMenu;
}

// ---------------------------------------------------------------------------------------------------
// The registry

BOOL CQENContextMenuManager::ReadState(LPCTSTR lpszPath)
{
    const CString strPath = BuildSettingsPath(kSection, lpszPath);
    BOOL bRead = TRUE;
    // A menu that cannot be loaded does not keep the others from loading.
    for (POSITION pos = m_menuMap.GetStartPosition(); pos != NULL;)
    {
        UINT nMenuId;
        HMENU hMenu;
        m_menuMap.GetNextAssoc(pos, nMenuId, hMenu);
        HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
        CQENPopupMenuBar bar;
        if (hSubMenu == NULL || !bar.BuildFromMenuHandle(hSubMenu, TRUE))
        {
            bRead = FALSE;
            continue;
        }
        // A stored list with no items is damaged rather than a menu anyone could use.
        if (bar.ReadState(strPath, kBarIndex, nMenuId) && bar.ButtonCount() > 0)
            ReplaceFirstSubMenu(hMenu, bar.BuildMenuHandle());
    }
    return bRead;
}

BOOL CQENContextMenuManager::WriteState(LPCTSTR lpszPath)
{
    const CString strPath = BuildSettingsPath(kSection, lpszPath);
    BOOL bWritten = TRUE;
    for (POSITION pos = m_menuMap.GetStartPosition(); pos != NULL;)
    {
        UINT nMenuId;
        HMENU hMenu;
        m_menuMap.GetNextAssoc(pos, nMenuId, hMenu);
        HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
        CQENPopupMenuBar bar;
        if (hSubMenu != NULL && bar.BuildFromMenuHandle(hSubMenu, TRUE) &&
            !bar.WriteState(strPath, kBarIndex, nMenuId))
            bWritten = FALSE;
    }
    return bWritten;
}

BOOL CQENContextMenuManager::ResetMenu(UINT nMenuId)
{
    HMENU hMenu;
    if (!m_menuMap.Lookup(nMenuId, hMenu))
        return FALSE;
    HMENU hResource = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nMenuId));
    if (hResource == NULL)
        return FALSE;
    // The submenu leaves the loaded menu, which then goes without it.
    HMENU hSubMenu = ::GetSubMenu(hResource, 0);
    if (hSubMenu != NULL)
        ::RemoveMenu(hResource, 0, MF_BYPOSITION);
    ::DestroyMenu(hResource);
    if (hSubMenu == NULL)
        return FALSE;
    ReplaceFirstSubMenu(hMenu, hSubMenu);
    return TRUE;
}

void CQENContextMenuManager::ReplaceFirstSubMenu(HMENU hMenu, HMENU hNewSubMenu)
{
    if (hNewSubMenu == NULL)
        return;
    char szText[256] = "";
    ::GetMenuStringA(hMenu, 0, szText, sizeof szText, MF_BYPOSITION);
    HMENU hOldSubMenu = ::GetSubMenu(hMenu, 0);
    if (!::InsertMenuA(hMenu, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, (UINT_PTR)hNewSubMenu, szText))
    {
        ::DestroyMenu(hNewSubMenu);
        return;
    }
    ::RemoveMenu(hMenu, 1, MF_BYPOSITION);
    ::DestroyMenu(hOldSubMenu);
}

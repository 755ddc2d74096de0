#include "QENMDIFrameWnd.h"

#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"

IMPLEMENT_DYNCREATE(CQENMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CQENMDIFrameWnd, CMDIFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_WM_WINDOWPOSCHANGED()
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_CREATE, OnToolbarCreate)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_DELETE, OnToolbarDelete)
END_MESSAGE_MAP()

CQENMDIFrameWnd::CQENMDIFrameWnd() : m_Impl(this), m_bContextHelp(FALSE), m_hWndMaximizedChild(NULL)
{
}

CQENMDIFrameWnd::~CQENMDIFrameWnd() = default;

// ---------------------------------------------------------------------------------------------------
// Popup menu hooks

BOOL CQENMDIFrameWnd::CanShowPopupMenu(CQENPopupMenu*)
{
    return TRUE;
}

void CQENMDIFrameWnd::OnPopupMenuClosed(CQENPopupMenu* pPopup)
{
    m_Impl.NotePopupClosed(pPopup);
}

BOOL CQENMDIFrameWnd::DrawMenuItemImage(CDC*, CQENToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CQENMDIFrameWnd::MenuButtonToolHit(CQENToolbarMenuButton*, TOOLINFOA*)
{
    return FALSE;
}

BOOL CQENMDIFrameWnd::GetButtonToolTipText(CQENToolbarButton*, CString&)
{
    return FALSE;
}

void CQENMDIFrameWnd::DrawMenuSideImage(CDC*, CQENPopupMenu*, const CRect&)
{
}

BOOL CQENMDIFrameWnd::CanTearOffMenu(CQENPopupMenu*, CControlBar*)
{
    return TRUE;
}

BOOL CQENMDIFrameWnd::AnnouncePopupMenu(CQENPopupMenu* pPopup)
{
    if (!m_Impl.NotePopupShown(pPopup))
        return FALSE;
    return CanShowPopupMenu(pPopup);
}

void CQENMDIFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_Impl.EnableDocking(dwDockStyle);
}

// ---------------------------------------------------------------------------------------------------
// Frame overrides

BOOL CQENMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnFrameLoaded();
    return TRUE;
}

BOOL CQENMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.ApplySavedPlacement(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CQENMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam, lParam))
    {
    case CQENFrameSupport::commandConsumed:
        return TRUE;
    case CQENFrameSupport::commandRefused:
        return FALSE;
    default:
        return CMDIFrameWnd::OnCommand(wParam, lParam);
    }
}

BOOL CQENMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterFrameMessage(pMsg))
    {
    case CQENFrameSupport::messageConsumed:
        return TRUE;
    case CQENFrameSupport::notTranslated:
        return FALSE;
    default:
        return CMDIFrameWnd::PreTranslateMessage(pMsg);
    }
}

void CQENMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.HideWindowMenu();
}

void CQENMDIFrameWnd::ShowFrameMenu(HMENU hMenu)
{
    CQENMenuBar* pMenuBar = m_Impl.MenuBar();
    if (pMenuBar == NULL || !pMenuBar->IsWindowVisible())
    {
        CMDIFrameWnd::ShowFrameMenu(hMenu);
        return;
    }
    // The bar copies the menu before the client adds its window list to it. The menu never goes on
    // the frame: the client would add a maximized child's buttons to it.
    ::SetMenu(m_hWnd, NULL);
    pMenuBar->RebuildFromMenu(hMenu, hMenu == m_Impl.m_hDefaultMenu);
    HMENU hWindowMenu = GetWindowMenuPopup(hMenu);
    if (hWindowMenu != NULL)
        MDISetMenu(NULL, CMenu::FromHandle(hWindowMenu));
    FollowMaximizedChild();
}

void CQENMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    FollowMaximizedChild();
}

void CQENMDIFrameWnd::FollowMaximizedChild()
{
    CQENMenuBar* pMenuBar = m_Impl.MenuBar();
    if (pMenuBar == NULL)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    const HWND hWndMaximized = bMaximized ? pChild->m_hWnd : NULL;
    const BOOL bShown = pMenuBar->m_pSystemMenuButton != NULL;
    if (hWndMaximized == m_hWndMaximizedChild && bShown == (hWndMaximized != NULL))
        return;
    m_hWndMaximizedChild = hWndMaximized;
    // Another maximized child brings its own icon and buttons.
    pMenuBar->SetChildMaximized(FALSE, NULL, hWndMaximized == NULL);
    if (hWndMaximized != NULL)
        pMenuBar->SetChildMaximized(TRUE, pChild);
}

// ---------------------------------------------------------------------------------------------------
// Messages

LRESULT CQENMDIFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.RouteMnemonic(nChar))
        return (LRESULT)0xFFFF0002;
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CQENMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnFrameActivated(nState);
}

void CQENMDIFrameWnd::OnClose()
{
    m_Impl.OnFrameClosing();
    CMDIFrameWnd::OnClose();
}

void CQENMDIFrameWnd::OnDestroy()
{
    m_Impl.DestroyAcceleratorTable();
    CMDIFrameWnd::OnDestroy();
}

void CQENMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CMDIFrameWnd::OnWindowPosChanged(lpwndpos);
    FollowMaximizedChild();
}

LRESULT CQENMDIFrameWnd::OnToolbarCreate(WPARAM, LPARAM lParam)
{
    return m_Impl.OnCreateToolbarRequest(lParam);
}

LRESULT CQENMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.OnDeleteToolbarRequest(lParam);
}

void CQENMDIFrameWnd::OnContextHelp()
{
    m_Impl.RunContextHelp(m_bContextHelp);
}

void CQENMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // A pick that found no help goes back to picking.
    if (m_bContextHelp && dwData == 0)
    {
        OnContextHelp();
        return;
    }
    CMDIFrameWnd::WinHelp(dwData, nCmd);
}

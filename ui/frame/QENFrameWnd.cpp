#include "QENFrameWnd.h"

#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"

IMPLEMENT_DYNCREATE(CQENFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CQENFrameWnd, CFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_CREATE, OnToolbarCreate)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_DELETE, OnToolbarDelete)
END_MESSAGE_MAP()

CQENFrameWnd::CQENFrameWnd() : m_Impl(this), m_bContextHelp(FALSE)
{
}

CQENFrameWnd::~CQENFrameWnd() = default;

// ---------------------------------------------------------------------------------------------------
// Popup menu hooks

BOOL CQENFrameWnd::CanShowPopupMenu(CQENPopupMenu*)
{
    return TRUE;
}

void CQENFrameWnd::OnPopupMenuClosed(CQENPopupMenu* pPopup)
{
    m_Impl.NotePopupClosed(pPopup);
}

BOOL CQENFrameWnd::DrawMenuItemImage(CDC*, CQENToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CQENFrameWnd::MenuButtonToolHit(CQENToolbarMenuButton*, TOOLINFOA*)
{
    return FALSE;
}

BOOL CQENFrameWnd::GetButtonToolTipText(CQENToolbarButton*, CString&)
{
    return FALSE;
}

void CQENFrameWnd::DrawMenuSideImage(CDC*, CQENPopupMenu*, const CRect&)
{
}

BOOL CQENFrameWnd::CanTearOffMenu(CQENPopupMenu*, CControlBar*)
{
    return TRUE;
}

BOOL CQENFrameWnd::AnnouncePopupMenu(CQENPopupMenu* pPopup)
{
    if (!m_Impl.NotePopupShown(pPopup))
        return FALSE;
    return CanShowPopupMenu(pPopup);
}

void CQENFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_Impl.EnableDocking(dwDockStyle);
}

// ---------------------------------------------------------------------------------------------------
// Frame overrides

BOOL CQENFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnFrameLoaded();
    return TRUE;
}

BOOL CQENFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.ApplySavedPlacement(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CQENFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam, lParam))
    {
    case CQENFrameSupport::commandConsumed:
        return TRUE;
    case CQENFrameSupport::commandRefused:
        return FALSE;
    default:
        return CFrameWnd::OnCommand(wParam, lParam);
    }
}

BOOL CQENFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterFrameMessage(pMsg))
    {
    case CQENFrameSupport::messageConsumed:
        return TRUE;
    case CQENFrameSupport::notTranslated:
        return FALSE;
    default:
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
}

void CQENFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.HideWindowMenu();
}

// ---------------------------------------------------------------------------------------------------
// Messages

LRESULT CQENFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.RouteMnemonic(nChar))
        return (LRESULT)0xFFFF0002;
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CQENFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnFrameActivated(nState);
}

void CQENFrameWnd::OnClose()
{
    m_Impl.OnFrameClosing();
    CFrameWnd::OnClose();
}

void CQENFrameWnd::OnDestroy()
{
    m_Impl.DestroyAcceleratorTable();
    CFrameWnd::OnDestroy();
}

LRESULT CQENFrameWnd::OnToolbarCreate(WPARAM, LPARAM lParam)
{
    return m_Impl.OnCreateToolbarRequest(lParam);
}

LRESULT CQENFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.OnDeleteToolbarRequest(lParam);
}

void CQENFrameWnd::OnContextHelp()
{
    m_Impl.RunContextHelp(m_bContextHelp);
}

void CQENFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // A pick that found no help goes back to picking.
    if (m_bContextHelp && dwData == 0)
    {
        OnContextHelp();
        return;
    }
    CFrameWnd::WinHelp(dwData, nCmd);
}

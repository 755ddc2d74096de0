#include "QENOleIPFrameWnd.h"

#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"

IMPLEMENT_DYNCREATE(CQENOleIPFrameWnd, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CQENOleIPFrameWnd, COleIPFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_CREATE, OnToolbarCreate)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_DELETE, OnToolbarDelete)
END_MESSAGE_MAP()

CQENOleIPFrameWnd::CQENOleIPFrameWnd() : m_Impl(this), m_bContextHelp(FALSE)
{
}

CQENOleIPFrameWnd::~CQENOleIPFrameWnd() = default;

// ---------------------------------------------------------------------------------------------------
// Popup menu hooks

BOOL CQENOleIPFrameWnd::CanShowPopupMenu(CQENPopupMenu*)
{
    return TRUE;
}

void CQENOleIPFrameWnd::OnPopupMenuClosed(CQENPopupMenu* pPopup)
{
    m_Impl.NotePopupClosed(pPopup);
}

BOOL CQENOleIPFrameWnd::DrawMenuItemImage(CDC*, CQENToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CQENOleIPFrameWnd::MenuButtonToolHit(CQENToolbarMenuButton*, TOOLINFOA*)
{
    return FALSE;
}

BOOL CQENOleIPFrameWnd::GetButtonToolTipText(CQENToolbarButton*, CString&)
{
    return FALSE;
}

void CQENOleIPFrameWnd::DrawMenuSideImage(CDC*, CQENPopupMenu*, const CRect&)
{
}

BOOL CQENOleIPFrameWnd::CanTearOffMenu(CQENPopupMenu*, CControlBar*)
{
    return TRUE;
}

BOOL CQENOleIPFrameWnd::AnnouncePopupMenu(CQENPopupMenu* pPopup)
{
    if (!m_Impl.NotePopupShown(pPopup))
        return FALSE;
    return CanShowPopupMenu(pPopup);
}

void CQENOleIPFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_Impl.EnableDocking(dwDockStyle);
}

// ---------------------------------------------------------------------------------------------------
// Frame overrides

BOOL CQENOleIPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    if (!COleIPFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnFrameLoaded();
    return TRUE;
}

BOOL CQENOleIPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.ApplySavedPlacement(cs);
    return COleIPFrameWnd::PreCreateWindow(cs);
}

BOOL CQENOleIPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam, lParam))
    {
    case CQENFrameSupport::commandConsumed:
        return TRUE;
    case CQENFrameSupport::commandRefused:
        return FALSE;
    default:
        return COleIPFrameWnd::OnCommand(wParam, lParam);
    }
}

BOOL CQENOleIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterFrameMessage(pMsg))
    {
    case CQENFrameSupport::messageConsumed:
        return TRUE;
    case CQENFrameSupport::notTranslated:
        return FALSE;
    default:
        return COleIPFrameWnd::PreTranslateMessage(pMsg);
    }
}

void CQENOleIPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    COleIPFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.HideWindowMenu();
}

// ---------------------------------------------------------------------------------------------------
// Messages

LRESULT CQENOleIPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.RouteMnemonic(nChar))
        return (LRESULT)0xFFFF0002;
    return COleIPFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CQENOleIPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    COleIPFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnFrameActivated(nState);
}

void CQENOleIPFrameWnd::OnClose()
{
    m_Impl.OnFrameClosing();
    COleIPFrameWnd::OnClose();
}

void CQENOleIPFrameWnd::OnDestroy()
{
    m_Impl.DestroyAcceleratorTable();
    COleIPFrameWnd::OnDestroy();
}

LRESULT CQENOleIPFrameWnd::OnToolbarCreate(WPARAM, LPARAM lParam)
{
    return m_Impl.OnCreateToolbarRequest(lParam);
}

LRESULT CQENOleIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.OnDeleteToolbarRequest(lParam);
}

void CQENOleIPFrameWnd::OnContextHelp()
{
    m_Impl.RunContextHelp(m_bContextHelp);
}

void CQENOleIPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // A pick that found no help goes back to picking.
    if (m_bContextHelp && dwData == 0)
    {
        OnContextHelp();
        return;
    }
    COleIPFrameWnd::WinHelp(dwData, nCmd);
}

#include "QENOleDocIPFrameWnd.h"

#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"

IMPLEMENT_DYNCREATE(CQENOleDocIPFrameWnd, COleDocIPFrameWnd)

BEGIN_MESSAGE_MAP(CQENOleDocIPFrameWnd, COleDocIPFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_CREATE, OnToolbarCreate)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_DELETE, OnToolbarDelete)
END_MESSAGE_MAP()

CQENOleDocIPFrameWnd::CQENOleDocIPFrameWnd() : m_Impl(this), m_bContextHelp(FALSE)
{
}

CQENOleDocIPFrameWnd::~CQENOleDocIPFrameWnd() = default;

// ---------------------------------------------------------------------------------------------------
// Popup menu hooks

BOOL CQENOleDocIPFrameWnd::CanShowPopupMenu(CQENPopupMenu*)
{
    return TRUE;
}

void CQENOleDocIPFrameWnd::OnPopupMenuClosed(CQENPopupMenu* pPopup)
{
    m_Impl.NotePopupClosed(pPopup);
}

BOOL CQENOleDocIPFrameWnd::DrawMenuItemImage(CDC*, CQENToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CQENOleDocIPFrameWnd::MenuButtonToolHit(CQENToolbarMenuButton*, TOOLINFOA*)
{
    return FALSE;
}

BOOL CQENOleDocIPFrameWnd::GetButtonToolTipText(CQENToolbarButton*, CString&)
{
    return FALSE;
}

void CQENOleDocIPFrameWnd::DrawMenuSideImage(CDC*, CQENPopupMenu*, const CRect&)
{
}

BOOL CQENOleDocIPFrameWnd::CanTearOffMenu(CQENPopupMenu*, CControlBar*)
{
    return TRUE;
}

BOOL CQENOleDocIPFrameWnd::AnnouncePopupMenu(CQENPopupMenu* pPopup)
{
    if (!m_Impl.NotePopupShown(pPopup))
        return FALSE;
    return CanShowPopupMenu(pPopup);
}

void CQENOleDocIPFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_Impl.EnableDocking(dwDockStyle);
}

// ---------------------------------------------------------------------------------------------------
// Frame overrides

BOOL CQENOleDocIPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    if (!COleDocIPFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnFrameLoaded();
    return TRUE;
}

BOOL CQENOleDocIPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.ApplySavedPlacement(cs);
    return COleDocIPFrameWnd::PreCreateWindow(cs);
}

BOOL CQENOleDocIPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam, lParam))
    {
    case CQENFrameSupport::commandConsumed:
        return TRUE;
    case CQENFrameSupport::commandRefused:
        return FALSE;
    default:
        return COleDocIPFrameWnd::OnCommand(wParam, lParam);
    }
}

BOOL CQENOleDocIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterFrameMessage(pMsg))
    {
    case CQENFrameSupport::messageConsumed:
        return TRUE;
    case CQENFrameSupport::notTranslated:
        return FALSE;
    default:
        return COleDocIPFrameWnd::PreTranslateMessage(pMsg);
    }
}

void CQENOleDocIPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    COleDocIPFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    m_Impl.HideWindowMenu();
}

// ---------------------------------------------------------------------------------------------------
// Messages

LRESULT CQENOleDocIPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.RouteMnemonic(nChar))
        return (LRESULT)0xFFFF0002;
    return COleDocIPFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CQENOleDocIPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    COleDocIPFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnFrameActivated(nState);
}

void CQENOleDocIPFrameWnd::OnClose()
{
    m_Impl.OnFrameClosing();
    COleDocIPFrameWnd::OnClose();
}

void CQENOleDocIPFrameWnd::OnDestroy()
{
    m_Impl.DestroyAcceleratorTable();
    COleDocIPFrameWnd::OnDestroy();
}

LRESULT CQENOleDocIPFrameWnd::OnToolbarCreate(WPARAM, LPARAM lParam)
{
    return m_Impl.OnCreateToolbarRequest(lParam);
}

LRESULT CQENOleDocIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.OnDeleteToolbarRequest(lParam);
}

void CQENOleDocIPFrameWnd::OnContextHelp()
{
    m_Impl.RunContextHelp(m_bContextHelp);
}

void CQENOleDocIPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    // A pick that found no help goes back to picking.
    if (m_bContextHelp && dwData == 0)
    {
        OnContextHelp();
        return;
    }
    COleDocIPFrameWnd::WinHelp(dwData, nCmd);
}

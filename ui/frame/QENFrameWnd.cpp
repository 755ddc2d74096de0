#include "QENFrameWnd.h"

#include "QENCommandUsage.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"

IMPLEMENT_DYNCREATE(CQENFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CQENFrameWnd, CFrameWnd)
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_CREATE, OnToolbarCreate)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_DELETE, OnToolbarDelete)
END_MESSAGE_MAP()

namespace {

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

CPoint ClientPointToScreen(const MSG* pMsg)
{
    CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
    ::ClientToScreen(pMsg->hwnd, &pt);
    return pt;
}

} // namespace

CQENFrameWnd::CQENFrameWnd() : m_Impl(this)
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
    if (CQENPopupMenu::s_pActivePopupMenu == pPopup)
        CQENPopupMenu::s_pActivePopupMenu = NULL;
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
    if (HIWORD(wParam) == 1)
    {
        const UINT nCommandId = LOWORD(wParam);
        theCommandUsage.AddCommand(nCommandId);
        // An accelerator pressed while a popup menu is open is Escape for the popup.
        if (m_Impl.FilterKeyDown(VK_ESCAPE, NULL))
            return TRUE;
        if (CQENFrameServices::s_pActive != NULL && CQENFrameServices::s_pActive->RunUserTool(nCommandId))
            return TRUE;
    }
    if (CQENToolBar::s_bCustomizing)
        return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CQENFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    CQENPopupMenu* pPopup = CQENFrameSupport::ActivePopup();
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    {
        const BOOL bPlainF1 = pMsg->wParam == VK_F1 && !(pMsg->lParam & (1 << 30)) && !IsKeyDown(VK_SHIFT) &&
                              !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
        if (bPlainF1)
            break;
        BOOL bProcessAccel = TRUE;
        if (m_Impl.FilterKeyDown((UINT)pMsg->wParam, &bProcessAccel))
            return TRUE;
        if (!bProcessAccel)
            return FALSE;
        break;
    }
    case WM_SYSKEYDOWN:
        if (pPopup != NULL && pMsg->wParam == VK_MENU)
        {
            pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (m_Impl.FilterKeyDown((UINT)pMsg->wParam, NULL))
            return TRUE;
        break;
    case WM_SYSKEYUP:
    {
        CQENMenuBar* pMenuBar = m_Impl.MenuBar();
        if (pMenuBar != NULL && pMsg->wParam == VK_MENU)
        {
            if (::GetFocus() == pMenuBar->m_hWnd)
                SetFocus();
            else
                pMenuBar->SetFocus();
            return TRUE;
        }
        if (pPopup != NULL)
            return TRUE;
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    {
        const CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        if (m_Impl.FilterMouseClick(pMsg->message, pt, CWnd::FromHandle(pMsg->hwnd)))
            return TRUE;
        break;
    }
    case WM_MOUSEMOVE:
        if (m_Impl.FilterMouseMove(ClientPointToScreen(pMsg)))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    {
        const CPoint pt = ClientPointToScreen(pMsg);
        CWnd* pTarget = CWnd::FromHandle(pMsg->hwnd);
        if (m_Impl.FilterMouseClick(pMsg->message, pt, pTarget))
            return TRUE;
        if (pMsg->message == WM_RBUTTONUP && !CQENToolBar::s_bCustomizing && pTarget->IsKindOf(RUNTIME_CLASS(CDockBar)))
            SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(pt.x, pt.y));
        break;
    }
    default:
        break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CQENFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CQENMenuBar* pMenuBar = m_Impl.MenuBar();
    if (pMenuBar != NULL && pMenuBar->IsWindowVisible())
        ::SetMenu(m_hWnd, NULL);
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
    if (nState == WA_INACTIVE && !CQENToolBar::s_bCustomizing)
        m_Impl.OnFrameDeactivated();
    else if (nState == WA_CLICKACTIVE)
        UpdateWindow();
}

void CQENFrameWnd::OnClose()
{
    m_Impl.OnFrameClosing();
    CFrameWnd::OnClose();
}

void CQENFrameWnd::OnDestroy()
{
    // The keyboard manager may have put a table of its own in place of the resource's.
    if (m_hAccelTable != NULL)
    {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = NULL;
    }
    CFrameWnd::OnDestroy();
}

LRESULT CQENFrameWnd::OnToolbarCreate(WPARAM, LPARAM lParam)
{
    return (LRESULT)m_Impl.AddUserToolbar((LPCTSTR)lParam);
}

LRESULT CQENFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.RemoveUserToolbar(reinterpret_cast<CQENToolBar*>(lParam));
}

#include "MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_QUERYCENTERWND, OnQueryCenterWnd)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
{
}

CMiniFrameWnd::~CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (lpClassName == NULL)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                          (HBRUSH)(COLOR_BTNFACE + 1));
    m_strTitle = lpWindowName;
    BOOL bDefault = rect.left == CW_USEDEFAULT;
    // Only a child window has an id; for a popup the same argument would be a menu.
    HMENU hMenuOrID = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          bDefault ? CW_USEDEFAULT : rect.right - rect.left,
                          bDefault ? CW_USEDEFAULT : rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          hMenuOrID);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME))
        cs.style |= WS_THICKFRAME;
    if (cs.style & WS_CAPTION)
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    // A mini frame never names a document in its caption.
    cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle & (MFS_4THICKFRAME | MFS_THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    if (dwStyle & WS_CAPTION)
        dwExStyle |= WS_EX_TOOLWINDOW;
    dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, dwStyle & 0xFFFF0000, FALSE, dwExStyle);
}

void CMiniFrameWnd::ActivateTopParent()
{
    HWND hWndForeground = ::GetForegroundWindow();
    if (hWndForeground != NULL && (hWndForeground == m_hWnd || ::IsChild(hWndForeground, m_hWnd)))
        return;
    CWnd* pTopLevel = GetTopLevelParent();
    if (pTopLevel == NULL || pTopLevel->m_hWnd == m_hWnd)
        return;
    if (hWndForeground == NULL ||
        !(hWndForeground == pTopLevel->m_hWnd || ::IsChild(pTopLevel->m_hWnd, hWndForeground)))
        pTopLevel->SetForegroundWindow();
}

// ---------------------------------------------------------------------------------------------------
// Activation kept in step with the owner frame

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if (!(GetStyle() & MFS_SYNCACTIVE))
        return CFrameWnd::OnNcActivate(bActive);
    // The owner frame sets the caption through WM_FLOATSTATUS; the window's own activation does not.
    return TRUE;
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    DWORD dwStyle = GetStyle();
    LRESULT lResult = (dwStyle & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE) ? 1 : 0;

    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(NULL, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (dwStyle & MFS_SYNCACTIVE))
    {
        // Let the caption change once, with the style that holds it still lifted.
        BOOL bActive = (wParam & FS_ACTIVATE) != 0;
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, bActive);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return lResult;
}

// ---------------------------------------------------------------------------------------------------
// Hit testing, system commands, sizes

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    DWORD dwStyle = GetStyle();
    LRESULT nHit = CFrameWnd::OnNcHitTest(point);

    if (dwStyle & MFS_BLOCKSYSMENU)
    {
        if (nHit == HTSYSMENU)
            nHit = HTCAPTION;
        if (::GetKeyState(VK_RBUTTON) < 0)
            nHit = HTNOWHERE;
    }
    if (nHit < HTSIZEFIRST || nHit > HTSIZELAST)
        return nHit;
    if (dwStyle & MFS_MOVEFRAME)
        return HTCAPTION;
    if (dwStyle & MFS_4THICKFRAME)
    {
        // A corner is the side edge, or the top or bottom edge where the point is in that strip.
        CRect rectInside;
        GetWindowRect(&rectInside);
        rectInside.InflateRect(-::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
        switch (nHit)
        {
        case HTTOPLEFT:
            return point.y < rectInside.top ? HTTOP : HTLEFT;
        case HTTOPRIGHT:
            return point.y < rectInside.top ? HTTOP : HTRIGHT;
        case HTBOTTOMLEFT:
            return point.y >= rectInside.bottom ? HTBOTTOM : HTLEFT;
        case HTBOTTOMRIGHT:
            return point.y >= rectInside.bottom ? HTBOTTOM : HTRIGHT;
        default:
            break;
        }
    }
    return nHit;
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DWORD dwStyle = GetStyle();
    UINT nCommand = nID & 0xFFF0;
    BOOL bAltF4 = ::GetKeyState(VK_F4) < 0 && ::GetKeyState(VK_MENU) < 0;
    // Alt+F4 on a palette that shares the owner's activation closes the owner, as the user sees
    // one active application.
    if ((dwStyle & WS_POPUP) && (nCommand != SC_CLOSE || (bAltF4 && (dwStyle & MFS_SYNCACTIVE))) &&
        HandleFloatingSysCommand(nID, lParam))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}

BOOL CMiniFrameWnd::HandleFloatingSysCommand(UINT nID, LPARAM lParam)
{
    CWnd* pParent = GetTopLevelParent();
    if (pParent == NULL || pParent->m_hWnd == m_hWnd)
        return FALSE;
    switch (nID & 0xFFF0)
    {
    case SC_PREVWINDOW:
    case SC_NEXTWINDOW:
        if (LOWORD(lParam) != VK_F6)
            return FALSE;
        pParent->SetFocus();
        return TRUE;
    case SC_CLOSE:
    case SC_KEYMENU:
        // A keyboard menu request without a key comes from Alt+Tab; nothing to pass on.
        if ((nID & 0xFFF0) == SC_CLOSE || lParam != 0)
        {
            HWND hWndSelf = m_hWnd;
            HWND hWndFocus = ::GetFocus();
            HWND hWndParent = pParent->m_hWnd;
            ::SetActiveWindow(hWndParent);
            ::SendMessageA(hWndParent, WM_SYSCOMMAND, nID, lParam);
            // The command may have destroyed the owner and this window with it.
            if (::IsWindow(hWndSelf))
                ::SetActiveWindow(hWndSelf);
            if (::IsWindow(hWndFocus))
                ::SetFocus(hWndFocus);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    // As small as its borders and caption: the system's minimum is meant for ordinary windows.
    CRect rect(0, 0, 0, 0);
    CalcBorders(&rect, GetStyle(), GetExStyle());
    lpMMI->ptMinTrackSize.x = rect.Width();
    lpMMI->ptMinTrackSize.y = rect.Height();
}

LRESULT CMiniFrameWnd::OnQueryCenterWnd(WPARAM, LPARAM)
{
    // Dialogs centre on the frame the palette belongs to.
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner == NULL)
        hWndOwner = ::GetParent(m_hWnd);
    LRESULT lResult = hWndOwner != NULL ? ::SendMessageA(hWndOwner, WM_QUERYCENTERWND, 0, 0) : 0;
    return lResult != 0 ? lResult : (LRESULT)hWndOwner;
}

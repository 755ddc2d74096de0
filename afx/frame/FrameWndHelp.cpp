// CFrameWnd: context help (Shift+F1).
#include "FrameWnd.h"
#include "WinApp.h"

BOOL CFrameWnd::CanEnterHelpMode()
{
    return !m_bHelpMode && ::GetCapture() == NULL;
}

void CFrameWnd::ExitHelpMode()
{
    m_bHelpMode = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

LRESULT CFrameWnd::OnExitHelpMode(WPARAM, LPARAM)
{
    ExitHelpMode();
    return 0;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // In help mode a command chosen from a menu, a bar or by its key asks for its help instead.
    if (m_bHelpMode && lParam == 0 && LOWORD(wParam) != 0)
    {
        m_dwHelpContext = HID_BASE_COMMAND + LOWORD(wParam);
        m_bHelpPicked = TRUE;
        m_bHelpMode = FALSE;
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::HelpContextAt(CPoint ptScreen, DWORD& dwContext)
{
    dwContext = 0;
    HWND hWnd = ::WindowFromPoint(ptScreen);
    if (hWnd == NULL || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return FALSE;
    // The system passes over disabled controls; their parent still finds them.
    for (;;)
    {
        CPoint ptClient = ptScreen;
        ::ScreenToClient(hWnd, &ptClient);
        const HWND hChild = ::ChildWindowFromPointEx(hWnd, ptClient, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (hChild == NULL || hChild == hWnd)
            break;
        hWnd = hChild;
    }
    // The window clicked answers, else its parents in turn.
    for (; hWnd != NULL; hWnd = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : NULL)
    {
        const LRESULT nHit = ::SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
        if (nHit == HTTRANSPARENT)
            continue;
        if (nHit != HTCLIENT)
        {
            dwContext = HID_BASE_NCAREAS + (DWORD)nHit;
            return TRUE;
        }
        CPoint ptClient = ptScreen;
        ::ScreenToClient(hWnd, &ptClient);
        const LRESULT lContext = ::SendMessageA(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y));
        if (lContext != 0)
        {
            dwContext = (DWORD)lContext;
            return TRUE;
        }
    }
    dwContext = m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0;
    return TRUE;
}

BOOL CFrameWnd::PickForHelp(const MSG& msg, HCURSOR hcurHelp, BOOL& bPicking)
{
    switch (msg.message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (msg.wParam != VK_ESCAPE)
            return FALSE;   // menus are still reached by their keys
        m_bHelpMode = FALSE;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    {
        DWORD dwContext = 0;
        if (!HelpContextAt(msg.pt, dwContext))
        {
            m_bHelpMode = FALSE;
            return TRUE;
        }
        if (dwContext == (DWORD)-1)
        {
            bPicking = FALSE;
            ::ReleaseCapture();
            return TRUE;
        }
        m_dwHelpContext = dwContext;
        m_bHelpPicked = TRUE;
        m_bHelpMode = FALSE;
        return TRUE;
    }
    default:
        break;
    }
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK))
    {
        ::SetCursor(hcurHelp);
        return TRUE;
    }
    return FALSE;
}

void CFrameWnd::OnContextHelp()
{
    if (!CanEnterHelpMode())
        return;
    m_bHelpMode = TRUE;
    m_bHelpPicked = FALSE;
    m_dwHelpContext = 0;
    const HCURSOR hcurHelp = ::LoadCursorA(NULL, (LPCSTR)IDC_HELP);
    SetCapture();
    ::SetCursor(hcurHelp);

    BOOL bPicking = TRUE;
    CWinThread* pThread = AfxGetThread();
    while (m_bHelpMode)
    {
        if (bPicking && ::GetCapture() != m_hWnd)
            break;
        MSG msg;
        if (!::GetMessageA(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (bPicking && PickForHelp(msg, hcurHelp, bPicking))
            continue;
        if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    const BOOL bPicked = m_bHelpPicked;
    const DWORD dwContext = m_dwHelpContext;
    m_bHelpPicked = FALSE;
    ExitHelpMode();
    if (bPicked)
        WinHelp(dwContext);
}

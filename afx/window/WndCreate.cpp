// Window classes, the creation hook and CWnd::CreateEx.
#include "Wnd.h"
#include "Exception.h"
#include "ThreadState.h"

#include <set>
#include <string>

const TCHAR _afxWnd[] = "AfxWnd";
const TCHAR _afxWndFrameOrView[] = "AfxFrameOrView";
const TCHAR _afxWndControlBar[] = "AfxControlBar";

// ---------------------------------------------------------------------------------------------------
// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA wndcls;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The names stay valid for the life of the program, so callers may keep the pointer.
    static std::set<std::string> registeredNames;

    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[96];
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        wsprintfA(szName, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        wsprintfA(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
                  (void*)hbrBackground, (void*)hIcon);

    LPCTSTR lpszName = registeredNames.insert(szName).first->c_str();
    WNDCLASSA wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

// Registers the framework's own named classes the first time one is asked for.
static BOOL AfxEnsureFrameworkClass(LPCTSTR lpszClassName)
{
    WNDCLASSA wndcls = {};
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wndcls.lpszClassName = lpszClassName;
    if (lstrcmpA(lpszClassName, _afxWnd) == 0)
        wndcls.style = CS_DBLCLKS;
    else if (lstrcmpA(lpszClassName, _afxWndFrameOrView) == 0)
    {
        wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wndcls.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wndcls.hIcon = ::LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    }
    else if (lstrcmpA(lpszClassName, _afxWndControlBar) == 0)
    {
        wndcls.style = CS_DBLCLKS;
        wndcls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    }
    else
        return TRUE;
    return AfxRegisterClass(&wndcls);
}

// ---------------------------------------------------------------------------------------------------
// Creation hook: the new window is attached and subclassed before it receives WM_NCCREATE.

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code != HCBT_CREATEWND || pState->m_pWndInit == NULL)
        return ::CallNextHookEx(pState->m_hHookCbtFilter, code, wParam, lParam);

    HWND hWnd = (HWND)wParam;
    // The system may create an input-method window of its own first; that one is not ours.
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) != 0 && lstrcmpiA(szClass, "IME") == 0)
        return ::CallNextHookEx(pState->m_hHookCbtFilter, code, wParam, lParam);

    CWnd* pWndInit = pState->m_pWndInit;
    pState->m_pWndInit = NULL;
    pWndInit->Attach(hWnd);
    pWndInit->PreSubclassWindow();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldWndProc != AfxWndProc)
        pWndInit->m_pfnSuper = oldWndProc;
    return ::CallNextHookEx(pState->m_hHookCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookCbtFilter == NULL)
    {
        pState->m_hHookCbtFilter = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (pState->m_hHookCbtFilter == NULL)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookCbtFilter != NULL)
    {
        ::UnhookWindowsHookEx(pState->m_hHookCbtFilter);
        pState->m_hHookCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL)
    {
        pState->m_pWndInit = NULL;
        return FALSE;   // the hook never saw the window
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Creation

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    if (cs.lpszClass != NULL && !IS_INTRESOURCE(cs.lpszClass))
        AfxEnsureFrameworkClass(cs.lpszClass);

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                  cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // creation failed before the window existed
    if (hWnd == NULL)
        return FALSE;
    ASSERT(hWnd == m_hWnd);
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxEnsureFrameworkClass(_afxWnd);
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

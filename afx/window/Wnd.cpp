#include "Wnd.h"
#include "CmdUI.h"
#include "DC.h"
#include "Exception.h"
#include "GdiObject.h"
#include "Menu.h"
#include "ThreadState.h"
#include "ToolTipCtrl.h"
#include "WinApp.h"

#include <set>
#include <stdlib.h>
#include <string>

const TCHAR _afxWnd[] = "AfxWnd";
const TCHAR _afxWndFrameOrView[] = "AfxFrameOrView";
const TCHAR _afxWndControlBar[] = "AfxControlBar";

// ---------------------------------------------------------------------------------------------------
// Thread state and handle maps

namespace {

CWnd* CreateTempWnd(HWND hWnd)
{
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    return pWnd;
}

void DeleteTempWnd(CWnd* pWnd)
{
    pWnd->m_hWnd = NULL;
    delete pWnd;
}

CMenu* CreateTempMenu(HMENU hMenu)
{
    CMenu* pMenu = new CMenu;
    pMenu->m_hMenu = hMenu;
    return pMenu;
}

void DeleteTempMenu(CMenu* pMenu)
{
    pMenu->m_hMenu = NULL;
    delete pMenu;
}

} // namespace

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_mapHWND(CreateTempWnd, DeleteTempWnd), m_mapHMENU(CreateTempMenu, DeleteTempMenu)
{
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    if (m_hHookCbtFilter != NULL)
        ::UnhookWindowsHookEx(m_hHookCbtFilter);
    delete m_pToolTip;
}

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE state;
    return &state;
}

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
// The window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        // Exceptions must not unwind through the system's message dispatch.
        CWinThread* pThread = AfxGetThread();
        lResult = pThread != NULL ? pThread->ProcessWndProcException(e, &pState->m_lastSentMsg)
                                  : AfxProcessWndProcException(e, &pState->m_lastSentMsg);
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

void AFXAPI AfxSendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                        BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != NULL)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        }
        else
            ::SendMessageA(hWndChild, message, wParam, lParam);

        if (bDeep && ::GetTopWindow(hWndChild) != NULL)
            AfxSendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------------------------------------------
// CWnd

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// Default handlers that do more than pass the message on: destruction, reflection to controls and
// colour changes reaching child windows.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_PARENTNOTIFY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
    : m_hWnd(NULL), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0), m_nFlags(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0), m_nFlags(0)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        // Destroying the C++ object first: the window must not live on with a dangling wrapper.
        DestroyWindow();
    }
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return AfxGetThreadState()->m_mapHWND.FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != NULL ? AfxGetThreadState()->m_mapHWND.LookupPermanent(hWnd) : NULL;
}

void PASCAL CWnd::DeleteTempMap()
{
    AfxGetThreadState()->m_mapHWND.DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    return CHandleMap<CWnd, HWND>::Attach(&AfxGetThreadState()->m_mapHWND, this, m_hWnd, hWndNew);
}

HWND CWnd::Detach()
{
    return CHandleMap<CWnd, HWND>::Detach(&AfxGetThreadState()->m_mapHWND, this, m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldWndProc != AfxWndProc && m_pfnSuper == NULL)
        m_pfnSuper = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL)
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        m_pfnSuper = NULL;
    }
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

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

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWnd* pWnd = pState->m_mapHWND.LookupPermanent(m_hWnd);
    HWND hWndOrig = m_hWnd;
    BOOL bResult = ::DestroyWindow(m_hWnd);

    // 'this' may be gone now (PostNcDestroy deletes self-owning windows). A permanent wrapper that is
    // still mapped never saw its WM_NCDESTROY (the window was not subclassed by us): detach it.
    if (pWnd != NULL)
    {
        if (pState->m_mapHWND.LookupPermanent(hWndOrig) == pWnd)
        {
            pWnd->m_pfnSuper = NULL;
            pWnd->Detach();
            ASSERT(pWnd == this);
        }
    }
    else
        Detach();
    return bResult;
}

void CWnd::PostNcDestroy()
{
}

// ---------------------------------------------------------------------------------------------------
// Message processing

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

namespace {

// Records what an update handler does without touching any menu or window.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL)
    {
        // A menu item or accelerator: ignore a command whose item has become disabled meanwhile.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;   // the control handled its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    // A tool that is a window is named by its handle; the handlers go by its control id.
    UINT nID = (UINT)pNMHDR->idFrom;
    if (pNMHDR->code == TTN_NEEDTEXTA && (((NMTTDISPINFOA*)pNMHDR)->uFlags & TTF_IDISHWND))
        nID = ::GetDlgCtrlID((HWND)pNMHDR->idFrom);

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return pWnd->OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// Parameter block of a reflected WM_CTLCOLORxxx.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    }

    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        AFX_CTLCOLOR ctl;
        ctl.hWnd = m_hWnd;
        ctl.hDC = (HDC)wParam;
        ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
        LRESULT lResult = 0;
        BOOL bHandled = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult);
        // A handler that returns no brush leaves the colours to the parent.
        if (bHandled && lResult != 0)
        {
            if (pResult != NULL)
                *pResult = lResult;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* lpEntry = NULL;
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL && lpEntry == NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        if (message < 0xC000)
            lpEntry = FindMessageEntry(pMap->lpEntries, nLookup, 0, 0);
        else
        {
            for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
            {
                if (p->nMessage == AFX_REGISTERED_MESSAGE_TAG && *(const UINT*)p->nSig == message)
                {
                    lpEntry = p;
                    break;
                }
            }
        }
    }
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    LRESULT lResult = 0;
    UINT_PTR nSig = lpEntry->nMessage == AFX_REGISTERED_MESSAGE_TAG ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;

    switch (nSig)
    {
    case AfxSig_lwl:
        lResult = (this->*AfxFunctionCast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vv:
        (this->*pfn)();
        break;
    case AfxSig_bv:
        lResult = (this->*AfxFunctionCast<BOOL (CCmdTarget::*)()>(pfn))();
        break;
    case AfxSig_is:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_vwii:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                                     (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (this->*AfxFunctionCast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vwpRECT:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_bD:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vt:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vwp:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CPoint)>(pfn))(
            (UINT)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_bwsp:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_lp:
        lResult = (this->*AfxFunctionCast<LRESULT (CWnd::*)(CPoint)>(pfn))(
            CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_vbNCCALC:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                                                (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_bWww:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_iWww:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwww:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam),
                                                                        HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*AfxFunctionCast<void (CWnd::*)(CWnd*)>(pfn))(
            FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
        break;
    case AfxSig_vwWb:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle((HWND)lParam),
                                                                         HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_bb:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vb:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vbw:
        (this->*AfxFunctionCast<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vPOS:
        (this->*AfxFunctionCast<void (CWnd::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vMINMAX:
        (this->*AfxFunctionCast<void (CWnd::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(this->*AfxFunctionCast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_hDw:
    {
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        lResult = (LRESULT)(this->*AfxFunctionCast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        break;
    }
    case AfxSig_vOWNER:
        (this->*AfxFunctionCast<void (CWnd::*)(int, LPARAM)>(pfn))((int)wParam, lParam);
        lResult = TRUE;
        break;
    case AfxSig_iOWNER:
        lResult = (this->*AfxFunctionCast<int (CWnd::*)(int, LPARAM)>(pfn))((int)wParam, lParam);
        break;
    case AfxSig_vOWNERREFLECT:
        (this->*AfxFunctionCast<void (CWnd::*)(LPARAM)>(pfn))(lParam);
        lResult = TRUE;
        break;
    case AfxSig_vwl:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vMwb:
        (this->*AfxFunctionCast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lwwM:
        lResult = (this->*AfxFunctionCast<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_vwwh:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                         (HMENU)lParam);
        break;
    case AfxSig_vwW:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, FromHandle((HWND)lParam));
        break;
    case AfxSig_vWp:
        (this->*AfxFunctionCast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(
            FromHandle((HWND)wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        break;
    case AfxSig_vwwx:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), (CScrollBar*)FromHandle((HWND)lParam));
        break;
    case AfxSig_vws:
        (this->*AfxFunctionCast<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_vh:
        (this->*AfxFunctionCast<void (CWnd::*)(HDROP)>(pfn))((HDROP)wParam);
        break;
    case AfxSig_wv:
        lResult = (this->*AfxFunctionCast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_viSTYLE:
        (this->*AfxFunctionCast<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_bHELPINFO:
        lResult = (this->*AfxFunctionCast<BOOL (CWnd::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
        break;
    default:
        ASSERT(FALSE);
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else if (!DispatchMapMessage(message, wParam, lParam, &lResult))
        return FALSE;

    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Modal loops

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = &pThread->m_msgCur;

    for (;;)
    {
        while (bIdle && !::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        do
        {
            if (!pThread->PumpMessage())
            {
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
            {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (pThread->IsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
}

int CWnd::RunModalWindow(HWND hWndOwner, const std::function<BOOL()>& createWindow)
{
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner))
    {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try
    {
        // Ending the run while being created (EndDialog in OnInitDialog) leaves no loop to run.
        if (createWindow() && (m_nFlags & WF_CONTINUEMODAL))
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    catch (CException* e)
    {
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    // The owner is enabled before the window goes, so that activation returns to it.
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}

// ---------------------------------------------------------------------------------------------------
// Parents, owners and frames

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

static HWND AfxGetParentOwner(HWND hWnd)
{
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    for (CWnd* pParentWnd = GetParent(); pParentWnd != NULL; pParentWnd = pParentWnd->GetParent())
    {
        if (pParentWnd->IsFrameWnd())
            return reinterpret_cast<CFrameWnd*>(pParentWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == NULL)
        return NULL;
    const CWnd* pFrameWnd = IsFrameWnd() ? this : reinterpret_cast<const CWnd*>(GetParentFrame());
    if (pFrameWnd != NULL)
    {
        while (CFrameWnd* pParentFrame = pFrameWnd->GetParentFrame())
            pFrameWnd = reinterpret_cast<const CWnd*>(pParentFrame);
    }
    return reinterpret_cast<CFrameWnd*>(const_cast<CWnd*>(pFrameWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = AfxGetParentOwner(hWndParent)) != NULL)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const
{
    if (m_hWnd == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLongA(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();

    // A popup cannot be owned by a child window.
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;

    if (pParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (pWndTop != NULL)
    {
        if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd)
        {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        }
        else
            *pWndTop = NULL;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
    if (hWndChild != NULL)
    {
        if (::GetTopWindow(hWndChild) != NULL)
        {
            // The direct child may itself hold a window of the same id deeper down.
            CWnd* pWndDeep = FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
            if (pWndDeep != NULL)
                return pWndDeep;
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != NULL)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetTopWindow(hWndChild) != NULL)
        {
            CWnd* pWnd = FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
            if (pWnd != NULL)
                return pWnd;
        }
    }
    return NULL;
}

// ---------------------------------------------------------------------------------------------------
// Styles, text, geometry

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    int nGot = ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLen + 1), nLen + 1);
    rString.ReleaseBuffer(nGot);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != NULL)
    {
        int nLen = ::GetWindowTextLengthA(hWnd);
        int nGot = ::GetWindowTextA(hWnd, rString.GetBuffer(nLen + 1), nLen + 1);
        rString.ReleaseBuffer(nGot);
    }
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (pAlternateOwner == NULL)
    {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != NULL)
        {
            // Let a window that delegates centring (a floating frame, for one) name its stand-in.
            HWND hWndTemp = (HWND)::SendMessageA(hWndCenter, WM_QUERYCENTERWND, 0, 0);
            if (hWndTemp != NULL)
                hWndCenter = hWndTemp;
        }
    }

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD))
    {
        if (hWndCenter != NULL)
        {
            DWORD dwCenterStyle = (DWORD)::GetWindowLongA(hWndCenter, GWL_STYLE);
            if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
                hWndCenter = NULL;
        }
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoA(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == NULL)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout->hDWP != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = nFlag != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != NULL)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nFlag == reposQuery)
    {
        ASSERT(lpRectParam != NULL);
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != NULL)
    {
        if (nFlag == reposExtra)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------------------------------
// Painting, menus and the rest of the wrappers

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------------------------------
// Tool tips

namespace {

// Takes the tool the thread's tip was set up for out of it.
void ReleaseLastTool(AFX_THREAD_STATE* pState)
{
    CToolTipCtrl* pTip = pState->m_pToolTip;
    if (pState->m_hWndLastHit != NULL && pTip != NULL && pTip->m_hWnd != NULL)
    {
        pTip->SendMessage(TTM_DELTOOLA, 0, (LPARAM)&pState->m_lastInfo);
        pTip->Activate(FALSE);
    }
    pState->m_hWndLastHit = NULL;
    pState->m_nLastHit = -1;
}

bool IsToolTipCancelMessage(UINT message)
{
    switch (message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        if (pState->m_hWndLastHit == m_hWnd)
            ReleaseLastTool(pState);
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    // Labels (id 0 or -1) are no tools.
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || (WORD)nID == 0xFFFF)
        return -1;
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    UINT message = pMsg->message;
    if (IsToolTipCancelMessage(message))
    {
        if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
            pState->m_pToolTip->Pop();
        return;
    }
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONUP &&
        message != WM_RBUTTONUP && message != WM_MBUTTONUP)
        return;

    // The tip belongs to the top-level window, so that it shows above it and goes with it.
    if (pState->m_pToolTip == NULL)
        pState->m_pToolTip = new CToolTipCtrl;
    CToolTipCtrl* pTip = pState->m_pToolTip;
    HWND hWndTop = GetTopLevelParent()->GetSafeHwnd();
    if (pTip->m_hWnd != NULL && ::GetWindow(pTip->m_hWnd, GW_OWNER) != hWndTop)
        pTip->DestroyWindow();
    if (pTip->m_hWnd == NULL)
    {
        pState->m_hWndLastHit = NULL;
        pState->m_nLastHit = -1;
        if (!pTip->Create(FromHandle(hWndTop), TTS_ALWAYSTIP))
            return;
    }

    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFOA ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (nHit != pState->m_nLastHit || m_hWnd != pState->m_hWndLastHit)
    {
        ReleaseLastTool(pState);
        if (nHit != -1)
        {
            if (ti.hwnd == NULL)
                ti.hwnd = m_hWnd;
            if (ti.lpszText == NULL)
                ti.lpszText = LPSTR_TEXTCALLBACK;
            pTip->SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
            pTip->Activate(TRUE);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = NULL;
            pState->m_hWndLastHit = m_hWnd;
            pState->m_nLastHit = nHit;
        }
    }
    if (ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);

    if (pState->m_hWndLastHit == m_hWnd)
    {
        // The tip finds a window tool by the message's window, others by their window and rectangle.
        const TOOLINFOA& tool = pState->m_lastInfo;
        MSG msg = *pMsg;
        msg.hwnd = (tool.uFlags & TTF_IDISHWND) ? (HWND)tool.uId : tool.hwnd;
        CPoint pointTool = pMsg->pt;
        ::ScreenToClient(msg.hwnd, &pointTool);
        msg.lParam = MAKELPARAM(pointTool.x, pointTool.y);
        if (msg.message == WM_NCMOUSEMOVE)
            msg.message = WM_MOUSEMOVE;
        pTip->RelayEvent(&msg);
    }
}

// ---------------------------------------------------------------------------------------------------
// Default message handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this)
    {
        // The main window going away ends the application's message loop.
        if (pThread == AfxGetApp())
            ::PostQuitMessage(0);
        pThread->m_pMainWnd = NULL;
    }

    WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    if ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == pfnWndProc && m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    // The object may be used for another window; it must not call this one's procedure.
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult;
    if (pWnd->m_hWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = AfxGetThreadState()->m_mapHMENU.LookupPermanent((HMENU)lpDrawItemStruct->hwndItem);
        if (pMenu != NULL)
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU)
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, (int)lpMeasureItemStruct->CtlID);
        if (hWndChild != NULL && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(AfxSafeHwnd(reinterpret_cast<CWnd*>(pScrollBar))))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && ReflectLastMsg(AfxSafeHwnd(reinterpret_cast<CWnd*>(pScrollBar))))
        return;
    Default();
}

void CWnd::OnSysColorChange()
{
    // Top-level windows pass the change on to every framework window below them.
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

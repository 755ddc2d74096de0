#include "MDIChildWnd.h"
#include "CreateContext.h"
#include "Document.h"
#include "MDIFrameWnd.h"
#include "MultiDocTemplate.h"
#include "View.h"
#include "WinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_bWasMaximized(FALSE)
{
}

// ---------------------------------------------------------------------------------------------------
// Creation

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
    {
        PostNcDestroy();
        return FALSE;
    }

    m_strTitle = lpszWindowName;
    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    const BOOL bDefault = rect.left == CW_USEDEFAULT;
    cs.x = rect.left;
    cs.y = bDefault ? CW_USEDEFAULT : rect.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    // The client makes the window; the class must exist before it asks for it.
    WNDCLASSA wndcls;
    if (!::GetClassInfoA(cs.hInstance, cs.lpszClass, &wndcls))
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1), ::LoadIconA(NULL, (LPCSTR)IDI_APPLICATION));

    MDICREATESTRUCTA mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // creation failed before the window existed
    if (hWnd == NULL)
        return FALSE;
    // The client shows every child it makes; the style decides how.
    if (cs.style & WS_MAXIMIZE)
        pParentWnd->MDIMaximize(this);
    if (!(cs.style & WS_VISIBLE))
        ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFullString, 0);

    // A frame made by a template starts hidden: the template's initial update shows it.
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    CString strTitle = m_strTitle;
    if (!Create(IconFrameClass(nIDResource), strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, pFrame,
                pContext))
        return FALSE;   // the frame has deleted itself

    CMultiDocTemplate* pTemplate =
        pContext != NULL ? DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate) : NULL;
    if (pTemplate != NULL)
    {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    else
        LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The client passes the create context inside its own structure.
    CREATESTRUCTA cs = *lpCreateStruct;
    const MDICREATESTRUCTA* pMcs = static_cast<const MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    cs.lpCreateParams = pMcs != NULL ? (LPVOID)pMcs->lParam : NULL;
    return CFrameWnd::OnCreate(&cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The frame's title follows the child that is active once this one is gone (and deleted).
    CMDIFrameWnd* pFrame = GetMDIFrame();
    MDIDestroy();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(TRUE);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// The client's operations on this child

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    return hClient != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hClient))) : NULL;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    // The client shows a new child maximized while the active one is.
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    MDIActivate();
}

// ---------------------------------------------------------------------------------------------------
// Activation, menu and title

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    const HWND hActivate = (HWND)lParam;
    const BOOL bActivate = hActivate == m_hWnd;

    CView* pView = GetActiveView();
    if (pView != NULL)
        pView->OnActivateView(bActivate, pView, pView);
    // The next child puts its own menu up; only the last one going hands the frame its default.
    if (bActivate || hActivate == NULL)
        OnUpdateFrameMenu(bActivate, CWnd::FromHandle(hActivate), NULL);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && (bActivate || hActivate == NULL))
        pFrame->OnUpdateFrameTitle(TRUE);
    return lResult;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    HMENU hMenu = hMenuAlt;
    if (bActivate)
    {
        CDocument* pDocument = GetActiveDocument();
        if (hMenu == NULL && pDocument != NULL)
            hMenu = pDocument->GetDefaultMenu();
        if (hMenu == NULL)
            hMenu = m_hMenuShared;
    }
    if (hMenu == NULL)
        hMenu = pFrame->m_hMenuDefault;
    pFrame->ShowFrameMenu(hMenu);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // A child is titled by its document alone, numbered when the document has several frames.
    CDocument* pDocument = GetActiveDocument();
    if ((GetStyle() & FWS_ADDTOTITLE) && bAddToTitle && pDocument != NULL)
    {
        CString strText = pDocument->GetTitle();
        if (m_nWindow > 0)
        {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strText += strNumber;
        }
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strText)
        {
            SetWindowText(strText);
            // The client's entry in the window menu was made with the title the frame had then.
            ::SendMessageA(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
        }
    }
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    // The frame's title names the document only while no child is maximized.
    const BOOL bMaximized = nType == SIZE_MAXIMIZED;
    if (bMaximized != m_bWasMaximized)
    {
        m_bWasMaximized = bMaximized;
        CMDIFrameWnd* pFrame = GetMDIFrame();
        if (pFrame != NULL)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CWnd* pBar = CFrameWnd::GetMessageBar();
    if (pBar != NULL)
        return pBar;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame != NULL ? pFrame->GetMessageBar() : NULL;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // The keys are the MDI frame's to translate, with this child's table.
    return CWnd::PreTranslateMessage(pMsg);
}

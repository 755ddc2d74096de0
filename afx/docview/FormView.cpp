#include "FormView.h"
#include "FrameWnd.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CFormView, CView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pCreateContext(NULL), m_hWndFocus(NULL)
{
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       void* pContext)
{
    // The border and edge wanted of a view, worked out as for any view; the template gives the rest.
    CREATESTRUCT cs = {};
    cs.style = dwRequestedStyle != 0 ? dwRequestedStyle : AFX_WS_DEFAULT_VIEW;
    if (!PreCreateWindow(cs))
        return FALSE;

    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    LPCDLGTEMPLATE lpTemplate = hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
    if (lpTemplate == NULL)
    {
        PostNcDestroy();
        return FALSE;
    }

    // The dialog's WM_CREATE cannot carry the context; OnCreate picks it up from here.
    m_pCreateContext = pContext;
    BOOL bCreated = CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
    if (!bCreated)
        return FALSE;
    m_pCreateContext = NULL;

    ModifyStyle(WS_BORDER | WS_CAPTION, cs.style & (WS_BORDER | WS_CAPTION));
    ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SetDlgCtrlID((int)nID);

    CRect rectForm;
    GetClientRect(&rectForm);
    m_sizeForm = rectForm.Size();

    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    lpCreateStruct->lpCreateParams = m_pCreateContext;
    return CView::OnCreate(lpCreateStruct);
}

void CFormView::OnDraw(CDC*)
{
    // The controls draw themselves; the dialog paints the background.
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

void CFormView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;

    CRect rectClient;
    GetClientRect(&rectClient);
    CSize sizeWanted = m_sizeForm;
    if (bShrinkOnly)
    {
        sizeWanted.cx = sizeWanted.cx < rectClient.Width() ? sizeWanted.cx : rectClient.Width();
        sizeWanted.cy = sizeWanted.cy < rectClient.Height() ? sizeWanted.cy : rectClient.Height();
    }

    // The frame grows or shrinks by as much as the view should.
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + sizeWanted.cx - rectClient.Width(),
                         rectFrame.Height() + sizeWanted.cy - rectClient.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CFormView::SaveFocusControl()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus))
    {
        m_hWndFocus = hWndFocus;
        return TRUE;
    }
    return FALSE;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    // The focus is on one of the form's controls already: leave it there.
    if (SaveFocusControl())
        return;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd*)
{
    if (nState == WA_INACTIVE)
        SaveFocusControl();
}

void CFormView::OnSetFocus(CWnd*)
{
    // Back to the control that had the focus last, or the dialog's own choice.
    if (m_hWndFocus != NULL && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus))
        ::SetFocus(m_hWndFocus);
    else
    {
        m_hWndFocus = NULL;
        Default();
    }
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;

    // Dialog navigation would swallow the frames' accelerators: offer the keys to them first.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame())
    {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }

    if (::GetWindow(m_hWnd, GW_CHILD) == NULL)
        return FALSE;
    BOOL bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                  (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return bInput && ::IsDialogMessageA(m_hWnd, pMsg);
}

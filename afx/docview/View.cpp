#include "View.h"
#include "DC.h"
#include "Document.h"
#include "FrameWnd.h"
#include "PrintInfo.h"
#include "WinApp.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView()
    : m_pDocument(NULL)
{
}

CView::~CView()
{
    if (m_pDocument != NULL)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = _afxWndFrameOrView;
    // The frame's client edge looks better than a flat border around the view.
    if (cs.style & WS_BORDER)
    {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy()
{
    delete this;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

BOOL CView::IsSelected(const CObject*) const
{
    return FALSE;
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // A document that did not say how long it is prints one page.
    if (pInfo != NULL)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    // Take the focus only while the view's top-level window is the one the user works in.
    if (bActivate)
    {
        HWND hWndTop = GetTopLevelParent()->GetSafeHwnd();
        if (hWndTop != NULL && ::GetForegroundWindow() == ::GetLastActivePopup(hWndTop))
            SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;

    // A click makes this the frame's active view, or gives an already active view its focus back.
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL)
    {
        HWND hWndFocus = ::GetFocus();
        if (pParentFrame->GetActiveView() == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------------------------------
// Printing

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    PRINTDLGA& pd = pInfo->m_pd;
    if (pd.nMinPage > pd.nMaxPage)
        pd.nMaxPage = pd.nMinPage;
    pd.nFromPage = (WORD)pInfo->GetMinPage();
    pd.nToPage = (WORD)pInfo->GetMaxPage();
    pd.hwndOwner = CWnd::GetSafeOwner(NULL, NULL)->GetSafeHwnd();

    if (pInfo->m_bDirect || pInfo->m_bPreview)
    {
        // No dialog: the default printer, as it is set up.
        if (pd.hDC == NULL)
        {
            DWORD dwFlags = pd.Flags;
            pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
            BOOL bFound = ::PrintDlgA(&pd);
            pd.Flags = dwFlags;
            if (!bFound)
                return FALSE;
        }
    }
    else if (!::PrintDlgA(&pd))
        return FALSE;
    return pd.hDC != NULL;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    printInfo.m_bDirect = LOWORD(GetCurrentMessage()->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&printInfo) || printInfo.m_pd.hDC == NULL)
        return;

    CString strTitle;
    if (m_pDocument != NULL)
        strTitle = m_pDocument->GetTitle();
    else if (GetParentFrame() != NULL)
        GetParentFrame()->GetWindowText(strTitle);
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;

    // The DC stays the print information's; the wrapper only borrows it.
    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pd.hDC);
    OnBeginPrinting(&dcPrint, &printInfo);
    if (::StartDocA(dcPrint.m_hDC, &docInfo) <= 0)
    {
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }

    // OnPrint may learn the length of the document and set the last page while printing.
    BOOL bError = FALSE;
    UINT nToPage = printInfo.GetToPage();
    for (printInfo.m_nCurPage = printInfo.GetFromPage();
         printInfo.m_nCurPage <= nToPage && printInfo.m_nCurPage <= printInfo.GetMaxPage(); printInfo.m_nCurPage++)
    {
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting)
            break;
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        if (::StartPage(dcPrint.m_hDC) <= 0)
        {
            bError = TRUE;
            break;
        }
        OnPrepareDC(&dcPrint, &printInfo);   // starting a page resets the DC's attributes
        OnPrint(&dcPrint, &printInfo);
        if (::EndPage(dcPrint.m_hDC) <= 0)
        {
            bError = TRUE;
            break;
        }
    }
    if (bError)
        ::AbortDoc(dcPrint.m_hDC);
    else
        ::EndDoc(dcPrint.m_hDC);
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
}

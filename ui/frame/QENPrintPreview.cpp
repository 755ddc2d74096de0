#include "QENPrintPreview.h"

#include "QENDrawingCache.h"

namespace {

// An A4 sheet in tenths of a millimetre.
const int kA4Width = 2100;
const int kA4Height = 2970;

const int kButtonWidth = 88;
const int kButtonHeight = 24;
const int kGap = 8;
// The grey border around the page and the page's shadow.
const int kPageMargin = 16;
const int kShadow = 4;

} // namespace

BEGIN_MESSAGE_MAP(CQENPrintPreview, CWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_BN_CLICKED(kPrintButtonId, OnPrintButton)
    ON_BN_CLICKED(kCloseButtonId, OnCloseButton)
END_MESSAGE_MAP()

CQENPrintPreview::CQENPrintPreview() : m_hPage(NULL), m_sizePage(0, 0), m_bPrinter(FALSE), m_hWndView(NULL)
{
}

CQENPrintPreview::~CQENPrintPreview()
{
    if (m_hPage != NULL)
        ::DeleteEnhMetaFile(m_hPage);
}

void CQENPrintPreview::PostNcDestroy()
{
    delete this;
}

CQENPrintPreview* PASCAL CQENPrintPreview::Show(CView* pView)
{
    if (pView == NULL || pView->GetSafeHwnd() == NULL)
        return NULL;
    CQENPrintPreview* pPreview = new CQENPrintPreview;
    if (!pPreview->RecordPage(pView))
    {
        delete pPreview;
        return NULL;
    }
    pPreview->m_hWndView = pView->m_hWnd;

    // Most of the work area, over the frame the view lives in.
    CWnd* pOwner = pView->GetTopLevelParent();
    CRect rectWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rect(0, 0, rectWork.Width() * 3 / 5, rectWork.Height() * 4 / 5);
    rect.OffsetRect(rectWork.left + (rectWork.Width() - rect.Width()) / 2,
                    rectWork.top + (rectWork.Height() - rect.Height()) / 2);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    // A failed creation has deleted the object (PostNcDestroy).
    if (!pPreview->CreateEx(0, lpszClass, "打印预览", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, pOwner, 0))
        return NULL;
    pPreview->ShowWindow(SW_SHOW);
    pPreview->m_wndClose.SetFocus();
    return pPreview;
}

BOOL CQENPrintPreview::RecordPage(CView* pView)
{
    CPrintInfo info;
    info.m_bPreview = TRUE;
    m_bPrinter = pView->OnPreparePrinting(&info) && info.m_pd.hDC != NULL;

    HDC hScreen = ::GetDC(NULL);
    HDC hReference = m_bPrinter ? info.m_pd.hDC : hScreen;
    const int nDpiX = ::GetDeviceCaps(hReference, LOGPIXELSX);
    const int nDpiY = ::GetDeviceCaps(hReference, LOGPIXELSY);
    if (m_bPrinter)
        m_sizePage = CSize(::GetDeviceCaps(hReference, HORZRES), ::GetDeviceCaps(hReference, VERTRES));
    else
        m_sizePage = CSize(::MulDiv(kA4Width, nDpiX, 254), ::MulDiv(kA4Height, nDpiY, 254));
    // The recording's frame, in hundredths of a millimetre.
    const RECT rectFrame = {0, 0, ::MulDiv(m_sizePage.cx, 2540, nDpiX), ::MulDiv(m_sizePage.cy, 2540, nDpiY)};
    HDC hRecording = ::CreateEnhMetaFileA(hReference, NULL, &rectFrame, NULL);
    if (hRecording != NULL)
    {
        CDC dc;
        dc.Attach(hRecording);
        pView->OnBeginPrinting(&dc, &info);
        info.m_nCurPage = 1;
        pView->OnPrepareDC(&dc, &info);
        info.m_rectDraw.SetRect(0, 0, m_sizePage.cx, m_sizePage.cy);
        dc.DPtoLP(&info.m_rectDraw);
        pView->OnPrint(&dc, &info);
        pView->OnEndPrinting(&dc, &info);
        dc.Detach();
        m_hPage = ::CloseEnhMetaFile(hRecording);
    }
    ::ReleaseDC(NULL, hScreen);
    return m_hPage != NULL;
}

int CQENPrintPreview::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD dwButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    CRect rect(kGap, kGap / 2, kGap + kButtonWidth, kGap / 2 + kButtonHeight);
    if (!m_wndPrint.Create("打印(&P)...", dwButton | BS_PUSHBUTTON, rect, this, kPrintButtonId))
        return -1;
    rect.OffsetRect(kButtonWidth + kGap, 0);
    if (!m_wndClose.Create("关闭(&C)", dwButton | BS_DEFPUSHBUTTON, rect, this, kCloseButtonId))
        return -1;
    rect.SetRect(rect.right + kGap * 2, rect.top + 4, rect.right + kGap * 2 + 480, rect.bottom);
    const char* pszNote = m_bPrinter ? "" : "没有安装打印机：按 A4 纸（210 × 297 毫米）预览。";
    if (!m_wndNote.Create(pszNote, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, rect, this, kNoteId))
        return -1;
    for (CWnd* pChild : {static_cast<CWnd*>(&m_wndPrint), static_cast<CWnd*>(&m_wndClose), static_cast<CWnd*>(&m_wndNote)})
        pChild->SendMessage(WM_SETFONT, (WPARAM)theDrawingCache.m_fontMenu.GetSafeHandle(), FALSE);
    return 0;
}

int CQENPrintPreview::ButtonStripHeight() const
{
    return kButtonHeight + kGap;
}

CRect CQENPrintPreview::PageRect() const
{
    CRect rectArea;
    GetClientRect(&rectArea);
    rectArea.top += ButtonStripHeight();
    rectArea.DeflateRect(kPageMargin, kPageMargin);
    if (rectArea.Width() <= 0 || rectArea.Height() <= 0 || m_sizePage.cx <= 0 || m_sizePage.cy <= 0)
        return CRect(0, 0, 0, 0);
    // As large as the area allows, in the page's proportions, centred.
    CSize size(rectArea.Width(), ::MulDiv(rectArea.Width(), m_sizePage.cy, m_sizePage.cx));
    if (size.cy > rectArea.Height())
        size = CSize(::MulDiv(rectArea.Height(), m_sizePage.cx, m_sizePage.cy), rectArea.Height());
    const CPoint ptTopLeft(rectArea.left + (rectArea.Width() - size.cx) / 2,
                           rectArea.top + (rectArea.Height() - size.cy) / 2);
    return CRect(ptTopLeft, size);
}

BOOL CQENPrintPreview::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CQENPrintPreview::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectStrip(rectClient.left, rectClient.top, rectClient.right, rectClient.top + ButtonStripHeight());
    dc.FillSolidRect(rectStrip, ::GetSysColor(COLOR_BTNFACE));
    CRect rectArea(rectClient.left, rectStrip.bottom, rectClient.right, rectClient.bottom);
    dc.FillSolidRect(rectArea, ::GetSysColor(COLOR_APPWORKSPACE));

    const CRect rectPage = PageRect();
    if (rectPage.IsRectEmpty())
        return;
    CRect rectShadow = rectPage;
    rectShadow.OffsetRect(kShadow, kShadow);
    dc.FillSolidRect(rectShadow, ::GetSysColor(COLOR_3DDKSHADOW));
    dc.FillSolidRect(rectPage, RGB(255, 255, 255));
    ::PlayEnhMetaFile(dc.m_hDC, m_hPage, &rectPage);
}

void CQENPrintPreview::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate();
}

BOOL CQENPrintPreview::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
    {
        DestroyWindow();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CQENPrintPreview::OnPrintButton()
{
    // The view prints as it does from its own menu; the preview is gone by then.
    HWND hWndView = m_hWndView;
    DestroyWindow();
    if (::IsWindow(hWndView))
        ::SendMessageA(hWndView, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CQENPrintPreview::OnCloseButton()
{
    DestroyWindow();
}

#include "QENCaptionBar.h"

#include "QENDrawingCache.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CQENCaptionBar, CControlBar)

BEGIN_MESSAGE_MAP(CQENCaptionBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CQENCaptionBar::CQENCaptionBar()
    : m_crText((COLORREF)-1), m_crBackground((COLORREF)-1), m_hFont(NULL), m_nBorderSize(4), m_nMargin(4),
      m_nSpacing(8), m_nForcedHeight(-1), m_nHeight(0), m_bFlatBorder(FALSE), m_nButtonCommand(0),
      m_bButtonArrow(FALSE), m_nButtonAlignment(AlignLeft), m_bButtonHot(FALSE), m_bButtonPressed(FALSE),
      m_bButtonEnabled(TRUE), m_bMouseTracked(FALSE), m_nTextAlignment(AlignLeft), m_hIcon(NULL), m_hBitmap(NULL),
      m_crTransparent((COLORREF)-1), m_bStretchImage(FALSE), m_nImageAlignment(AlignLeft), m_rectButton(0, 0, 0, 0),
      m_rectText(0, 0, 0, 0), m_rectImage(0, 0, 0, 0)
{
}

CQENCaptionBar::~CQENCaptionBar() = default;

BOOL CQENCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight)
{
    m_nForcedHeight = nHeight;
    // Across the frame: a bar without a side of its own lies along the top.
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!(m_dwStyle & CBRS_ALIGN_ANY))
        m_dwStyle |= CBRS_ALIGN_TOP;
    return CWnd::Create(NULL, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, uID);
}

// ---------------------------------------------------------------------------------------------------
// Content and look

void CQENCaptionBar::SetText(const CString& strText, int nAlignment)
{
    m_strText = strText;
    m_nTextAlignment = nAlignment;
    RecalcLayout();
}

void CQENCaptionBar::SetButton(const CString& strText, UINT nCommandId, int nAlignment, BOOL bDropDownArrow)
{
    m_strButton = strText;
    m_nButtonCommand = nCommandId;
    m_nButtonAlignment = nAlignment;
    m_bButtonArrow = bDropDownArrow;
    RecalcLayout();
}

void CQENCaptionBar::EnableButton(BOOL bEnable)
{
    m_bButtonEnabled = bEnable;
    if (!bEnable)
        m_bButtonHot = m_bButtonPressed = FALSE;
    if (m_hWnd != NULL)
        InvalidateRect(m_rectButton);
}

void CQENCaptionBar::SetIcon(HICON hIcon, int nAlignment)
{
    m_hIcon = hIcon;
    m_hBitmap = NULL;
    m_nImageAlignment = nAlignment;
    RecalcLayout();
}

void CQENCaptionBar::SetBitmap(HBITMAP hBitmap, COLORREF crTransparent, BOOL bStretch, int nAlignment)
{
    m_hBitmap = hBitmap;
    m_hIcon = NULL;
    m_crTransparent = crTransparent;
    m_bStretchImage = bStretch;
    m_nImageAlignment = nAlignment;
    RecalcLayout();
}

void CQENCaptionBar::SetAlignments(int nButtonAlignment, int nTextAlignment, int nImageAlignment)
{
    m_nButtonAlignment = nButtonAlignment;
    m_nTextAlignment = nTextAlignment;
    m_nImageAlignment = nImageAlignment;
    RecalcLayout();
}

void CQENCaptionBar::SetTextColour(COLORREF crText)
{
    m_crText = crText;
    if (m_hWnd != NULL)
        Invalidate();
}

void CQENCaptionBar::SetBackgroundColour(COLORREF crBackground)
{
    m_crBackground = crBackground;
    if (m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
}

void CQENCaptionBar::SetFlatBorder(BOOL bFlat)
{
    m_bFlatBorder = bFlat;
    if (m_hWnd != NULL)
        Invalidate();
}

void CQENCaptionBar::SetBorderSize(int nSize)
{
    m_nBorderSize = nSize;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CQENCaptionBar::SetMargin(int nMargin)
{
    m_nMargin = nMargin;
    RecalcLayout();
}

void CQENCaptionBar::SetSpacing(int nSpacing)
{
    m_nSpacing = nSpacing;
    RecalcLayout();
}

CFont* CQENCaptionBar::BarFont() const
{
    return m_hFont != NULL ? CFont::FromHandle(m_hFont) : &theDrawingCache.m_fontMenu;
}

CSize CQENCaptionBar::ImageSize() const
{
    if (m_hIcon != NULL)
    {
        ICONINFO info = {};
        if (!::GetIconInfo(m_hIcon, &info))
            return CSize(0, 0);
        BITMAP bm = {};
        ::GetObjectA(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        const int cy = info.hbmColor != NULL ? bm.bmHeight : bm.bmHeight / 2;
        if (info.hbmColor != NULL)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != NULL)
            ::DeleteObject(info.hbmMask);
        return CSize(bm.bmWidth, cy);
    }
    if (m_hBitmap != NULL)
    {
        BITMAP bm = {};
        if (::GetObjectA(m_hBitmap, sizeof(bm), &bm))
            return CSize(bm.bmWidth, bm.bmHeight);
    }
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------------------------------
// Size and layout

CSize CQENCaptionBar::CalcFixedLayout(BOOL, BOOL)
{
    if (m_nForcedHeight != -1)
        m_nHeight = m_nForcedHeight;
    else
    {
        CClientDC dc(m_hWnd != NULL ? this : NULL);
        CFont* pOldFont = dc.SelectObject(BarFont());
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOldFont);
        // The border is taken from the top and from the bottom.
        m_nHeight = 2 * m_nBorderSize + 2 * m_nMargin + std::max<int>(ImageSize().cy, tm.tmHeight + 2);
    }
    return CSize(nStretchLength, m_nHeight);
}

void CQENCaptionBar::RecalcLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectInside = rectClient;
    rectInside.DeflateRect(m_nMargin, m_nMargin);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(BarFont());

    const BOOL bImage = m_hIcon != NULL || m_hBitmap != NULL;
    const BOOL bButton = !m_strButton.IsEmpty();
    const BOOL bText = !m_strText.IsEmpty();

    CSize sizeImage = bImage ? ImageSize() : CSize(0, 0);
    if (bImage && m_bStretchImage)
        sizeImage.cy = rectInside.Height();
    CSize sizeButton(0, 0);
    if (bButton)
    {
        sizeButton.cx = dc.GetTextExtent(m_strButton).cx + 2 * m_nSpacing + (m_bButtonArrow ? kArrowWidth : 0);
        sizeButton.cy = rectInside.Height();
    }
    CSize sizeText(0, 0);
    if (bText)
    {
        CRect rectCalc(0, 0, rectInside.Width(), rectInside.Height());
        dc.DrawText(m_strText, &rectCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        sizeText = rectCalc.Size();
    }
    dc.SelectObject(pOldFont);

    struct Element
    {
        BOOL bPresent;
        int nAlignment;
        CSize size;
        CRect* pRect;
    };
    Element elements[] = {{bImage, m_nImageAlignment, sizeImage, &m_rectImage},
                          {bButton, m_nButtonAlignment, sizeButton, &m_rectButton},
                          {bText, m_nTextAlignment, sizeText, &m_rectText}};

    auto place = [&](Element& e, int x) {
        const int y = rectInside.top + (rectInside.Height() - e.size.cy) / 2;
        e.pRect->SetRect(x, y, x + e.size.cx, y + e.size.cy);
    };

    int xLeft = rectInside.left;
    int xRight = rectInside.right;
    int cxCentre = 0;
    int nCentred = 0;
    for (Element& e : elements)
    {
        e.pRect->SetRectEmpty();
        if (!e.bPresent)
            continue;
        if (e.nAlignment == AlignLeft)
        {
            place(e, xLeft);
            xLeft += e.size.cx + m_nSpacing;
        }
        else if (e.nAlignment == AlignRight)
        {
            place(e, xRight - e.size.cx);
            xRight -= e.size.cx + m_nSpacing;
        }
        else
        {
            cxCentre += e.size.cx;
            nCentred++;
        }
    }
    if (nCentred > 0)
    {
        cxCentre += (nCentred - 1) * m_nSpacing;
        int x = xLeft + ((xRight - xLeft) - cxCentre) / 2;
        for (Element& e : elements)
        {
            if (!e.bPresent || e.nAlignment == AlignLeft || e.nAlignment == AlignRight)
                continue;
            place(e, x);
            x += e.size.cx + m_nSpacing;
        }
    }

    // The image wins over the button, both over the text.
    auto clip = [](CRect& rectLoser, const CRect& rectWinner) {
        CRect rectCommon;
        if (rectLoser.IsRectEmpty() || rectWinner.IsRectEmpty() || !rectCommon.IntersectRect(&rectLoser, &rectWinner))
            return;
        if (rectWinner.CenterPoint().x >= rectLoser.CenterPoint().x)
            rectLoser.right = rectWinner.left;
        else
            rectLoser.left = rectWinner.right;
        if (rectLoser.right < rectLoser.left)
            rectLoser.right = rectLoser.left;
    };
    clip(m_rectButton, m_rectImage);
    clip(m_rectText, m_rectImage);
    clip(m_rectText, m_rectButton);
    for (Element& e : elements)
        if (e.bPresent)
            e.pRect->IntersectRect(e.pRect, &rectInside);
    Invalidate();
}

void CQENCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
}

LRESULT CQENCaptionBar::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    RecalcLayout();
    return 0;
}

LRESULT CQENCaptionBar::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_hFont;
}

void CQENCaptionBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

// ---------------------------------------------------------------------------------------------------
// Painting

void CQENCaptionBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
        lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CQENCaptionBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    CRect rectTop = rectWindow;
    rectTop.bottom = rectTop.top + m_nBorderSize;
    CRect rectBottom = rectWindow;
    rectBottom.top = rectBottom.bottom - m_nBorderSize;
    pManager->PaintCaptionBarBorder(&dc, this, rectTop, m_crBackground);
    pManager->PaintCaptionBarBorder(&dc, this, rectBottom, m_crBackground);
}

BOOL CQENCaptionBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CQENCaptionBar::DoPaint(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crText = m_crText != (COLORREF)-1 ? m_crText : pManager->CaptionBarTextColour(this);
    const COLORREF crOldText = pDC->SetTextColor(crText);
    CFont* pOldFont = pDC->SelectObject(BarFont());

    pManager->PaintCaptionBarBackground(pDC, this, rectClient, m_crBackground, m_bFlatBorder);
    if (!m_strButton.IsEmpty())
        pManager->PaintCaptionBarButton(pDC, this, m_rectButton, m_strButton, m_bButtonHot, m_bButtonPressed,
                                        !m_bButtonEnabled, m_bButtonArrow, crText);
    if (m_hIcon != NULL || m_hBitmap != NULL)
        pManager->PaintCaptionBarImage(pDC, this, m_rectImage, m_hIcon, m_hBitmap, m_crTransparent, m_bStretchImage);
    if (!m_strText.IsEmpty())
    {
        CRect rectText = m_rectText;
        pDC->DrawText(m_strText, &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(crOldText);
    pDC->SetBkMode(nOldMode);
}

// ---------------------------------------------------------------------------------------------------
// Mouse

CWnd* CQENCaptionBar::CommandTarget() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? pOwner : GetParent();
}

void CQENCaptionBar::SetButtonState(BOOL bHot, BOOL bPressed)
{
    if (bHot == m_bButtonHot && bPressed == m_bButtonPressed)
        return;
    m_bButtonHot = bHot;
    m_bButtonPressed = bPressed;
    InvalidateRect(m_rectButton);
    UpdateWindow();
}

void CQENCaptionBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CControlBar::OnMouseMove(nFlags, point);
    if (m_strButton.IsEmpty() || !m_bButtonEnabled)
        return;
    const BOOL bOnButton = m_rectButton.PtInRect(point);
    SetButtonState(bOnButton, bOnButton && (nFlags & MK_LBUTTON) != 0);
    if (bOnButton && !m_bMouseTracked)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bMouseTracked = ::TrackMouseEvent(&tme);
    }
}

LRESULT CQENCaptionBar::OnMouseLeave(WPARAM, LPARAM)
{
    m_bMouseTracked = FALSE;
    SetButtonState(FALSE, FALSE);
    return 0;
}

void CQENCaptionBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bButtonHot && m_bButtonEnabled && m_rectButton.PtInRect(point))
    {
        SetButtonState(TRUE, TRUE);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void CQENCaptionBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bClicked = m_bButtonPressed && m_bButtonHot && m_rectButton.PtInRect(point);
    SetButtonState(m_rectButton.PtInRect(point) && m_bButtonEnabled, FALSE);
    if (bClicked && CommandTarget() != NULL)
        CommandTarget()->SendMessage(WM_COMMAND, m_nButtonCommand);
    CControlBar::OnLButtonUp(nFlags, point);
}

void CQENCaptionBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CControlBar::OnRButtonUp(nFlags, point);
    if (CQENToolBar::s_bCustomizing || CommandTarget() == NULL)
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CommandTarget()->SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(ptScreen.x, ptScreen.y));
}

#include "QENVisualManager.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"

IMPLEMENT_DYNCREATE(CQENVisualManager, CObject)

static_assert(sizeof(CQENVisualManager) == 28, "the manager's size on the 32-bit target");

CQENVisualManager* CQENVisualManager::s_pCurrent = NULL;
CRuntimeClass* CQENVisualManager::s_pOnDemandClass = NULL;

namespace {

const int kCaptionButtonMargin = 5;     // a caption button is the menu image size and this much more
const int kGripLineWidth = 3;
const int kGripLinePitch = 4;           // from one classic grip line to the next
const int kRarelyUsedLightening = 150;  // halfway to white

// Style bits of the control button edge and of the system buttons.
const UINT kEdgeNone = 0x100;
const UINT kEdgeSunken = 0x200;
const UINT kSystemButtonInactive = 0x40000;
const UINT kSystemButtonPushed = 0x20000;

} // namespace

CQENVisualManager::CQENVisualManager()
    : m_bFlatLook(FALSE),
      m_nShadowSize(6),
      m_bFlatMenuImages(FALSE),
      m_bShadowHotImages(FALSE),
      m_bEmbossDisabled(TRUE),
      m_bLibraryOwned(FALSE)
{
    // A manager made while another is current waits until that one is gone.
    if (s_pCurrent == NULL)
        s_pCurrent = this;
    theDrawingCache.m_pfnColoursRefreshed = &CQENVisualManager::RecomputeCurrentColours;
}

CQENVisualManager::~CQENVisualManager()
{
    if (s_pCurrent == this)
        s_pCurrent = NULL;
}

// ---------------------------------------------------------------------------------------------------
// Instance management

CQENVisualManager* PASCAL CQENVisualManager::CurrentManager()
{
    if (s_pCurrent != NULL)
        return s_pCurrent;
    CQENVisualManager* pManager = MakeOnDemand();
    if (pManager == NULL)
        pManager = new CQENVisualManager;
    s_pCurrent = pManager;
    pManager->m_bLibraryOwned = TRUE;
    return pManager;
}

CQENVisualManager* PASCAL CQENVisualManager::MakeOnDemand()
{
    if (s_pOnDemandClass == NULL)
        return NULL;
    try
    {
        // SetOnDemandClass let only managers through.
        return static_cast<CQENVisualManager*>(s_pOnDemandClass->CreateObject());
    }
    catch (CException* pException)
    {
        pException->Delete();
        return NULL;
    }
}

void PASCAL CQENVisualManager::SetOnDemandClass(CRuntimeClass* pClass)
{
    if (pClass != NULL && (!pClass->IsDerivedFrom(RUNTIME_CLASS(CQENVisualManager)) || pClass->m_pfnCreateObject == NULL))
        return;
    s_pOnDemandClass = pClass;
    delete s_pCurrent;
    s_pCurrent = NULL;
}

void PASCAL CQENVisualManager::RepaintAllBars()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void PASCAL CQENVisualManager::DeleteLibraryOwned()
{
    if (s_pCurrent != NULL && s_pCurrent->m_bLibraryOwned)
        delete s_pCurrent;
}

void PASCAL CQENVisualManager::RecomputeCurrentColours()
{
    if (s_pCurrent != NULL)
        s_pCurrent->RecomputeColours();
}

void CQENVisualManager::SetFlatLook(BOOL bFlatLook)
{
    m_bFlatLook = bFlatLook;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    RepaintAllBars();
}

// ---------------------------------------------------------------------------------------------------
// Bars

void CQENVisualManager::RecomputeColours()
{
}

void CQENVisualManager::PaintBarBackground(CDC* pDC, CControlBar*, CRect rectClient, CRect rectClip)
{
    pDC->FillRect(rectClip.IsRectEmpty() ? &rectClient : &rectClip, &theDrawingCache.m_brFace);
}

void CQENVisualManager::PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    DWORD dwStyle = pBar != NULL ? pBar->GetBarStyle() : 0;
    COLORREF crLeftTop = (dwStyle & CBRS_BORDER_3D) ? theDrawingCache.m_crHighlight : theDrawingCache.m_crShadow;
    PaintBorderLines(pDC, pBar, rect, crLeftTop, theDrawingCache.m_crShadow);
}

void CQENVisualManager::PaintBorderLines(CDC* pDC, CControlBar* pBar, CRect& rect, COLORREF crLeftTop,
                                         COLORREF crRightBottom)
{
    DWORD dwStyle = pBar != NULL ? pBar->GetBarStyle() : 0;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    CQENDCState state(pDC);
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), crLeftTop);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crLeftTop);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), crRightBottom);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, crRightBottom);

    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left++;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top++;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right--;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom--;
}

void CQENVisualManager::PaintPopupFrame(CDC* pDC, CQENPopupMenu*, CRect rect)
{
    CQENDrawHelper::Draw3dFrame(pDC, rect, theDrawingCache.m_crLight, theDrawingCache.m_crDarkShadow,
                                theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
}

void CQENVisualManager::PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar*)
{
    CQENDCState state(pDC, &rectGripper);
    const int nLines = m_bFlatLook ? 1 : 2;
    const int nAcross = kGripLineWidth + (nLines - 1) * kGripLinePitch;
    const COLORREF crShadow = theDrawingCache.m_crShadow;
    for (int iLine = 0; iLine < nLines; iLine++)
    {
        // A horizontal bar has its gripper at the left, with grip lines running down it.
        CRect rectLine;
        if (bHorizontal)
        {
            int x = rectGripper.left + (rectGripper.Width() - nAcross) / 2 + iLine * kGripLinePitch;
            rectLine.SetRect(x, rectGripper.top + 2, x + kGripLineWidth, rectGripper.bottom - 3);
        }
        else
        {
            int y = rectGripper.top + (rectGripper.Height() - nAcross) / 2 + iLine * kGripLinePitch;
            rectLine.SetRect(rectGripper.left + 2, y, rectGripper.right - 3, y + kGripLineWidth);
        }
        pDC->Draw3dRect(&rectLine, theDrawingCache.m_crHighlight, crShadow);
        if (!m_bFlatLook)
        {
            if (bHorizontal)
                pDC->SetPixelV(rectLine.left + 1, rectLine.bottom, crShadow);
            else
                pDC->SetPixelV(rectLine.right, rectLine.top + 1, crShadow);
        }
    }
}

void CQENVisualManager::PaintSeparator(CDC* pDC, CControlBar*, CRect rect, BOOL bHorizontal)
{
    CQENDCState state(pDC);
    if (bHorizontal)
    {
        int x = rect.left + (rect.right - rect.left) / 2 - 1;
        pDC->FillSolidRect(x, rect.top, 1, rect.Height(), theDrawingCache.m_crShadow);
        pDC->FillSolidRect(x + 1, rect.top, 1, rect.Height(), theDrawingCache.m_crHighlight);
    }
    else
    {
        int y = rect.top + (rect.bottom - rect.top) / 2 - 1;
        pDC->FillSolidRect(rect.left, y, rect.Width(), 1, theDrawingCache.m_crShadow);
        pDC->FillSolidRect(rect.left, y + 1, rect.Width(), 1, theDrawingCache.m_crHighlight);
    }
}

// ---------------------------------------------------------------------------------------------------
// Caption, system and control buttons

void CQENVisualManager::PaintCaptionButton(CDC*, CQENCaptionButton*, BOOL, BOOL, BOOL)
{
}

CRect CQENVisualManager::CaptionButtonRect(const QENCaptionButtonLook& look)
{
    if (look.bHidden)
        return CRect(look.ptPosition, look.ptPosition);
    CSize size = CQENMenuImages::ImageSize() + CSize(kCaptionButtonMargin, kCaptionButtonMargin);
    return CRect(look.ptPosition, size);
}

int CQENVisualManager::CaptionButtonGlyph(UINT nHit, BOOL bA, BOOL bB, BOOL bC)
{
    if (nHit == HitHide)
        return CQENMenuImages::Close;
    if (bA)
        return bB ? CQENMenuImages::PinUpright : bC ? CQENMenuImages::PinSidewaysGrey : CQENMenuImages::PinSideways;
    return bB ? CQENMenuImages::ArrowDown : bC ? CQENMenuImages::ArrowUpGrey : CQENMenuImages::ArrowUp;
}

void CQENVisualManager::DrawCaptionGlyph(CDC* pDC, const CRect& rect, int nGlyph, BOOL bPushed, COLORREF crGlyph)
{
    int nShift = bPushed ? 3 : 2;
    CQENMenuImages::Draw(pDC, nGlyph, CPoint(rect.left + nShift, rect.top + nShift), crGlyph);
}

void CQENVisualManager::DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC)
{
    CRect rect = CaptionButtonRect(look);
    if (rect.IsRectEmpty())
        return;
    CQENDCState state(pDC, &rect);
    int nGlyph = CaptionButtonGlyph(look.nHit, bA, bB, bC);
    BOOL bPushed = look.bPressed && look.bHot;
    DrawCaptionGlyph(pDC, rect, nGlyph, bPushed, theDrawingCache.m_crText);

    const CQENDrawingCache& cache = theDrawingCache;
    if (bPushed)
        CQENDrawHelper::Draw3dFrame(pDC, rect, cache.m_crDarkShadow, cache.m_crLight, cache.m_crDarkShadow,
                                    cache.m_crHighlight);
    else if (!m_bFlatLook)
        CQENDrawHelper::Draw3dFrame(pDC, rect, cache.m_crLight, cache.m_crDarkShadow, cache.m_crHighlight,
                                    cache.m_crShadow);
    else if ((look.bHot || look.bPressed) && nGlyph != CQENMenuImages::ArrowUpGrey &&
             nGlyph != CQENMenuImages::PinSidewaysGrey)
        pDC->Draw3dRect(&rect, cache.m_crHighlight, cache.m_crShadow);
}

void CQENVisualManager::PaintSystemButton(CDC* pDC, CRect rect, UINT nSysCommand, UINT nStyle, BOOL)
{
    UINT nKind;
    switch (nSysCommand)
    {
    case SC_MINIMIZE:
        nKind = DFCS_CAPTIONMIN;
        break;
    case SC_CLOSE:
        nKind = DFCS_CAPTIONCLOSE;
        break;
    case SC_RESTORE:
        nKind = DFCS_CAPTIONRESTORE;
        break;
    default:
        return;
    }
    if (nStyle & kSystemButtonInactive)
        nKind |= DFCS_INACTIVE;
    if (nStyle & kSystemButtonPushed)
        nKind |= DFCS_PUSHED;
    pDC->DrawFrameControl(&rect, DFC_CAPTION, nKind);
}

void CQENVisualManager::PaintControlButtonEdge(CDC* pDC, CQENToolbarButton*, CRect rect, UINT nStyle)
{
    if (nStyle & kEdgeNone)
        return;
    CQENDCState state(pDC);
    if (nStyle & kEdgeSunken)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crShadow, theDrawingCache.m_crHighlight);
    else
        pDC->Draw3dRect(&rect, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
}

void CQENVisualManager::PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted)
{
    CQENDCState state(pDC, &rect);
    const CQENDrawingCache& cache = theDrawingCache;
    pDC->FillRect(&rect, &theDrawingCache.m_brFace);
    pDC->Draw3dRect(&rect, cache.m_crHighlight, cache.m_crHighlight);
    CSize sizeGlyph = CQENMenuImages::ImageSize();
    CPoint ptGlyph(rect.left + (rect.Width() - sizeGlyph.cx) / 2 + 1, rect.top + (rect.Height() - sizeGlyph.cy) / 2 + 1);
    if (bDropped)
        ptGlyph.Offset(1, 1);
    CQENMenuImages::Draw(pDC, CQENMenuImages::ArrowDown, ptGlyph, bDisabled ? cache.m_crGreyText : cache.m_crText);
    if (bDropped)
        pDC->Draw3dRect(&rect, cache.m_crShadow, cache.m_crHighlight);
    else if (bHighlighted)
        pDC->Draw3dRect(&rect, cache.m_crHighlight, cache.m_crShadow);
}

void CQENVisualManager::PaintComboFrame(CDC* pDC, CRect rect, BOOL, BOOL bDropped, BOOL bHighlighted)
{
    if (!bDropped && !bHighlighted)
        return;
    CQENDCState state(pDC);
    pDC->Draw3dRect(&rect, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
}

void CQENVisualManager::PaintTearOffStrip(CDC* pDC, CRect rect, BOOL bActive)
{
    CQENDCState state(pDC);
    pDC->FillRect(&rect, &theDrawingCache.m_brFace);
    rect.DeflateRect(2, 1);
    pDC->FillSolidRect(&rect, ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

// ---------------------------------------------------------------------------------------------------
// Toolbar buttons and menu items

void CQENVisualManager::PaintButtonInterior(CDC*, CQENToolbarButton*, CRect, ButtonState)
{
    // A plain, unchecked button shows the bar through it.
}

void CQENVisualManager::PaintButtonFrame(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    CQENDCState dcState(pDC);
    if (state == ButtonPressed)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crShadow, theDrawingCache.m_crHighlight);
    else
        pDC->Draw3dRect(&rect, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
}

void CQENVisualManager::PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton*, CRect rect, COLORREF&)
{
    pDC->FillRect(&rect, &theDrawingCache.m_brSelection);
}

void CQENVisualManager::PaintRarelyUsedBand(CDC* pDC, CRect rect)
{
    CQENDCState state(pDC);
    CQENDrawHelper::ChangeBrightness(pDC, rect, kRarelyUsedLightening);
    pDC->Draw3dRect(&rect, theDrawingCache.m_crShadow, theDrawingCache.m_crHighlight);
}

COLORREF CQENVisualManager::ButtonTextColour(CQENToolbarButton*, ButtonState)
{
    return theDrawingCache.m_crText;
}

COLORREF CQENVisualManager::CaptionBarTextColour(CQENCaptionBar*)
{
    return ::GetSysColor(COLOR_WINDOW);
}

BOOL CQENVisualManager::PaintPushButtonFace(CDC*, CQENPushButton*, CRect, COLORREF&)
{
    return FALSE;
}

BOOL CQENVisualManager::PaintPushButtonFrame(CDC*, CQENPushButton*, CRect, UINT)
{
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Tabs and lists

void CQENVisualManager::PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd*)
{
    pDC->FillRect(&rect, &theDrawingCache.m_brFace);
}

void CQENVisualManager::TabOutline(const CRect& rect, POINT (&points)[4])
{
    int nSlant = rect.Height() / 4;
    points[0] = CPoint(rect.left, rect.top);
    points[1] = CPoint(rect.left + nSlant, rect.bottom - 1);
    points[2] = CPoint(rect.right - 1 - nSlant, rect.bottom - 1);
    points[3] = CPoint(rect.right - 1, rect.top);
}

void CQENVisualManager::Draw3dTab(CDC* pDC, const CRect& rect, BOOL bActive, CBrush* pFill, COLORREF crLitSide,
                                  COLORREF crShadedSide)
{
    POINT points[4];
    TabOutline(rect, points);
    CRgn region;
    region.CreatePolygonRgn(points, 4, WINDING);
    CPen penLit(PS_SOLID, 1, crLitSide), penShaded(PS_SOLID, 1, crShadedSide);
    CQENDCState state(pDC, &rect);
    pDC->FillRgn(&region, pFill);
    pDC->SelectObject(&penLit);
    pDC->MoveTo(points[0]);
    pDC->LineTo(points[1]);
    pDC->SelectObject(&penShaded);
    pDC->LineTo(points[2]);
    pDC->LineTo(points[3]);
    pDC->LineTo(points[3].x, points[3].y - 1);
    if (!bActive)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, crShadedSide);
}

void CQENVisualManager::PaintTab(CDC* pDC, CRect rect, int, BOOL bActive, CQENTabWnd*)
{
    Draw3dTab(pDC, rect, bActive, &theDrawingCache.m_brFace, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
}

COLORREF CQENVisualManager::PaintCommandListItem(CDC* pDC, CRect rect, BOOL bSelected)
{
    if (bSelected)
    {
        pDC->FillRect(&rect, &theDrawingCache.m_brSelection);
        return theDrawingCache.m_crSelectionText;
    }
    pDC->FillRect(&rect, &theDrawingCache.m_brFace);
    return theDrawingCache.m_crText;
}

CSize CQENVisualManager::ExtraButtonMargin()
{
    return CSize(0, 0);
}

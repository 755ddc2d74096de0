#include "QENVisualManager.h"
#include "QENCaptionButton.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"
#include "QENTabWnd.h"
#include "QENToolbarMenuButton.h"

#include <algorithm>

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

void CQENVisualManager::PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC)
{
    if (pButton != NULL)
        DrawCaptionButton(pDC, pButton->Look(), bA, bB, bC);
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

COLORREF CQENVisualManager::ButtonTextColour(CQENToolbarButton* pButton, ButtonState state)
{
    // A menu item lies on the selection colour when highlighted; a menu bar's item keeps the face.
    const CQENToolbarMenuButton* pMenuButton = dynamic_cast<const CQENToolbarMenuButton*>(pButton);
    if (state == ButtonHighlighted && pMenuButton != NULL && pMenuButton->m_bMenuItemMode)
        return theDrawingCache.m_crSelectionText;
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

void CQENVisualManager::TabOutline(const CRect& rect, POINT (&points)[4], BOOL bStripOnTop)
{
    int nSlant = rect.Height() / 4;
    points[0] = CPoint(rect.left, rect.top);
    points[1] = CPoint(rect.left + nSlant, rect.bottom - 1);
    points[2] = CPoint(rect.right - 1 - nSlant, rect.bottom - 1);
    points[3] = CPoint(rect.right - 1, rect.top);
    if (bStripOnTop)
        for (POINT& point : points)
            point.y = rect.top + rect.bottom - 1 - point.y;
}

void CQENVisualManager::Draw3dTab(CDC* pDC, const CRect& rect, BOOL bActive, CBrush* pFill, COLORREF crLitSide,
                                  COLORREF crShadedSide, BOOL bStripOnTop)
{
    POINT points[4];
    TabOutline(rect, points, bStripOnTop);
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
    pDC->LineTo(points[3].x, points[3].y + (bStripOnTop ? 1 : -1));
    if (!bActive)
        pDC->FillSolidRect(rect.left, points[0].y, rect.Width(), 1, crShadedSide);
}

void CQENVisualManager::DrawWindowTab(CDC* pDC, const CRect& rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd,
                                      CBrush* pFill, COLORREF crLitSide, COLORREF crShadedSide)
{
    CBrush brOwn;
    const COLORREF crOwn = pTabWnd->GetBackColour(iTab);
    if (crOwn != (COLORREF)-1 && !bActive && brOwn.CreateSolidBrush(crOwn))
        pFill = &brOwn;
    const BOOL bStripOnTop = pTabWnd->GetLocation() == CQENTabWnd::LOCATION_TOP;
    CRect rectLabel = rect;
    if (!pTabWnd->IsFlatStyle())
        Draw3dTab(pDC, rect, bActive, pFill, crLitSide, crShadedSide, bStripOnTop);
    else
    {
        // Slanted sides a quarter of the tab height wide, the corners at the far edge bevelled.
        const int nSlant = pTabWnd->GetTabsHeight() / 4;
        const int nBevel = 2;
        POINT points[6] = {{rect.left, rect.top},
                           {rect.left + nSlant, rect.bottom - 1 - nBevel},
                           {rect.left + nSlant + nBevel, rect.bottom - 1},
                           {rect.right - 1 - nSlant - nBevel, rect.bottom - 1},
                           {rect.right - 1 - nSlant, rect.bottom - 1 - nBevel},
                           {rect.right - 1, rect.top}};
        if (bStripOnTop)
            for (POINT& point : points)
                point.y = rect.top + rect.bottom - 1 - point.y;
        CRgn region;
        region.CreatePolygonRgn(points, 6, WINDING);
        CQENDCState state(pDC, &rect);
        pDC->FillRgn(&region, bActive && pTabWnd->GetActiveTabBrush() != NULL ? pTabWnd->GetActiveTabBrush() : pFill);
        CPen penLit(PS_SOLID, 1, crLitSide), penShaded(PS_SOLID, 1, crShadedSide);
        pDC->SelectObject(&penLit);
        pDC->MoveTo(points[0]);
        pDC->LineTo(points[1]);
        pDC->SelectObject(&penShaded);
        for (int i = 2; i < 6; i++)
            pDC->LineTo(points[i]);
        rectLabel.DeflateRect(nSlant, 0);
    }

    CQENDCState state(pDC, &rect);
    CImageList* pImages = pTabWnd->GetImageList();
    const int iImage = pTabWnd->GetImage(iTab);
    if (pImages != NULL && iImage >= 0)
    {
        const CSize sizeImage = pImages->GetIconSize();
        pImages->Draw(pDC, iImage, CPoint(rect.left + 4, rect.top + (rect.Height() - sizeImage.cy) / 2), ILD_TRANSPARENT);
        rectLabel.left += 4 + sizeImage.cx;
    }
    CString strLabel;
    pTabWnd->GetLabel(iTab, strLabel);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strLabel, &rectLabel, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CQENVisualManager::PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd)
{
    if (pTabWnd == NULL)
        Draw3dTab(pDC, rect, bActive, &theDrawingCache.m_brFace, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
    else if (pTabWnd->IsFlatStyle())
        DrawWindowTab(pDC, rect, iTab, bActive, pTabWnd, &theDrawingCache.m_brFace, theDrawingCache.m_crHighlight,
                      theDrawingCache.m_crDarkShadow);
    else
        DrawWindowTab(pDC, rect, iTab, bActive, pTabWnd, &theDrawingCache.m_brFace, theDrawingCache.m_crHighlight,
                      theDrawingCache.m_crShadow);
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

// ---------------------------------------------------------------------------------------------------
// The caption bar

namespace {

const int kCaptionBarArrowWidth = 10;

// The caption bar's face: dark enough for its text in the system window colour.
COLORREF CaptionBarFace(COLORREF crBackground)
{
    return crBackground != (COLORREF)-1 ? crBackground : theDrawingCache.m_crShadow;
}

// Draws hBitmap into rect (stretched or at its own size) leaving the pixels of crTransparent alone.
void DrawBitmapTransparent(CDC* pDC, const CRect& rect, HBITMAP hBitmap, COLORREF crTransparent, BOOL bStretch)
{
    BITMAP bm = {};
    if (!::GetObjectA(hBitmap, sizeof(bm), &bm))
        return;
    const int cx = bStretch ? rect.Width() : std::min<int>(bm.bmWidth, rect.Width());
    const int cy = bStretch ? rect.Height() : std::min<int>(bm.bmHeight, rect.Height());
    const int cxSource = bStretch ? bm.bmWidth : cx;
    const int cySource = bStretch ? bm.bmHeight : cy;
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOldImage = ::SelectObject(dcImage.m_hDC, hBitmap);
    const int nOldStretch = ::SetStretchBltMode(pDC->m_hDC, COLORONCOLOR);
    if (crTransparent == (COLORREF)-1)
        pDC->StretchBlt(rect.left, rect.top, cx, cy, &dcImage, 0, 0, cxSource, cySource, SRCCOPY);
    else
    {
        // A mask that is white where the bitmap shows the transparent colour.
        CDC dcMask;
        CBitmap bmpMask;
        if (dcMask.CreateCompatibleDC(pDC) && bmpMask.CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, NULL))
        {
            CBitmap* pOldMask = dcMask.SelectObject(&bmpMask);
            const COLORREF crOldBk = dcImage.SetBkColor(crTransparent);
            dcMask.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
            dcImage.SetBkColor(crOldBk);
            const COLORREF crOldText = pDC->SetTextColor(RGB(0, 0, 0));
            const COLORREF crOldBack = pDC->SetBkColor(RGB(255, 255, 255));
            pDC->StretchBlt(rect.left, rect.top, cx, cy, &dcImage, 0, 0, cxSource, cySource, SRCINVERT);
            pDC->StretchBlt(rect.left, rect.top, cx, cy, &dcMask, 0, 0, cxSource, cySource, SRCAND);
            pDC->StretchBlt(rect.left, rect.top, cx, cy, &dcImage, 0, 0, cxSource, cySource, SRCINVERT);
            pDC->SetBkColor(crOldBack);
            pDC->SetTextColor(crOldText);
            dcMask.SelectObject(pOldMask);
        }
    }
    ::SetStretchBltMode(pDC->m_hDC, nOldStretch);
    ::SelectObject(dcImage.m_hDC, hOldImage);
}

} // namespace

void CQENVisualManager::PaintCaptionBarBorder(CDC* pDC, CQENCaptionBar*, CRect rect, COLORREF crBackground)
{
    pDC->FillSolidRect(&rect, CaptionBarFace(crBackground));
}

void CQENVisualManager::PaintCaptionBarBackground(CDC* pDC, CQENCaptionBar*, CRect rect, COLORREF crBackground,
                                                  BOOL bFlatBorder)
{
    CRect rectFill = rect;
    rectFill.InflateRect(2, 2);
    const COLORREF crOldBk = pDC->GetBkColor();
    pDC->FillSolidRect(&rectFill, CaptionBarFace(crBackground));
    if (!bFlatBorder)
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DHIGHLIGHT), ::GetSysColor(COLOR_3DSHADOW));
    pDC->SetBkColor(crOldBk);
}

void CQENVisualManager::PaintCaptionBarButton(CDC* pDC, CQENCaptionBar*, CRect rect, const CString& strText, BOOL bHot,
                                              BOOL bPressed, BOOL bDisabled, BOOL bDropDownArrow, COLORREF crText)
{
    const COLORREF crOldBk = pDC->GetBkColor();
    if (bPressed)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crShadow, theDrawingCache.m_crHighlight);
    else if (bHot)
        pDC->Draw3dRect(&rect, theDrawingCache.m_crHighlight, theDrawingCache.m_crShadow);
    const COLORREF crButtonText = bDisabled ? theDrawingCache.m_crGreyText : crText;
    CRect rectText = rect;
    if (bDropDownArrow)
    {
        CRect rectArrow = rect;
        rectArrow.left = rectArrow.right - kCaptionBarArrowWidth;
        rectText.right = rectArrow.left;
        // A triangle pointing down, 7 pixels wide and 4 high, at the middle of its strip.
        const CPoint ptCentre = rectArrow.CenterPoint();
        const POINT points[3] = {{ptCentre.x - 3, ptCentre.y - 2}, {ptCentre.x + 3, ptCentre.y - 2}, {ptCentre.x, ptCentre.y + 1}};
        CBrush brush(crButtonText);
        CPen pen(PS_SOLID, 1, crButtonText);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Polygon(points, 3);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    const COLORREF crOldText = pDC->SetTextColor(crButtonText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, &rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOldText);
    pDC->SetBkColor(crOldBk);
}

void CQENVisualManager::PaintCaptionBarImage(CDC* pDC, CQENCaptionBar*, CRect rect, HICON hIcon, HBITMAP hBitmap,
                                             COLORREF crTransparent, BOOL bStretch)
{
    if (rect.IsRectEmpty())
        return;
    if (hIcon != NULL)
        ::DrawIconEx(pDC->m_hDC, rect.left, rect.top, hIcon, 0, 0, 0, NULL, DI_NORMAL);
    else if (hBitmap != NULL)
        DrawBitmapTransparent(pDC, rect, hBitmap, crTransparent, bStretch);
}

#include "QENVisualManagerXP.h"
#include "QENCaptionButton.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CQENVisualManagerXP, CQENVisualManager)

static_assert(sizeof(CQENVisualManagerXP) == 128, "the XP manager's size on the 32-bit target");

namespace {

const int kGripInsetAcross = 2;    // the grip area is 4 pixels narrower than the gripper
const int kGripInsetAlong = 3;     // and 6 pixels shorter
const int kImageColumnExtra = 6;   // the image column is the menu image width and this much more
const int kRarelyUsedDarkening = 94;
const int kDockSideGrowth = 4;

// Each channel times nPercent / 100, at most 255.
COLORREF Percent(COLORREF cr, int nPercent)
{
    auto channel = [nPercent](int n) { return std::min(255, n * nPercent / 100); };
    return RGB(channel(GetRValue(cr)), channel(GetGValue(cr)), channel(GetBValue(cr)));
}

// Each channel times its factor, rounded to the nearest; a dark channel that is to grow grows from
// (factor - 1) * 255 instead.
COLORREF Scale(COLORREF cr, double dRed, double dGreen, double dBlue)
{
    auto channel = [](int n, double dFactor) {
        if (n == 0 && dFactor > 1.0)
            return std::min(255, (int)((dFactor - 1.0) * 255));
        return std::min(255, (int)(n * dFactor + 0.5));
    };
    return RGB(channel(GetRValue(cr), dRed), channel(GetGValue(cr), dGreen), channel(GetBValue(cr), dBlue));
}

// (cr1 + nWeight2 * cr2) / (1 + nWeight2), channel by channel.
COLORREF Mix(COLORREF cr1, COLORREF cr2, int nWeight2)
{
    auto channel = [nWeight2](int n1, int n2) { return (n1 + nWeight2 * n2) / (1 + nWeight2); };
    return RGB(channel(GetRValue(cr1), GetRValue(cr2)), channel(GetGValue(cr1), GetGValue(cr2)),
               channel(GetBValue(cr1), GetBValue(cr2)));
}

BOOL CreateStripeBrush(CBrush& brush, const WORD (&rows)[8])
{
    CBitmap pattern;
    return pattern.CreateBitmap(8, 8, 1, 1, rows) && brush.CreatePatternBrush(&pattern);
}

} // namespace

CQENVisualManagerXP::CQENVisualManagerXP()
    : m_crImageStrip(0), m_crMenuFace(0), m_crHot(0), m_crHotPressed(0), m_crHotChecked(0), m_crBarFace(0),
      m_crHotFrame(0)
{
    m_bFlatLook = TRUE;
    m_nShadowSize = 4;
    m_bFlatMenuImages = TRUE;
    m_bShadowHotImages = TRUE;
    m_bEmbossDisabled = FALSE;
    RecomputeColours();
}

CQENVisualManagerXP::~CQENVisualManagerXP()
{
}

void CQENVisualManagerXP::RecomputeColours()
{
    CGdiObject* const objects[] = {&m_brImageStrip, &m_brMenuFace, &m_brHot, &m_brHotPressed,
                                   &m_brHotChecked, &m_brLightBar, &m_penSeparator};
    for (CGdiObject* pObject : objects)
        pObject->DeleteObject();

    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF crFace = theDrawingCache.m_crFace;
    const COLORREF crShadow = theDrawingCache.m_crShadow;
    const COLORREF crHighlight = theDrawingCache.m_crSelection;
    COLORREF crBar, crSeparator;
    if (theDrawingCache.m_nScreenBits <= 8)
    {
        // A palette cannot show mixed colours.
        m_crMenuFace = crWindow;
        m_crImageStrip = crFace;
        m_crHot = crFace;
        m_crHotPressed = crFace;
        m_crHotChecked = crWindow;
        crBar = crFace;
        crSeparator = crShadow;
        m_crBarFace = crShadow;
    }
    else
    {
        m_crMenuFace = Scale(crWindow, 0.976, 0.973, 0.969);
        COLORREF crMix = RGB((GetRValue(crWindow) + 3 * GetRValue(crFace)) >> 2,
                             (GetGValue(crWindow) + 3 * GetGValue(crFace)) >> 2,
                             (GetBValue(crWindow) + 3 * GetBValue(crFace)) >> 2);
        crBar = Percent(crMix, 112);
        m_crImageStrip = Percent(crMix, 98);
        m_crHot = Percent(Mix(crHighlight, m_crMenuFace, 2), 107);
        m_crHotPressed = Scale(m_crHot, 0.87, 0.87, 0.87);
        m_crHotChecked = Percent(Mix(crHighlight, m_crMenuFace, 5), 100);
        crSeparator = Scale(crFace, 0.86, 0.86, 0.86);
        m_crBarFace = Percent(crFace, 107);
    }

    m_brImageStrip.CreateSolidBrush(m_crImageStrip);
    m_brMenuFace.CreateSolidBrush(m_crMenuFace);
    m_brHot.CreateSolidBrush(m_crHot);
    m_brHotPressed.CreateSolidBrush(m_crHotPressed);
    m_brHotChecked.CreateSolidBrush(m_crHotChecked);
    m_brLightBar.CreateSolidBrush(crBar);
    m_penSeparator.CreatePen(PS_SOLID, 1, crSeparator);
    m_crHotFrame = crHighlight;
}

BOOL CQENVisualManagerXP::ReservedHook()
{
    return FALSE;
}

void CQENVisualManagerXP::MakePatternBrush()
{
    static const WORD kHorizontalStripes[8] = {255, 0, 255, 0, 255, 0, 255, 0};
    static const WORD kVerticalStripes[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    m_brHorizontalStripes.DeleteObject();
    m_brVerticalStripes.DeleteObject();
    CreateStripeBrush(m_brHorizontalStripes, kHorizontalStripes);
    CreateStripeBrush(m_brVerticalStripes, kVerticalStripes);
}

void CQENVisualManagerXP::GrowTowardDockSide(CControlBar* pBar, CRect& rect)
{
    if (pBar == NULL || pBar->m_pDockSite == NULL || (pBar->GetBarStyle() & CBRS_FLOATING))
        return;
    DWORD dwAlign = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    if (dwAlign & CBRS_ALIGN_TOP)
        rect.bottom += kDockSideGrowth;
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
        rect.top -= kDockSideGrowth;
    else if (dwAlign & CBRS_ALIGN_LEFT)
        rect.right += kDockSideGrowth;
    else if (dwAlign & CBRS_ALIGN_RIGHT)
        rect.left -= kDockSideGrowth;
}

// ---------------------------------------------------------------------------------------------------
// Bars

void CQENVisualManagerXP::PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    if (pBar != NULL)
    {
        CQENVisualManager::PaintBarBackground(pDC, pBar, rectClient, rectClip);
        return;
    }
    pDC->FillRect(rectClip.IsRectEmpty() ? &rectClient : &rectClip, &m_brImageStrip);
}

void CQENVisualManagerXP::PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    PaintBorderLines(pDC, pBar, rect, theDrawingCache.m_crFace, theDrawingCache.m_crFace);
}

void CQENVisualManagerXP::PaintPopupFrame(CDC* pDC, CQENPopupMenu*, CRect rect)
{
    CQENDCState state(pDC);
    const COLORREF crDark = theDrawingCache.m_crDarkShadow;
    CQENDrawHelper::Draw3dFrame(pDC, rect, crDark, crDark, m_crMenuFace, m_crMenuFace);
    // The image column of the items runs on into the frame.
    pDC->FillRect(CRect(rect.left + 1, rect.top + 1, rect.left + 2, rect.bottom - 1), &m_brImageStrip);
}

void CQENVisualManagerXP::PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar*)
{
    if (m_brHorizontalStripes.GetSafeHandle() == NULL)
        MakePatternBrush();
    CQENDCState state(pDC);
    CRect rectGrip = rectGripper;
    // A horizontal bar has its gripper at the left, running down it.
    if (bHorizontal)
        rectGrip.DeflateRect(kGripInsetAcross, kGripInsetAlong);
    else
        rectGrip.DeflateRect(kGripInsetAlong, kGripInsetAcross);
    // The stripes are the pattern's clear bits, drawn in the text colour.
    pDC->SetTextColor(theDrawingCache.m_crShadow);
    pDC->SetBkColor(m_crImageStrip);
    pDC->FillRect(&rectGrip, bHorizontal ? &m_brHorizontalStripes : &m_brVerticalStripes);
}

void CQENVisualManagerXP::PaintSeparator(CDC* pDC, CControlBar*, CRect rect, BOOL bHorizontal)
{
    CQENDCState state(pDC);
    pDC->SelectObject(&m_penSeparator);
    if (bHorizontal)
    {
        int x = rect.left + rect.Width() / 2;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
    else
    {
        int y = rect.top + rect.Height() / 2;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
    }
}

// ---------------------------------------------------------------------------------------------------
// Buttons, combo boxes and menu items

void CQENVisualManagerXP::PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC)
{
    if (pButton != NULL)
        DrawCaptionButton(pDC, pButton->Look(), bA, bB, bC);
}

void CQENVisualManagerXP::DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC)
{
    CRect rect = CaptionButtonRect(look);
    if (rect.IsRectEmpty())
        return;
    CQENDCState state(pDC, &rect);
    if (look.bHot || look.bPressed)
    {
        pDC->FillRect(&rect, look.bPressed && look.bHot ? &m_brHotPressed : &m_brHot);
        pDC->Draw3dRect(&rect, m_crHotFrame, m_crHotFrame);
    }
    DrawCaptionGlyph(pDC, rect, CaptionButtonGlyph(look.nHit, bA, bB, bC), FALSE, theDrawingCache.m_crText);
}

void CQENVisualManagerXP::PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted)
{
    CQENDCState state(pDC, &rect);
    if (bDropped || bHighlighted)
    {
        pDC->FillRect(&rect, bDropped ? &m_brHotPressed : &m_brHot);
        pDC->Draw3dRect(&rect, m_crHotFrame, m_crHotFrame);
    }
    else
    {
        pDC->FillRect(&rect, &theDrawingCache.m_brFace);
    }
    CSize sizeGlyph = CQENMenuImages::ImageSize();
    CPoint ptGlyph(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
    CQENMenuImages::Draw(pDC, CQENMenuImages::ArrowDown, ptGlyph,
                         bDisabled ? theDrawingCache.m_crGreyText : theDrawingCache.m_crText);
}

void CQENVisualManagerXP::PaintComboFrame(CDC* pDC, CRect rect, BOOL, BOOL bDropped, BOOL bHighlighted)
{
    if (!bDropped && !bHighlighted)
        return;
    CQENDCState state(pDC);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, theDrawingCache.m_crDarkShadow, theDrawingCache.m_crDarkShadow);
}

void CQENVisualManagerXP::PaintButtonInterior(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    rect.DeflateRect(1, 1);
    pDC->FillRect(&rect, state == ButtonHighlighted ? &m_brHot : &m_brHotPressed);
}

void CQENVisualManagerXP::PaintButtonFrame(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    CQENDCState dcState(pDC);
    pDC->Draw3dRect(&rect, m_crHotFrame, m_crHotFrame);
}

void CQENVisualManagerXP::PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton*, CRect rect, COLORREF& crText)
{
    CQENDCState state(pDC);
    pDC->FillRect(&rect, &m_brHot);
    pDC->Draw3dRect(&rect, m_crHotFrame, m_crHotFrame);
    bool bDarkHot = GetRValue(m_crHot) <= 128 || GetGValue(m_crHot) <= 128 || GetBValue(m_crHot) <= 128;
    crText = bDarkHot ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

void CQENVisualManagerXP::PaintRarelyUsedBand(CDC* pDC, CRect rect)
{
    rect.right = std::min<LONG>(rect.right, rect.left + CQENMenuImages::ImageSize().cx + kImageColumnExtra);
    CQENDrawHelper::ChangeBrightness(pDC, rect, kRarelyUsedDarkening);
}

void CQENVisualManagerXP::PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd)
{
    const COLORREF crDark = theDrawingCache.m_crDarkShadow;
    CBrush* pFill = bActive ? &m_brMenuFace : &m_brLightBar;
    if (pTabWnd == NULL)
        Draw3dTab(pDC, rect, bActive, pFill, crDark, crDark);
    else
        DrawWindowTab(pDC, rect, iTab, bActive, pTabWnd, pFill, crDark, crDark);
}

void CQENVisualManagerXP::PaintCaptionBarButton(CDC* pDC, CQENCaptionBar* pBar, CRect rect, const CString& strText,
                                                BOOL bHot, BOOL bPressed, BOOL bDisabled, BOOL bDropDownArrow,
                                                COLORREF crText)
{
    if ((!bHot && !bPressed) || bDisabled)
    {
        CQENVisualManager::PaintCaptionBarButton(pDC, pBar, rect, strText, FALSE, FALSE, bDisabled, bDropDownArrow, crText);
        return;
    }
    // Lit like a highlighted menu item: filled, framed, the text dark or light against the fill.
    pDC->FillRect(&rect, bPressed ? &m_brHotPressed : &m_brHot);
    const COLORREF crOldBk = pDC->GetBkColor();
    pDC->Draw3dRect(&rect, m_crHotFrame, m_crHotFrame);
    pDC->SetBkColor(crOldBk);
    const BOOL bDarkFill = GetRValue(m_crHot) <= 128 || GetGValue(m_crHot) <= 128 || GetBValue(m_crHot) <= 128;
    CQENVisualManager::PaintCaptionBarButton(pDC, pBar, rect, strText, FALSE, FALSE, FALSE, bDropDownArrow,
                                             bDarkFill ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

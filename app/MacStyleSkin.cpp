#include "MacStyleSkin.h"
#include "QENCaptionButton.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMacStyleSkin, CQENVisualManager)

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const int kRingLight = 225;
const int kCaptionRingWidth = 5;
const int kButtonRingWidth = 3;
const UINT kHitHide = 19;

// Where, seen from a point n pixels into a window, the 8-pixel pattern of that window starts anew.
int PatternPhase(int n)
{
    return ((-n) % 8 + 8) % 8;
}

BOOL CreatePattern(CBrush& brush, const WORD (&rows)[8])
{
    CBitmap pattern;
    return pattern.CreateBitmap(8, 8, 1, 1, rows) && brush.CreatePatternBrush(&pattern);
}

} // namespace

CMacStyleSkin::CMacStyleSkin()
{
    static const WORD kBarRows[8] = {255, 255, 255, 0, 255, 255, 255, 0};
    static const WORD kMenuRows[8] = {255, 0, 0, 0, 255, 0, 0, 0};
    m_bFlatLook = TRUE;
    CreatePattern(m_brBarPattern, kBarRows);
    CreatePattern(m_brMenuPattern, kMenuRows);
    m_brSelection.CreateSolidBrush(s_crSelectionBlue);
}

CMacStyleSkin::~CMacStyleSkin()
{
}

CSize CMacStyleSkin::ExtraButtonMargin()
{
    return CSize(8, 8);
}

void CMacStyleSkin::FillRuled(CDC* pDC, const CRect& rect, CBrush& brPattern)
{
    // Set bits of the pattern show the background colour, clear ones the text colour.
    pDC->SetTextColor(kWhite);
    pDC->SetBkColor(s_crBackground);
    pDC->FillRect(&rect, &brPattern);
}

// ---------------------------------------------------------------------------------------------------
// Bars and menus

// A NULL bar is a plain toolbar: it gets the rules of toolbars, laid from its own origin.
void CMacStyleSkin::PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    CQENDCState state(pDC, &rectFill);
    // The rules of the bars docked side by side run on from one to the next: the pattern is laid
    // from the origin of the window they are docked in.
    CPoint ptOrigin(0, 0);
    CWnd* pDockedIn = pBar != NULL && pBar->GetSafeHwnd() != NULL && !(pBar->GetBarStyle() & CBRS_FLOATING)
                          ? pBar->GetParent()
                          : NULL;
    if (pDockedIn != NULL)
    {
        CPoint ptBar(0, 0);
        pBar->ClientToScreen(&ptBar);
        pDockedIn->ScreenToClient(&ptBar);
        ptOrigin.SetPoint(PatternPhase(ptBar.x), PatternPhase(ptBar.y));
    }
    pDC->SetBrushOrg(ptOrigin);
    FillRuled(pDC, rectFill, m_brBarPattern);
}

void CMacStyleSkin::PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    PaintBorderLines(pDC, pBar, rect, s_crBorder, s_crBorder);
}

void CMacStyleSkin::PaintPopupFrame(CDC* pDC, CQENPopupMenu*, CRect rect)
{
    CQENDCState state(pDC, &rect);
    FillRuled(pDC, rect, m_brMenuPattern);
    pDC->Draw3dRect(&rect, s_crBorder, s_crBorder);
}

void CMacStyleSkin::PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton*, CRect rect, COLORREF& crText)
{
    pDC->FillRect(&rect, &m_brSelection);
    crText = kWhite;
}

void CMacStyleSkin::PaintRarelyUsedBand(CDC*, CRect)
{
    // Rarely used items look like the others.
}

// ---------------------------------------------------------------------------------------------------
// Buttons

// A NULL button is an enabled toolbar button, which uses the extra border.
void CMacStyleSkin::PaintButtonInterior(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    rect.DeflateRect(1, 1);
    if (state == ButtonHighlighted)
        CQENDrawHelper::DrawRingGradient(pDC, rect, kWhite, s_crBorder, s_crBorder, kRingLight, kButtonRingWidth,
                                         s_crBackground);
    else
        CQENDrawHelper::DrawRingGradient(pDC, rect, s_crLightBlueGrey, s_crBorder, s_crMidBlueGrey, kRingLight,
                                         kButtonRingWidth, s_crBackground);
}

void CMacStyleSkin::PaintButtonFrame(CDC*, CQENToolbarButton*, CRect, ButtonState)
{
    // The ring is the border.
}

COLORREF CMacStyleSkin::ButtonTextColour(CQENToolbarButton*, ButtonState state)
{
    return state == ButtonHighlighted ? s_crHighlightText : s_crText;
}

COLORREF CMacStyleSkin::CaptionBarTextColour(CQENCaptionBar*)
{
    return s_crText;
}

BOOL CMacStyleSkin::PaintPushButtonFace(CDC* pDC, CQENPushButton*, CRect rect, COLORREF& crText)
{
    CQENDrawHelper::FillGradient(pDC, rect, s_crBackground, s_crLightBlueGrey, FALSE);
    crText = s_crText;
    return TRUE;
}

void CMacStyleSkin::PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC)
{
    if (pButton != NULL)
        DrawCaptionButton(pDC, pButton->Look(), bA, bB, bC);
}

void CMacStyleSkin::DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC)
{
    CRect rect = CaptionButtonRect(look);
    if (rect.IsRectEmpty())
        return;
    COLORREF crFill = s_crBackground, crEdge = kWhite;
    if (look.bHot || look.bPressed)
    {
        BOOL bClose = look.nHit == kHitHide;
        crFill = bClose ? RGB(254, 248, 248) : RGB(248, 254, 248);
        crEdge = bClose ? RGB(236, 107, 118) : RGB(118, 107, 236);
        if (look.bPressed && look.bHot)
            std::swap(crFill, crEdge);
    }
    CQENDCState state(pDC, &rect);
    CQENDrawHelper::DrawRingGradient(pDC, rect, crFill, crEdge, s_crBorder, kRingLight, kCaptionRingWidth, CLR_NONE);
    DrawCaptionGlyph(pDC, rect, CaptionButtonGlyph(look.nHit, bA, bB, bC), FALSE, s_crText);
}

void CMacStyleSkin::PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted)
{
    CQENDCState state(pDC, &rect);
    COLORREF crBottom = bDropped ? s_crMidBlueGrey : bHighlighted ? s_crLightBlueGrey : s_crBackground;
    CQENDrawHelper::FillGradient(pDC, rect, crBottom, kWhite, TRUE);
    pDC->Draw3dRect(&rect, s_crBorder, s_crBorder);
    CSize sizeGlyph = CQENMenuImages::ImageSize();
    CPoint ptGlyph(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
    CQENMenuImages::Draw(pDC, CQENMenuImages::ArrowDown, ptGlyph, bDisabled ? s_crGrey : s_crText);
}

void CMacStyleSkin::PaintComboFrame(CDC* pDC, CRect rect, BOOL, BOOL bDropped, BOOL bHighlighted)
{
    if (!bDropped && !bHighlighted)
        return;
    CQENDCState state(pDC);
    pDC->Draw3dRect(&rect, s_crBorder, s_crBorder);
}

// ---------------------------------------------------------------------------------------------------
// Tabs

void CMacStyleSkin::PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd*)
{
    CQENDCState state(pDC);
    pDC->FillSolidRect(&rect, s_crBackground);
}

void CMacStyleSkin::PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd)
{
    CBrush brFill(bActive ? kWhite : s_crLightBlueGrey);
    // A tab of a real tab window carries its label.
    if (pTabWnd != NULL)
        DrawWindowTab(pDC, rect, iTab, bActive, pTabWnd, &brFill, s_crBorder, s_crBorder);
    else
        Draw3dTab(pDC, rect, bActive, &brFill, s_crBorder, s_crBorder);
}

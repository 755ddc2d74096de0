#include "MacSkin.h"
#include "QENCaptionButton.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"
#include "resource.h"

namespace {

const int kGripperTile = 9;
const int kCaptionImage = 13;
const CPoint kButtonCorner(6, 6);   // the rounding of button frames
const UINT kHitHide = 19;
const COLORREF kArtworkBackground = RGB(192, 192, 192);

} // namespace

CMacSkin::CMacSkin()
    : m_crBackground(s_crLightGrey), m_crShadow(0), m_crHighlight(0), m_crBackgroundShadow(0), m_crShadowDark(0)
{
    m_nShadowSize = 3;
    m_brLightGrey.CreateSolidBrush(s_crLightGrey);
    RecomputeColours();
}

void CMacSkin::RecomputeColours()
{
    m_crShadow = theDrawingCache.m_crShadow;
    m_crHighlight = theDrawingCache.m_crHighlight;
    m_crBackgroundShadow = CQENDrawHelper::Midpoint(m_crBackground, m_crShadow);
    m_crShadowDark = CQENDrawHelper::Midpoint(m_crShadow, theDrawingCache.m_crDarkShadow);
    m_brHotFace.DeleteObject();
    m_brHotFace.CreateSolidBrush(m_crHighlight);
    m_brPressedFace.DeleteObject();
    m_brPressedFace.CreateSolidBrush(m_crBackgroundShadow);
}

CMacSkin::~CMacSkin()
{
}

CBitmap* CMacSkin::Bitmap(CBitmap& bitmap, UINT nResource)
{
    if (bitmap.GetSafeHandle() == NULL)
        bitmap.LoadBitmap(nResource);
    return bitmap.GetSafeHandle() != NULL ? &bitmap : NULL;
}

void CMacSkin::PaintBarBackground(CDC* pDC, CControlBar*, CRect rectClient, CRect rectClip)
{
    pDC->FillRect(rectClip.IsRectEmpty() ? &rectClient : &rectClip, &m_brLightGrey);
}

void CMacSkin::PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd*)
{
    pDC->FillRect(&rect, &m_brLightGrey);
}

void CMacSkin::TileOverBackground(CDC* pDC, const CRect& rect, CBitmap* pBitmap, CSize sizeTile)
{
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOldImage = dcImage.SelectObject(pBitmap);
    CQENDCState state(pDC, &rect);
    for (int y = rect.top; y < rect.bottom; y += sizeTile.cy)
        for (int x = rect.left; x < rect.right; x += sizeTile.cx)
            ::GdiTransparentBlt(pDC->GetSafeHdc(), x, y, sizeTile.cx, sizeTile.cy, dcImage.GetSafeHdc(), 0, 0,
                                sizeTile.cx, sizeTile.cy, kArtworkBackground);
    dcImage.SelectObject(pOldImage);
}

// A NULL bar is a plain toolbar.
void CMacSkin::PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar*)
{
    CBitmap* pTile = Bitmap(m_bmpGripper, IDB_MAC_GRIPPER);
    if (pTile == NULL)
        return;
    if (bHorizontal)
        rectGripper.DeflateRect(2, 4);
    else
        rectGripper.DeflateRect(4, 2);
    TileOverBackground(pDC, rectGripper, pTile, CSize(kGripperTile, kGripperTile));
}

void CMacSkin::PaintSeparator(CDC*, CControlBar*, CRect, BOOL)
{
    // Only the bars of popup menus show a separator line in this look; a NULL bar is a toolbar.
}

// A NULL button is a toolbar button, not a menu item: it gets the rounded look.
void CMacSkin::PaintButtonInterior(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    CQENDCState dcState(pDC, &rect);
    pDC->SelectStockObject(NULL_PEN);
    pDC->SelectObject(state == ButtonPressed ? &m_brPressedFace : &m_brHotFace);
    // A null pen leaves the right and bottom edge out of the shape: one pixel more each way.
    pDC->RoundRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1, kButtonCorner.x, kButtonCorner.y);
}

void CMacSkin::PaintButtonFrame(CDC* pDC, CQENToolbarButton*, CRect rect, ButtonState state)
{
    if (state != ButtonPressed && state != ButtonHighlighted)
        return;
    CPen penOuter(PS_SOLID, 1, state == ButtonPressed ? m_crShadowDark : m_crShadow);
    CPen penInner(PS_SOLID, 1, state == ButtonPressed ? m_crShadow : m_crHighlight);
    CQENDCState dcState(pDC, &rect);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->SelectObject(&penOuter);
    pDC->RoundRect(&rect, kButtonCorner);
    rect.DeflateRect(1, 1);
    pDC->SelectObject(&penInner);
    pDC->RoundRect(&rect, kButtonCorner);
}

void CMacSkin::PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC)
{
    if (pButton != NULL)
        DrawCaptionButton(pDC, pButton->Look(), bA, bB, bC);
}

void CMacSkin::DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC)
{
    // The bitmaps show a cross: other buttons keep the library's glyphs.
    if (look.nHit != kHitHide)
    {
        CQENVisualManager::DrawCaptionButton(pDC, look, bA, bB, bC);
        return;
    }
    CRect rect = CaptionButtonRect(look);
    BOOL bLit = look.bPressed || look.bHot;
    CBitmap* pImage = bLit ? Bitmap(m_bmpCloseHot, IDB_MAC_CLOSE_HOT) : Bitmap(m_bmpClose, IDB_MAC_CLOSE);
    if (rect.IsRectEmpty() || pImage == NULL)
        return;
    int nShift = look.bPressed && look.bHot ? 3 : 2;
    CRect rectImage(rect.TopLeft() + CSize(nShift, nShift), CSize(kCaptionImage, kCaptionImage));
    rectImage &= rect;
    TileOverBackground(pDC, rectImage, pImage, CSize(kCaptionImage, kCaptionImage));
}

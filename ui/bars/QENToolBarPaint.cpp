// CQENToolBar: painting, off-screen and through the visual manager.
#include "QENToolBar.h"

#include "QENDrawingCache.h"
#include "QENVisualManager.h"

namespace {

const int kRowGap = 5;   // the height of the line a row-ending separator draws under its row

} // namespace

void CQENToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CQENVisualManager::CurrentManager()->PaintBarEdges(pDC, this, rect);
}

void CQENToolBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const BOOL bHorizontal = IsHorizontal();
    CRect rectInside;
    GetClientRect(&rectInside);
    CalcInsideRect(rectInside, bHorizontal);
    // The gripper lies between the bar's border and where the buttons begin.
    CRect rectGripper = bHorizontal ? CRect(rect.left + m_cxLeftBorder, rect.top + m_cyTopBorder, rectInside.left,
                                            rect.bottom - m_cyBottomBorder)
                                    : CRect(rect.left + m_cyTopBorder, rect.top + m_cxLeftBorder,
                                            rect.right - m_cyBottomBorder, rectInside.top);
    CQENVisualManager::CurrentManager()->PaintGripper(pDC, rectGripper, bHorizontal, this);
}

CQENButtonImageList* CQENToolBar::StripFor(const CQENToolbarButton* pButton, BOOL bHighlighted, BOOL* pbGrey)
{
    *pbGrey = m_bGrayDisabled;
    if (pButton->m_bUserImage)
        return s_pUserImageList;
    CQENButtonImageList& standard = m_bLocked ? m_lockedStdImages : s_stdImages;
    CQENButtonImageList& cold = m_bLocked ? m_lockedColdImages : s_stdColdImages;
    CQENButtonImageList& menu = m_bLocked ? m_lockedMenuImages : s_menuOnlyImages;
    CQENButtonImageList& disabled = m_bLocked ? m_lockedDisabledImages : s_stdDisabledImages;
    CQENButtonImageList& menuDisabled = m_bLocked ? m_lockedMenuDisabledImages : s_menuOnlyDisabledImages;
    const int iImage = pButton->GetImage();
    const BOOL bDisabled = (pButton->m_nStyle & TBBS_DISABLED) != 0;

    if (m_bActsAsMenu && bDisabled && StripHasImage(menuDisabled, iImage))
    {
        *pbGrey = FALSE;
        return &menuDisabled;
    }
    if (m_bActsAsMenu && StripHasImage(menu, iImage))
        return &menu;
    if (bDisabled && StripHasImage(disabled, iImage))
    {
        *pbGrey = FALSE;
        return &disabled;
    }
    if (!m_bActsAsMenu && !bHighlighted && !(pButton->m_nStyle & TBBS_PRESSED) && !pButton->IsPopupOpen() &&
        StripHasImage(cold, iImage))
        return &cold;
    return &standard;
}

void CQENToolBar::DrawButtonAt(CDC* pDC, CQENToolbarButton* pButton, CQENButtonImageList* pImages, BOOL bHighlighted,
                               BOOL bGrayDisabled)
{
    const CSize sizeImage = ImageSize();
    QENStripDrawState state;
    const BOOL bDrawing = pImages != NULL && pImages->BeginStripDraw(state, sizeImage.cx, sizeImage.cy);
    const BOOL bCustomizeLook = s_bCustomizing && !m_bLocked && !s_bAltDragging;
    pButton->DrawButton(pDC, pButton->m_rect, bDrawing ? pImages : NULL, IsHorizontal(), bCustomizeLook, bHighlighted,
                        m_bDrawBorders, bGrayDisabled);
    if (bDrawing)
        pImages->EndStripDraw(state);
}

void CQENToolBar::PaintSeparatorAt(CDC* pDC, const CQENToolbarButton* pButton, BOOL bHorizontal)
{
    CQENVisualManager::CurrentManager()->PaintSeparator(pDC, this, pButton->m_rect, bHorizontal);
}

void CQENToolBar::DrawInsertMark(CDC* pDC)
{
    DrawInsertBeam(pDC, IsHorizontal());
}

void CQENToolBar::DrawInsertBeam(CDC* pDC, BOOL bUpright)
{
    if (m_rectInsertMark.IsRectEmpty())
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penInsertMark);
    const CRect& r = m_rectInsertMark;
    // An I-beam two pixels thick: the stem along the middle, short bars at both ends.
    for (int i = 0; i < 2; i++)
    {
        if (bUpright)
        {
            const int x = r.left + r.Width() / 2 - 1 + i;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(r.left, r.top + i);
            pDC->LineTo(r.right, r.top + i);
            pDC->MoveTo(r.left, r.bottom - 1 - i);
            pDC->LineTo(r.right, r.bottom - 1 - i);
        }
        else
        {
            const int y = r.top + r.Height() / 2 - 1 + i;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + i, r.top);
            pDC->LineTo(r.left + i, r.bottom);
            pDC->MoveTo(r.right - 1 - i, r.top);
            pDC->LineTo(r.right - 1 - i, r.bottom);
        }
    }
    pDC->SelectObject(pOldPen);
}

BOOL CQENToolBar::OnEraseBkgnd(CDC*)
{
    // DoPaint covers every pixel.
    return TRUE;
}

void CQENToolBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectClip;
    if (pDCPaint->GetClipBox(&rectClip) == NULLREGION || rectClip.IsRectEmpty())
        rectClip = rectClient;

    CDC dcMem;
    CBitmap bitmap;
    CDC* pDC = pDCPaint;
    CBitmap* pOldBitmap = NULL;
    if (dcMem.CreateCompatibleDC(pDCPaint) &&
        bitmap.CreateCompatibleBitmap(pDCPaint, rectClient.Width(), rectClient.Height()))
    {
        pOldBitmap = dcMem.SelectObject(&bitmap);
        pDC = &dcMem;
    }

    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    pManager->PaintBarBackground(pDC, this, rectClient, rectClip);
    CRect rectEdges = rectClient;
    DrawBorders(pDC, rectEdges);
    DrawGripper(pDC, rectEdges);

    const BOOL bHorizontal = IsHorizontal();
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(bHorizontal ? &theDrawingCache.m_fontMenu : &theDrawingCache.m_fontVertical270);

    CRect rectInside = rectClient;
    CalcInsideRect(rectInside, bHorizontal);
    const BOOL bCustomizeLook = s_bCustomizing && !m_bLocked;
    int i = 0;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL; i++)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton->m_bHidden)
            continue;
        if (pButton->IsSeparator())
        {
            if (bHorizontal && pButton->m_bRowBreak)
            {
                const CRect rectLine(rectInside.left, pButton->m_rect.bottom, rectInside.right,
                                     pButton->m_rect.bottom + kRowGap);
                pManager->PaintSeparator(pDC, this, rectLine, FALSE);
            }
            else
            {
                PaintSeparatorAt(pDC, pButton, bHorizontal);
            }
            continue;
        }
        CRect rectVisible;
        if (!rectVisible.IntersectRect(pButton->m_rect, rectClip))
            continue;
        BOOL bHighlighted = i == m_iHotIndex && (m_bActsAsMenu || m_iPressed < 0 || m_iPressed == i);
        if (bCustomizeLook)
            bHighlighted = FALSE;
        BOOL bGrey;
        CQENButtonImageList* pImages = StripFor(pButton, bHighlighted, &bGrey);
        DrawButtonAt(pDC, pButton, pImages, bHighlighted, bGrey);
    }

    if (s_bCustomizing && s_pCustomizeSelBar == this)
    {
        CQENToolbarButton* pSelected = ButtonAt(m_iCustomizeSel);
        if (pSelected != NULL)
        {
            CRect rectFrame = pSelected->m_rect;
            if (pSelected->HostedWindow() != NULL)
                rectFrame.bottom++;
            const COLORREF crFrame = ::GetSysColor(COLOR_BTNTEXT);
            pDC->Draw3dRect(rectFrame, crFrame, crFrame);
            rectFrame.DeflateRect(1, 1);
            pDC->Draw3dRect(rectFrame, crFrame, crFrame);
        }
    }
    if (m_iDropIndex >= 0)
        DrawInsertMark(pDC);

    pDC->SelectObject(pOldFont);
    if (pDC == &dcMem)
    {
        pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                         rectClip.top, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
    }
}

void CQENToolBar::RepaintRectOf(int iIndex)
{
    const CQENToolbarButton* pButton = ButtonAt(iIndex);
    if (pButton == NULL || m_hWnd == NULL || pButton->m_rect.IsRectEmpty())
        return;
    InvalidateRect(pButton->m_rect);
}

void CQENToolBar::RecolourImages()
{
    for (CQENButtonImageList* pStrip : {&s_stdImages, &s_stdColdImages, &s_menuOnlyImages, &s_stdDisabledImages,
                                        &s_menuOnlyDisabledImages, &m_lockedStdImages, &m_lockedColdImages,
                                        &m_lockedMenuImages, &m_lockedDisabledImages, &m_lockedMenuDisabledImages})
        pStrip->Reload();
    if (s_pUserImageList != NULL)
        s_pUserImageList->Reload();
}

void CQENToolBar::OnSysColorChange()
{
    CControlBar::OnSysColorChange();
    // The visual manager's colours follow the cache's.
    theDrawingCache.RefreshColours();
    RecolourImages();
    m_penInsertMark.DeleteObject();
    m_penInsertMark.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
    Invalidate();
}

void CQENToolBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    if (uFlags != SPI_SETNONCLIENTMETRICS)
        return;
    theDrawingCache.RefreshFonts();
    RecalcButtonLayout();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

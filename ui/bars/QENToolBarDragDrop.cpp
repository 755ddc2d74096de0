// CQENToolBar: buttons dropped onto the bar and the insert mark that shows where they go.
#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENButtonAppearanceDlg.h"

#include <algorithm>
#include <memory>

namespace {

const int kRowGap = 5;
const int kInsertMarkWidth = 6;
// A button dropped back on its own place this far along the bar starts or ends a group.
const int kGroupDragDistance = 6;

} // namespace

DROPEFFECT CQENToolBarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return m_pBar->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CQENToolBarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return m_pBar->OnDragOver(pDataObject, dwKeyState, point);
}

void CQENToolBarDropTarget::OnDragLeave(CWnd*)
{
    m_pBar->OnDragLeave();
}

BOOL CQENToolBarDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    return m_pBar->OnDrop(pDataObject, dropEffect, point);
}

int CQENToolBar::DropIndexAt(CPoint point, CRect& rectMark)
{
    rectMark.SetRectEmpty();
    const BOOL bHorizontal = IsHorizontal();
    const int nRowStep = RowHeight() + kRowGap;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_pCustomizeButton != NULL && !m_pCustomizeButton->m_bHidden && m_pCustomizeButton->m_rect.PtInRect(point))
        return -1;

    int iResult = -1;
    CRect rectEdge;
    int i = 0;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL; i++)
    {
        const CQENToolbarButton* pButton = static_cast<const CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton->m_bHidden || pButton == m_pCustomizeButton)
            continue;
        const CRect& r = pButton->m_rect;
        if (bHorizontal && (point.y < r.top || point.y >= r.top + nRowStep))
            continue;
        const int nAlong = bHorizontal ? point.x : point.y;
        const int nStart = bHorizontal ? r.left : r.top;
        const int nEnd = bHorizontal ? r.right : r.bottom;
        const BOOL bBefore = nAlong < (nStart + nEnd) / 2;
        iResult = bBefore ? i : i + 1;
        const int nEdge = bBefore ? nStart : nEnd;
        rectEdge = bHorizontal ? CRect(nEdge, r.top, nEdge, r.bottom) : CRect(r.left, nEdge, r.right, nEdge);
        if (nAlong < nEnd)
            break;
    }
    if (iResult < 0)
    {
        if (ButtonCount() > (m_pCustomizeButton != NULL ? 1 : 0))
            return -1;
        CRect rectInside = rectClient;
        CalcInsideRect(rectInside, bHorizontal);
        iResult = 0;
        rectEdge = bHorizontal ? CRect(rectInside.left, rectInside.top, rectInside.left, rectInside.bottom)
                               : CRect(rectInside.left, rectInside.top, rectInside.right, rectInside.top);
    }
    const int iCustomize = IndexOfButton(m_pCustomizeButton);
    if (iCustomize >= 0)
        iResult = std::min(iResult, iCustomize);

    rectMark = rectEdge;
    if (bHorizontal)
        rectMark.InflateRect(kInsertMarkWidth / 2, 0);
    else
        rectMark.InflateRect(0, kInsertMarkWidth / 2);
    // Kept inside the client area.
    rectMark.OffsetRect(std::max<LONG>(0, rectClient.left - rectMark.left), std::max<LONG>(0, rectClient.top - rectMark.top));
    rectMark.OffsetRect(std::min<LONG>(0, rectClient.right - rectMark.right), std::min<LONG>(0, rectClient.bottom - rectMark.bottom));
    return iResult;
}

DROPEFFECT CQENToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CQENToolBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bLocked)
        return DROPEFFECT_NONE;
    std::unique_ptr<CQENToolbarButton> pButton(CQENToolbarButton::CreateFromDataObject(pDataObject));
    if (pButton == nullptr || !pButton->AcceptsTarget(this))
    {
        OnDragLeave();
        return DROPEFFECT_NONE;
    }
    CRect rectMark;
    const int iDrop = DropIndexAt(point, rectMark);
    if (iDrop != m_iDropIndex || rectMark != m_rectInsertMark)
    {
        InvalidateRect(m_rectInsertMark);
        m_iDropIndex = iDrop;
        m_rectInsertMark = rectMark;
        InvalidateRect(m_rectInsertMark);
    }
    if (iDrop < 0)
        return DROPEFFECT_NONE;
    m_bDragCopy = (dwKeyState & MK_CONTROL) != 0;
    return m_bDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CQENToolBar::OnDragLeave()
{
    if (m_iDropIndex < 0 && m_rectInsertMark.IsRectEmpty())
        return;
    InvalidateRect(m_rectInsertMark);
    m_iDropIndex = -1;
    m_rectInsertMark.SetRectEmpty();
}

CQENToolbarButton* CQENToolBar::MakeDroppedButton(COleDataObject* pDataObject)
{
    CQENToolbarButton* pButton = CQENToolbarButton::CreateFromDataObject(pDataObject);
    if (pButton == NULL)
        return NULL;
    const int iTab = pButton->m_strLabel.Find('\t');
    if (iTab >= 0)
        pButton->m_strLabel = pButton->m_strLabel.Left(iTab);
    if (!pButton->m_bFromCommandList && pButton->GetImage() >= 0)
    {
        pButton->m_bShowImage = TRUE;
        pButton->m_bShowLabel = FALSE;
    }
    else if (pButton->GetImage() < 0)
    {
        if (pButton->m_strLabel.IsEmpty() && !FillButtonText(pButton))
        {
            // A command from the sheet's list is given a look by the user; anything else, or a
            // cancelled choice, has nothing it could show.
            if (!pButton->m_bFromCommandList || !CQENButtonAppearanceDlg::Choose(pButton, this))
            {
                delete pButton;
                return NULL;
            }
            return pButton;
        }
        pButton->m_bShowLabel = TRUE;
    }
    return pButton;
}

BOOL CQENToolBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    int iDrop = m_iDropIndex;
    OnDragLeave();
    if (m_bLocked || iDrop < 0)
        return FALSE;
    std::unique_ptr<CQENToolbarButton> pDropped(MakeDroppedButton(pDataObject));
    if (pDropped == nullptr)
        return FALSE;
    pDropped->m_bFromCommandList = FALSE;

    const int iSource = IndexOfButton(m_pDraggedButton);
    // Dropped on its own bar: the move is done here, and the source side leaves the bar alone.
    if (iSource >= 0)
        m_pDraggedButton = NULL;
    if (dropEffect == DROPEFFECT_MOVE && iSource >= 0)
    {
        if (iDrop == iSource || iDrop == iSource + 1)
        {
            const CPoint ptMoved = point - m_ptDragStart;
            const int nMoved = ButtonsRunAcross() ? ptMoved.x : ptMoved.y;
            const CQENToolbarButton* pBefore = ButtonAt(iSource - 1);
            const BOOL bGroupStart = pBefore != NULL && pBefore->IsSeparator();
            if (nMoved >= kGroupDragDistance && !bGroupStart && iSource > 0)
                AddSeparatorAt(iSource);
            else if (nMoved <= -kGroupDragDistance && bGroupStart)
                DeleteButtonAt(iSource - 1);
        }
        else
        {
            DeleteButtonAt(iSource);
            if (iSource < iDrop)
                iDrop--;
            if (AddButtonAt(*pDropped, iDrop) < 0)
                return FALSE;
        }
    }
    else if (AddButtonAt(*pDropped, iDrop) < 0)
    {
        return FALSE;
    }
    RecalcButtonLayout();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    return TRUE;
}

// CQENToolBar: mouse input, the highlight, tool tips and the context menu.
#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENCommandUsage.h"
#include "QENPopupMenuBar.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

// A stretchable button clicked this near its right edge in customize mode is resized.
const int kStretchEdge = 6;

} // namespace

BEGIN_MESSAGE_MAP(CQENToolBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_CONTEXTMENU()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

void CQENToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int iHit = HitTest(point);
    if (s_bCustomizing && !m_bLocked)
    {
        if (s_pCustomizeSelBar != NULL && s_pCustomizeSelBar != this)
        {
            s_pCustomizeSelBar->m_iCustomizeSel = -1;
            s_pCustomizeSelBar->Invalidate();
        }
        s_pCustomizeSelBar = this;
        CQENToolbarButton* pHit = ButtonAt(iHit);
        m_iCustomizeSel = pHit != NULL && pHit->IsCustomizable() ? iHit : -1;
        Invalidate();
        if (iHit < 0)
            CControlBar::OnLButtonDown(nFlags, point);
        else if (m_iCustomizeSel >= 0 && pHit->IsStretchable() && IsHorizontal() &&
                 point.x >= pHit->m_rect.right - kStretchEdge)
        {
            m_iStretching = iHit;
            m_nStretchGrab = pHit->m_rect.right - point.x;
            SetCapture();
            ::SetCursor(s_hcurCustomize[0]);
        }
        else if (m_iCustomizeSel >= 0)
        {
            // A menu button that is not dragged away opens its menu, whose items can be customized
            // then; a second click closes it.
            const BOOL bWasOpen = pHit->IsPopupOpen();
            const int nCount = ButtonCount();
            DragButton(iHit, point);
            if (!bWasOpen && ButtonAt(iHit) == pHit && ButtonCount() == nCount)
            {
                CRect rectButton = pHit->m_rect;
                ClientToScreen(&rectButton);
                CPoint ptRelease;
                ::GetCursorPos(&ptRelease);
                if (rectButton.PtInRect(ptRelease))
                    pHit->HandleClick(this, FALSE);
            }
        }
        return;
    }

    CQENToolbarButton* pButton = ButtonAt(iHit);
    if (pButton == NULL)
    {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (s_bAltDragEnabled && !m_bLocked && ::GetKeyState(VK_MENU) < 0 && pButton->IsCustomizable())
    {
        s_bAltDragging = TRUE;
        DragButton(iHit, point);
        s_bAltDragging = FALSE;
        return;
    }
    if (pButton->m_nStyle & TBBS_DISABLED)
        return;
    m_iPressed = iHit;
    pButton->m_nStyle |= TBBS_PRESSED;
    RepaintRectOf(iHit);
    UpdateWindow();
    ShowCommandPrompt(pButton);
    if (pButton->HandleClick(this, FALSE))
    {
        // The button took the click over (a menu button opened its popup).
        pButton->m_nStyle &= ~TBBS_PRESSED;
        m_iPressed = -1;
        RepaintRectOf(iHit);
        return;
    }
    SetCapture();
}

void CQENToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CQENToolbarButton* pButton = ButtonAt(HitTest(point));
    if (pButton == NULL)
    {
        CControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    pButton->HandleDoubleClick(this);
    // The second click of a quick pair presses the button again.
    OnLButtonDown(nFlags, point);
}

void CQENToolBar::UpdatePressed(BOOL bPressed)
{
    CQENToolbarButton* pButton = ButtonAt(m_iPressed);
    if (pButton == NULL || ((pButton->m_nStyle & TBBS_PRESSED) != 0) == (bPressed != FALSE))
        return;
    pButton->m_nStyle ^= TBBS_PRESSED;
    RepaintRectOf(m_iPressed);
    UpdateWindow();
}

void CQENToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CQENToolbarButton* pStretched = ButtonAt(m_iStretching);
    if (pStretched != NULL && GetCapture() == this)
    {
        const int nWidth = std::max<int>(point.x + m_nStretchGrab - pStretched->m_rect.left, ButtonSize().cx);
        if (nWidth != pStretched->m_rect.Width())
        {
            pStretched->ResizeWidth(nWidth);
            RecalcButtonLayout();
        }
        ::SetCursor(s_hcurCustomize[0]);
        return;
    }
    if (m_iPressed >= 0 && GetCapture() == this)
    {
        // The button looks pressed while the pointer is over it.
        UpdatePressed(HitTest(point) == m_iPressed);
        return;
    }
    if (!s_bCustomizing)
    {
        if (!m_bTrackingMouse)
        {
            TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
            m_bTrackingMouse = ::TrackMouseEvent(&tme);
        }
        int iHot = HitTest(point);
        const CQENToolbarButton* pHot = ButtonAt(iHot);
        if (pHot != NULL && (pHot->m_nStyle & TBBS_DISABLED) && !m_bActsAsMenu)
            iHot = -1;
        if (iHot != m_iHotIndex)
            HotButtonChanged(iHot);
    }
    CControlBar::OnMouseMove(nFlags, point);
}

LRESULT CQENToolBar::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTrackingMouse = FALSE;
    if (GetCapture() != this)
        ResetHot();
    return 0;
}

void CQENToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_iStretching >= 0)
    {
        m_iStretching = -1;
        if (GetCapture() == this)
            ReleaseCapture();
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
        return;
    }
    CQENToolbarButton* pButton = ButtonAt(m_iPressed);
    if (pButton == NULL)
    {
        CControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int iPressed = m_iPressed;
    const BOOL bReleasedOver = HitTest(point) == iPressed;
    m_iPressed = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    pButton->m_nStyle &= ~TBBS_PRESSED;
    ShowCommandPrompt(NULL);

    const BOOL bRuns = bReleasedOver && !(pButton->m_nStyle & TBBS_DISABLED);
    if (bRuns && (pButton->m_nStyle & TBBS_CHECKBOX))
    {
        pButton->m_nStyle ^= TBBS_CHECKED;
        pButton->m_nStyle &= ~TBBS_INDETERMINATE;
    }
    RepaintRectOf(iPressed);
    UpdateWindow();
    const UINT nCommandId = pButton->m_nCommandId;
    if (!bRuns || nCommandId == 0 || nCommandId == (UINT)-1)
        return;
    if (!s_bHelpMode)
        theCommandUsage.AddCommand(nCommandId);
    if (pButton->HandleClickUp())
        return;
    if (RunUserTool(nCommandId))
        return;
    CWnd* pReceiver = CommandReceiver();
    if (pReceiver != NULL)
        pReceiver->SendMessage(WM_COMMAND, nCommandId);
}

void CQENToolBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
        m_iStretching = -1;
    // Capture taken away in the middle of a click: the click is off.
    if (m_iPressed >= 0 && pWnd != this)
    {
        CQENToolbarButton* pButton = ButtonAt(m_iPressed);
        pButton->m_nStyle &= ~TBBS_PRESSED;
        RepaintRectOf(m_iPressed);
        m_iPressed = -1;
        ShowCommandPrompt(NULL);
    }
    CControlBar::OnCaptureChanged(pWnd);
}

void CQENToolBar::OnCancelMode()
{
    CControlBar::OnCancelMode();
    if (GetCapture() == this)
        ReleaseCapture();
    ResetHot();
}

void CQENToolBar::ResetHot()
{
    const int iOld = m_iHotIndex;
    m_iHotIndex = -1;
    RepaintRectOf(iOld);
}

void CQENToolBar::HotButtonChanged(int iHot)
{
    const int iOld = m_iHotIndex;
    m_iHotIndex = iHot == iOld ? -1 : iHot;
    RepaintRectOf(iOld);
    RepaintRectOf(m_iHotIndex);
    CQENToolbarButton* pHot = ButtonAt(m_iHotIndex);
    if (pHot == NULL)
        return;
    if (s_bCustomizing)
    {
        if (!pHot->IsSeparator())
        {
            m_iCustomizeSel = m_iHotIndex;
            Invalidate();
        }
        return;
    }
    // An open popup of this bar moves to the newly highlighted button.
    BOOL bPopupWasOpen = FALSE;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton != pHot && pButton->IsPopupOpen())
        {
            pButton->CancelTracking();
            bPopupWasOpen = TRUE;
        }
    }
    if (bPopupWasOpen)
        pHot->HandleClick(this, TRUE);
}

void CQENToolBar::ReturnFocus()
{
    if (m_hWndFocusBefore != NULL && ::IsWindow(m_hWndFocusBefore))
        ::SetFocus(m_hWndFocusBefore);
    m_hWndFocusBefore = NULL;
}

BOOL CQENToolBar::GetCustomToolTipText(const CQENToolbarButton*, CString&) const
{
    return FALSE;
}

INT_PTR CQENToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (!s_bTooltipsOn)
        return -1;
    CQENToolbarButton* pButton = ButtonAt(HitTest(point));
    if (pButton == NULL || pButton->IsHostedWindowVisible())
        return -1;
    CString strTip;
    if (!GetCustomToolTipText(pButton, strTip))
    {
        if (pButton->m_bUserImage || CQENToolbarButton::IsUserToolCommand(pButton->m_nCommandId))
            strTip = CQENToolbarButton::CleanMnemonics(pButton->m_strLabel);
        else
            LoadCommandTip(pButton->m_nCommandId, strTip);
    }
    if (strTip.IsEmpty())
        return -1;
    CString strShortcut;
    if (s_bShortcutsInTips &&
        CQENPopupMenuBar::FindFrameShortcut(GetTopLevelFrame(), pButton->m_nCommandId, strShortcut))
        strTip += " (" + strShortcut + ")";
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = pButton->m_nCommandId;
        pTI->rect = pButton->m_rect;
        pTI->lpszText = static_cast<LPSTR>(malloc(strTip.GetLength() + 1));
        if (pTI->lpszText != NULL)
            memcpy(pTI->lpszText, (LPCTSTR)strTip, strTip.GetLength() + 1);
    }
    return pButton->m_nCommandId;
}

void CQENToolBar::OnContextMenu(CWnd*, CPoint point)
{
    if (!s_bCustomizing)
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL)
            pFrame->SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
        return;
    }
    ShowCustomizeMenu(point);
}

LRESULT CQENToolBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CQENToolbarButton* pButton = ButtonAt(HitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))));
    if (pButton == NULL)
        return 0;
    // A menu opens, so that the help of one of its items can be chosen.
    if (pButton->HandleContextHelp(this))
        return -1;
    const UINT nCommandId = pButton->m_nCommandId;
    return nCommandId != 0 && nCommandId != (UINT)-1 ? HID_BASE_COMMAND + nCommandId : 0;
}

void CQENToolBar::CustomizeModeChanged(BOOL bCustomizing)
{
    if (m_iPressed >= 0)
        UpdatePressed(FALSE);
    m_iPressed = -1;
    m_iHotIndex = -1;
    m_iCustomizeSel = -1;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        pButton->CancelTracking();
        if (!(pButton->m_nStyle & TBBS_DISABLED))
            pButton->EnableHostedWindow(!bCustomizing);
    }
    if (m_hWnd != NULL)
        Invalidate();
}

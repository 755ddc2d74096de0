#include "QENMiniDockFrameWnd.h"

#include "QENFrameSupport.h"
#include "QENMenuImages.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuHost.h"
#include "QENSizingControlBar.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CQENMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CQENMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_SIZE()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

BOOL CQENMiniDockFrameWnd::s_bClampingPosition = FALSE;

namespace {

BOOL IsMainWindowEnabled()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain == NULL || pMain->IsWindowEnabled();
}

// The automatic roll reacts only when the user could be working with the bar.
BOOL IsUserIdleForRoll()
{
    return IsMainWindowEnabled() && CQENPopupMenu::s_pActivePopupMenu == NULL && ::GetFocus() != NULL;
}

const DWORD kButtonPollTime = 50;   // ms

} // namespace

CQENMiniDockFrameWnd::CQENMiniDockFrameWnd()
    : m_rectRollButton(0, 0, 0, 0), m_nRollState(0), m_bRolled(FALSE), m_rectTitleWidth(-1, 0, -1, 0),
      m_nAutoRollCountdown(0)
{
}

CQENMiniDockFrameWnd::~CQENMiniDockFrameWnd() = default;

BOOL CQENMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    ModifyStyle(MFS_4THICKFRAME, 0);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    return TRUE;
}

CQENSizingControlBar* CQENMiniDockFrameWnd::SizingBar() const
{
    return DYNAMIC_DOWNCAST(CQENSizingControlBar, GetFloatingBar());
}

// ---------------------------------------------------------------------------------------------------
// Roll button and rolled size

void CQENMiniDockFrameWnd::TakeRollState()
{
    CQENSizingControlBar* pBar = SizingBar();
    m_nRollState = pBar != NULL ? pBar->GetRollState() : 0;
    m_bRolled = pBar != NULL ? pBar->IsRolled() : FALSE;
    UpdateRollButton();
}

void CQENMiniDockFrameWnd::UpdateRollButton()
{
    if (m_nRollState == 0 || m_hWnd == NULL)
    {
        m_rectRollButton.SetRectEmpty();
        return;
    }
    const BOOL bThick = (GetStyle() & WS_THICKFRAME) != 0;
    const int cxFrame = ::GetSystemMetrics(bThick ? SM_CXFRAME : SM_CXDLGFRAME);
    const int cyFrame = ::GetSystemMetrics(bThick ? SM_CYFRAME : SM_CYDLGFRAME);
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    rect.DeflateRect(cxFrame, cyFrame, cxFrame, 0);
    const int cxButton = ::GetSystemMetrics(SM_CXSMSIZE);
    const int cyButton = ::GetSystemMetrics(SM_CYSMSIZE);
    // Directly left of the caption's close button.
    m_rectRollButton.SetRect(rect.right - 2 * cxButton, rect.top + 2, rect.right - cxButton - 2,
                             rect.top + cyButton - 2);
}

void CQENMiniDockFrameWnd::ApplyRollState(int nRollState, BOOL bRolled)
{
    CQENSizingControlBar* pBar = SizingBar();
    if (pBar == NULL)
        return;
    pBar->SetRollState(nRollState);
    pBar->SetRolled(bRolled);
    m_nRollState = nRollState;
    m_bRolled = bRolled;
    DelayRecalcLayout();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int CQENMiniDockFrameWnd::RolledTitleWidth()
{
    if (m_rectTitleWidth.left == -1 && m_rectTitleWidth.right == -1)
    {
        CString strTitle;
        if (GetFloatingBar() != NULL)
            GetFloatingBar()->GetWindowText(strTitle);
        CClientDC dc(this);
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        CFont font;
        CFont* pOldFont = NULL;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
            font.CreateFontIndirect(&metrics.lfSmCaptionFont))
            pOldFont = dc.SelectObject(&font);
        m_rectTitleWidth.SetRect(0, 0, dc.GetTextExtent(strTitle).cx, 0);
        if (pOldFont != NULL)
            dc.SelectObject(pOldFont);
    }
    return m_rectTitleWidth.Width() + 3 * ::GetSystemMetrics(SM_CXSMSIZE) + 2 * ::GetSystemMetrics(SM_CXFRAME) + 4;
}

void CQENMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    TakeRollState();
    if (m_nRollState != 0)
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
}

void CQENMiniDockFrameWnd::OnNcPaint()
{
    CMiniDockFrameWnd::OnNcPaint();
    if (m_nRollState == 0 || m_rectRollButton.IsRectEmpty())
        return;
    CWindowDC dc(this);
    CRect rect = m_rectRollButton;
    dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    int nImage = CQENMenuImages::ArrowUp;
    if (IsAutoRolling())
        nImage = CQENMenuImages::PinSideways;
    else if (m_bRolled)
        nImage = CQENMenuImages::ArrowDown;
    const CSize sizeImage = CQENMenuImages::ImageSize();
    const CPoint ptImage(rect.left + (rect.Width() - sizeImage.cx) / 2, rect.top + (rect.Height() - sizeImage.cy) / 2);
    CQENMenuImages::Draw(&dc, nImage, ptImage, ::GetSysColor(COLOR_BTNTEXT));
}

BOOL CQENMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT, 1);
    CControlBar* pBar = GetFloatingBar();
    if (bActive && pBar != NULL)
        pBar->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    return bResult;
}

void CQENMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CMiniDockFrameWnd::OnWindowPosChanging(lpWndPos);
    if (m_nRollState == 0 || !m_bRolled || (lpWndPos->flags & SWP_NOSIZE))
        return;
    lpWndPos->cy = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
    if (m_nRollState == 4)
        lpWndPos->cx = RolledTitleWidth();
}

// ---------------------------------------------------------------------------------------------------
// Mouse on the non-client area

void CQENMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CPoint ptWindow = point;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ptWindow.Offset(-rectWindow.left, -rectWindow.top);
    if (m_nRollState != 0 && m_rectRollButton.PtInRect(ptWindow))
    {
        switch (m_nRollState)
        {
        case 1:
            ApplyRollState(1, !m_bRolled);
            break;
        case 2:
        case 4:
            ApplyRollState(m_nRollState + 1, FALSE);
            break;
        case 3:
        case 5:
            ApplyRollState(m_nRollState - 1, m_bRolled);
            break;
        default:
            break;
        }
        SendMessage(WM_NCPAINT, 1);
        return;
    }

    CControlBar* pBar = GetFloatingBar();
    if (nHitTest == HTCAPTION)
    {
        ActivateTopParent();
        BringWindowToTop();
        if (!(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && pBar != NULL && pBar->m_pDockContext != NULL)
        {
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
    {
        ActivateTopParent();
        if (SizingBar() != NULL && pBar->m_pDockContext != NULL)
        {
            pBar->m_pDockContext->StartResize(nHitTest, point);
            return;
        }
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CQENMiniDockFrameWnd::OnNcRButtonDown(UINT, CPoint point)
{
    if (CQENToolBar::s_bCustomizing)
        return;
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsFrameWnd())
        pParent->SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

void CQENMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
    CControlBar* pBar = GetFloatingBar();
    if (!IsAutoRolling() || pBar == NULL || !IsUserIdleForRoll())
        return;
    if (m_bRolled)
        ApplyRollState(m_nRollState, FALSE);
    BringWindowToTop();
    DelayRecalcLayout();
    SetTimer(pBar->GetDlgCtrlID(), kAutoRollPeriod, NULL);
    m_nAutoRollCountdown = kAutoRollTicks;
}

void CQENMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    CQENSizingControlBar* pBar = SizingBar();
    if (pBar == NULL || nIDEvent != (UINT_PTR)pBar->GetDlgCtrlID())
    {
        CMiniDockFrameWnd::OnTimer(nIDEvent);
        return;
    }
    // The bar may have been pinned, rolled or given another state since the timer started.
    TakeRollState();
    if (!IsAutoRolling() || m_bRolled)
    {
        KillTimer(nIDEvent);
        return;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const HWND hWndUnder = ::WindowFromPoint(ptCursor);
    if (hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder))
    {
        m_nAutoRollCountdown = kAutoRollTicks;
        if (IsUserIdleForRoll())
            BringWindowToTop();
        return;
    }
    const HWND hWndFocus = ::GetFocus();
    const BOOL bFocusInside = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    if (bFocusInside || pBar->IsStayOpen() || ::GetCapture() == pBar->m_hWnd || CQENPopupMenu::s_pActivePopupMenu != NULL)
        return;
    if (m_nAutoRollCountdown <= 0)
    {
        ApplyRollState(m_nRollState, TRUE);
        KillTimer(nIDEvent);
    }
    m_nAutoRollCountdown--;
}

void CQENMiniDockFrameWnd::OnClose()
{
    CQENSizingControlBar* pBar = SizingBar();
    if (pBar != NULL && !pBar->CanClose())
        return;
    CMiniDockFrameWnd::OnClose();
}

// ---------------------------------------------------------------------------------------------------
// The caption stays on the work area

CRect PASCAL CQENMiniDockFrameWnd::WorkAreaAt(CPoint pt)
{
    CRect rectWork;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != NULL && ::GetMonitorInfoA(hMonitor, &info))
        rectWork = info.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    return rectWork;
}

void CQENMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CMiniDockFrameWnd::OnWindowPosChanged(lpWndPos);
    CControlBar* pBar = GetFloatingBar();
    if ((lpWndPos->flags & SWP_NOMOVE) || s_bClampingPosition || pBar == NULL || !pBar->IsFloating())
        return;
    CRect rect;
    GetWindowRect(&rect);
    const CRect rectWork = WorkAreaAt(rect.TopLeft());
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    int y = rect.top;
    if (rect.top < rectWork.top)
        y = rectWork.top;
    else if (rect.top + cyCaption > rectWork.bottom)
        y = std::max<int>(rectWork.bottom - cyCaption, rectWork.top);
    // Across, enough of the caption to take hold of it beside its buttons.
    const int cxKept = std::min<int>(rect.Width(), kCaptionButtonsKept * ::GetSystemMetrics(SM_CXSMSIZE));
    int x = rect.left;
    if (rect.right < rectWork.left + cxKept)
        x = rectWork.left + cxKept - rect.Width();
    else if (rect.left > rectWork.right - cxKept)
        x = rectWork.right - cxKept;
    if (x == rect.left && y == rect.top)
        return;
    s_bClampingPosition = TRUE;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    s_bClampingPosition = FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Tear-off

BOOL PASCAL CQENMiniDockFrameWnd::TearOffPopup(CFrameWnd* pFrame, CQENPopupMenu* pPopup)
{
    CQENToolbarMenuButton* pParentButton = pPopup->m_pParentButton;
    CQENFrameSupport* pSupport = CQENFrameSupport::Of(pFrame);
    if (pParentButton == NULL || pParentButton->m_uiTearOffId == 0 || pSupport == NULL)
        return FALSE;
    // A menu torn off already has its bar; a second one would share its id and its stored state.
    if (pFrame->GetControlBar(pParentButton->m_uiTearOffId) != NULL)
        return FALSE;

    CQENToolBar* pBar = new CQENToolBar;
    if (!pBar->CreateEx(pFrame, 0, CQENFrameSupport::kUserBarStyle, CRect(1, 1, 1, 1), pParentButton->m_uiTearOffId))
    {
        delete pBar;
        return FALSE;
    }
    pBar->SetWindowText(CQENToolbarButton::CleanMnemonics(pParentButton->m_strLabel));
    CQENPopupMenuBar* pMenuBar = pPopup->GetMenuBar();
    for (int i = 0; i < pMenuBar->ButtonCount(); i++)
        if (pMenuBar->ButtonAt(i)->IsPersistent())
            pBar->AddButtonAt(*pMenuBar->ButtonAt(i));
    pBar->SetBarStyle(pBar->GetBarStyle() | CQENFrameSupport::kUserBarExtraStyle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);

    CQENPopupMenuHost* pHost = dynamic_cast<CQENPopupMenuHost*>(pFrame);
    if (pHost != NULL && !pHost->CanTearOffMenu(pPopup, pBar))
    {
        pBar->DestroyWindow();
        delete pBar;
        return FALSE;
    }
    pFrame->FloatControlBar(pBar, pPopup->MenuRect().TopLeft(), CBRS_ALIGN_TOP);
    pSupport->AddTearOffBar(pBar);
    CQENMiniDockFrameWnd* pFloatingFrame = DYNAMIC_DOWNCAST(CQENMiniDockFrameWnd, pBar->GetParentFrame());
    if (pFloatingFrame == NULL)
    {
        pSupport->RemoveTearOffBar(pBar);
        pBar->DestroyWindow();
        delete pBar;
        return FALSE;
    }
    return pFloatingFrame->TrackTearOff(pPopup);
}

BOOL CQENMiniDockFrameWnd::TrackTearOff(CQENPopupMenu* pPopup)
{
    CControlBar* pBar = GetFloatingBar();
    if (pBar == NULL)
        return FALSE;
    const HWND hWndPopup = pPopup->m_hWnd;
    pPopup->ShowWindow(SW_HIDE);
    CQENToolbarMenuButton* pParentButton = pPopup->m_pParentButton;
    if (pParentButton != NULL && pParentButton->m_pWndParent != NULL && ::IsWindow(pParentButton->m_pWndParent->m_hWnd))
    {
        CRect rectButton = pParentButton->m_rect;
        rectButton.InflateRect(4, 4);
        pParentButton->m_pWndParent->InvalidateRect(rectButton);
        pParentButton->m_pWndParent->UpdateWindow();
    }

    const DWORD dwBarStyle = pBar->GetBarStyle();
    pBar->SetBarStyle(0);

    // Whatever ends the loop, the bar gets its style back before the outcome is applied.
    BOOL bAccepted = FALSE;
    BOOL bTracking = TRUE;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE))
    {
        if (!::GetMessageA(&msg, NULL, WM_PAINT, WM_PAINT))
        {
            ::PostQuitMessage((int)msg.wParam);
            bTracking = FALSE;
            break;
        }
        ::DispatchMessageA(&msg);
    }
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
        ::PostQuitMessage((int)msg.wParam);
        bTracking = FALSE;
    }
    if (bTracking && ::GetCapture() != NULL)
        bTracking = FALSE;

    if (bTracking)
    {
        pBar->SetCapture();
        CRect rectFrame;
        GetWindowRect(&rectFrame);
        const CPoint ptGrip(rectFrame.left + rectFrame.Width() / 2, rectFrame.top + 5);
        ::SetCursorPos(ptGrip.x, ptGrip.y);
        const CSize sizeOffset = ptGrip - rectFrame.TopLeft();

        auto followMouse = [&](CPoint pt) {
            SetWindowPos(NULL, pt.x - sizeOffset.cx, pt.y - sizeOffset.cy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        };
        while (::GetCapture() == pBar->m_hWnd)
        {
            if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            {
                // A release that came before the capture went to the window under the pointer then.
                if (!CDockContext::IsLeftButtonDown())
                {
                    CPoint pt;
                    ::GetCursorPos(&pt);
                    followMouse(pt);
                    bAccepted = TRUE;
                    break;
                }
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, kButtonPollTime, QS_ALLINPUT);
                continue;
            }
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_MOUSEMOVE)
            {
                CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
                ::ClientToScreen(msg.hwnd, &pt);
                followMouse(pt);
            }
            else if (msg.message == WM_LBUTTONUP)
            {
                bAccepted = TRUE;
                break;
            }
            else if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
                break;
            else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
                continue;
            else
                ::DispatchMessageA(&msg);
        }
        if (::GetCapture() == pBar->m_hWnd)
            ::ReleaseCapture();
    }
    pBar->SetBarStyle(dwBarStyle);

    if (!bAccepted)
    {
        DiscardTearOff(pPopup, hWndPopup, pBar);
        return FALSE;
    }
    CFrameWnd* pOwner = ::IsWindow(hWndPopup) ? pPopup->OwnerFrame() : NULL;
    if (pOwner == NULL)
        pOwner = GetTopLevelFrame();
    // The popup may be closing the message that started the tear-off: it goes when the loop turns.
    if (::IsWindow(hWndPopup))
        ::PostMessageA(hWndPopup, WM_CLOSE, 0, 0);
    if (pOwner != NULL)
        pOwner->SetFocus();
    return TRUE;
}

void CQENMiniDockFrameWnd::DiscardTearOff(CQENPopupMenu* pPopup, HWND hWndPopup, CControlBar* pBar)
{
    if (::IsWindow(hWndPopup))
        pPopup->SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CQENFrameSupport* pSupport = CQENFrameSupport::Of(pBar->m_pDockSite != NULL ? pBar->m_pDockSite : GetTopLevelFrame());
    if (pSupport != NULL)
        pSupport->RemoveTearOffBar(pBar);
    pBar->DestroyWindow();
    delete pBar;
    // Without its bar the frame has no purpose; it deletes itself.
    DestroyWindow();
}

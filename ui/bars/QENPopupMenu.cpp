#include "QENPopupMenu.h"

#include "QENCommandUsage.h"
#include "QENDrawHelper.h"
#include "QENDrawingCache.h"
#include "QENMiniDockFrameWnd.h"
#include "QENPopupMenuHost.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"

#include <algorithm>

namespace {

const UINT kTearOffTipString = 16028;
const int kTearOffStripBottom = 12;
const int kShadowNearPercent = 60;
const int kShadowFarPercent = 100;
const int kFadeStep = 10;
const int kFullFade = 100;

BOOL IsCustomizing()
{
    return CQENToolBar::s_bCustomizing;
}

CRect WorkAreaNear(CPoint pt)
{
    CRect rectWork(0, 0, 0, 0);
    HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (hMonitor != NULL && ::GetMonitorInfoA(hMonitor, &info))
        rectWork = info.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    return rectWork;
}

// A solid triangle pointing up, size.cx wide at its base, at the centre of rect.
void DrawUpArrow(CDC* pDC, const CRect& rect, COLORREF crArrow)
{
    const CSize size = CQENToolbarMenuButton::MenuArrowSize();
    const CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
    for (int i = 0; i < size.cy; i++)
    {
        const int nInset = size.cy - 1 - i;
        pDC->FillSolidRect(pt.x + nInset, pt.y + i, std::max<int>(size.cx - 2 * nInset, 1), 1, crArrow);
    }
}

}   // namespace

IMPLEMENT_DYNCREATE(CQENPopupMenu, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CQENPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

int CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
BOOL CQENPopupMenu::s_bMenuShadows = TRUE;
BOOL CQENPopupMenu::s_bRecentlyUsedMenus = TRUE;
BOOL CQENPopupMenu::s_bShowAllMenusAfterDelay = TRUE;
CQENPopupMenu* CQENPopupMenu::s_pActivePopupMenu = NULL;
HHOOK CQENPopupMenu::s_hInputHook = NULL;
void(PASCAL* CQENPopupMenu::s_pfnTrackedCommand)(UINT) = NULL;

CQENPopupMenu::CQENPopupMenu()
    : m_hMenu(NULL),
      m_ptRequested(0, 0),
      m_ptLocation(0, 0),
      m_sizeFull(0, 0),
      m_sizeAnimated(0, 0),
      m_bAnimationDone(TRUE),
      m_nDropDirection(DropDownOrRight),
      m_bScrollable(FALSE),
      m_iScrollDirection(0),
      m_rectScrollUp(0, 0, 0, 0),
      m_rectScrollDown(0, 0, 0, 0),
      m_nScrollButtonHeight(CQENToolbarMenuButton::MenuArrowSize().cy + 4),
      m_nShadowDepth(0),
      m_pParentButton(NULL),
      m_rectTearOff(0, 0, 0, 0),
      m_nSideImageWidth(0),
      m_rectSideImage(0, 0, 0, 0),
      m_nAnimation(AnimationNone),
      m_nFadeLevel(kFullFade),
      m_bGrowWidth(TRUE),
      m_bOwnMessage(FALSE),
      m_bTrackMode(FALSE),
      m_dwAnimationStart(0),
      m_bInLayout(FALSE),
      m_bWatchingInput(FALSE),
      m_hWndOwnerFrame(NULL)
{
}

CQENPopupMenu::~CQENPopupMenu()
{
}

// ---------------------------------------------------------------------------------------------------
// The frame and the chain of popups

CQENPopupMenuHost* PASCAL CQENPopupMenu::HostOf(CWnd* pWnd)
{
    if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return NULL;
    CFrameWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CQENPopupMenu)) ? static_cast<CFrameWnd*>(pWnd)
                                                                       : pWnd->GetTopLevelFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CQENPopupMenu)))
        pFrame = static_cast<CQENPopupMenu*>(pFrame)->OwnerFrame();
    return dynamic_cast<CQENPopupMenuHost*>(pFrame);
}

CFrameWnd* CQENPopupMenu::OwnerFrame() const
{
    // The frame may be gone before the popup: only a live window counts.
    if (m_hWndOwnerFrame == NULL || !::IsWindow(m_hWndOwnerFrame))
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hWndOwnerFrame);
    return pWnd != NULL && pWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pWnd) : NULL;
}

CQENPopupMenu* CQENPopupMenu::GetParentPopup() const
{
    if (m_pParentButton == NULL || m_pParentButton->m_pWndParent == NULL ||
        !m_pParentButton->m_pWndParent->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
        return NULL;
    return static_cast<CQENPopupMenuBar*>(m_pParentButton->m_pWndParent)->GetPopupMenu();
}

CQENPopupMenu* CQENPopupMenu::OutermostPopup()
{
    CQENPopupMenu* pPopup = this;
    while (pPopup->GetParentPopup() != NULL)
        pPopup = pPopup->GetParentPopup();
    return pPopup;
}

CQENPopupMenu* CQENPopupMenu::OpenSubmenu() const
{
    for (int i = 0; i < m_wndMenuBar.ButtonCount(); i++)
    {
        CQENToolbarButton* pButton = m_wndMenuBar.ButtonAt(i);
        if (pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) &&
            static_cast<CQENToolbarMenuButton*>(pButton)->m_pPopupMenu != NULL)
            return static_cast<CQENToolbarMenuButton*>(pButton)->m_pPopupMenu;
    }
    return NULL;
}

BOOL CQENPopupMenu::InPopupChain(HWND hWnd) const
{
    for (const CQENPopupMenu* pPopup = this; pPopup != NULL; pPopup = pPopup->OpenSubmenu())
        if (hWnd == pPopup->m_hWnd || ::IsChild(pPopup->m_hWnd, hWnd))
            return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Creation

BOOL CQENPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    m_hMenu = hMenu;
    m_bOwnMessage = bOwnMessage;
    CFrameWnd* pFrame = pWndParent != NULL && ::IsWindow(pWndParent->m_hWnd) ? pWndParent->GetTopLevelFrame() : NULL;
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CQENPopupMenu)))
        pFrame = static_cast<CQENPopupMenu*>(pFrame)->OwnerFrame();
    if (pFrame == NULL)
    {
        CWnd* pMain = AfxGetMainWnd();
        pFrame = pMain != NULL && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : NULL;
    }
    m_hWndOwnerFrame = pFrame->GetSafeHwnd();
    CQENPopupMenuBar::MenuShowDelay();

    if (x == -1 && y == -1)
    {
        CPoint pt(0, 0);
        if (pWndParent != NULL && ::IsWindow(pWndParent->m_hWnd))
        {
            CRect rectClient;
            pWndParent->GetClientRect(&rectClient);
            pWndParent->ClientToScreen(&rectClient);
            pt = rectClient.TopLeft() + CPoint(5, 5);
        }
        x = pt.x;
        y = pt.y;
    }
    m_ptRequested = m_ptLocation = CPoint(x, y);

    if (s_nMenuAnimation == AnimationFade && theDrawingCache.m_nScreenBits <= 8)
        s_nMenuAnimation = AnimationNone;
    m_nAnimation = IsCustomizing() ? AnimationNone : s_nMenuAnimation;
    m_nShadowDepth = s_bMenuShadows && !IsCustomizing() && theDrawingCache.m_nScreenBits > 8
                         ? CQENVisualManager::CurrentManager()->m_nShadowSize
                         : 0;

    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    // Owned by the frame, the popup stays off the task bar without being a tool window, whose
    // pixels some X servers under Wine never show.
    DWORD dwExStyle = WS_EX_TOPMOST;
    if (m_nAnimation == AnimationFade)
        dwExStyle |= WS_EX_LAYERED;
    const MSG* pMsg = CWnd::GetCurrentMessage();
    const BOOL bFromKeyboard = pMsg != NULL && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN);
    // A failed creation has deleted the object.
    if (!CMiniFrameWnd::CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP, CRect(x, y, x + 1, y + 1), pFrame))
        return FALSE;

    m_wndMenuBar.m_bLocked = bLocked;
    m_wndMenuBar.m_bOpenedFromKeyboard = bFromKeyboard;
    if (pFrame != NULL)
        m_wndMenuBar.SetOwner(pFrame);
    if (!m_wndMenuBar.BuildFromMenuHandle(hMenu, FALSE))
    {
        DestroyWindow();
        return FALSE;
    }
    m_hMenu = NULL;

    CQENPopupMenuHost* pHost = dynamic_cast<CQENPopupMenuHost*>(pFrame);
    if (pHost != NULL)
    {
        if (!pHost->AnnouncePopupMenu(this))
        {
            DestroyWindow();
            return FALSE;
        }
    }
    else if (GetParentPopup() == NULL)
    {
        s_pActivePopupMenu = this;
    }
    if (!m_wndMenuBar.m_bAllShown && m_pParentButton != NULL)
        m_wndMenuBar.AppendShowAllButton();

    RecalcLayout();
    if (!m_rectTearOff.IsRectEmpty() && m_wndToolTip.Create(this))
    {
        m_wndToolTip.AddTool(this, kTearOffTipString, m_rectTearOff, 1);
        m_wndToolTip.Activate(TRUE);
    }
    SaveShadowBackground();
    StartAnimation();
    if (GetParentPopup() == NULL && (pHost == NULL || !pHost->FiltersPopupInput()))
        WatchInput(TRUE);
    ApplyWindowRect();
    if (m_nAnimation == AnimationFade && !m_bAnimationDone)
        ::SetLayeredWindowAttributes(m_hWnd, 0, 0, LWA_ALPHA);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    // The shadow may fall on the button that opened the menu.
    CWnd* pParentBar = m_pParentButton != NULL ? m_pParentButton->m_pWndParent : NULL;
    if (m_nShadowDepth > 0 && pParentBar != NULL && ::IsWindow(pParentBar->m_hWnd))
    {
        CRect rectButton = m_pParentButton->m_rect;
        pParentBar->ClientToScreen(&rectButton);
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        CRect rectOverlap;
        if (rectOverlap.IntersectRect(rectButton, rectWindow))
            pParentBar->InvalidateRect(m_pParentButton->m_rect);
    }
    return TRUE;
}

int CQENPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMenuBar.CreateEx(this, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR))
        return -1;
    // A menu has no gripper and no borders of its own.
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() & ~(CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_HIDE_INPLACE));
    m_wndMenuBar.SetBorders(0, 0, 0, 0);
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Placement

CRect CQENPopupMenu::MenuRect() const
{
    return CRect(m_ptLocation, m_sizeFull);
}

void CQENPopupMenu::RecalcLayout(BOOL)
{
    if (m_bInLayout || m_wndMenuBar.m_hWnd == NULL)
        return;
    m_bInLayout = TRUE;

    const CSize sizeBar = m_wndMenuBar.CalcSize(FALSE);
    const BOOL bTearOff = m_pParentButton != NULL && m_pParentButton->m_uiTearOffId != 0;
    const int nTopInset = kFrameWidth + (bTearOff ? kTearOffHeight : 0);
    const int nBarLeft = kFrameWidth + std::max(m_nSideImageWidth, 0);
    const CSize sizeWanted(sizeBar.cx + nBarLeft + kFrameWidth,
                           sizeBar.cy + 2 * kFrameWidth + (bTearOff ? kTearOffHeight : 0));
    m_rectTearOff = bTearOff ? CRect(2, 2, sizeWanted.cx - 2, kTearOffStripBottom) : CRect(0, 0, 0, 0);

    // 1. The work area of the monitor, and the point inside it.
    const CRect rectWork = WorkAreaNear(m_ptRequested);
    CPoint pt = m_ptRequested;
    pt.x = std::max(rectWork.left, std::min(pt.x, rectWork.right - 1));
    pt.y = std::max(rectWork.top, std::min(pt.y, rectWork.bottom - 1));

    const CQENPopupMenu* pParentPopup = GetParentPopup();
    CWnd* pBar = m_pParentButton != NULL ? m_pParentButton->m_pWndParent : NULL;
    if (pBar != NULL && !::IsWindow(pBar->m_hWnd))
        pBar = NULL;
    CRect rectButton(pt, CSize(0, 0));
    if (pBar != NULL)
    {
        rectButton = m_pParentButton->m_rect;
        pBar->ClientToScreen(&rectButton);
    }
    const BOOL bVerticalBar = pBar != NULL && pParentPopup == NULL && pBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)) &&
                              !static_cast<CQENToolBar*>(pBar)->IsHorizontal();

    // 2. Too wide.
    CSize size = sizeWanted;
    m_nDropDirection = DropDownOrRight;
    m_bGrowWidth = TRUE;
    if (pt.x + size.cx > rectWork.right)
    {
        if (pParentPopup != NULL)
        {
            pt.x = pParentPopup->MenuRect().left - size.cx + 1;
            m_nDropDirection = DropLeft;
        }
        else if (bVerticalBar)
        {
            pt.x = rectButton.left - size.cx;
            m_nDropDirection = DropLeft;
        }
        else
        {
            pt.x = rectWork.right - 1 - size.cx;
        }
        pt.x = std::max(pt.x, rectWork.left);
        m_bGrowWidth = FALSE;
    }

    // 3. Too tall.
    if (pt.y + size.cy > rectWork.bottom)
    {
        if (pParentPopup != NULL)
        {
            pt.y = rectButton.top + m_wndMenuBar.RowHeight() + 4 - size.cy;
        }
        else if (pBar != NULL && !bVerticalBar)
        {
            const int nAbove = rectButton.top - rectWork.top;
            const int nBelow = rectWork.bottom - pt.y;
            if (size.cy <= nAbove || nAbove > nBelow)
            {
                m_nDropDirection = DropUp;
                pt.y = std::max<int>(rectButton.top - size.cy, rectWork.top);
                size.cy = std::min<int>(size.cy, rectButton.top - pt.y);
            }
        }
        else
        {
            pt.y = rectWork.bottom - size.cy;
        }
        pt.y = std::max(pt.y, rectWork.top);
        size.cy = std::min<int>(size.cy, rectWork.bottom - pt.y);
    }

    // 4. What does not fit scrolls.
    m_bScrollable = size.cy < sizeWanted.cy;
    int nBarTop = nTopInset;
    int nBarBottom = size.cy - kFrameWidth;
    if (m_bScrollable)
    {
        m_rectScrollUp = CRect(nBarLeft, nBarTop, size.cx - kFrameWidth, nBarTop + m_nScrollButtonHeight);
        m_rectScrollDown = CRect(nBarLeft, nBarBottom - m_nScrollButtonHeight, size.cx - kFrameWidth, nBarBottom);
        nBarTop += m_nScrollButtonHeight;
        nBarBottom -= m_nScrollButtonHeight;
    }
    else
    {
        m_rectScrollUp.SetRectEmpty();
        m_rectScrollDown.SetRectEmpty();
        m_wndMenuBar.SetFirstVisibleItem(0);
    }
    m_ptLocation = pt;
    m_sizeFull = size;
    m_rectSideImage = m_nSideImageWidth > 0 ? CRect(kFrameWidth, nTopInset, nBarLeft, size.cy - kFrameWidth)
                                            : CRect(0, 0, 0, 0);
    m_wndMenuBar.SetWindowPos(NULL, nBarLeft, nBarTop, sizeBar.cx, std::max(nBarBottom - nBarTop, 0),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndMenuBar.RecalcButtonLayout();
    if (m_bAnimationDone)
        m_sizeAnimated = m_sizeFull;
    ApplyWindowRect();
    Invalidate();
    m_bInLayout = FALSE;
}

void CQENPopupMenu::ApplyWindowRect()
{
    if (m_hWnd == NULL)
        return;
    CRect rect(m_ptLocation, m_sizeFull);
    if (m_bAnimationDone)
    {
        rect.right += m_nShadowDepth;
        rect.bottom += m_nShadowDepth;
    }
    else
    {
        const CSize size(std::min(m_sizeAnimated.cx, m_sizeFull.cx), std::min(m_sizeAnimated.cy, m_sizeFull.cy));
        // The menu grows out of the corner next to what opened it.
        if (m_nDropDirection == DropUp)
            rect.top = rect.bottom - size.cy;
        else
            rect.bottom = rect.top + size.cy;
        if (m_nDropDirection == DropLeft)
            rect.left = rect.right - size.cx;
        else
            rect.right = rect.left + size.cx;
    }
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQENPopupMenu::OnSize(UINT nType, int cx, int cy)
{
    // The frame's own layout would move the bar; RecalcLayout places it.
    CWnd::OnSize(nType, cx, cy);
}

// ---------------------------------------------------------------------------------------------------
// Animation

void CQENPopupMenu::StartAnimation()
{
    m_bAnimationDone = TRUE;
    m_sizeAnimated = m_sizeFull;
    if (m_nAnimation == AnimationNone || IsCustomizing())
        return;
    const int nRow = m_wndMenuBar.RowHeight();
    const int nColumn = m_wndMenuBar.ColumnWidth();
    switch (m_nAnimation)
    {
    case AnimationUnfold:
        m_sizeAnimated = CSize(m_bGrowWidth ? nColumn : m_sizeFull.cx, nRow);
        break;
    case AnimationSlide:
        m_sizeAnimated = CSize(m_sizeFull.cx, nRow);
        break;
    case AnimationFade:
        m_nFadeLevel = 0;
        break;
    default:
        return;
    }
    m_bAnimationDone = FALSE;
    m_wndMenuBar.ShowWindow(SW_HIDE);
    m_dwAnimationStart = ::GetTickCount();
    SetTimer(kAnimationTimer, kAnimationStep, NULL);
}

void CQENPopupMenu::AnimationStep()
{
    const DWORD dwElapsed = ::GetTickCount() - m_dwAnimationStart;
    const int nProgress = (int)((dwElapsed + kAnimationStep / 2) / kAnimationStep);
    BOOL bDone = FALSE;
    switch (m_nAnimation)
    {
    case AnimationUnfold:
        if (m_bGrowWidth)
            m_sizeAnimated.cx += nProgress * m_wndMenuBar.ColumnWidth();
        m_sizeAnimated.cy += nProgress * m_wndMenuBar.RowHeight();
        bDone = m_bGrowWidth ? m_sizeAnimated.cx >= m_sizeFull.cx : m_sizeAnimated.cy >= m_sizeFull.cy;
        break;
    case AnimationSlide:
        m_sizeAnimated.cy += nProgress * m_wndMenuBar.RowHeight();
        bDone = m_sizeAnimated.cy >= m_sizeFull.cy;
        break;
    case AnimationFade:
        m_nFadeLevel = std::min(m_nFadeLevel + kFadeStep, kFullFade + kFadeStep * nProgress);
        bDone = m_nFadeLevel > kFullFade;
        if (!bDone)
            ::SetLayeredWindowAttributes(m_hWnd, 0, (BYTE)(m_nFadeLevel * 255 / kFullFade), LWA_ALPHA);
        break;
    default:
        bDone = TRUE;
        break;
    }
    if (bDone)
    {
        FinishAnimation();
        return;
    }
    ApplyWindowRect();
    Invalidate();
}

void CQENPopupMenu::FinishAnimation()
{
    KillTimer(kAnimationTimer);
    m_bAnimationDone = TRUE;
    m_sizeAnimated = m_sizeFull;
    if (m_nAnimation == AnimationFade)
        ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
    ApplyWindowRect();
    m_wndMenuBar.ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------------
// Painting

void CQENPopupMenu::SaveShadowBackground()
{
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    if (m_nShadowDepth <= 0)
        return;
    CClientDC dcScreen(NULL);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcScreen))
        return;
    const int d = m_nShadowDepth;
    const CRect rectRight(m_ptLocation.x + m_sizeFull.cx, m_ptLocation.y, m_ptLocation.x + m_sizeFull.cx + d,
                          m_ptLocation.y + m_sizeFull.cy + d);
    const CRect rectBottom(m_ptLocation.x, m_ptLocation.y + m_sizeFull.cy, m_ptLocation.x + m_sizeFull.cx,
                           m_ptLocation.y + m_sizeFull.cy + d);
    const struct
    {
        CBitmap* pBitmap;
        CRect rect;
    } strips[] = {{&m_bmpShadowRight, rectRight}, {&m_bmpShadowBottom, rectBottom}};
    for (const auto& strip : strips)
    {
        if (!strip.pBitmap->CreateCompatibleBitmap(&dcScreen, strip.rect.Width(), strip.rect.Height()))
            continue;
        CBitmap* pOld = dc.SelectObject(strip.pBitmap);
        dc.BitBlt(0, 0, strip.rect.Width(), strip.rect.Height(), &dcScreen, strip.rect.left, strip.rect.top, SRCCOPY);
        dc.SelectObject(pOld);
    }
}

void CQENPopupMenu::PaintMenu(CDC* pDC)
{
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    const CRect rectMenu(CPoint(0, 0), m_sizeFull);
    pManager->PaintBarBackground(pDC, &m_wndMenuBar, rectMenu, rectMenu);
    CQENPopupMenuHost* pHost = dynamic_cast<CQENPopupMenuHost*>(OwnerFrame());
    if (pHost != NULL && !m_rectSideImage.IsRectEmpty())
        pHost->DrawMenuSideImage(pDC, this, m_rectSideImage);

    if (!m_rectTearOff.IsRectEmpty())
    {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        pManager->PaintTearOffStrip(pDC, m_rectTearOff, m_rectTearOff.PtInRect(ptCursor));
    }
    if (m_bScrollable)
    {
        const int iFirst = m_wndMenuBar.FirstVisibleItem();
        const COLORREF crOn = theDrawingCache.m_crText;
        const COLORREF crOff = theDrawingCache.m_crGreyText;
        DrawUpArrow(pDC, m_rectScrollUp, iFirst > 0 ? crOn : crOff);
        CQENToolbarMenuButton::DrawMenuArrow(pDC, m_rectScrollDown, TRUE,
                                             m_wndMenuBar.IsLastItemVisible() ? crOff : crOn);
    }
    if (!m_bAnimationDone)
    {
        // The bar is hidden while the menu grows: its picture is painted here.
        CRect rectBar;
        m_wndMenuBar.GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        const CPoint ptOld = pDC->SetViewportOrg(rectBar.TopLeft());
        m_wndMenuBar.DoPaint(pDC);
        pDC->SetViewportOrg(ptOld);
    }
    pManager->PaintPopupFrame(pDC, this, rectMenu);

    const int d = m_nShadowDepth;
    if (d > 0 && m_bmpShadowRight.GetSafeHandle() != NULL && m_bmpShadowBottom.GetSafeHandle() != NULL)
    {
        CDC dc;
        if (dc.CreateCompatibleDC(pDC))
        {
            CBitmap* pOld = dc.SelectObject(&m_bmpShadowRight);
            pDC->BitBlt(m_sizeFull.cx, 0, d, m_sizeFull.cy + d, &dc, 0, 0, SRCCOPY);
            dc.SelectObject(&m_bmpShadowBottom);
            pDC->BitBlt(0, m_sizeFull.cy, m_sizeFull.cx, d, &dc, 0, 0, SRCCOPY);
            dc.SelectObject(pOld);
            CQENDrawHelper::DrawShadow(pDC, rectMenu, d, kShadowFarPercent, kShadowNearPercent);
        }
    }
}

BOOL CQENPopupMenu::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CQENPopupMenu::OnPaint()
{
    CPaintDC dcPaint(this);
    const CSize sizeCanvas(m_sizeFull.cx + m_nShadowDepth, m_sizeFull.cy + m_nShadowDepth);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcPaint) || !bitmap.CreateCompatibleBitmap(&dcPaint, sizeCanvas.cx, sizeCanvas.cy))
        return;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    PaintMenu(&dc);
    // While growing, the window shows the part of the menu next to where it opened.
    CPoint ptSource(0, 0);
    if (!m_bAnimationDone)
    {
        const CSize sizeHidden(m_sizeFull.cx - std::min(m_sizeAnimated.cx, m_sizeFull.cx),
                               m_sizeFull.cy - std::min(m_sizeAnimated.cy, m_sizeFull.cy));
        const BOOL bSlide = m_nAnimation == AnimationSlide;
        if ((m_nDropDirection == DropUp) != (bSlide != FALSE))
            ptSource.y = sizeHidden.cy;
        if (m_nDropDirection == DropLeft)
            ptSource.x = sizeHidden.cx;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dc, ptSource.x, ptSource.y, SRCCOPY);
    dc.SelectObject(pOld);
}

// ---------------------------------------------------------------------------------------------------
// Scrolling, timers and input

int CQENPopupMenu::HitTestPoint(CPoint ptScreen) const
{
    const CRect rectMenu = MenuRect();
    if (rectMenu.PtInRect(ptScreen))
    {
        CRect rectTearOff = m_rectTearOff;
        rectTearOff.OffsetRect(m_ptLocation);
        CRect rectSide = m_rectSideImage;
        rectSide.OffsetRect(m_ptLocation);
        return rectTearOff.PtInRect(ptScreen) ? HitTearOff : rectSide.PtInRect(ptScreen) ? HitSideImage : HitMenu;
    }
    const int d = m_nShadowDepth;
    if (d > 0 && CRect(rectMenu.right, rectMenu.top + d, rectMenu.right + d, rectMenu.bottom + d).PtInRect(ptScreen))
        return HitRightShadow;
    if (d > 0 && CRect(rectMenu.left + d, rectMenu.bottom, rectMenu.right, rectMenu.bottom + d).PtInRect(ptScreen))
        return HitBottomShadow;
    return HitOutside;
}

void CQENPopupMenu::Scroll(int nDirection)
{
    const int iFirst = m_wndMenuBar.FirstVisibleItem();
    if ((nDirection < 0 && iFirst == 0) || (nDirection > 0 && m_wndMenuBar.IsLastItemVisible()))
    {
        KillTimer(kScrollTimer);
        m_iScrollDirection = 0;
        return;
    }
    m_wndMenuBar.SetFirstVisibleItem(iFirst + nDirection);
    UpdateScrollButtons();
}

void CQENPopupMenu::UpdateScrollButtons()
{
    InvalidateRect(m_rectScrollUp);
    InvalidateRect(m_rectScrollDown);
}

void CQENPopupMenu::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bScrollable)
    {
        const int nDirection = m_rectScrollUp.PtInRect(point) ? -1 : m_rectScrollDown.PtInRect(point) ? 1 : 0;
        if (nDirection != m_iScrollDirection)
        {
            m_iScrollDirection = nDirection;
            if (nDirection == 0)
                KillTimer(kScrollTimer);
            else
                SetTimer(kScrollTimer, kScrollStep, NULL);
        }
    }
    if (!m_rectTearOff.IsRectEmpty())
        InvalidateRect(m_rectTearOff);
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

void CQENPopupMenu::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
    {
        AnimationStep();
        return;
    }
    if (nIDEvent == kScrollTimer)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const int nDirection = m_rectScrollUp.PtInRect(pt) ? -1 : m_rectScrollDown.PtInRect(pt) ? 1 : 0;
        if (nDirection == 0)
        {
            KillTimer(kScrollTimer);
            m_iScrollDirection = 0;
            return;
        }
        Scroll(nDirection);
        return;
    }
    CMiniFrameWnd::OnTimer(nIDEvent);
}

void CQENPopupMenu::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The tear-off closes or restores this popup itself.
    if (m_rectTearOff.PtInRect(point) && OwnerFrame() != NULL && !IsCustomizing())
    {
        CQENMiniDockFrameWnd::TearOffPopup(OwnerFrame(), this);
        return;
    }
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

int CQENPopupMenu::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CQENPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && GetParentPopup() == NULL && !IsCustomizing())
        PostMessage(WM_CLOSE);
}

void CQENPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The innermost open submenu takes the keys.
    CQENPopupMenu* pSubmenu = OpenSubmenu();
    if (pSubmenu != NULL && ::IsWindow(pSubmenu->m_hWnd))
    {
        pSubmenu->SendMessage(WM_KEYDOWN, nChar, 0);
        return;
    }
    CQENPopupMenu* pParentPopup = GetParentPopup();
    switch (nChar)
    {
    case VK_RETURN:
        m_wndMenuBar.ActivateHighlighted();
        return;
    case VK_ESCAPE:
        CloseMenu();
        return;
    case VK_LEFT:
        if (pParentPopup != NULL)
            CloseMenu();
        else
            OutermostPopup()->MoveToNeighbourMenu(-1);
        return;
    case VK_RIGHT:
    {
        CQENToolbarMenuButton* pHot = m_wndMenuBar.HighlightedMenuButton();
        if (pHot != NULL && pHot->m_bHasMenu && !(pHot->m_nStyle & TBBS_DISABLED))
        {
            const int nAnimation = s_nMenuAnimation;
            s_nMenuAnimation = AnimationNone;
            m_wndMenuBar.ActivateHighlighted();
            s_nMenuAnimation = nAnimation;
            return;
        }
        OutermostPopup()->MoveToNeighbourMenu(1);
        return;
    }
    case VK_DOWN:
        if ((::GetKeyState(VK_CONTROL) & 0x8000) && !m_wndMenuBar.m_bAllShown)
        {
            m_wndMenuBar.ShowAllItems();
            return;
        }
        [[fallthrough]];
    case VK_UP:
    case VK_HOME:
    case VK_END:
        if (m_wndMenuBar.MoveHighlight(nChar) && m_bScrollable)
            UpdateScrollButtons();
        return;
    default:
        break;
    }
    const UINT nCharacter = ::MapVirtualKeyA(nChar, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (nCharacter != 0 && m_wndMenuBar.HandleMnemonic(nCharacter))
        return;
    CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CQENPopupMenu::MoveToNeighbourMenu(int nStep)
{
    CWnd* pBarWnd = m_pParentButton != NULL ? m_pParentButton->m_pWndParent : NULL;
    if (pBarWnd == NULL || !::IsWindow(pBarWnd->m_hWnd) || !pBarWnd->IsKindOf(RUNTIME_CLASS(CQENToolBar)) ||
        pBarWnd->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
        return;
    CQENToolBar* pBar = static_cast<CQENToolBar*>(pBarWnd);
    const int nCount = pBar->ButtonCount();
    const int iCurrent = pBar->IndexOfButton(m_pParentButton);
    for (int n = 1; n < nCount; n++)
    {
        const int i = ((iCurrent + n * nStep) % nCount + nCount) % nCount;
        CQENToolbarButton* pButton = pBar->ButtonAt(i);
        if (!pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) || pButton->m_bHidden ||
            !static_cast<CQENToolbarMenuButton*>(pButton)->m_bHasMenu)
            continue;
        CQENToolbarMenuButton* pNext = static_cast<CQENToolbarMenuButton*>(pButton);
        // This popup is gone after the next line: only locals from here on.
        CloseMenu();
        pBar->m_iHotIndex = i;
        pBar->RepaintRectOf(iCurrent);
        pBar->RepaintRectOf(i);
        if (pNext->OpenPopupMenu(pBar) && pNext->GetPopupMenu() != NULL)
            pNext->GetPopupMenu()->GetMenuBar()->MoveHighlight(VK_HOME);
        return;
    }
}

// ---------------------------------------------------------------------------------------------------
// The input of frames that do not filter it

void CQENPopupMenu::WatchInput(BOOL bWatch)
{
    if (bWatch == m_bWatchingInput)
        return;
    m_bWatchingInput = bWatch;
    if (bWatch && s_hInputHook == NULL)
        s_hInputHook = ::SetWindowsHookExA(WH_GETMESSAGE, InputHook, NULL, ::GetCurrentThreadId());
    else if (!bWatch && s_hInputHook != NULL)
    {
        ::UnhookWindowsHookEx(s_hInputHook);
        s_hInputHook = NULL;
    }
}

LRESULT CALLBACK CQENPopupMenu::InputHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    CQENPopupMenu* pPopup = s_pActivePopupMenu;
    if (nCode != HC_ACTION || wParam != PM_REMOVE || pPopup == NULL || !::IsWindow(pPopup->m_hWnd) ||
        !pPopup->m_bWatchingInput)
        return ::CallNextHookEx(s_hInputHook, nCode, wParam, lParam);

    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (pPopup->InPopupChain(pMsg->hwnd))
            break;
        if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU)
            pPopup->PostMessage(WM_CLOSE);
        else
            pPopup->SendMessage(WM_KEYDOWN, pMsg->wParam, 0);
        pMsg->message = WM_NULL;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    {
        // In customize mode the menu stays open for what is dragged into it.
        if (pPopup->InPopupChain(pMsg->hwnd) || IsCustomizing())
            break;
        // A click on the button that opened the menu only closes it.
        const CQENToolbarMenuButton* pButton = pPopup->m_pParentButton;
        BOOL bOnOpeningButton = FALSE;
        if (pButton != NULL && pButton->m_pWndParent != NULL && ::IsWindow(pButton->m_pWndParent->m_hWnd))
        {
            CRect rectButton = pButton->m_rect;
            pButton->m_pWndParent->ClientToScreen(&rectButton);
            bOnOpeningButton = rectButton.PtInRect(pMsg->pt);
        }
        pPopup->CloseMenu();
        if (bOnOpeningButton)
            pMsg->message = WM_NULL;
        break;
    }
    default:
        break;
    }
    return ::CallNextHookEx(s_hInputHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------------
// Closing

void CQENPopupMenu::CloseMenu()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CQENPopupMenu::HandOverTrackedCommand(UINT nCommandId)
{
    if (!m_bTrackMode)
        return FALSE;
    theCommandUsage.AddCommand(nCommandId);
    if (s_pfnTrackedCommand != NULL)
        s_pfnTrackedCommand(nCommandId);
    CloseMenu();
    return TRUE;
}

void CQENPopupMenu::OnClose()
{
    CloseMenu();
}

void CQENPopupMenu::OnDestroy()
{
    KillTimer(kAnimationTimer);
    KillTimer(kScrollTimer);
    WatchInput(FALSE);
    // Submenus first.
    for (int i = 0; i < m_wndMenuBar.ButtonCount(); i++)
        m_wndMenuBar.ButtonAt(i)->CancelTracking();

    const BOOL bOutermost = GetParentPopup() == NULL;
    // Customized, the items are the menu of the button from now on, and of the menu above it.
    if (m_wndMenuBar.m_bItemsChanged && m_pParentButton != NULL)
    {
        m_wndMenuBar.CopyItemsTo(m_pParentButton);
        CQENPopupMenuBar* pParentBar = DYNAMIC_DOWNCAST(CQENPopupMenuBar, m_pParentButton->m_pWndParent);
        if (pParentBar != NULL)
            pParentBar->m_bItemsChanged = TRUE;
    }
    if (m_pParentButton != NULL)
    {
        CQENToolbarMenuButton* pButton = m_pParentButton;
        m_pParentButton = NULL;
        if (pButton->m_pPopupMenu == this)
            pButton->m_pPopupMenu = NULL;
        CWnd* pBar = pButton->m_pWndParent;
        if (pBar != NULL && ::IsWindow(pBar->m_hWnd))
        {
            pButton->InvalidateOwnerArea();
            if (bOutermost && !IsCustomizing() && pBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)) &&
                ::GetFocus() != pBar->m_hWnd)
                static_cast<CQENToolBar*>(pBar)->ResetHot();
        }
    }
    CQENPopupMenuHost* pHost = dynamic_cast<CQENPopupMenuHost*>(OwnerFrame());
    if (pHost != NULL)
        pHost->OnPopupMenuClosed(this);
    if (s_pActivePopupMenu == this)
        s_pActivePopupMenu = NULL;
    CMiniFrameWnd::OnDestroy();
}

#include "QENTabWnd.h"
#include "QENDrawingCache.h"
#include "QENVisualManager.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CQENTabWnd, CWnd)

const UINT QENM_ONCHANGE_ACTIVE_TAB = ::RegisterWindowMessageA("QENM_ONCHANGE_ACTIVE_TAB");
const UINT QENM_ON_HSCROLL = ::RegisterWindowMessageA("QENM_ON_HSCROLL");
const UINT QENM_ON_RENAME_TAB = ::RegisterWindowMessageA("QENM_ON_RENAME_TAB");

BEGIN_MESSAGE_MAP(CQENTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_HSCROLL()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

const int kTabPadding = 12;             // label and image plus this much
const int kImageMinShare = 4;           // a tab share below image width + this gives every tab the same width
const UINT kHorizontalSplitCursor = 30980;
const COLORREF kImageMask = RGB(192, 192, 192);

HCURSOR HorizontalSplitCursor()
{
    static HCURSOR hCursor = NULL;
    if (hCursor == NULL)
        hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kHorizontalSplitCursor));
    if (hCursor == NULL)
        hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_SIZEWE);
    return hCursor;
}

BOOL IsListView(CWnd* pWnd)
{
    char szClass[32] = {};
    ::GetClassNameA(pWnd->GetSafeHwnd(), szClass, sizeof szClass);
    return lstrcmpiA(szClass, "SysListView32") == 0;
}

} // namespace

CQENTabInfo::CQENTabInfo(const CString& strLabel, int iImage, CWnd* pWnd, UINT nTabID, BOOL bIsListView)
    : m_strLabel(strLabel),
      m_iImage(iImage),
      m_rect(0, 0, 0, 0),
      m_bVisible(TRUE),
      m_pWnd(pWnd),
      m_bIsListView(bIsListView),
      m_nFullWidth(0),
      m_nTabID(nTabID),
      m_crText((COLORREF)-1),
      m_crBack((COLORREF)-1)
{
}

CQENTabWnd::CQENTabWnd()
    : m_nBorderSize(3),
      m_bHidePassivePages(TRUE),
      m_bFitPages(TRUE),
      m_bDeletePages(TRUE),
      m_bNoErase(FALSE),
      m_bStripOffForOne(FALSE),
      m_bStripOffForNone(FALSE),
      m_bRenameInPlace(FALSE),
      m_bScrollOnDemand(FALSE),
      m_nTabs(0),
      m_iActiveTab(-1),
      m_bFlat(FALSE),
      m_bSharedScroll(FALSE),
      m_location(LOCATION_BOTTOM),
      m_rectTabsArea(0, 0, 0, 0),
      m_rectTabs(0, 0, 0, 0),
      m_rectPageArea(0, 0, 0, 0),
      m_nTabsHeight(0),
      m_nImagesResID(0),
      m_sizeImage(0, 0),
      m_bTabScrollRoom(FALSE),
      m_nTabsHorzOffset(0),
      m_nTabsHorzOffsetMax(0),
      m_nTabsTotalWidth(0),
      m_nHorzScrollWidth(0),
      m_rectTabSplitter(0, 0, 0, 0),
      m_bTrackSplitter(FALSE),
      m_crActiveTabBack((COLORREF)-1),
      m_crActiveTabText((COLORREF)-1),
      m_nNextTabID(1),
      m_pRenameEdit(NULL),
      m_iRenamedTab(-1)
{
}

CQENTabWnd::~CQENTabWnd()
{
    for (int i = 0; i < m_nTabs; i++)
        delete Tab(i);
    delete m_pRenameEdit;
}

BOOL CQENTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location)
{
    m_bFlat = style != STYLE_3D;
    m_bSharedScroll = style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_location = location;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

// ---------------------------------------------------------------------------------------------------
// Tabs

void CQENTabWnd::AppendTab(CWnd* pTabWnd, LPCTSTR lpszLabel, int iImage)
{
    InsertTabAt(pTabWnd, lpszLabel, -1, iImage);
}

void CQENTabWnd::InsertTabAt(CWnd* pTabWnd, LPCTSTR lpszLabel, int iInsertAt, int iImage)
{
    if (iInsertAt < 0 || iInsertAt > m_nTabs)
        iInsertAt = m_nTabs;
    CQENTabInfo* pTab =
        new CQENTabInfo(lpszLabel, m_bFlat ? -1 : iImage, pTabWnd, m_nNextTabID++, IsListView(pTabWnd));
    m_tabs.InsertAt(iInsertAt, pTab);
    m_nTabs++;
    if (m_toolTip.GetSafeHwnd() != NULL)
    {
        CRect rectNone(0, 0, 0, 0);
        m_toolTip.AddTool(this, lpszLabel, &rectNone, pTab->m_nTabID);
    }

    if (m_iActiveTab < 0)
    {
        RecalcLayout();
        SwitchToTab(iInsertAt, FALSE);
        return;
    }
    // The active page stays the active one, wherever the new tab goes.
    if (iInsertAt <= m_iActiveTab)
        m_iActiveTab++;
    if (pTabWnd->GetSafeHwnd() != NULL)
    {
        if (m_bHidePassivePages)
            pTabWnd->ShowWindow(SW_HIDE);
        else if (GetActivePage()->GetSafeHwnd() != NULL)
            GetActivePage()->BringWindowToTop();
    }
    RecalcLayout();
}

BOOL CQENTabWnd::DeleteTab(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (m_nTabs == 1)
    {
        DeleteAllTabs();
        return TRUE;
    }
    CQENTabInfo* pTab = Tab(iTab);
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DelTool(this, pTab->m_nTabID);
    m_tabs.RemoveAt(iTab);
    m_nTabs--;
    const BOOL bWasActive = iTab == m_iActiveTab;
    if (m_bDeletePages && pTab->m_pWnd->GetSafeHwnd() != NULL)
        pTab->m_pWnd->DestroyWindow();
    else if (bWasActive && pTab->m_pWnd->GetSafeHwnd() != NULL)
        pTab->m_pWnd->ShowWindow(SW_HIDE);   // no longer a page of this window
    delete pTab;

    int iNewActive = m_iActiveTab;
    if (iNewActive >= iTab)
        iNewActive = std::max(0, iNewActive - 1);
    RecalcLayout();
    if (bWasActive)
    {
        // The old page is gone: the new active tab's page must be shown, not taken as shown.
        m_iActiveTab = -1;
        SwitchToTab(iNewActive, TRUE);
    }
    else
        m_iActiveTab = iNewActive;
    NotifyActiveTab();
    return TRUE;
}

void CQENTabWnd::DeleteAllTabs()
{
    CloseRenameEdit();
    for (int i = 0; i < m_nTabs; i++)
    {
        CQENTabInfo* pTab = Tab(i);
        if (m_toolTip.GetSafeHwnd() != NULL)
            m_toolTip.DelTool(this, pTab->m_nTabID);
        if (m_bDeletePages && pTab->m_pWnd->GetSafeHwnd() != NULL)
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_tabs.RemoveAll();
    m_nTabs = 0;
    m_iActiveTab = -1;
    m_nNextTabID = 1;
    RecalcLayout();
    SynchronizeScrollBar();
}

BOOL CQENTabWnd::ShowTab(int iTab, BOOL bShow)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_bVisible = bShow;
    RecalcLayout();
    return TRUE;
}

BOOL CQENTabWnd::IsTabVisible(int iTab) const
{
    return IsValidTab(iTab) && Tab(iTab)->m_bVisible;
}

CWnd* CQENTabWnd::GetActivePage() const
{
    return IsValidTab(m_iActiveTab) ? Tab(m_iActiveTab)->m_pWnd : NULL;
}

CWnd* CQENTabWnd::GetPage(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_pWnd : NULL;
}

int CQENTabWnd::GetVisibleTabCount() const
{
    int nVisible = 0;
    for (int i = 0; i < m_nTabs; i++)
        if (Tab(i)->m_bVisible)
            nVisible++;
    return nVisible;
}

BOOL CQENTabWnd::GetLabel(int iTab, CString& strLabel) const
{
    if (!IsValidTab(iTab))
        return FALSE;
    strLabel = Tab(iTab)->m_strLabel;
    return TRUE;
}

BOOL CQENTabWnd::SetLabel(int iTab, const CString& strLabel)
{
    if (!IsValidTab(iTab) || strLabel.IsEmpty())
        return FALSE;
    Tab(iTab)->m_strLabel = strLabel;
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.UpdateTipText(strLabel, this, Tab(iTab)->m_nTabID);
    AdjustTabs();
    Invalidate();
    return TRUE;
}

int CQENTabWnd::GetImage(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_iImage : -1;
}

BOOL CQENTabWnd::SetImage(int iTab, int iImage)
{
    if (!IsValidTab(iTab) || m_bFlat)
        return FALSE;
    Tab(iTab)->m_iImage = iImage;
    AdjustTabs();
    Invalidate();
    return TRUE;
}

COLORREF CQENTabWnd::GetTextColour(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_crText : (COLORREF)-1;
}

COLORREF CQENTabWnd::GetBackColour(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_crBack : (COLORREF)-1;
}

BOOL CQENTabWnd::SetTextColour(int iTab, COLORREF crText)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_crText = crText;
    Invalidate();
    return TRUE;
}

BOOL CQENTabWnd::SetBackColour(int iTab, COLORREF crBack)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_crBack = crBack;
    Invalidate();
    return TRUE;
}

BOOL CQENTabWnd::GetTabRect(int iTab, CRect& rect) const
{
    if (!IsValidTab(iTab))
        return FALSE;
    rect = Tab(iTab)->m_rect;
    return TRUE;
}

void CQENTabWnd::SetActiveTabColour(COLORREF crBack)
{
    m_crActiveTabBack = crBack;
    MakeActiveTabBrush();
    Invalidate();
}

void CQENTabWnd::SetActiveTabTextColour(COLORREF crText)
{
    m_crActiveTabText = crText;
    Invalidate();
}

COLORREF CQENTabWnd::GetActiveTabColour() const
{
    return m_crActiveTabBack == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : m_crActiveTabBack;
}

COLORREF CQENTabWnd::GetActiveTabTextColour() const
{
    return m_crActiveTabText == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crActiveTabText;
}

void CQENTabWnd::MakeActiveTabBrush()
{
    if (!m_bFlat)
        return;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabColour());
}

BOOL CQENTabWnd::LoadTabImages(UINT nBitmapID)
{
    if (m_bFlat)
        return FALSE;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nBitmapID))
        return FALSE;
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    m_images.DeleteImageList();
    if (!m_images.Create(nBitmapID, info.bmHeight, 0, kImageMask))
        return FALSE;
    m_nImagesResID = nBitmapID;
    m_sizeImage = m_images.GetIconSize();
    SetTabsHeight();
    RecalcLayout();
    return TRUE;
}

int CQENTabWnd::TabAt(CPoint point) const
{
    if (!m_rectTabs.PtInRect(point))
        return -1;
    // The active tab lies on top, then each tab over the one before it.
    if (IsValidTab(m_iActiveTab) && Tab(m_iActiveTab)->m_bVisible && Tab(m_iActiveTab)->m_rect.PtInRect(point))
        return m_iActiveTab;
    for (int i = m_nTabs - 1; i >= 0; i--)
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(point))
            return i;
    return -1;
}

int CQENTabWnd::TabOfPage(const CWnd* pPage) const
{
    if (pPage == NULL)
        return -1;
    for (int i = 0; i < m_nTabs; i++)
        if (Tab(i)->m_pWnd == pPage ||
            (pPage->m_hWnd != NULL && Tab(i)->m_pWnd->GetSafeHwnd() == pPage->m_hWnd))
            return i;
    return -1;
}

CFont* CQENTabWnd::GetTabFont()
{
    return m_bFlat ? &m_fontTabs : &theDrawingCache.m_fontMenu;
}

// ---------------------------------------------------------------------------------------------------
// Activation

BOOL CQENTabWnd::ActivateTab(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (iTab == m_iActiveTab)
        return TRUE;
    SwitchToTab(iTab, m_iActiveTab >= 0);
    return TRUE;
}

void CQENTabWnd::SwitchToTab(int iTab, BOOL bGiveFocus)
{
    CWnd* pOldPage = GetActivePage();
    CWnd* pPage = Tab(iTab)->m_pWnd;
    if (m_bHidePassivePages && pOldPage->GetSafeHwnd() != NULL && pOldPage != pPage)
        pOldPage->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    if (pPage->GetSafeHwnd() != NULL)
    {
        if (m_bSharedScroll)
        {
            pPage->ShowScrollBar(SB_HORZ, FALSE);
            pPage->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
        }
        pPage->ShowWindow(SW_SHOW);
        if (!m_bHidePassivePages)
            pPage->BringWindowToTop();
        if (m_bFitPages)
            FitPage(pPage);
    }
    if (m_bFlat)
        EnsureVisible(iTab);
    SynchronizeScrollBar();
    if (m_hWnd != NULL)
        Invalidate();
    if (!bGiveFocus || pPage->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame = pPage->IsKindOf(RUNTIME_CLASS(CView)) ? pPage->GetParentFrame() : NULL;
    if (pFrame != NULL)
        pFrame->SetActiveView(static_cast<CView*>(pPage));
    else
        pPage->SetFocus();
}

void CQENTabWnd::ActivateByUser(int iTab)
{
    if (iTab == m_iActiveTab)
        return;
    ActivateTab(iTab);
    NotifyActiveTab();
}

void CQENTabWnd::NotifyActiveTab()
{
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(QENM_ONCHANGE_ACTIVE_TAB, m_iActiveTab, 0);
}

void CQENTabWnd::ActivateNeighbour(int nStep)
{
    int iTab = m_iActiveTab >= 0 ? m_iActiveTab : (nStep > 0 ? -1 : m_nTabs);
    for (int nTried = 0; nTried < m_nTabs; nTried++)
    {
        iTab = (iTab + nStep + m_nTabs) % m_nTabs;
        if (Tab(iTab)->m_bVisible)
            break;
    }
    if (!IsValidTab(iTab) || !Tab(iTab)->m_bVisible || iTab == m_iActiveTab)
        return;
    ActivateTab(iTab);
    if (Tab(iTab)->m_pWnd->GetSafeHwnd() != NULL)
        Tab(iTab)->m_pWnd->SetFocus();
    NotifyActiveTab();
}

BOOL CQENTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_pRenameEdit != NULL)
        return HandleRenameMessage(pMsg) || CWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        ::GetKeyState(VK_CONTROL) < 0 && GetVisibleTabCount() > 0)
    {
        ActivateNeighbour(pMsg->wParam == VK_PRIOR ? -1 : 1);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------------
// Layout

void CQENTabWnd::SetTabsHeight()
{
    if (m_bFlat)
    {
        m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + 2;
        MakeTabFonts();
    }
    else
        m_nTabsHeight = std::max<int>(theDrawingCache.m_nMenuTextHeight + 2, m_sizeImage.cy + 8);
}

void CQENTabWnd::MakeTabFonts()
{
    LOGFONTA lfGui = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lfGui, &lfGui);
    LOGFONTA lf = {};
    lf.lfHeight = lfGui.lfHeight;
    lf.lfCharSet = lfGui.lfCharSet;
    lstrcpyA(lf.lfFaceName, CQENDrawingCache::s_szArial);

    CWindowDC dcScreen(NULL);
    for (;;)
    {
        m_fontTabs.DeleteObject();
        m_fontTabs.CreateFontIndirect(&lf);
        CFont* pOldFont = dcScreen.SelectObject(&m_fontTabs);
        TEXTMETRICA tm = {};
        dcScreen.GetTextMetrics(&tm);
        dcScreen.SelectObject(pOldFont);
        if (tm.tmHeight + 2 <= m_nTabsHeight || lf.lfHeight == 0)
            break;
        lf.lfHeight += lf.lfHeight < 0 ? 1 : -1;
    }
    lf.lfWeight = FW_BOLD;
    m_fontTabsBold.DeleteObject();
    m_fontTabsBold.CreateFontIndirect(&lf);
}

void CQENTabWnd::SizeSharedScrollBar()
{
    if (!m_bSharedScroll)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nMinimum = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
    const int nRoom = rectClient.Width() - 2 * m_nBorderSize - 4 * ::GetSystemMetrics(SM_CXVSCROLL);
    m_nHorzScrollWidth = nRoom / 2;
    if (m_nHorzScrollWidth <= nMinimum)
        m_nHorzScrollWidth = nRoom;
    if (nRoom <= nMinimum)
        m_nHorzScrollWidth = 0;
}

void CQENTabWnd::RecalcLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nVisible = GetVisibleTabCount();
    const BOOL bStripOff =
        !m_bSharedScroll && ((m_bStripOffForOne && nVisible < 2) || (m_bStripOffForNone && nVisible == 0));
    const BOOL bNoRoom = rectClient.Height() < m_nTabsHeight + m_nBorderSize;
    const int nStrip = bStripOff || bNoRoom ? 0 : m_nTabsHeight;

    m_rectTabsArea = rectClient;
    m_rectTabsArea.DeflateRect(m_nBorderSize, m_nBorderSize);
    if (m_location == LOCATION_BOTTOM)
        m_rectTabsArea.top = m_rectTabsArea.bottom - nStrip;
    else
        m_rectTabsArea.bottom = m_rectTabsArea.top + nStrip;
    if (m_bFlat && m_nBorderSize > 1)
        m_rectTabsArea.OffsetRect(0, m_location == LOCATION_BOTTOM ? m_nBorderSize - 1 : 1 - m_nBorderSize);
    m_rectTabs = m_rectTabsArea;

    const int cyScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_rectTabSplitter.SetRectEmpty();
    if (m_wndScrollWnd.GetSafeHwnd() != NULL)
    {
        const int nWidth = std::min<int>(m_nHorzScrollWidth, m_rectTabs.Width() - kSplitterWidth);
        if (nStrip > 0 && nWidth > 0)
        {
            m_wndScrollWnd.SetWindowPos(NULL, m_rectTabs.right - nWidth, m_rectTabs.top + 1, nWidth, cyScroll,
                                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_rectTabSplitter.SetRect(m_rectTabs.right - nWidth - kSplitterWidth, m_rectTabs.top,
                                      m_rectTabs.right - nWidth, m_rectTabs.bottom);
            m_rectTabs.right = m_rectTabSplitter.left;
        }
        else
            m_wndScrollWnd.ShowWindow(SW_HIDE);
    }
    m_bTabScrollRoom = m_wndScrollTabs.GetSafeHwnd() != NULL && nStrip > 0 &&
                       m_rectTabs.Width() > 2 * ::GetSystemMetrics(SM_CXHSCROLL);

    m_rectPageArea = rectClient;
    m_rectPageArea.DeflateRect(m_nBorderSize + 1, m_nBorderSize + 1);
    if (nStrip > 0)
    {
        if (m_location == LOCATION_BOTTOM)
            m_rectPageArea.bottom = m_rectTabsArea.top + (m_bFlat ? 0 : 1);
        else
            m_rectPageArea.top = m_rectTabsArea.bottom - (m_bFlat ? 0 : 1);
    }
    m_rectPageArea.NormalizeRect();

    if (m_bFitPages)
        for (int i = 0; i < m_nTabs; i++)
            if (Tab(i)->m_bVisible && Tab(i)->m_pWnd->GetSafeHwnd() != NULL)
                FitPage(Tab(i)->m_pWnd);
    AdjustTabs();
    // A page given a new size may have shown its own horizontal scroll bar again.
    SynchronizeScrollBar();
    Invalidate();
}

void CQENTabWnd::FitPage(CWnd* pPage)
{
    // First at the full width, then one pixel narrower: a page that keeps its size would not lay
    // itself out again.
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    pPage->SetWindowPos(NULL, m_rectPageArea.left, m_rectPageArea.top, m_rectPageArea.Width(),
                        m_rectPageArea.Height(), nFlags);
    pPage->SetWindowPos(NULL, m_rectPageArea.left, m_rectPageArea.top, m_rectPageArea.Width() - 1,
                        m_rectPageArea.Height(), nFlags);
}

void CQENTabWnd::AdjustTabs()
{
    if (m_hWnd == NULL)
        return;
    std::vector<int> widths(m_nTabs, 0);
    int nVisible = 0;
    m_nTabsTotalWidth = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetTabFont());
        for (int i = 0; i < m_nTabs; i++)
        {
            CQENTabInfo* pTab = Tab(i);
            pTab->m_nFullWidth = 0;
            if (!pTab->m_bVisible)
                continue;
            const BOOL bImage = pTab->m_iImage >= 0 && m_images.GetSafeHandle() != NULL;
            pTab->m_nFullWidth = dc.GetTextExtent(pTab->m_strLabel).cx + (bImage ? m_sizeImage.cx : 0) + kTabPadding;
            widths[i] = pTab->m_nFullWidth;
            m_nTabsTotalWidth += widths[i] + 1;
            nVisible++;
        }
        dc.SelectObject(pOldFont);
    }

    const int nSlant = m_bFlat ? m_nTabsHeight / 2 : 0;
    if (nVisible > 0)
        m_nTabsTotalWidth += nSlant;
    if (m_bFlat)
    {
        const int cxArrows = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
        const BOOL bShowScroll =
            m_bTabScrollRoom && (!m_bScrollOnDemand || m_nTabsTotalWidth > m_rectTabs.right - m_rectTabsArea.left);
        if (m_wndScrollTabs.GetSafeHwnd() != NULL)
        {
            if (bShowScroll)
                m_wndScrollTabs.SetWindowPos(NULL, m_rectTabsArea.left, m_rectTabs.top + 1, cxArrows,
                                             ::GetSystemMetrics(SM_CYHSCROLL),
                                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            else
                m_wndScrollTabs.ShowWindow(SW_HIDE);
        }
        m_rectTabs.left = m_rectTabsArea.left + (bShowScroll ? cxArrows + 1 : 0);
        m_nTabsHorzOffsetMax = std::max(0, m_nTabsTotalWidth - m_rectTabs.Width());
        m_nTabsHorzOffset = std::min(std::max(0, m_nTabsHorzOffset), m_nTabsHorzOffsetMax);
    }
    else if (nVisible > 0 && m_nTabsTotalWidth > m_rectTabs.Width())
        ShrinkTabs(widths.data(), nVisible);
    else
        for (int i = 0; i < m_nTabs; i++)
            if (m_toolTip.GetSafeHwnd() != NULL)
            {
                CRect rectNone(0, 0, 0, 0);
                m_toolTip.SetToolRect(this, Tab(i)->m_nTabID, &rectNone);
            }

    // 3D tabs start on the page's edge line; flat ones on the line along the strip.
    const int nTop = m_bFlat ? m_rectTabsArea.top + (m_location == LOCATION_TOP ? 2 : 0) : m_rectTabsArea.top + 1;
    const int nBottom = std::max(nTop, nTop + m_rectTabsArea.Height() - 2);
    int x = m_rectTabs.left - m_nTabsHorzOffset;
    for (int i = 0; i < m_nTabs; i++)
    {
        CQENTabInfo* pTab = Tab(i);
        if (!pTab->m_bVisible)
        {
            pTab->m_rect.SetRectEmpty();
            continue;
        }
        pTab->m_rect.SetRect(x, nTop, x + widths[i] + nSlant, nBottom);
        x += widths[i] + 1;
        if (!m_bFlat && m_toolTip.GetSafeHwnd() != NULL && pTab->m_nFullWidth > widths[i])
            m_toolTip.SetToolRect(this, pTab->m_nTabID, &pTab->m_rect);
    }
    UpdateTabScrollBar();
}

void CQENTabWnd::ShrinkTabs(int* pWidths, int nVisible)
{
    const int nRoom = m_rectTabs.Width();
    const int nShare = nRoom / nVisible;
    if (nShare < m_sizeImage.cx + kImageMinShare)
    {
        const int nEqual = std::max(0, (nRoom + 2 * m_nBorderSize) / nVisible);
        for (int i = 0; i < m_nTabs; i++)
            if (Tab(i)->m_bVisible)
                pWidths[i] = nEqual;
    }
    else
    {
        // What the narrow tabs leave of their share goes to the wide ones.
        int nLeftOver = 0, nWide = 0;
        for (int i = 0; i < m_nTabs; i++)
        {
            if (!Tab(i)->m_bVisible)
                continue;
            if (pWidths[i] < nShare)
                nLeftOver += nShare - pWidths[i];
            else
                nWide++;
        }
        const int nWideShare = nWide > 0 ? nShare + nLeftOver / nWide : nShare;
        for (int i = 0; i < m_nTabs; i++)
            if (Tab(i)->m_bVisible)
                pWidths[i] = std::min(pWidths[i], nWideShare);
    }
    CRect rectNone(0, 0, 0, 0);
    if (m_toolTip.GetSafeHwnd() != NULL)
        for (int i = 0; i < m_nTabs; i++)
            m_toolTip.SetToolRect(this, Tab(i)->m_nTabID, &rectNone);
}

void CQENTabWnd::UpdateTabScrollBar()
{
    if (m_wndScrollTabs.GetSafeHwnd() == NULL)
        return;
    UINT nArrows = ESB_ENABLE_BOTH;
    if (GetVisibleTabCount() == 0)
        nArrows = ESB_DISABLE_BOTH;
    else
    {
        if (m_nTabsHorzOffset <= 0)
            nArrows |= ESB_DISABLE_LTUP;
        if (m_nTabsHorzOffset >= m_nTabsHorzOffsetMax)
            nArrows |= ESB_DISABLE_RTDN;
    }
    m_wndScrollTabs.EnableScrollBar(ESB_ENABLE_BOTH);
    if (nArrows != ESB_ENABLE_BOTH)
        m_wndScrollTabs.EnableScrollBar(nArrows);
}

void CQENTabWnd::EnsureVisible(int iTab)
{
    if (!IsValidTab(iTab) || !Tab(iTab)->m_bVisible)
        return;
    const CRect& rect = Tab(iTab)->m_rect;
    if (rect.left < m_rectTabs.left)
        m_nTabsHorzOffset -= m_rectTabs.left - rect.left;
    else if (rect.right > m_rectTabs.right)
        m_nTabsHorzOffset += std::min<int>(rect.right - m_rectTabs.right, rect.left - m_rectTabs.left);
    else
        return;
    AdjustTabs();
}

// ---------------------------------------------------------------------------------------------------
// The shared horizontal scroll bar

void CQENTabWnd::SynchronizeScrollBar()
{
    if (m_wndScrollWnd.GetSafeHwnd() == NULL)
        return;
    CWnd* pPage = GetActivePage();
    SCROLLINFO info = {};
    BOOL bScrolls = FALSE;
    if (pPage->GetSafeHwnd() != NULL)
    {
        bScrolls = pPage->GetScrollInfo(SB_HORZ, &info) && info.nMax > info.nMin &&
                   (info.nPage == 0 || (int)info.nPage <= info.nMax - info.nMin);
        if (pPage->GetStyle() & WS_HSCROLL)
        {
            pPage->ShowScrollBar(SB_HORZ, FALSE);
            pPage->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
        }
    }
    if (!bScrolls)
    {
        SCROLLINFO none = {sizeof none, SIF_ALL, 0, 0, 0, 0, 0};
        m_wndScrollWnd.SetScrollInfo(&none);
        m_wndScrollWnd.EnableScrollBar(ESB_DISABLE_BOTH);
        return;
    }
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    m_wndScrollWnd.EnableScrollBar(ESB_ENABLE_BOTH);
    m_wndScrollWnd.SetScrollInfo(&info);
}

void CQENTabWnd::ScrollActivePage(UINT nSBCode, UINT nPos)
{
    CWnd* pPage = GetActivePage();
    if (pPage->GetSafeHwnd() == NULL)
        return;
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
    {
        SCROLLINFO track = {};
        m_wndScrollWnd.GetScrollInfo(&track, SIF_TRACKPOS);
        nPos = track.nTrackPos;
        // A list view scrolls by pixels and takes no thumb position.
        if (Tab(m_iActiveTab)->m_bIsListView)
            pPage->SendMessage(LVM_SCROLL, (int)nPos - pPage->GetScrollPos(SB_HORZ), 0);
    }
    pPage->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    const int nNewPos = pPage->GetScrollPos(SB_HORZ);
    SynchronizeScrollBar();
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(QENM_ON_HSCROLL, MAKEWPARAM(nSBCode, nNewPos), 0);
}

void CQENTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->m_hWnd == m_wndScrollWnd.m_hWnd)
    {
        ScrollActivePage(nSBCode, nPos);
        return;
    }
    if (pScrollBar == NULL || pScrollBar->m_hWnd != m_wndScrollTabs.m_hWnd)
    {
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    const int nOldOffset = m_nTabsHorzOffset;
    if (nSBCode == SB_LINELEFT)
        m_nTabsHorzOffset -= kTabScrollStep;
    else if (nSBCode == SB_LINERIGHT)
        m_nTabsHorzOffset += kTabScrollStep;
    m_nTabsHorzOffset = std::min(std::max(0, m_nTabsHorzOffset), m_nTabsHorzOffsetMax);
    if (m_nTabsHorzOffset == nOldOffset)
        return;
    AdjustTabs();
    InvalidateRect(&m_rectTabsArea);
}

BOOL CQENTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader->code == HDN_ITEMCHANGEDA || pHeader->code == HDN_ITEMCHANGEDW)
        SynchronizeScrollBar();
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CQENTabWnd::SetSplitterWidth(int nMouseX)
{
    const int nWidth = std::max(std::min<int>(m_rectTabsArea.right - nMouseX, m_rectTabsArea.Width() - kSplitterWidth),
                                2 * ::GetSystemMetrics(SM_CXHSCROLL));
    if (nWidth == m_nHorzScrollWidth)
        return;
    m_nHorzScrollWidth = nWidth;
    RecalcLayout();
    UpdateWindow();
}

// ---------------------------------------------------------------------------------------------------
// Mouse

void CQENTabWnd::PassToParent(UINT message, UINT nFlags, CPoint point)
{
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return;
    MapWindowPoints(pParent, &point, 1);
    pParent->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

void CQENTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rectTabSplitter.PtInRect(point))
    {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    const int iTab = TabAt(point);
    if (iTab >= 0)
        ActivateByUser(iTab);
    else if (point.y >= m_nTabsHeight)
        PassToParent(WM_LBUTTONDOWN, nFlags, point);
    else
        CWnd::OnLButtonDown(nFlags, point);
}

void CQENTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iTab = TabAt(point);
    if (iTab >= 0 && m_bRenameInPlace)
        StartRenameTab(iTab);
    else if (iTab < 0 && point.y >= m_nTabsHeight)
        PassToParent(WM_LBUTTONDBLCLK, nFlags, point);
    else
        CWnd::OnLButtonDblClk(nFlags, point);
}

void CQENTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter)
    {
        m_bTrackSplitter = FALSE;
        ReleaseCapture();
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CQENTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter)
    {
        ::SetCursor(HorizontalSplitCursor());
        SetSplitterWidth(point.x);
        return;
    }
    CWnd::OnMouseMove(nFlags, point);
}

BOOL CQENTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (nHitTest == HTCLIENT && m_rectTabSplitter.PtInRect(point))
    {
        ::SetCursor(HorizontalSplitCursor());
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CQENTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_bTrackSplitter)
    {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    CloseRenameEdit();
}

// ---------------------------------------------------------------------------------------------------
// Renaming in place

BOOL CQENTabWnd::StartRenameTab(int iTab)
{
    if (!IsValidTab(iTab) || !m_bRenameInPlace)
        return FALSE;
    CloseRenameEdit();
    CRect rect = Tab(iTab)->m_rect;
    rect.DeflateRect(m_nTabsHeight / 2, 1);
    CEdit* pEdit = new CEdit;
    if (rect.IsRectEmpty() || !pEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, this, kRenameEditID))
    {
        delete pEdit;
        return FALSE;
    }
    m_pRenameEdit = pEdit;
    m_iRenamedTab = iTab;
    pEdit->SetFont(&theDrawingCache.m_fontMenu);
    pEdit->SetWindowText(Tab(iTab)->m_strLabel);
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    SetCapture();
    return TRUE;
}

BOOL CQENTabWnd::OnRenameTab(int, CString&)
{
    return TRUE;
}

BOOL CQENTabWnd::HandleRenameMessage(MSG* pMsg)
{
    const HWND hEdit = m_pRenameEdit->m_hWnd;
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == hEdit)
    {
        if (pMsg->wParam == VK_RETURN)
            FinishRename();
        else if (pMsg->wParam == VK_ESCAPE)
            CloseRenameEdit();
        else
            return FALSE;
        return TRUE;
    }
    const BOOL bMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MBUTTONDBLCLK;
    if (!bMouse || (pMsg->hwnd != hEdit && pMsg->hwnd != m_hWnd))
        return FALSE;

    CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    ::ClientToScreen(pMsg->hwnd, &point);
    CRect rectEdit;
    m_pRenameEdit->GetWindowRect(&rectEdit);
    // The edit holds the capture itself while a button is down on it.
    if (pMsg->hwnd == hEdit || rectEdit.PtInRect(point))
    {
        if (pMsg->message == WM_MOUSEMOVE)
            ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_IBEAM));
        if (pMsg->hwnd == hEdit)
            ::DispatchMessageA(pMsg);
        else
        {
            m_pRenameEdit->ScreenToClient(&point);
            m_pRenameEdit->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(point.x, point.y));
        }
        if (m_pRenameEdit != NULL && GetCapture() == NULL)
            SetCapture();
        return TRUE;
    }
    if (pMsg->message == WM_MOUSEMOVE)
        ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    else
        CloseRenameEdit();
    return TRUE;
}

void CQENTabWnd::FinishRename()
{
    CString strLabel;
    m_pRenameEdit->GetWindowText(strLabel);
    if (strLabel.IsEmpty())
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    const int iTab = m_iRenamedTab;
    if (!OnRenameTab(iTab, strLabel))
        return;
    CloseRenameEdit();
    CWnd* pParent = GetParent();
    const LRESULT lResult =
        pParent != NULL ? pParent->SendMessage(QENM_ON_RENAME_TAB, iTab, (LPARAM)(LPCTSTR)strLabel) : 0;
    if (lResult == 0)
        SetLabel(iTab, strLabel);
}

void CQENTabWnd::CloseRenameEdit()
{
    if (m_pRenameEdit == NULL)
        return;
    CEdit* pEdit = m_pRenameEdit;
    m_pRenameEdit = NULL;
    m_iRenamedTab = -1;
    const BOOL bHadFocus = GetFocus() == pEdit;
    pEdit->DestroyWindow();
    delete pEdit;
    if (GetCapture() == this)
        ReleaseCapture();
    if (bHadFocus && GetActivePage()->GetSafeHwnd() != NULL)
        GetActivePage()->SetFocus();
}

// ---------------------------------------------------------------------------------------------------
// Painting

BOOL CQENTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_bNoErase || m_nTabs > 0)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CQENTabWnd::OnPaint()
{
    CPaintDC dc(this);
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    const CQENDrawingCache& cache = theDrawingCache;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!m_bNoErase)
        dc.FillSolidRect(&rectClient, cache.m_crFace);   // the border band and what pages leave free
    if (m_rectTabsArea.IsRectEmpty())
        return;
    pManager->PaintTabStripBackground(&dc, m_rectTabsArea, this);

    const int yStripEdge = m_location == LOCATION_BOTTOM ? m_rectTabsArea.top : m_rectTabsArea.bottom - 1;
    if (m_bFlat)
        dc.FillSolidRect(m_rectTabsArea.left, yStripEdge, m_rectTabsArea.Width(), 1, cache.m_crDarkShadow);
    else
    {
        CRect rectFrame = m_rectPageArea;
        rectFrame.InflateRect(1, 1);
        dc.Draw3dRect(&rectFrame, cache.m_crShadow, cache.m_crHighlight);
        rectFrame.InflateRect(1, 1);
        dc.Draw3dRect(&rectFrame, cache.m_crFace, cache.m_crShadow);
    }
    if (!m_rectTabSplitter.IsRectEmpty())
    {
        CRect rectSplitter = m_rectTabSplitter;
        dc.FillSolidRect(&rectSplitter, cache.m_crFace);
        dc.Draw3dRect(&rectSplitter, cache.m_crLight, cache.m_crDarkShadow);
        rectSplitter.DeflateRect(1, 1);
        dc.Draw3dRect(&rectSplitter, cache.m_crHighlight, cache.m_crShadow);
    }

    const int nSavedDC = dc.SaveDC();
    if (m_bFlat)
        dc.IntersectClipRect(&m_rectTabs);
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < m_nTabs; i++)
    {
        CQENTabInfo* pTab = Tab(i);
        if (i == m_iActiveTab || !pTab->m_bVisible)
            continue;
        dc.SelectObject(GetTabFont());
        dc.SetTextColor(pTab->m_crText != (COLORREF)-1 ? pTab->m_crText : cache.m_crText);
        if (m_bFlat)
            DrawFlatTab(&dc, i, FALSE);
        else
            Draw3DTab(&dc, i, FALSE);
    }
    if (IsValidTab(m_iActiveTab) && Tab(m_iActiveTab)->m_bVisible)
    {
        CQENTabInfo* pTab = Tab(m_iActiveTab);
        if (m_bFlat)
        {
            dc.SelectObject(&m_fontTabsBold);
            dc.SetTextColor(GetActiveTabTextColour());
            DrawFlatTab(&dc, m_iActiveTab, TRUE);
            // The active tab opens into the page.
            CPen penJoin(PS_SOLID, 1, GetActiveTabColour());
            CPen* pOldPen = dc.SelectObject(&penJoin);
            dc.MoveTo(pTab->m_rect.left + 1, yStripEdge);
            dc.LineTo(pTab->m_rect.right - 1, yStripEdge);
            dc.SelectObject(pOldPen);
        }
        else
        {
            dc.SelectObject(GetTabFont());
            dc.SetTextColor(pTab->m_crText != (COLORREF)-1 ? pTab->m_crText : cache.m_crText);
            Draw3DTab(&dc, m_iActiveTab, TRUE);
        }
    }
    dc.RestoreDC(nSavedDC);
}

void CQENTabWnd::Draw3DTab(CDC* pDC, int iTab, BOOL bActive)
{
    CQENVisualManager::CurrentManager()->PaintTab(pDC, Tab(iTab)->m_rect, iTab, bActive, this);
}

void CQENTabWnd::DrawFlatTab(CDC* pDC, int iTab, BOOL bActive)
{
    CQENVisualManager::CurrentManager()->PaintTab(pDC, Tab(iTab)->m_rect, iTab, bActive, this);
}

// ---------------------------------------------------------------------------------------------------
// Life cycle

int CQENTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect rectNone(0, 0, 0, 0);
    if (m_bFlat)
    {
        if (!m_wndScrollTabs.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, rectNone, this, kTabScrollBarID))
            return -1;
        if (m_bSharedScroll &&
            !m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, rectNone, this, kSharedScrollBarID))
            return -1;
        MakeActiveTabBrush();
    }
    else if (m_toolTip.Create(this, TTS_ALWAYSTIP))
        m_toolTip.Activate(TRUE);
    SetTabsHeight();
    return 0;
}

void CQENTabWnd::OnDestroy()
{
    DeleteAllTabs();
    m_brActiveTab.DeleteObject();
    if (m_toolTip.GetSafeHwnd() != NULL)
        m_toolTip.DestroyWindow();
    CWnd::OnDestroy();
}

void CQENTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    SizeSharedScrollBar();
    RecalcLayout();
    SynchronizeScrollBar();
}

void CQENTabWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    MakeActiveTabBrush();
    Invalidate();
}

void CQENTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    SetTabsHeight();
    SizeSharedScrollBar();
    RecalcLayout();
    SynchronizeScrollBar();
}

// Docking layout of a frame: dock bars on the four sides, rows of bars and their breaks, docking at
// a rectangle, rows closing, the view taking the rest, delayed showing and hiding, the layout query,
// the sizes bars are asked for and saved rows put back.
#include "GuiTestSupport.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A bar of fixed sizes that records how it is asked for them and when it is updated.
class CFixedBar : public CControlBar
{
public:
    CFixedBar(CSize sizeHorz, CSize sizeVert) : m_sizeHorz(sizeHorz), m_sizeVert(sizeVert) { m_bAutoDelete = TRUE; }

    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(NULL, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParent, nID);
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        if (bStretch)
            return CControlBar::CalcFixedLayout(bStretch, bHorz);
        return bHorz ? m_sizeHorz : m_sizeVert;
    }

    CSize CalcDynamicLayout(int nLength, DWORD nMode) override
    {
        m_arrModes.push_back(nMode);
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        m_nUpdates++;
        m_pUpdateTarget = pTarget;
    }

    CSize m_sizeHorz;
    CSize m_sizeVert;
    std::vector<DWORD> m_arrModes;
    int m_nUpdates = 0;
    CFrameWnd* m_pUpdateTarget = NULL;
};

class DockLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "docking", WS_OVERLAPPEDWINDOW, CRect(30, 30, 430, 330)));
        ASSERT_TRUE(m_wndView.Create(AfxRegisterWndClass(0), NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                     AFX_IDW_PANE_FIRST));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }

    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }

    CFixedBar* NewBar(UINT nID, CSize sizeHorz, CSize sizeVert = CSize(24, 60))
    {
        CFixedBar* pBar = new CFixedBar(sizeHorz, sizeVert);
        EXPECT_TRUE(pBar->Create(m_pFrame, nID));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }

    CDockBar* DockBar(UINT nID) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }

    // Window rectangle in the frame's client coordinates.
    CRect InFrame(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }

    // The dock bar's entries as bar ids, 0 for a row break.
    std::vector<int> Entries(CDockBar* pDockBar)
    {
        std::vector<int> arrIDs;
        for (int i = 0; i < pDockBar->GetEntryCount(); i++)
        {
            CControlBar* pBar = pDockBar->GetDockedControlBar(i);
            arrIDs.push_back(pBar != NULL ? pBar->GetDlgCtrlID() : 0);
        }
        return arrIDs;
    }

    // The rows of a dock bar as the frame's dock state keeps them: ids, 0 for a row break,
    // 0x10000 added for a placeholder.
    std::vector<UINT> SavedRows(UINT nDockBarID)
    {
        CDockState state;
        m_pFrame->GetDockState(state);
        std::vector<UINT> arrIDs;
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        {
            CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
            for (INT_PTR j = 0; pInfo->m_nBarID == nDockBarID && j < pInfo->m_arrBarID.GetSize(); j++)
                arrIDs.push_back((UINT)(UINT_PTR)pInfo->m_arrBarID[j]);
        }
        return arrIDs;
    }

    CFrameWnd* m_pFrame = NULL;
    CWnd m_wndView;
};

TEST_F(DockLayoutTest, BarsOnAllFourSidesInRowsLeaveTheRestToTheView)
{
    CFixedBar* pTop1 = NewBar(0xE850, CSize(120, 26));
    CFixedBar* pTop2 = NewBar(0xE851, CSize(90, 30));
    CFixedBar* pBottom = NewBar(0xE852, CSize(100, 22));
    CFixedBar* pLeft = NewBar(0xE853, CSize(100, 22), CSize(28, 80));
    CFixedBar* pRight = NewBar(0xE854, CSize(100, 22), CSize(32, 70));
    m_pFrame->DockControlBar(pTop1, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pTop2, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pBottom, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(pRight, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->RecalcLayout();

    // Docked without a place, each bar starts a row of its own.
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0, 0xE851, 0}), Entries(DockBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), pTop1->m_pDockBar);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), pLeft->GetParent());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pLeft->GetBarStyle() & CBRS_ALIGN_ANY);

    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectTop = InFrame(DockBar(AFX_IDW_DOCKBAR_TOP));
    CRect rectBottom = InFrame(DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    CRect rectLeft = InFrame(DockBar(AFX_IDW_DOCKBAR_LEFT));
    CRect rectRight = InFrame(DockBar(AFX_IDW_DOCKBAR_RIGHT));

    // Top and bottom span the width; the sides fill the height between them.
    EXPECT_EQ(CRect(0, 0, rectClient.right, rectTop.bottom), rectTop);
    EXPECT_EQ(CRect(0, rectBottom.top, rectClient.right, rectClient.bottom), rectBottom);
    EXPECT_EQ(CRect(0, rectTop.bottom, rectLeft.right, rectBottom.top), rectLeft);
    EXPECT_EQ(CRect(rectRight.left, rectTop.bottom, rectClient.right, rectBottom.top), rectRight);
    EXPECT_EQ(CRect(rectLeft.right, rectTop.bottom, rectRight.left, rectBottom.top), InFrame(&m_wndView));

    // Bars keep their sizes; the second row starts on the last line of the first; the dock bar is
    // as high as its rows and its edge line.
    CRect rectTop1 = InFrame(pTop1);
    CRect rectTop2 = InFrame(pTop2);
    EXPECT_EQ(CSize(120, 26), rectTop1.Size());
    EXPECT_EQ(CSize(90, 30), rectTop2.Size());
    EXPECT_EQ(CPoint(0, 0), rectTop1.TopLeft());
    EXPECT_EQ(CPoint(0, rectTop1.bottom - 1), rectTop2.TopLeft());
    EXPECT_EQ(rectTop2.bottom + 2, rectTop.bottom);
    EXPECT_EQ(CSize(28, 80), InFrame(pLeft).Size());
    EXPECT_EQ(28 + 2, rectLeft.Width());
    EXPECT_EQ(32 + 2, rectRight.Width());
    EXPECT_EQ(22 + 2, rectBottom.Height());
    EXPECT_EQ(rectBottom.top + 2, InFrame(pBottom).top);
}

TEST_F(DockLayoutTest, DockingAtARectangleJoinsTheRowItFallsIntoAndARemovedBarClosesItsRow)
{
    CFixedBar* pFirst = NewBar(0xE850, CSize(100, 26));
    CFixedBar* pSecond = NewBar(0xE851, CSize(100, 26));
    m_pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);

    // Into the second row, right of the bar there.
    CRect rectSecond;
    pSecond->GetWindowRect(&rectSecond);
    CFixedBar* pThird = NewBar(0xE852, CSize(80, 26));
    CRect rectDrop(CPoint(rectSecond.left + 150, rectSecond.top + 3), CSize(80, 26));
    m_pFrame->DockControlBar(pThird, AFX_IDW_DOCKBAR_TOP, &rectDrop);
    // Into the first row, left of the bar there (which stands at the start).
    CFixedBar* pFourth = NewBar(0xE853, CSize(60, 26));
    CRect rectFirst;
    pFirst->GetWindowRect(&rectFirst);
    CRect rectDrop4(CPoint(rectFirst.left + 200, rectFirst.top), CSize(60, 26));
    m_pFrame->DockControlBar(pFourth, AFX_IDW_DOCKBAR_TOP, &rectDrop4);
    // Above the dock bar: a new first row.
    CFixedBar* pFifth = NewBar(0xE854, CSize(60, 20));
    CRect rectTopScreen;
    pTop->GetWindowRect(&rectTopScreen);
    CRect rectDrop5(CPoint(rectTopScreen.left + 10, rectTopScreen.top - 30), CSize(60, 20));
    m_pFrame->DockControlBar(pFifth, AFX_IDW_DOCKBAR_TOP, &rectDrop5);
    m_pFrame->RecalcLayout();

    EXPECT_EQ((std::vector<int>{0, 0xE854, 0, 0xE850, 0xE853, 0, 0xE851, 0xE852, 0}), Entries(pTop));
    // A bar keeps the place it was dropped at along its row, in the row's line.
    CRect rectThird = InFrame(pThird);
    EXPECT_EQ(InFrame(pSecond).top, rectThird.top);
    CRect rectDropInFrame(rectDrop);
    m_pFrame->ScreenToClient(&rectDropInFrame);
    EXPECT_EQ(rectDropInFrame.left, rectThird.left);
    EXPECT_EQ(InFrame(pFirst).top, InFrame(pFourth).top);
    EXPECT_GE(InFrame(pFourth).left, InFrame(pFirst).right - 1);

    // A bar leaving a row that keeps another bar leaves the row; the last one closes it.
    int nHeightBefore = InFrame(pTop).Height();
    pFourth->DestroyWindow();
    EXPECT_EQ((std::vector<int>{0, 0xE854, 0, 0xE850, 0, 0xE851, 0xE852, 0}), Entries(pTop));
    m_pFrame->DockControlBar(pFifth, AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0, 0xE851, 0xE852, 0}), Entries(pTop));
    EXPECT_EQ(pFifth->GetParent(), DockBar(AFX_IDW_DOCKBAR_BOTTOM));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(nHeightBefore - 19, InFrame(pTop).Height());
    EXPECT_EQ(InFrame(pTop).bottom, InFrame(&m_wndView).top);
}

TEST_F(DockLayoutTest, ABarPastTheEndComesBackAndOneWithoutRoomStartsTheNextRow)
{
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CFixedBar* pWide = NewBar(0xE850, CSize(rectClient.Width() - 40, 26));
    m_pFrame->DockControlBar(pWide, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CRect rectWide;
    pWide->GetWindowRect(&rectWide);

    // Dropped at the very end of the row: it moves back to where the row's last bar ends and is
    // clipped there.
    CFixedBar* pTail = NewBar(0xE851, CSize(100, 26));
    CRect rectDrop(CPoint(rectWide.right - 10, rectWide.top), CSize(100, 26));
    m_pFrame->DockControlBar(pTail, AFX_IDW_DOCKBAR_TOP, &rectDrop);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0xE851, 0}), Entries(pTop));
    EXPECT_EQ(CRect(rectClient.Width() - 41, 0, rectClient.Width(), 26), InFrame(pTail));

    // With the first bar as wide as the row, nothing fits beside it: a row break goes in.
    pWide->m_sizeHorz.cx = rectClient.Width();
    m_pFrame->RecalcLayout();
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0, 0xE851, 0}), Entries(pTop));
    EXPECT_EQ(CRect(0, 25, 100, 51), InFrame(pTail));
}

TEST_F(DockLayoutTest, DelayedShowAndHideWaitForTheNextIdleLayoutWhichAQueryDoesNotRun)
{
    CFixedBar* pBar = NewBar(0xE850, CSize(100, 26));
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    int nViewTop = InFrame(&m_wndView).top;
    ASSERT_GT(nViewTop, 0);

    m_pFrame->ShowControlBar(pBar, FALSE, TRUE);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_EQ(0, pTop->GetDockedVisibleCount());
    EXPECT_EQ(1, pTop->GetDockedCount());

    // A layout query sees the bar gone but moves and hides nothing.
    CRect rectLeft;
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectLeft, NULL, TRUE);
    EXPECT_EQ(rectClient, rectLeft);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(nViewTop, InFrame(&m_wndView).top);

    RunIdleCycle();
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(0, InFrame(pTop).Height());
    EXPECT_EQ(0, InFrame(&m_wndView).top);

    m_pFrame->ShowControlBar(pBar, TRUE, TRUE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(pBar->IsVisible());
    RunIdleCycle();
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(nViewTop, InFrame(&m_wndView).top);

    // At once: hidden and laid out without waiting.
    m_pFrame->ShowControlBar(pBar, FALSE, FALSE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(0, InFrame(&m_wndView).top);
}

TEST_F(DockLayoutTest, BarsAreAskedForTheirSizeTheWayTheirSideLaysThemOut)
{
    CFixedBar* pTop = NewBar(0xE850, CSize(100, 26), CSize(26, 100));
    CFixedBar* pLeft = NewBar(0xE851, CSize(100, 26), CSize(26, 100));
    m_pFrame->DockControlBar(pTop, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();

    ASSERT_FALSE(pTop->m_arrModes.empty());
    ASSERT_FALSE(pLeft->m_arrModes.empty());
    EXPECT_EQ((DWORD)(LM_HORZ | LM_HORZDOCK), pTop->m_arrModes.back());
    EXPECT_EQ((DWORD)LM_VERTDOCK, pLeft->m_arrModes.back());
    EXPECT_EQ(CSize(26, 100), InFrame(pLeft).Size());
}

TEST_F(DockLayoutTest, ViewMenuCommandsToggleAndCheckTheBarOfTheirId)
{
    CFixedBar* pToolBar = NewBar(AFX_IDW_TOOLBAR, CSize(100, 26));
    m_pFrame->DockControlBar(pToolBar);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), pToolBar->m_pDockBar);

    class CCheckRecorder : public CCmdUI
    {
    public:
        void SetCheck(int nCheck) override { m_nCheck = nCheck; }
        int m_nCheck = -1;
    };
    CCheckRecorder state;
    state.m_nID = ID_VIEW_TOOLBAR;
    EXPECT_TRUE(state.DoUpdate(m_pFrame, FALSE));
    EXPECT_EQ(1, state.m_nCheck);

    m_pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(pToolBar->IsWindowVisible());
    EXPECT_EQ(0, InFrame(&m_wndView).top);
    EXPECT_TRUE(state.DoUpdate(m_pFrame, FALSE));
    EXPECT_EQ(0, state.m_nCheck);

    // Without a status bar the command is not the frame's.
    CCheckRecorder stateStatus;
    stateStatus.m_nID = ID_VIEW_STATUS_BAR;
    EXPECT_FALSE(stateStatus.DoUpdate(m_pFrame, FALSE));
    EXPECT_EQ(-1, stateStatus.m_nCheck);
}

TEST_F(DockLayoutTest, VisibleBarsUpdateAtIdleFromTheirFrameAndLeaveItsListWhenDestroyed)
{
    CFixedBar* pShown = NewBar(0xE850, CSize(100, 26));
    CFixedBar* pHidden = NewBar(0xE851, CSize(100, 26));
    m_pFrame->DockControlBar(pShown, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pHidden, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->ShowControlBar(pHidden, FALSE, FALSE);
    RunIdleCycle();
    EXPECT_GE(pShown->m_nUpdates, 1);
    EXPECT_EQ(m_pFrame, pShown->m_pUpdateTarget);
    EXPECT_EQ(0, pHidden->m_nUpdates);

    pHidden->DestroyWindow();   // deletes itself
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(0xE851));
    EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount());
}

TEST_F(DockLayoutTest, AFloatingBarKeepsItsDockedPlaceAndItsFrameFollowsItsVisibility)
{
    CFixedBar* pFirst = NewBar(0xE850, CSize(100, 26));
    CFixedBar* pFloater = NewBar(0xE851, CSize(120, 24));
    CFixedBar* pLast = NewBar(0xE852, CSize(100, 26));
    pFloater->SetWindowText("floater");
    pFloater->SetBarStyle(pFloater->GetBarStyle() | CBRS_SIZE_DYNAMIC);
    m_pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pFloater, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(pLast, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);

    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    m_pFrame->FloatControlBar(pFloater, CPoint(rectFrame.left + 50, rectFrame.top + 60));
    ASSERT_TRUE(pFloater->IsFloating());
    CFrameWnd* pFloatingFrame = pFloater->GetParentFrame();
    ASSERT_TRUE(pFloatingFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(m_pFrame, pFloater->m_pDockSite);
    EXPECT_TRUE(pFloatingFrame->IsWindowVisible());
    EXPECT_TRUE(pFloater->GetBarStyle() & CBRS_FLOATING);
    // A bar of dynamic size floats at its most recently used width.
    EXPECT_EQ((DWORD)(LM_HORZ | LM_MRUWIDTH), pFloater->m_arrModes.back());
    CRect rectFloatClient;
    pFloatingFrame->GetClientRect(&rectFloatClient);
    EXPECT_EQ(CSize(120, 24), rectFloatClient.Size());
    // Its row in the top dock bar keeps its id as a placeholder, not counted as a bar.
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0, 0, 0, 0xE852, 0}), Entries(pTop));
    EXPECT_EQ(3, pTop->FindPlaceHolder(pFloater));
    EXPECT_EQ(2, pTop->GetDockedCount());

    // Hidden at the next idle time, the floating frame goes with its last visible bar, and back.
    m_pFrame->ShowControlBar(pFloater, FALSE, TRUE);
    RunIdleCycle();
    EXPECT_FALSE(pFloater->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pFloatingFrame->IsWindowVisible());
    m_pFrame->ShowControlBar(pFloater, TRUE, TRUE);
    RunIdleCycle();
    EXPECT_TRUE(pFloater->IsWindowVisible());
    EXPECT_TRUE(pFloatingFrame->IsWindowVisible());

    // Disabling the frame, as a modal dialog does, disables its floating frames.
    m_pFrame->EnableWindow(FALSE);
    EXPECT_FALSE(pFloatingFrame->IsWindowEnabled());
    m_pFrame->EnableWindow(TRUE);
    EXPECT_TRUE(pFloatingFrame->IsWindowEnabled());

    // Docked again, it returns to its place; the empty floating frame is gone.
    HWND hWndFloatingFrame = pFloatingFrame->m_hWnd;
    m_pFrame->ReDockControlBar(pFloater, NULL);
    EXPECT_FALSE(::IsWindow(hWndFloatingFrame));
    EXPECT_EQ((std::vector<int>{0, 0xE850, 0, 0xE851, 0, 0xE852, 0}), Entries(pTop));
    EXPECT_FALSE(pFloater->IsFloating());
    EXPECT_FALSE(pFloater->GetBarStyle() & CBRS_FLOATING);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(InFrame(pFirst).bottom - 1, InFrame(pFloater).top);
}

TEST_F(DockLayoutTest, SavedRowsComeBackWithoutWhatTheFrameLacksAndWithEachBarOnce)
{
    CFixedBar* pFirst = NewBar(0xE850, CSize(100, 26));
    CFixedBar* pFloater = NewBar(0xE851, CSize(120, 24));
    CFixedBar* pTwice = NewBar(0xE852, CSize(100, 26));
    CFixedBar* pUnnamed = NewBar(0xE853, CSize(100, 26));
    for (CFixedBar* pBar : {pFirst, pFloater, pTwice, pUnnamed})
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    m_pFrame->FloatControlBar(pFloater, CPoint(rectFrame.left + 50, rectFrame.top + 120));

    // Saved rows naming a bar and a placeholder of bars this frame does not have (0xE85E, 0xE85F),
    // a placeholder of a bar docked here, one bar twice and the floating bar's placeholder twice.
    CDockState state;
    CControlBarInfo* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    pInfo->m_bDockBar = TRUE;
    for (UINT nID : {0x10000 | 0xE850, 0xE852, 0, 0x10000 | 0xE85F, 0, 0xE85E, 0, 0xE850, 0xE852, 0, 0x10000 | 0xE851, 0,
                     0x10000 | 0xE851, 0})
        pInfo->m_arrBarID.Add((void*)(UINT_PTR)nID);
    state.m_arrBarInfo.Add(pInfo);
    m_pFrame->SetDockState(state);
    m_pFrame->RecalcLayout();

    // What the frame lacks leaves no row; the bar not named gets a row of its own at the end; the
    // floating bar's row takes no room while it floats.
    ASSERT_EQ((std::vector<UINT>{0xE852, 0, 0xE850, 0, 0x10000 | 0xE851, 0, 0xE853, 0}), SavedRows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(CRect(0, 0, 100, 26), InFrame(pTwice));
    EXPECT_EQ(CRect(0, 25, 100, 51), InFrame(pFirst));
    EXPECT_EQ(CRect(0, 50, 100, 76), InFrame(pUnnamed));
    EXPECT_TRUE(pFloater->IsFloating());

    // A double click on the floating frame's caption docks the bar in its kept row.
    CFrameWnd* pFloatingFrame = pFloater->GetParentFrame();
    CRect rectFloat;
    pFloatingFrame->GetWindowRect(&rectFloat);
    pFloatingFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rectFloat.left + 20, rectFloat.top + 4));
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(pFloater->IsWindowVisible());
    EXPECT_EQ(CRect(0, 50, 120, 74), InFrame(pFloater));
    EXPECT_EQ(CRect(0, 73, 100, 99), InFrame(pUnnamed));

    // The bar named twice goes with its window and leaves nothing behind.
    pTwice->DestroyWindow();   // deletes itself
    m_pFrame->RecalcLayout();
    EXPECT_EQ((std::vector<UINT>{0xE850, 0, 0xE851, 0, 0xE853, 0}), SavedRows(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(CRect(0, 0, 100, 26), InFrame(pFirst));
    EXPECT_EQ(CRect(0, 25, 120, 49), InFrame(pFloater));
}

} // namespace

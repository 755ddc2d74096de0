// The control bar itself: its inside rectangle, borders and gripper as drawn, delayed show and
// hide state, and its place in the frame's list of bars.
#include "DibCanvas.h"
#include "GuiTestSupport.h"

#include <afxext.h>
#include <gtest/gtest.h>

namespace {

class CPlainBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(NULL, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 60, 30), pParent, nID);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class ControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(60, 60, 360, 260)));
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CFrameWnd* m_pFrame = NULL;
};

TEST_F(ControlBarTest, InsideRectLeavesOutBordersMarginsAndTheGripperOfADockedBar)
{
    CPlainBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE860, WS_CHILD | CBRS_ALIGN_TOP | CBRS_BORDER_TOP | CBRS_BORDER_LEFT));
    bar.SetBorders(5, 3, 7, 4);

    CRect rect(0, 0, 200, 40);
    bar.CalcInsideRect(rect, TRUE);
    EXPECT_EQ(CRect(2 + 5, 2 + 3, 200 - 7, 40 - 4), rect);

    // Vertical: the margins turn with the bar.
    rect.SetRect(0, 0, 40, 200);
    bar.CalcInsideRect(rect, FALSE);
    EXPECT_EQ(CRect(2 + 3, 2 + 5, 40 - 4, 200 - 7), rect);

    // The gripper takes room at the start, except while floating.
    bar.m_dwStyle |= CBRS_GRIPPER;
    rect.SetRect(0, 0, 200, 40);
    bar.CalcInsideRect(rect, TRUE);
    EXPECT_EQ(2 + 5 + 7, rect.left);
    rect.SetRect(0, 0, 40, 200);
    bar.CalcInsideRect(rect, FALSE);
    EXPECT_EQ(2 + 5 + 7, rect.top);
    bar.m_dwStyle |= CBRS_FLOATING;
    rect.SetRect(0, 0, 200, 40);
    bar.CalcInsideRect(rect, TRUE);
    EXPECT_EQ(2 + 5, rect.left);
}

TEST_F(ControlBarTest, BordersAreEtchedLinesAndTheGripperARaisedLine)
{
    CPlainBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE860, WS_CHILD | CBRS_ALIGN_TOP | CBRS_BORDER_TOP | CBRS_BORDER_RIGHT | CBRS_GRIPPER));
    const COLORREF crBack = RGB(1, 2, 3);
    DibCanvas canvas(60, 30, crBack);

    CRect rect(0, 0, 60, 30);
    bar.DrawBorders(&canvas.dc, rect);
    EXPECT_EQ(CRect(0, 2, 58, 30), rect);
    bar.DrawGripper(&canvas.dc, rect);

    COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(crShadow, canvas.Pixel(20, 0));
    EXPECT_EQ(crHighlight, canvas.Pixel(20, 1));
    EXPECT_EQ(crShadow, canvas.Pixel(58, 15));
    EXPECT_EQ(crHighlight, canvas.Pixel(59, 15));
    EXPECT_EQ(crBack, canvas.Pixel(0, 15));   // no left border

    // The gripper: three pixels wide, two in from the left margin, light on its left side.
    int xGripper = bar.m_cxLeftBorder + 2;
    EXPECT_EQ(crBack, canvas.Pixel(xGripper - 1, 15));
    EXPECT_EQ(crHighlight, canvas.Pixel(xGripper, 15));
    EXPECT_EQ(crShadow, canvas.Pixel(xGripper + 2, 15));
    EXPECT_EQ(crBack, canvas.Pixel(xGripper + 3, 15));
}

TEST_F(ControlBarTest, DelayedShowingIsPendingOnlyWhenItChangesSomething)
{
    CPlainBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE860, WS_CHILD | CBRS_TOP));

    // Hidden: a delayed show counts as visible at once, a delayed hide cancels it.
    EXPECT_FALSE(bar.IsVisible());
    bar.DelayShow(TRUE);
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
    bar.DelayShow(FALSE);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_EQ(0u, bar.m_nStateFlags & (CControlBar::delayShow | CControlBar::delayHide));

    bar.ShowWindow(SW_SHOWNA);
    bar.DelayShow(TRUE);   // already visible: nothing pending
    EXPECT_EQ(0u, bar.m_nStateFlags & (CControlBar::delayShow | CControlBar::delayHide));
    bar.DelayShow(FALSE);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_TRUE(bar.GetStyle() & WS_VISIBLE);
}

TEST_F(ControlBarTest, BarsOfAFrameAreListedWhileTheyHaveAWindow)
{
    {
        CPlainBar bar;
        ASSERT_TRUE(bar.Create(m_pFrame, 0xE861, WS_CHILD | CBRS_BOTTOM));
        EXPECT_EQ(&bar, m_pFrame->GetControlBar(0xE861));
        EXPECT_EQ(m_pFrame, bar.m_pDockSite);
        EXPECT_EQ(m_pFrame, bar.GetDockingFrame());
        EXPECT_FALSE(bar.IsDockBar());
    }
    // The object went first, taking its window with it.
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(0xE861));
    // So does a bar that would delete itself with its window, once only.
    CPlainBar* pSelfDeleting = new CPlainBar;
    pSelfDeleting->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pSelfDeleting->Create(m_pFrame, 0xE863, WS_CHILD | CBRS_BOTTOM));
    HWND hWndSelfDeleting = pSelfDeleting->m_hWnd;
    delete pSelfDeleting;
    EXPECT_FALSE(::IsWindow(hWndSelfDeleting));
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(0xE863));

    // A bar outside any frame has no dock site.
    CTestTopWindow wndTop;
    ASSERT_TRUE(wndTop.CreateHidden());
    CPlainBar barOutside;
    ASSERT_TRUE(barOutside.Create(&wndTop, 0xE862, WS_CHILD | CBRS_TOP));
    EXPECT_EQ(nullptr, barOutside.m_pDockSite);
    EXPECT_EQ(nullptr, barOutside.GetDockingFrame());

    // Dock bars are created once per side and list themselves with the frame.
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
    m_pFrame->EnableDocking(CBRS_ALIGN_TOP);
    int nDockBars = 0;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
        nDockBars += static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos))->IsDockBar() ? 1 : 0;
    EXPECT_EQ(2, nDockBars);
    CControlBar* pLeft = m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(nullptr, pLeft);
    EXPECT_EQ((DWORD)CBRS_LEFT, pLeft->GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY));
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
}

} // namespace

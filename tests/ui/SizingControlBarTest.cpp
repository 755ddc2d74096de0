#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENDialogBar.h"
#include "QENFrameWnd.h"
#include "QENSizingControlBar.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kFirstBar = 0xE901;
const UINT kSecondBar = 0xE902;
const UINT kDialogBar = 0xE903;
const UINT kThirdBar = 0xE904;
const UINT kDialogTemplate = 0x6A10;   // 120 x 40 dialog units
const UINT kGoButton = 0x6A11;
const UINT kChoiceCombo = 0x6A12;
const int kMinWidth = 33;    // the bars' minimum size
const int kMinHeight = 32;

// A frame that may be made as small as a test needs.
class CTestFrame : public CQENFrameWnd
{
public:
    void PostNcDestroy() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT lResult = CQENFrameWnd::WindowProc(message, wParam, lParam);
        if (message == WM_GETMINMAXINFO)
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = CPoint(1, 1);
        return lResult;
    }
};

// A bar that may refuse to close.
class CClosableBar : public CQENSizingControlBar
{
public:
    BOOL m_bMayClose = TRUE;
    BOOL CanClose() const override { return m_bMayClose; }
};

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

CRect WindowRectOf(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

// The first screen point of the bar, row by row, where the bar answers nHit.
CPoint PointWithHit(CWnd& bar, UINT nHit)
{
    const CRect rect = WindowRectOf(bar);
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            if ((UINT)bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == nHit)
                return CPoint(x, y);
    ADD_FAILURE() << "no point answers hit code " << nHit;
    return rect.CenterPoint();
}

// Two sizing bars docked side by side at the bottom of a shown library frame.
class SizingControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        SendMouseInput(CPoint(1, 1));
        ASSERT_TRUE(m_frame.Create(NULL, "sizing bars", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480)));
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_first.Create("first", &m_frame, CSize(150, 120), TRUE, kFirstBar, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        ASSERT_TRUE(m_second.Create("second", &m_frame, CSize(150, 120), TRUE, kSecondBar, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        m_first.EnableDocking(CBRS_ALIGN_ANY);
        m_second.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.ShowWindow(SW_SHOW);
        m_frame.DockControlBar(&m_first, AFX_IDW_DOCKBAR_BOTTOM);
        m_frame.RecalcLayout();
        // Dropped just right of the first bar: the same row.
        CRect rect = WindowRectOf(m_first);
        rect.OffsetRect(rect.Width() / 2, 0);
        m_frame.DockControlBar(&m_second, AFX_IDW_DOCKBAR_BOTTOM, &rect);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        Settle();
    }

    void TearDown() override
    {
        SendMouseInput(CPoint(1, 1), MOUSEEVENTF_LEFTUP);
        PumpPendingMessages();
        m_frame.DestroyWindow();
    }

    // Delayed layouts happen at idle time.
    void Settle()
    {
        PumpFor(60);
        RunIdleCycle();
        PumpFor(60);
    }

    int RowLength()
    {
        CRect rect;
        m_frame.GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)->GetClientRect(&rect);
        return rect.Width();
    }

    void Press(CPoint ptScreen)
    {
        SendMouseInput(ptScreen);
        PumpFor(40);
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN);
        PumpFor(40);
    }

    void Release(CPoint ptScreen)
    {
        SendMouseInput(ptScreen);
        PumpFor(40);
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTUP);
        Settle();
    }

    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        Press(ptFrom);
        // In steps, as a hand moves.
        for (int i = 1; i <= 4; i++)
        {
            SendMouseInput(ptFrom + CSize((ptTo.x - ptFrom.x) * i / 4, (ptTo.y - ptFrom.y) * i / 4));
            PumpFor(30);
        }
        Release(ptTo);
    }

    void Click(CPoint ptScreen)
    {
        Press(ptScreen);
        Release(ptScreen);
    }

    // Gives the frame a client area cxClient wide.
    void SetClientWidth(int cxClient)
    {
        CRect rectWindow, rectClient;
        m_frame.GetWindowRect(&rectWindow);
        m_frame.GetClientRect(&rectClient);
        m_frame.SetWindowPos(NULL, 0, 0, rectWindow.Width() - rectClient.Width() + cxClient, rectWindow.Height(),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_frame.RecalcLayout();
        Settle();
    }

    // Gives the frame a client area cyClient high.
    void SetClientHeight(int cyClient)
    {
        CRect rectWindow, rectClient;
        m_frame.GetWindowRect(&rectWindow);
        m_frame.GetClientRect(&rectClient);
        m_frame.SetWindowPos(NULL, 0, 0, rectWindow.Width(), rectWindow.Height() - rectClient.Height() + cyClient,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_frame.RecalcLayout();
        Settle();
    }

    std::map<std::string, long> SavedState(CQENSizingControlBar& bar, CScratchRegistryKey& key)
    {
        EXPECT_TRUE(bar.SaveState("Bars"));
        return key.Values(CString("Bars-SCBar-") + std::to_string(bar.GetDlgCtrlID()).c_str());
    }

    CTestFrame m_frame;
    CQENSizingControlBar m_first;
    CClosableBar m_second;
};

TEST_F(SizingControlBarTest, TwoBarsShareTheirRowAndExpandingOneLeavesTheOtherAtItsMinimumUntilContracted)
{
    const CRect rectFirst = WindowRectOf(m_first), rectSecond = WindowRectOf(m_second);
    ASSERT_EQ(rectFirst.top, rectSecond.top) << "both bars in one row";
    EXPECT_EQ(RowLength(), rectFirst.Width() + rectSecond.Width()) << "the bars fill their row";
    EXPECT_EQ(rectFirst.right, rectSecond.left);

    Click(PointWithHit(m_second, HTMAXBUTTON));
    EXPECT_EQ(kMinWidth, WindowRectOf(m_first).Width());
    EXPECT_EQ(RowLength() - kMinWidth, WindowRectOf(m_second).Width());
    EXPECT_EQ(rectFirst.Height(), WindowRectOf(m_second).Height());

    // Saved while expanded: the sizes the bars had before.
    CScratchRegistryKey key("SizingBars");
    ASSERT_TRUE(m_first.SaveState("Bars"));
    ASSERT_TRUE(m_second.SaveState("Bars"));
    auto first = key.Values(CString("Bars-SCBar-") + std::to_string(kFirstBar).c_str());
    auto second = key.Values(CString("Bars-SCBar-") + std::to_string(kSecondBar).c_str());
    EXPECT_EQ(rectFirst.Width(), first["sizeHorzCX"]);
    EXPECT_EQ(rectSecond.Width(), second["sizeHorzCX"]);
    EXPECT_EQ(rectSecond.Height(), second["sizeHorzCY"]);
    EXPECT_EQ(1, second["Expanded"]);
    EXPECT_EQ(0, first["Expanded"]);

    Click(PointWithHit(m_second, HTMAXBUTTON));
    EXPECT_EQ(rectFirst, WindowRectOf(m_first));
    EXPECT_EQ(rectSecond, WindowRectOf(m_second));
}

TEST_F(SizingControlBarTest, TheEdgeBetweenTwoBarsMovesBothAndStopsAtTheNeighboursMinimum)
{
    const CRect rectFirst = WindowRectOf(m_first), rectSecond = WindowRectOf(m_second);
    const CPoint ptEdge = PointWithHit(m_first, HTRIGHT);

    Drag(ptEdge, ptEdge - CSize(40, 0));
    EXPECT_EQ(rectFirst.Width() - 40, WindowRectOf(m_first).Width());
    EXPECT_EQ(rectSecond.Width() + 40, WindowRectOf(m_second).Width());
    EXPECT_EQ(WindowRectOf(m_first).right, WindowRectOf(m_second).left);

    // Far past the frame's right side.
    const CPoint ptMoved = PointWithHit(m_first, HTRIGHT);
    Drag(ptMoved, CPoint(WindowRectOf(m_frame).right + 100, ptMoved.y));
    EXPECT_EQ(kMinWidth, WindowRectOf(m_second).Width());
    EXPECT_EQ(RowLength() - kMinWidth, WindowRectOf(m_first).Width());
    EXPECT_EQ(WindowRectOf(m_first).right, WindowRectOf(m_second).left);
}

TEST_F(SizingControlBarTest, TheEdgeTowardsTheClientAreaSetsTheThicknessOfTheWholeRow)
{
    const int nHeight = WindowRectOf(m_first).Height();
    const CPoint ptEdge = PointWithHit(m_second, HTTOP);

    Drag(ptEdge, ptEdge - CSize(0, 50));
    EXPECT_EQ(nHeight + 50, WindowRectOf(m_first).Height());
    EXPECT_EQ(nHeight + 50, WindowRectOf(m_second).Height());

    // Down to the minimum, not below it.
    const CPoint ptMoved = PointWithHit(m_second, HTTOP);
    Drag(ptMoved, CPoint(ptMoved.x, WindowRectOf(m_frame).bottom + 50));
    EXPECT_EQ(kMinHeight, WindowRectOf(m_first).Height());
    EXPECT_EQ(kMinHeight, WindowRectOf(m_second).Height());

    // Up to the largest maximum of the row when every bar has one.
    m_first.SetMaxSize(CSize(-1, 90));
    m_second.SetMaxSize(CSize(-1, 100));
    const CPoint ptLow = PointWithHit(m_second, HTTOP);
    Drag(ptLow, ptLow - CSize(0, 200));
    EXPECT_EQ(100, WindowRectOf(m_second).Height());
}

TEST_F(SizingControlBarTest, InAFrameWithoutRoomTheEdgeTowardsTheClientAreaStillKeepsTheMinimum)
{
    const CPoint ptEdge = PointWithHit(m_second, HTTOP);
    Drag(ptEdge, CPoint(ptEdge.x, WindowRectOf(m_frame).bottom + 50));
    ASSERT_EQ(kMinHeight, WindowRectOf(m_second).Height());

    // A pixel of client area left above the row: less than the bar's minimum to grow into.
    SetClientHeight(WindowRectOf(*m_frame.GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)).Height() + 1);
    CRect rectClient;
    m_frame.GetClientRect(&rectClient);
    m_frame.ClientToScreen(&rectClient);
    ASSERT_LE(rectClient.top, WindowRectOf(m_second).top) << "the whole row still shows";
    CScratchRegistryKey key("SizingBars");
    for (int cyMove : {-20, 20})
    {
        const CPoint ptLow = PointWithHit(m_second, HTTOP);
        Drag(ptLow, ptLow + CSize(0, cyMove));
        EXPECT_EQ(kMinHeight, WindowRectOf(m_first).Height()) << cyMove;
        EXPECT_EQ(kMinHeight, WindowRectOf(m_second).Height()) << cyMove;
        // What the next start lays out.
        EXPECT_EQ(kMinHeight, SavedState(m_first, key)["sizeHorzCY"]) << cyMove;
        EXPECT_EQ(kMinHeight, SavedState(m_second, key)["sizeHorzCY"]) << cyMove;
    }
}

TEST_F(SizingControlBarTest, StoredSizesAreTakenBetweenTheMinimumAndTheScreenAndUnknownRollStatesAsNone)
{
    CScratchRegistryKey key("SizingBars");
    const CString strSection = CString("Bars-SCBar-") + std::to_string(kFirstBar).c_str();
    AfxGetApp()->WriteProfileInt(strSection, "sizeHorzCX", 10);
    AfxGetApp()->WriteProfileInt(strSection, "sizeHorzCY", 10);
    AfxGetApp()->WriteProfileInt(strSection, "sizeFloatCY", 3);
    AfxGetApp()->WriteProfileInt(strSection, "sizeFloatCX", 100000);
    AfxGetApp()->WriteProfileInt(strSection, "sizeVertCY", -5000);
    AfxGetApp()->WriteProfileInt(strSection, "RolledFloatDynamicState", 7);
    m_first.SetRollState(CQENSizingControlBar::RollManual);
    ASSERT_TRUE(m_first.LoadState("Bars"));
    ASSERT_TRUE(m_first.SaveState("Again"));
    auto saved = key.Values(CString("Again-SCBar-") + std::to_string(kFirstBar).c_str());
    EXPECT_EQ(kMinWidth, saved["sizeHorzCX"]);
    EXPECT_EQ(kMinHeight, saved["sizeHorzCY"]);
    EXPECT_EQ(kMinHeight, saved["sizeFloatCY"]);
    EXPECT_EQ(kMinHeight, saved["sizeVertCY"]);
    EXPECT_EQ(::GetSystemMetrics(SM_CXVIRTUALSCREEN), saved["sizeFloatCX"]) << "no wider than the screen";
    EXPECT_EQ(150, saved["sizeVertCX"]) << "a missing value keeps the size";
    EXPECT_EQ(0u, saved.count("RolledFloatDynamicState")) << "an unknown roll state is none";

    // A long profile path is kept whole (the ANSI registry calls take subkey paths of up to 260 characters).
    const CString strLongPath = CString('a', 90) + "\\" + CString('b', 90) + "\\" + CString('c', 20);
    ASSERT_TRUE(m_first.SaveState(strLongPath));
    EXPECT_EQ(kMinWidth, key.Values(strLongPath + "-SCBar-" + std::to_string(kFirstBar).c_str())["sizeHorzCX"]);

    m_frame.RecalcLayout();
    Settle();
    EXPECT_EQ(WindowRectOf(m_second).Height(), WindowRectOf(m_first).Height()) << "the row takes its thickest bar";
    EXPECT_EQ(RowLength(), WindowRectOf(m_first).Width() + WindowRectOf(m_second).Width());
}

TEST_F(SizingControlBarTest, AFloatingBarWithAStoredAutomaticRollStartsRolledUpToItsCaption)
{
    m_frame.FloatControlBar(&m_first, CPoint(200, 200));
    m_frame.RecalcLayout();
    Settle();
    CWnd* pFloatingFrame = m_first.GetParentFrame();
    ASSERT_NE(&m_frame, pFloatingFrame);
    ASSERT_GT(WindowRectOf(*pFloatingFrame).Height(), 100);

    CScratchRegistryKey key("SizingBars");
    const CString strSection = CString("Bars-SCBar-") + std::to_string(kFirstBar).c_str();
    AfxGetApp()->WriteProfileInt(strSection, "RolledFloatDynamicState", 4);
    AfxGetApp()->WriteProfileInt(strSection, "RolledFloat", 0);
    ASSERT_TRUE(m_first.LoadState("Bars"));
    // At once, before the floating frame's own automatic roll-up would run.
    static_cast<CFrameWnd*>(pFloatingFrame)->RecalcLayout();
    const int cyRolled = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
    EXPECT_EQ(cyRolled, WindowRectOf(*pFloatingFrame).Height());

    // Rolled up without a roll state, the bar would have no button to open it again.
    AfxGetApp()->WriteProfileInt(strSection, "RolledFloatDynamicState", 0);
    AfxGetApp()->WriteProfileInt(strSection, "RolledFloat", 1);
    ASSERT_TRUE(m_first.LoadState("Bars"));
    static_cast<CFrameWnd*>(pFloatingFrame)->RecalcLayout();
    EXPECT_GT(WindowRectOf(*pFloatingFrame).Height(), 100);
}

TEST_F(SizingControlBarTest, ARowTooShortForItsBarsGivesTheFirstARowOfItsOwnAndALoneBarKeepsItsMinimum)
{
    CQENSizingControlBar third;
    ASSERT_TRUE(third.Create("third", &m_frame, CSize(150, 120), TRUE, kThirdBar, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
    third.EnableDocking(CBRS_ALIGN_ANY);
    CRect rect = WindowRectOf(m_second);
    rect.OffsetRect(rect.Width() / 2, 0);
    m_frame.DockControlBar(&third, AFX_IDW_DOCKBAR_BOTTOM, &rect);
    m_frame.RecalcLayout();
    Settle();
    ASSERT_EQ(WindowRectOf(m_first).top, WindowRectOf(third).top) << "three bars in one row";
    EXPECT_EQ(RowLength(), WindowRectOf(m_first).Width() + WindowRectOf(m_second).Width() + WindowRectOf(third).Width());

    // Room for two minimums, not for three.
    SetClientWidth(2 * kMinWidth + 14);
    const CRect rectFirst = WindowRectOf(m_first), rectSecond = WindowRectOf(m_second), rectThird = WindowRectOf(third);
    EXPECT_NE(rectFirst.top, rectSecond.top);
    EXPECT_EQ(rectSecond.top, rectThird.top);
    EXPECT_EQ(RowLength(), rectFirst.Width());
    EXPECT_EQ(RowLength(), rectSecond.Width() + rectThird.Width()) << "the two left share their row";
    EXPECT_GE(rectSecond.Width(), kMinWidth);
    EXPECT_GE(rectThird.Width(), kMinWidth);

    // Not even room for one: every bar alone in its row, at its minimum.
    CScratchRegistryKey key("SizingBars");
    SetClientWidth(20);
    EXPECT_NE(WindowRectOf(m_second).top, WindowRectOf(third).top);
    for (CQENSizingControlBar* pBar : {&m_first, static_cast<CQENSizingControlBar*>(&m_second), &third})
        EXPECT_EQ(kMinWidth, SavedState(*pBar, key)["sizeHorzCX"]) << pBar->GetDlgCtrlID();
    third.DestroyWindow();
}

TEST_F(SizingControlBarTest, TheHideButtonHidesTheBarOnlyWhenReleasedOnItAndTheBarMayClose)
{
    const CPoint ptHide = PointWithHit(m_second, CQENSizingControlBar::HitHide);
    Press(ptHide);
    Release(ptHide + CSize(0, 60));
    // Further clicks on a hidden bar would start a drag of its neighbour.
    ASSERT_TRUE(m_second.IsWindowVisible()) << "released away from the button";

    m_second.m_bMayClose = FALSE;
    Click(ptHide);
    ASSERT_TRUE(m_second.IsWindowVisible()) << "the bar refuses to close";

    m_second.m_bMayClose = TRUE;
    Click(ptHide);
    EXPECT_FALSE(m_second.IsWindowVisible());
    EXPECT_EQ(RowLength(), WindowRectOf(m_first).Width()) << "the other bar takes the row";
}

TEST_F(SizingControlBarTest, ABarAloneInItsRowIgnoresExpanding)
{
    m_frame.DockControlBar(&m_second, AFX_IDW_DOCKBAR_LEFT);
    m_frame.RecalcLayout();
    Settle();
    const CRect rectAlone = WindowRectOf(m_second);

    CScratchRegistryKey key("SizingBars");
    const CString strSection = CString("Bars-SCBar-") + std::to_string(kSecondBar).c_str();
    Click(PointWithHit(m_second, HTMAXBUTTON));
    ASSERT_TRUE(m_second.SaveState("Bars"));
    EXPECT_EQ(0, key.Values(strSection)["Expanded"]) << "the expand button";

    m_second.Expand();
    m_frame.RecalcLayout();
    Settle();
    EXPECT_EQ(rectAlone, WindowRectOf(m_second));
    ASSERT_TRUE(m_second.SaveState("Bars"));
    EXPECT_EQ(0, key.Values(strSection)["Expanded"]) << "the expand command";
}

TEST_F(SizingControlBarTest, AFixedDialogBarKeepsItsTemplateSizeAndItsControlsFollowTheCommandRouting)
{
    CQENDialogBar bar;
    ASSERT_TRUE(bar.Create(&m_frame, kDialogTemplate, WS_CHILD | WS_VISIBLE | CBRS_TOP, kDialogBar, FALSE));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    m_frame.RecalcLayout();
    Settle();

    CRect rectTemplate(0, 0, 120, 40);
    ::MapDialogRect(bar.m_hWnd, &rectTemplate);
    CRect rectClient;
    bar.GetClientRect(&rectClient);
    EXPECT_EQ(rectTemplate.Size(), rectClient.Size()) << "not stretched over the row";

    CWnd* pChoice = bar.GetDlgItem(kChoiceCombo);
    ASSERT_NE(nullptr, pChoice);
    ASSERT_EQ(2, pChoice->SendMessage(CB_GETCOUNT));
    char szItem[16] = {};
    pChoice->SendMessage(CB_GETLBTEXT, 1, (LPARAM)szItem);
    EXPECT_STREQ("Beta", szItem);
    EXPECT_FALSE(bar.GetDlgItem(kGoButton)->IsWindowEnabled()) << "no handler for its command";
    EXPECT_TRUE(pChoice->IsWindowEnabled());
    bar.DestroyWindow();
}

TEST_F(SizingControlBarTest, ABarFloatedByADoubleClickOnItsGripperShowsInItsFloatingFrame)
{
    // At the top, the floating frame taking the bar's place lies wholly inside the frame.
    m_frame.DockControlBar(&m_first, AFX_IDW_DOCKBAR_TOP);
    m_frame.RecalcLayout();
    Settle();
    const CPoint ptGripper = PointWithHit(m_first, HTCAPTION);
    SendMouseInput(ptGripper);
    PumpFor(40);
    // Queued whole: the first press runs the bar's drag loop, which takes its release from the queue.
    for (int i = 0; i < 2; i++)
    {
        SendMouseInput(ptGripper, MOUSEEVENTF_LEFTDOWN);
        SendMouseInput(ptGripper, MOUSEEVENTF_LEFTUP);
    }
    Settle();
    ASSERT_TRUE(m_first.IsFloating());
    CWnd* pFloatingFrame = m_first.GetParentFrame();
    CRect rectInFrame;
    ASSERT_TRUE(rectInFrame.IntersectRect(WindowRectOf(*pFloatingFrame), WindowRectOf(m_frame)));
    ASSERT_EQ(WindowRectOf(*pFloatingFrame), rectInFrame) << "floats where it was docked, over its frame";

    // The bar's empty client area shows its face colour on the screen.
    CRect rectClient;
    m_first.GetClientRect(&rectClient);
    const int nFace = ScreenCount(&m_first, rectClient, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(nFace, rectClient.Width() * rectClient.Height() * 9 / 10);
}

} // namespace

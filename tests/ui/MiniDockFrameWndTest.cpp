#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENFrameWnd.h"
#include "QENMiniDockFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENSizingControlBar.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const UINT kTearOffId = 0xE8A0;
const UINT kBarId = 0xE900;
const UINT kOpenItem = 0x6401;
const UINT kSaveItem = 0x6402;

// The loop's turns and the idle processing that applies delayed layouts.
void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        RunIdleCycle();
        ::Sleep(10);
    }
}

// Runs once, from a thread timer: inside whatever message loop turns nDelay ms from now.
std::function<void()> g_scheduled;

void CALLBACK RunScheduled(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    std::function<void()> action;
    action.swap(g_scheduled);
    if (action)
        action();
}

void Schedule(std::function<void()> action, UINT nDelay = 200)
{
    g_scheduled = std::move(action);
    ::SetTimer(NULL, 0, nDelay, RunScheduled);
}

// A move loop that still waits for the mouse long after its input was given is ended by Esc.
void ScheduleEscapeFromAStuckLoop()
{
    const DWORD dwThread = ::GetCurrentThreadId();
    Schedule(
        [dwThread] {
            if (::GetCapture() != NULL)
                ::PostThreadMessageA(dwThread, WM_KEYDOWN, VK_ESCAPE, 0);
        },
        3000);
}

void PressKey(WORD wKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = wKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

CRect WindowRectOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// The points of the frame's top caption row that take hold of the frame, and of them those on rectArea.
std::vector<CPoint> CaptionPoints(CWnd* pFrame, const CRect& rectArea)
{
    const CRect rect = WindowRectOf(pFrame->m_hWnd);
    const int y = rect.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
    std::vector<CPoint> points;
    for (int x = std::max(rect.left, rectArea.left); x < std::min(rect.right, rectArea.right); x++)
        if (pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCAPTION)
            points.push_back(CPoint(x, y));
    return points;
}

class CMenuRequestFrame : public CQENFrameWnd
{
public:
    std::vector<WPARAM> m_menuRequests;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_POPUPMENU)
        {
            m_menuRequests.push_back(wParam);
            return 0;
        }
        return CQENFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A shown library frame whose toolbar holds the menu button "&File", which can be torn off.
class MiniDockFrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        SendMouseInput(CPoint(1, 1));
        ASSERT_TRUE(m_frame.Create(NULL, "floating frame test", WS_OVERLAPPEDWINDOW, CRect(60, 60, 460, 300)));
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), kBarId));
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kOpenItem, "&Open");
        ::AppendMenuA(hMenu, MF_STRING, kSaveItem, "&Save");
        CQENToolbarMenuButton file((UINT)-1, hMenu, -1, "&File");
        ::DestroyMenu(hMenu);
        file.SetTearOffId(kTearOffId);
        m_bar.AddButtonAt(file);
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_frame.ShowWindow(SW_SHOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_frame.SetFocus();
        PumpFor(100);
    }
    void TearDown() override
    {
        g_scheduled = nullptr;
        SendMouseInput(CPoint(1, 1), MOUSEEVENTF_LEFTUP);
        PumpFor(50);
        if (m_frame.m_hWnd != NULL)
            m_frame.DestroyWindow();
        PumpPendingMessages();
    }

    CQENToolbarMenuButton* FileButton() { return static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0)); }

    CQENPopupMenu* OpenFileMenu()
    {
        CPoint pt = FileButton()->m_rect.CenterPoint();
        m_bar.ClientToScreen(&pt);
        SendMouseInput(pt);
        SendMouseInput(pt, MOUSEEVENTF_LEFTDOWN);
        SendMouseInput(pt, MOUSEEVENTF_LEFTUP);
        PumpFor(150);
        return FileButton()->GetPopupMenu();
    }

    // Presses the left button on the popup's tear-off strip; the move loop then runs inside the pump.
    void PressOnTearOffStrip(CQENPopupMenu* pPopup)
    {
        CPoint pt = pPopup->TearOffRect().CenterPoint();
        pPopup->ClientToScreen(&pt);
        SendMouseInput(pt);
        PumpFor(60);
        SendMouseInput(pt, MOUSEEVENTF_LEFTDOWN);
        PumpFor(400);
    }

    CQENToolBar* TornOffBar() { return static_cast<CQENToolBar*>(m_frame.GetControlBar(kTearOffId)); }

    // The cancelled tear-off: the popup is back, no bar and no floating frame of it is left.
    void ExpectTearOffUndone(HWND hPopup)
    {
        EXPECT_TRUE(::IsWindow(hPopup));
        EXPECT_TRUE(::IsWindowVisible(hPopup));
        EXPECT_EQ(nullptr, TornOffBar());
        EXPECT_EQ(NULL, ::GetCapture());
    }

    CMenuRequestFrame m_frame;
    CQENToolBar m_bar;
};

} // namespace

TEST_F(MiniDockFrameWndTest, EscapeOrARightClickDuringATearOffDragRestoresThePopupAndRemovesTheBar)
{
    for (int nWay = 0; nWay < 2; nWay++)
    {
        CQENPopupMenu* pPopup = OpenFileMenu();
        ASSERT_NE(nullptr, pPopup);
        ASSERT_FALSE(pPopup->TearOffRect().IsRectEmpty());
        const HWND hPopup = pPopup->m_hWnd;
        Schedule([nWay, hPopup] {
            // The bar follows the mouse while the popup is hidden.
            EXPECT_FALSE(::IsWindowVisible(hPopup));
            SendMouseInput(CPoint(300, 400));
            if (nWay == 0)
                PressKey(VK_ESCAPE);
            else
            {
                SendMouseInput(CPoint(300, 400), MOUSEEVENTF_RIGHTDOWN);
                SendMouseInput(CPoint(300, 400), MOUSEEVENTF_RIGHTUP);
            }
        });
        PressOnTearOffStrip(pPopup);
        SCOPED_TRACE(nWay == 0 ? "escape" : "right click");
        ExpectTearOffUndone(hPopup);
        SendMouseInput(CPoint(1, 1), MOUSEEVENTF_LEFTUP);
        PressKey(VK_ESCAPE);
        PumpFor(100);
    }
}

TEST_F(MiniDockFrameWndTest, ADropKeepsTheBarFloatingWhereTheMouseLeftItWithThePopupsItemsAndItsStyle)
{
    CQENPopupMenu* pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    const HWND hPopup = pPopup->m_hWnd;
    const CPoint ptDrop(320, 420);
    Schedule([ptDrop] {
        SendMouseInput(ptDrop - CSize(30, 30));
        SendMouseInput(ptDrop);
        SendMouseInput(ptDrop, MOUSEEVENTF_LEFTUP);
    });
    PressOnTearOffStrip(pPopup);
    PumpFor(100);

    EXPECT_FALSE(::IsWindow(hPopup));
    CQENToolBar* pBar = TornOffBar();
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->IsFloating());
    ASSERT_EQ(2, pBar->ButtonCount());
    EXPECT_EQ(kOpenItem, pBar->ButtonAt(0)->m_nCommandId);
    EXPECT_EQ(kSaveItem, pBar->ButtonAt(1)->m_nCommandId);
    EXPECT_NE(0u, pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC);
    EXPECT_NE(0u, pBar->GetBarStyle() & CBRS_TOOLTIPS);

    // The frame was carried by its top centre, 5 pixels below its top edge.
    CFrameWnd* pFloating = pBar->GetParentFrame();
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CQENMiniDockFrameWnd)));
    const CRect rect = WindowRectOf(pFloating->m_hWnd);
    EXPECT_NEAR(ptDrop.x, rect.left + rect.Width() / 2, 1);
    EXPECT_EQ(ptDrop.y, rect.top + 5);
    EXPECT_NE(0, ::GetWindowLongA(pFloating->m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // A right click on its caption asks the docking frame for the bars' menu.
    SendMouseInput(CPoint(rect.left + 8, rect.top + 5));
    SendMouseInput(CPoint(rect.left + 8, rect.top + 5), MOUSEEVENTF_RIGHTDOWN);
    SendMouseInput(CPoint(rect.left + 8, rect.top + 5), MOUSEEVENTF_RIGHTUP);
    PumpFor(150);
    EXPECT_EQ(std::vector<WPARAM>{(WPARAM)pFloating->m_hWnd}, m_frame.m_menuRequests);

    // The torn-off menu is not torn off a second time: the popup stays, the one bar keeps the id.
    CQENPopupMenu* pAgain = OpenFileMenu();
    ASSERT_NE(nullptr, pAgain);
    const HWND hAgain = pAgain->m_hWnd;
    // Were a move loop to run, this would drop a second bar.
    Schedule([] {
        CPoint pt;
        ::GetCursorPos(&pt);
        SendMouseInput(pt, MOUSEEVENTF_LEFTUP);
    });
    PressOnTearOffStrip(pAgain);
    EXPECT_TRUE(::IsWindowVisible(hAgain));
    int nBarsWithId = 0;
    for (POSITION pos = m_frame.m_listControlBars.GetHeadPosition(); pos != NULL;)
        if ((UINT)static_cast<CControlBar*>(m_frame.m_listControlBars.GetNext(pos))->GetDlgCtrlID() == kTearOffId)
            nBarsWithId++;
    EXPECT_EQ(1, nBarsWithId);
}

TEST_F(MiniDockFrameWndTest, AReleaseGivenBeforeTheMoveLoopRanStillDropsTheTornOffBar)
{
    CQENPopupMenu* pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    const HWND hPopup = pPopup->m_hWnd;
    CPoint pt = pPopup->TearOffRect().CenterPoint();
    pPopup->ClientToScreen(&pt);
    SendMouseInput(pt);
    PumpFor(60);
    // Released far from the program's windows before the press was taken.
    const CPoint ptFar(::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
    ScheduleEscapeFromAStuckLoop();
    SendMouseInput(pt, MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(ptFar);
    SendMouseInput(ptFar, MOUSEEVENTF_LEFTUP);
    PumpFor(400);

    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(::IsWindow(hPopup));
    ASSERT_NE(nullptr, TornOffBar());
    EXPECT_TRUE(TornOffBar()->IsFloating());
}

TEST_F(MiniDockFrameWndTest, EveryOtherEndOfTheMoveLoopUndoesTheTearOffAndAQuitIsPostedAgain)
{
    // The button is held as in a drag, away from the program's windows, and the menu opened then.
    const CPoint ptAway(::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
    SendMouseInput(ptAway, MOUSEEVENTF_LEFTDOWN);
    PumpFor(60);
    ::SetForegroundWindow(m_frame.m_hWnd);
    ASSERT_TRUE(FileButton()->OpenPopupMenu(&m_bar));
    PumpFor(150);
    CQENPopupMenu* pPopup = FileButton()->GetPopupMenu();
    ASSERT_NE(nullptr, pPopup);

    // The capture already held by another window: nothing moves.
    HWND hPopup = pPopup->m_hWnd;
    CTestTopWindow holder;
    ASSERT_TRUE(holder.CreateHidden());
    holder.SetCapture();
    EXPECT_FALSE(CQENMiniDockFrameWnd::TearOffPopup(&m_frame, pPopup));
    EXPECT_EQ(holder.m_hWnd, ::GetCapture());
    ::ReleaseCapture();
    ExpectTearOffUndone(hPopup);

    // The capture taken away during the drag.
    Schedule([] { ::ReleaseCapture(); });
    EXPECT_FALSE(CQENMiniDockFrameWnd::TearOffPopup(&m_frame, pPopup));
    ExpectTearOffUndone(hPopup);

    // A quit during the drag ends it and still reaches the program's loop.
    Schedule([] { ::PostQuitMessage(7); });
    EXPECT_FALSE(CQENMiniDockFrameWnd::TearOffPopup(&m_frame, pPopup));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    ExpectTearOffUndone(hPopup);
}

TEST_F(MiniDockFrameWndTest, AFloatingFrameDraggedOffTheWorkAreaSpringsBackSoItsCaptionShows)
{
    m_frame.FloatControlBar(&m_bar, CPoint(200, 200));
    PumpFor(100);
    CFrameWnd* pFloating = m_bar.GetParentFrame();
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CQENMiniDockFrameWnd)));
    CRect rectWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);

    // Moved so that only the top of its caption would be left on the work area.
    pFloating->SetWindowPos(NULL, 180, rectWork.bottom - 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(rectWork.bottom - cyCaption, WindowRectOf(pFloating->m_hWnd).top);
    EXPECT_EQ(180, WindowRectOf(pFloating->m_hWnd).left);

    // Moved above the top of the work area.
    pFloating->SetWindowPos(NULL, 150, rectWork.top - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(rectWork.top, WindowRectOf(pFloating->m_hWnd).top);
    EXPECT_EQ(150, WindowRectOf(pFloating->m_hWnd).left);

    // Moved past either side: enough of its caption to take hold of stays on the work area.
    for (int x : {rectWork.right + 50, rectWork.left - 2000})
    {
        pFloating->SetWindowPos(NULL, x, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(200, WindowRectOf(pFloating->m_hWnd).top);
        EXPECT_GE((int)CaptionPoints(pFloating, rectWork).size(), ::GetSystemMetrics(SM_CXSMSIZE)) << x;
    }
}

TEST_F(MiniDockFrameWndTest, AFrameDraggedByItsCaptionWithTheWholeDragQueuedFollowsTheMouseAndKeepsItsCaptionOnTheWorkArea)
{
    m_frame.FloatControlBar(&m_bar, CPoint(200, 200));
    PumpFor(100);
    CFrameWnd* pFloating = m_bar.GetParentFrame();
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CQENMiniDockFrameWnd)));
    const CRect rectBefore = WindowRectOf(pFloating->m_hWnd);
    const std::vector<CPoint> caption = CaptionPoints(pFloating, rectBefore);
    ASSERT_FALSE(caption.empty());
    const CPoint ptGrip = caption.front();
    CRect rectWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);

    // Press, moves and the release down at the bottom of the screen, all given before the drag loop
    // runs: the release goes to whatever window is under the pointer then.
    const CPoint ptDrop(ptGrip.x + 40, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    SendMouseInput(ptGrip);
    PumpFor(60);
    ScheduleEscapeFromAStuckLoop();
    SendMouseInput(ptGrip, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 4; i++)
        SendMouseInput(ptGrip + CSize((ptDrop.x - ptGrip.x) * i / 4, (ptDrop.y - ptGrip.y) * i / 4));
    SendMouseInput(ptDrop, MOUSEEVENTF_LEFTUP);
    PumpFor(400);

    EXPECT_EQ(NULL, ::GetCapture());
    ASSERT_TRUE(m_bar.IsFloating());
    const CRect rectAfter = WindowRectOf(m_bar.GetParentFrame()->m_hWnd);
    EXPECT_EQ(rectBefore.left + 40, rectAfter.left);
    EXPECT_EQ(rectWork.bottom - ::GetSystemMetrics(SM_CYSMCAPTION), rectAfter.top) << "its caption back on the work area";
}

TEST_F(MiniDockFrameWndTest, AnAutomaticallyRollingBarRollsUpAfterTheMouseLeftAndUnrollsOverItsCaption)
{
    CQENSizingControlBar output;
    ASSERT_TRUE(output.Create("Output", &m_frame, CSize(180, 140), TRUE, 0xE910));
    output.EnableDocking(CBRS_ALIGN_ANY);
    m_frame.FloatControlBar(&output, CPoint(220, 330));
    PumpFor(100);
    CQENMiniDockFrameWnd* pFloating = DYNAMIC_DOWNCAST(CQENMiniDockFrameWnd, output.GetParentFrame());
    ASSERT_NE(nullptr, pFloating);
    // As a loaded automatic roll state leaves it: rolled up.
    output.SetRollState(CQENSizingControlBar::RollAuto);
    output.SetRolled(TRUE);
    pFloating->TakeRollState();
    pFloating->RecalcLayout();
    PumpFor(100);
    const int cyRolled = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
    EXPECT_EQ(cyRolled, WindowRectOf(pFloating->m_hWnd).Height());
    EXPECT_FALSE(pFloating->RollButtonRect().IsRectEmpty());

    // The mouse over the caption unrolls it.
    const CRect rectRolled = WindowRectOf(pFloating->m_hWnd);
    const CPoint ptCaption(rectRolled.left + 12, rectRolled.top + ::GetSystemMetrics(SM_CYFRAME) + 3);
    SendMouseInput(ptCaption);
    PumpFor(60);
    SendMouseInput(ptCaption + CSize(2, 0));
    PumpFor(200);
    EXPECT_GT(WindowRectOf(pFloating->m_hWnd).Height(), cyRolled + 50);

    // Away from it, with the focus in the main frame, it stays open for a while and then rolls up again.
    m_frame.SetFocus();
    SendMouseInput(CPoint(1, 1));
    PumpFor(500);
    EXPECT_GT(WindowRectOf(pFloating->m_hWnd).Height(), cyRolled + 50);
    PumpFor(2000);
    EXPECT_EQ(cyRolled, WindowRectOf(pFloating->m_hWnd).Height());
    EXPECT_TRUE(output.IsRolled());

    // Opened over its caption and pinned with the roll button, it stays open when the mouse leaves.
    SendMouseInput(ptCaption);
    PumpFor(60);
    SendMouseInput(ptCaption + CSize(2, 0));
    PumpFor(200);
    ASSERT_GT(WindowRectOf(pFloating->m_hWnd).Height(), cyRolled + 50);
    const CPoint ptRollButton = pFloating->RollButtonRect().CenterPoint() + WindowRectOf(pFloating->m_hWnd).TopLeft();
    SendMouseInput(ptRollButton);
    PumpFor(60);
    SendMouseInput(ptRollButton, MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(ptRollButton, MOUSEEVENTF_LEFTUP);
    PumpFor(100);
    EXPECT_EQ(CQENSizingControlBar::RollAutoPinned, output.GetRollState());
    m_frame.SetFocus();
    SendMouseInput(CPoint(1, 1));
    PumpFor(2500);
    EXPECT_GT(WindowRectOf(pFloating->m_hWnd).Height(), cyRolled + 50);
    EXPECT_FALSE(output.IsRolled());
    output.DestroyWindow();
}

TEST_F(MiniDockFrameWndTest, AFloatingFrameWithoutABarTakesClicksMovesTimersAndCloseRequestsHarmlessly)
{
    CMiniDockFrameWnd* pEmpty = m_frame.CreateFloatingFrame(CBRS_ALIGN_TOP);
    ASSERT_TRUE(pEmpty->IsKindOf(RUNTIME_CLASS(CQENMiniDockFrameWnd)));
    const HWND hEmpty = pEmpty->m_hWnd;
    pEmpty->SetWindowPos(&CWnd::wndTop, 250, 250, 200, 120, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    PumpFor(100);
    const std::vector<CPoint> caption = CaptionPoints(pEmpty, WindowRectOf(hEmpty));
    ASSERT_FALSE(caption.empty());
    const CPoint ptCaption = caption[caption.size() / 4];

    SendMouseInput(ptCaption);
    PumpFor(60);
    SendMouseInput(ptCaption, MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(ptCaption, MOUSEEVENTF_LEFTUP);
    SendMouseInput(ptCaption, MOUSEEVENTF_RIGHTDOWN);
    SendMouseInput(ptCaption, MOUSEEVENTF_RIGHTUP);
    PumpFor(200);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(std::vector<WPARAM>{(WPARAM)hEmpty}, m_frame.m_menuRequests) << "the menu is still asked for";

    ::SendMessageA(hEmpty, WM_TIMER, kBarId, 0);
    pEmpty->SetWindowPos(NULL, 260, 270, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CPoint(260, 270), WindowRectOf(hEmpty).TopLeft());

    // Closing it has no bar to hide.
    ::SendMessageA(hEmpty, WM_CLOSE, 0, 0);
    PumpFor(100);
    EXPECT_TRUE(::IsWindow(hEmpty));
    EXPECT_EQ(NULL, ::GetCapture());
    pEmpty->DestroyWindow();
}

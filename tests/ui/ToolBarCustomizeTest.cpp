#include "CustomizeButton.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"
#include "GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT kToolbar = 0x3E00;        // commands 1, separator, 2
const UINT kOtherToolbar = 0x3E01;   // command 3

// The command ids of a bar from left to right, 0 for a separator, without the customize button.
std::vector<UINT> Commands(const CQENToolBar* pBar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->ButtonCount(); i++)
        if (pBar->ButtonAt(i) != pBar->CustomizeButton())
            ids.push_back(pBar->ButtonAt(i)->m_nCommandId);
    return ids;
}

CPoint ScreenPoint(CWnd* pWnd, CPoint ptClient)
{
    pWnd->ClientToScreen(&ptClient);
    return ptClient;
}

CPoint Centre(CQENToolBar* pBar, UINT nCommandId)
{
    return ScreenPoint(pBar, pBar->ButtonAt(pBar->IndexOfCommand(nCommandId))->m_rect.CenterPoint());
}

void SendMouse(CPoint ptScreen, DWORD dwButtons)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (ptScreen.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(120);
}

void SendKey(WORD wKey, BOOL bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(60);
}

// The input of one drag, sent from a second thread: the drag loop is modal on this one.
struct DragInput
{
    CPoint ptFrom;
    CPoint ptTo;
    WORD wHeldKey;     // 0 or VK_MENU: held from before the click
    WORD wDropKey;     // 0 or VK_CONTROL: pressed over the target, held at the release
};

DWORD WINAPI SendDrag(LPVOID pParam)
{
    const DragInput& drag = *static_cast<const DragInput*>(pParam);
    SendMouse(drag.ptFrom, 0);
    // Alt counts at the click.
    if (drag.wHeldKey != 0)
        SendKey(drag.wHeldKey, FALSE);
    SendMouse(drag.ptFrom, MOUSEEVENTF_LEFTDOWN);
    // Out of the start rectangle first, then to the target in steps the drag loop sees.
    const CPoint ptStep = drag.ptTo - drag.ptFrom;
    for (int n = 1; n <= 4; n++)
        SendMouse(drag.ptFrom + CPoint(ptStep.x * n / 4, ptStep.y * n / 4 + (n < 4 ? 1 : 0)), 0);
    SendMouse(drag.ptTo, 0);
    // Wine takes the modifier keys back to the X server's state when the pointer moves, so a key
    // that only this input holds counts from the last move on.
    if (drag.wDropKey != 0)
        SendKey(drag.wDropKey, FALSE);
    SendMouse(drag.ptTo, MOUSEEVENTF_LEFTUP);
    for (WORD wKey : {drag.wDropKey, drag.wHeldKey})
        if (wKey != 0)
            SendKey(wKey, TRUE);
    return 0;
}

class ToolBarCustomizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "customize", WS_OVERLAPPEDWINDOW, CRect(40, 40, 600, 400)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFirst = NewBar(kToolbar, 0xE810);
        m_pSecond = NewBar(kOtherToolbar, 0xE811);
        m_pFrame->DockControlBar(m_pFirst, AFX_IDW_DOCKBAR_TOP);
        CRect rectFirst;
        m_pFrame->RecalcLayout();
        m_pFirst->GetWindowRect(&rectFirst);
        // The second bar in the same row, right of the first.
        m_pFrame->DockControlBar(m_pSecond, AFX_IDW_DOCKBAR_TOP, CRect(rectFirst.right + 40, rectFirst.top,
                                                                     rectFirst.right + 80, rectFirst.bottom));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }

    void TearDown() override
    {
        CQENToolBar::SwitchCustomizeMode(FALSE);
        m_pFrame->DestroyWindow();
        for (CQENToolBar* pBar : m_bars)
            delete pBar;
        ::OleUninitialize();
    }

    CQENToolBar* NewBar(UINT nResource, UINT nId, BOOL bLocked = FALSE)
    {
        CQENToolBar* pBar = new CQENToolBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                                   CRect(1, 1, 1, 1), nId));
        EXPECT_TRUE(pBar->BuildFromResource(nResource, 0, 0, bLocked));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }

    void Drag(CPoint ptFrom, CPoint ptTo, WORD wHeldKey = 0, WORD wDropKey = 0)
    {
        DragInput drag = {ptFrom, ptTo, wHeldKey, wDropKey};
        HANDLE hThread = ::CreateThread(NULL, 0, SendDrag, &drag, 0, NULL);
        ASSERT_TRUE(hThread != NULL);
        while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpPendingMessages();
        ::CloseHandle(hThread);
        for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 200;)
        {
            PumpPendingMessages();
            ::Sleep(10);
        }
    }

    CFrameWnd* m_pFrame = NULL;
    CQENToolBar* m_pFirst = NULL;
    CQENToolBar* m_pSecond = NULL;
    std::vector<CQENToolBar*> m_bars;
};

} // namespace

TEST_F(ToolBarCustomizeTest, ButtonsMoveBetweenBarsAndGoWhenDroppedOffEveryBar)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    EXPECT_FALSE(CQENToolBar::SwitchCustomizeMode(TRUE));

    // Command 2 onto the right half of command 3: after it.
    Drag(Centre(m_pFirst, 2), Centre(m_pSecond, 3) + CPoint(4, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 2}), Commands(m_pSecond));
    // The bar clicked on holds the selection.
    EXPECT_EQ(m_pFirst, CQENToolBar::s_pCustomizeSelBar);

    // Into the frame's empty client area, away from every bar: gone.
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    Drag(Centre(m_pSecond, 2), ScreenPoint(m_pFrame, rectClient.CenterPoint() + CPoint(0, 60)));
    EXPECT_EQ((std::vector<UINT>{3}), Commands(m_pSecond));
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(m_pFirst));

    // Leaving customize mode drops the selection.
    EXPECT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));
    EXPECT_EQ(NULL, CQENToolBar::s_pCustomizeSelBar);
}

TEST_F(ToolBarCustomizeTest, DroppedBackOnItsOwnPlaceSixPixelsStartOrEndAGroupAndTheButtonMovesOnce)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    const CPoint ptTwo = Centre(m_pFirst, 2);

    Drag(ptTwo, ptTwo - CPoint(5, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    // Six back ends the group: the separator before it goes.
    Drag(ptTwo, ptTwo - CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    // Six back again: the button before it is no separator and stays.
    const CPoint ptTwoNow = Centre(m_pFirst, 2);
    Drag(ptTwoNow, ptTwoNow - CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    Drag(ptTwoNow, ptTwoNow + CPoint(5, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    // Six forward starts a group.
    Drag(ptTwoNow, ptTwoNow + CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));

    // Onto the left half of its neighbour, which is still its own place: the button stays, once.
    const CQENToolbarButton* pSeparator = m_pFirst->ButtonAt(1);
    Drag(Centre(m_pFirst, 1), ScreenPoint(m_pFirst, CPoint(pSeparator->m_rect.left + 1, pSeparator->m_rect.CenterPoint().y)));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    // Past the end of its bar: moved there, once.
    Drag(Centre(m_pFirst, 1), Centre(m_pFirst, 2) + CPoint(4, 0));
    EXPECT_EQ((std::vector<UINT>{0, 2, 1}), Commands(m_pFirst));
}

TEST_F(ToolBarCustomizeTest, ALockedBarRefusesDropsAndAltDragsOutsideCustomizeMode)
{
    CQENToolBar* pLocked = NewBar(kOtherToolbar, 0xE812, TRUE);
    m_pFrame->DockControlBar(pLocked, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();

    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    Drag(Centre(m_pFirst, 1), Centre(pLocked, 3));
    EXPECT_EQ((std::vector<UINT>{3}), Commands(pLocked));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));

    // Alt held: the click drags instead of running the command.
    Drag(Centre(m_pFirst, 1), Centre(m_pSecond, 3) + CPoint(4, 0), VK_MENU);
    EXPECT_EQ((std::vector<UINT>{0, 2}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 1}), Commands(m_pSecond));
}

TEST_F(ToolBarCustomizeTest, CtrlDragCopiesTheButton)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    Drag(Centre(m_pFirst, 2), Centre(m_pSecond, 3) + CPoint(4, 0), 0, VK_CONTROL);
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 2}), Commands(m_pSecond));
}

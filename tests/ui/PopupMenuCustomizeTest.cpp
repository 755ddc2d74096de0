// Menus in customize mode: a library frame's menu bar and toolbar, items dragged out of open menus
// and commands dragged into them with real mouse input.
#include "GuiTestSupport.h"
#include "InputThread.h"
#include "MouseInput.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kNew = 0x6501;
const UINT kOpen = 0x6502;
const UINT kEcho = 0x6503;
const UINT kGamma = 0x6504;
const UINT kHotel = 0x6505;

class CCommandFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL && nID >= kNew && nID <= kHotel)
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void PostNcDestroy() override {}
};

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

CPoint ScreenCentre(CWnd* pWnd, const CRect& rectClient)
{
    CPoint pt = rectClient.CenterPoint();
    pWnd->ClientToScreen(&pt);
    return pt;
}

std::vector<std::string> Items(const CQENPopupMenu* pPopup)
{
    std::vector<std::string> items;
    const CQENPopupMenuBar* pBar = const_cast<CQENPopupMenu*>(pPopup)->GetMenuBar();
    for (int i = 0; i < pBar->ButtonCount(); i++)
        items.push_back(pBar->ButtonAt(i)->IsSeparator() ? "-" : (LPCTSTR)pBar->ButtonAt(i)->m_strLabel);
    return items;
}

// A menu bar with File (New, Open, a separator and the submenu More with Echo), and at the bottom,
// away from the menus, a toolbar with the commands Gamma and Hotel.
class PopupMenuCustomizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        SendMouseInput(CPoint(700, 600));
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "customize menus", WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 420)));
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        HMENU hMore = ::CreatePopupMenu();
        ::AppendMenuA(hMore, MF_STRING, kEcho, "&Echo");
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuA(hFile, MF_STRING, kNew, "&New");
        ::AppendMenuA(hFile, MF_STRING, kOpen, "&Open");
        ::AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(hFile, MF_POPUP, (UINT_PTR)hMore, "&More");
        HMENU hMenu = ::CreateMenu();
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
        ::SetMenu(m_frame.m_hWnd, hMenu);
        ASSERT_TRUE(m_menuBar.CreateEx(&m_frame));
        m_frame.AttachMenuBar(&m_menuBar);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);

        ASSERT_TRUE(m_toolBar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), 0xE900));
        m_toolBar.AddButtonAt(CQENToolbarButton(kGamma, -1, "&Gamma"));
        m_toolBar.AddButtonAt(CQENToolbarButton(kHotel, -1, "&Hotel"));
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_BOTTOM);
        m_frame.ShowWindow(SW_SHOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        PumpFor(100);
    }

    void TearDown() override
    {
        CQENToolBar::SwitchCustomizeMode(FALSE);
        m_toolBar.DestroyWindow();
        m_menuBar.DestroyWindow();
        m_frame.DestroyWindow();
        PumpPendingMessages();
        ::OleUninitialize();
    }

    CQENToolbarMenuButton* FileButton() { return static_cast<CQENToolbarMenuButton*>(m_menuBar.ButtonAt(0)); }
    CQENPopupMenu* FileMenu() { return FileButton()->GetPopupMenu(); }

    void ClickFile()
    {
        const CPoint pt = ScreenCentre(&m_menuBar, FileButton()->m_rect);
        SendMouseInput(pt);
        SendMouseInput(pt, MOUSEEVENTF_LEFTDOWN);
        SendMouseInput(pt, MOUSEEVENTF_LEFTUP);
        PumpFor(300);
    }

    static CPoint Item(CQENPopupMenu* pPopup, int i)
    {
        return ScreenCentre(pPopup->GetMenuBar(), pPopup->GetMenuBar()->ButtonAt(i)->m_rect);
    }

    CPoint Tool(UINT nCommandId)
    {
        return ScreenCentre(&m_toolBar, m_toolBar.ButtonAt(m_toolBar.IndexOfCommand(nCommandId))->m_rect);
    }

    std::vector<UINT> Tools()
    {
        std::vector<UINT> ids;
        for (int i = 0; i < m_toolBar.ButtonCount(); i++)
            ids.push_back(m_toolBar.ButtonAt(i)->m_nCommandId);
        return ids;
    }

    // A drag with the left button, Ctrl held at the drop when bCopy.
    static void Drag(CPoint ptFrom, CPoint ptTo, bool bCopy = false)
    {
        RunWithInputThread([=]() {
            MoveMouse(ptFrom);
            MoveMouse(ptFrom, MOUSEEVENTF_LEFTDOWN);
            for (int n = 1; n <= 4; n++)
                MoveMouse(ptFrom + CPoint((ptTo.x - ptFrom.x) * n / 4, (ptTo.y - ptFrom.y) * n / 4 + (n < 4 ? 1 : 0)));
            MoveMouse(ptTo);
            if (bCopy)
                PressKey(VK_CONTROL, true);
            MoveMouse(ptTo, MOUSEEVENTF_LEFTUP);
            if (bCopy)
                PressKey(VK_CONTROL, false);
        });
    }

    CCommandFrame m_frame;
    CQENMenuBar m_menuBar;
    CQENToolBar m_toolBar;
};

} // namespace

TEST_F(PopupMenuCustomizeTest, ItemsDraggedOutOfAnOpenMenuMoveCopyOrGoAndTheMenuKeepsWhatWasDone)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    ClickFile();
    ASSERT_NE(nullptr, FileMenu());
    ASSERT_EQ((std::vector<std::string>{"&New", "&Open", "-", "&More"}), Items(FileMenu()));

    // Open onto the right half of Hotel: moved there; the menu stays open without it.
    Drag(Item(FileMenu(), 1), Tool(kHotel) + CPoint(4, 0));
    EXPECT_EQ((std::vector<UINT>{kGamma, kHotel, kOpen}), Tools());
    ASSERT_NE(nullptr, FileMenu());
    EXPECT_EQ((std::vector<std::string>{"&New", "-", "&More"}), Items(FileMenu()));

    // New with Ctrl onto the left half of Gamma: copied.
    Drag(Item(FileMenu(), 0), Tool(kGamma) - CPoint(4, 0), true);
    EXPECT_EQ((std::vector<UINT>{kNew, kGamma, kHotel, kOpen}), Tools());
    EXPECT_EQ((std::vector<std::string>{"&New", "-", "&More"}), Items(FileMenu()));

    // More dropped on no bar at all: gone.
    CRect rectClient;
    m_frame.GetClientRect(&rectClient);
    Drag(Item(FileMenu(), 2), ScreenCentre(&m_frame, rectClient) + CPoint(100, 40));
    EXPECT_EQ((std::vector<std::string>{"&New", "-"}), Items(FileMenu()));

    // Closed and opened again, the menu is what was made of it (a separator at its end is not shown).
    ClickFile();
    EXPECT_EQ(nullptr, FileMenu());
    ClickFile();
    ASSERT_NE(nullptr, FileMenu());
    EXPECT_EQ(std::vector<std::string>{"&New"}, Items(FileMenu()));

    // Out of customize mode the moved item is a plain command button.
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));
    EXPECT_EQ(nullptr, FileMenu());
    ASSERT_GE(m_toolBar.IndexOfCommand(kOpen), 0);
    ClickMouse(Tool(kOpen));
    PumpFor(100);
    EXPECT_EQ(std::vector<UINT>{kOpen}, m_frame.m_commands);
}

TEST_F(PopupMenuCustomizeTest, CommandsDraggedIntoOpenMenusBecomeItemsThatRun)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    ClickFile();
    ASSERT_NE(nullptr, FileMenu());

    // Gamma onto the lower half of New: after it.
    Drag(Tool(kGamma), Item(FileMenu(), 0) + CPoint(0, 3));
    EXPECT_EQ(std::vector<UINT>{kHotel}, Tools());
    ASSERT_EQ((std::vector<std::string>{"&New", "&Gamma", "&Open", "-", "&More"}), Items(FileMenu()));

    // Echo out of the submenu onto the upper half of New: from one menu to the other.
    ClickMouse(Item(FileMenu(), 4));
    PumpFor(200);
    CQENPopupMenu* pMore = FileMenu()->OpenSubmenu();
    ASSERT_NE(nullptr, pMore);
    Drag(Item(pMore, 0), Item(FileMenu(), 0) - CPoint(0, 3));
    EXPECT_EQ((std::vector<std::string>{"&Echo", "&New", "&Gamma", "&Open", "-", "&More"}), Items(FileMenu()));

    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));
    ClickFile();
    ASSERT_NE(nullptr, FileMenu());
    EXPECT_EQ((std::vector<std::string>{"&Echo", "&New", "&Gamma", "&Open", "-", "&More"}), Items(FileMenu()));
    ClickMouse(Item(FileMenu(), 2));
    PumpFor(100);
    EXPECT_EQ(std::vector<UINT>{kGamma}, m_frame.m_commands);
    EXPECT_EQ(nullptr, FileMenu());
}

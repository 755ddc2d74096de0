// Shift+F1 help on a library frame, driven by real keys and clicks: the help cursor, a click on a
// toolbar button asks for that command's help, a menu opens to choose an item's help, Esc ends it.
#include "GuiTestSupport.h"
#include "InputThread.h"
#include "MouseInput.h"
#include "QENCommandUsage.h"
#include "QENFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const UINT kOpen = 0x6601;
const UINT kGamma = 0x6602;

// Records the help asked for and the commands that ran.
class CHelpFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<std::pair<DWORD_PTR, UINT>> m_help;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL && (nID == kOpen || nID == kGamma))
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    // A pick without help is the library frame's to handle; any other never reaches the system.
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override
    {
        if (dwData == 0)
            CQENFrameWnd::WinHelp(dwData, nCmd);
        else
            m_help.emplace_back(dwData, nCmd);
    }
    void PostNcDestroy() override {}
};

void ShiftF1()
{
    PressKey(VK_SHIFT, true);
    PressKey(VK_F1, true);
    PressKey(VK_F1, false);
    PressKey(VK_SHIFT, false);
}

// A frame without a help resource, Shift+F1 its accelerator, and a toolbar with the menu button
// "&File" (Open) and the command "&Gamma".
class ContextHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        SendMouseInput(CPoint(700, 600));
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "context help", WS_OVERLAPPEDWINDOW, CRect(60, 60, 460, 300)));
        ACCEL accel = {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP};
        m_frame.m_hAccelTable = ::CreateAcceleratorTableA(&accel, 1);
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), 0xE900));
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kOpen, "&Open");
        m_bar.AddButtonAt(CQENToolbarMenuButton((UINT)-1, hMenu, -1, "&File"));
        ::DestroyMenu(hMenu);
        m_bar.AddButtonAt(CQENToolbarButton(kGamma, -1, "&Gamma"));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_frame.ShowWindow(SW_SHOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_frame.SetFocus();
        PumpPendingMessages();
        theCommandUsage.Reset();
    }

    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_frame.DestroyWindow();
        PumpPendingMessages();
        theCommandUsage.Reset();
    }

    CPoint ButtonPoint(int iButton)
    {
        CPoint pt = m_bar.ButtonAt(iButton)->m_rect.CenterPoint();
        m_bar.ClientToScreen(&pt);
        return pt;
    }

    CPoint EmptyClientPoint()
    {
        CRect rect;
        m_frame.GetClientRect(&rect);
        CPoint pt(rect.CenterPoint().x, rect.bottom - 20);
        m_frame.ClientToScreen(&pt);
        return pt;
    }

    CQENToolbarMenuButton* FileButton() { return static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0)); }

    CHelpFrame m_frame;
    CQENToolBar m_bar;
};

} // namespace

TEST_F(ContextHelpTest, AClickAsksHelpForTheCommandUnderItAPlaceWithoutHelpKeepsPickingAndEscEndsIt)
{
    const CPoint ptGamma = ButtonPoint(1);
    const CPoint ptEmpty = EmptyClientPoint();
    HCURSOR hcurShown = NULL;
    RunWithInputThread([&]() {
        ShiftF1();
        MoveMouse(ptEmpty + CPoint(5, 0));
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        if (::GetCursorInfo(&info))
            hcurShown = info.hCursor;
        ClickMouse(ptEmpty);
        ClickMouse(ptGamma);
        // Harmless once the mode is over; ends it where a click went wrong.
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
    });
    EXPECT_EQ(::LoadCursor(NULL, IDC_HELP), hcurShown);
    ASSERT_EQ(1u, m_frame.m_help.size());
    EXPECT_EQ(HID_BASE_COMMAND + kGamma, m_frame.m_help[0].first);
    EXPECT_EQ((UINT)HELP_CONTEXT, m_frame.m_help[0].second);
    EXPECT_TRUE(m_frame.m_commands.empty());

    RunWithInputThread([&]() {
        ShiftF1();
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
        ClickMouse(ptGamma);
    });
    EXPECT_EQ(1u, m_frame.m_help.size());
    EXPECT_EQ(std::vector<UINT>{kGamma}, m_frame.m_commands);
}

TEST_F(ContextHelpTest, AMenuButtonOpensItsMenuWhoseItemAsksForHelpInsteadOfRunningAndEscLeavesTheMode)
{
    const CPoint ptFile = ButtonPoint(0);
    auto openItem = [this]() {
        CQENPopupMenu* pPopup = FileButton()->GetPopupMenu();
        CPoint pt(0, 0);
        if (pPopup != NULL)
        {
            pt = pPopup->GetMenuBar()->ButtonAt(0)->m_rect.CenterPoint();
            pPopup->GetMenuBar()->ClientToScreen(&pt);
        }
        return pt;
    };
    RunWithInputThread([&]() {
        ShiftF1();
        ClickMouse(ptFile);
        ::Sleep(200);
        ClickMouse(openItem());
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
    });
    ASSERT_EQ(1u, m_frame.m_help.size());
    EXPECT_EQ(HID_BASE_COMMAND + kOpen, m_frame.m_help[0].first);
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
    EXPECT_FALSE(theCommandUsage.IsFrequentlyUsed(kOpen));

    // The menu closed with Esc takes the help mode with it: the next click runs its command.
    const CPoint ptGamma = ButtonPoint(1);
    RunWithInputThread([&]() {
        ShiftF1();
        ClickMouse(ptFile);
        ::Sleep(200);
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
        ClickMouse(ptGamma);
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
    });
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
    EXPECT_EQ(1u, m_frame.m_help.size());
    EXPECT_EQ(std::vector<UINT>{kGamma}, m_frame.m_commands);
}

#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENContextMenuManager.h"
#include "QENFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const UINT kViewMenu = 0x4C00;   // "视图": 剪切, 复制, separator, 粘贴
const UINT kMenuWithoutSubMenu = 0x4C02;
const UINT kCut = 0x4C11;
const UINT kCopy = 0x4C12;
const UINT kPaste = 0x4C13;
const UINT_PTR kScriptTimer = 0x4C;

typedef std::vector<std::function<void()>> Script;

// A library frame with handlers for the menu's commands; it records the ones it gets.
class CRecordingFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode != CN_COMMAND || nID < kCut || nID > kPaste)
            return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (pExtra == NULL && pHandlerInfo == NULL)
            m_commands.push_back(nID);
        return TRUE;
    }
    void PostNcDestroy() override {}
};

// The window the menus are shown for: it records the commands and key presses it gets, and plays
// a script of user input, a step every 100 ms, while a menu runs its own loop.
class CProbeView : public CWnd
{
public:
    std::vector<UINT> m_commands;
    int m_nKeyDowns = 0;
    Script m_script;
    size_t m_nStep = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_KEYDOWN)
            m_nKeyDowns++;
        if (message == WM_TIMER && wParam == kScriptTimer && m_nStep < m_script.size())
            m_script[m_nStep++]();
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

Script Tap(WORD wKey)
{
    Script steps;
    for (DWORD dwFlags : {0UL, (DWORD)KEYEVENTF_KEYUP})
        steps.push_back([=] {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = wKey;
            input.ki.dwFlags = dwFlags;
            ::SendInput(1, &input, sizeof(INPUT));
        });
    return steps;
}

Script ClickAt(std::function<CPoint()> where)
{
    return {[=] { SendMouseInput(where()); }, [=] { SendMouseInput(where(), MOUSEEVENTF_LEFTDOWN); },
            [=] { SendMouseInput(where(), MOUSEEVENTF_LEFTUP); }};
}

// The centre of item i of the open menu, on the screen.
CPoint ItemCentre(int i)
{
    CQENPopupMenuBar* pBar = CQENPopupMenu::s_pActivePopupMenu->GetMenuBar();
    CPoint pt = pBar->ButtonAt(i)->m_rect.CenterPoint();
    pBar->ClientToScreen(&pt);
    return pt;
}

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds; ::Sleep(10))
        PumpPendingMessages();
}

// An active library frame, the application's main window, with the view focused inside it; the
// manager knows the view's menu as "视图菜单".
class ContextMenuManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        ::SetCursorPos(5, 5);
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "context menu test", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 400)));
        ASSERT_TRUE(m_view.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(30, 40, 330, 240),
                                    &m_frame, 0x4C40));
        TestApp().m_pMainWnd = &m_frame;
        m_frame.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_view.SetFocus();
        PumpFor(100);
        ASSERT_EQ(m_view.m_hWnd, ::GetFocus());
        ASSERT_TRUE(m_manager.RegisterContextMenu("视图菜单", kViewMenu));
    }

    void TearDown() override
    {
        TestApp().m_pMainWnd = NULL;
        m_view.DestroyWindow();
        m_frame.DestroyWindow();
        PumpPendingMessages();
    }

    CPoint InView(int x, int y)
    {
        CPoint pt(x, y);
        m_view.ClientToScreen(&pt);
        return pt;
    }

    // Runs the view's menu modally at (100, 20) in the view while the script plays; a menu still
    // open a second after the script is closed, which fails the test.
    UINT Track(Script steps)
    {
        bool bForcedClose = false;
        steps.resize(steps.size() + 10, [] {});
        steps.push_back([&] {
            bForcedClose = CQENPopupMenu::s_pActivePopupMenu != NULL;
            if (bForcedClose)
                CQENPopupMenu::s_pActivePopupMenu->PostMessage(WM_CLOSE);
        });
        m_view.m_script = steps;
        m_view.m_nStep = 0;
        m_view.SetTimer(kScriptTimer, 100, NULL);
        const CPoint pt = InView(100, 20);
        const UINT nCommand =
            m_manager.TrackPopupMenu(::GetSubMenu(m_manager.FindMenuByName("视图菜单"), 0), pt.x, pt.y, &m_view);
        m_view.KillTimer(kScriptTimer);
        EXPECT_FALSE(bForcedClose) << "the menu stayed open";
        return nCommand;
    }

    // The commands of the items the manager's view menu shows, 0 for a separator.
    std::vector<UINT> ShownItems(CQENContextMenuManager& manager)
    {
        std::vector<UINT> ids;
        if (!manager.ShowContextMenu(kViewMenu, -1, -1, &m_view))
            return ids;
        CQENPopupMenuBar* pBar = CQENPopupMenu::s_pActivePopupMenu->GetMenuBar();
        for (int i = 0; i < pBar->ButtonCount(); i++)
            ids.push_back(pBar->ButtonAt(i)->IsSeparator() ? 0 : pBar->ButtonAt(i)->m_nCommandId);
        CQENPopupMenu::s_pActivePopupMenu->CloseMenu();
        return ids;
    }

    CQENContextMenuManager m_manager;
    CRecordingFrame m_frame;
    CProbeView m_view;
};

} // namespace

TEST_F(ContextMenuManagerTest, ASecondMenuUnderARegisteredIdIsRefusedAndKeepsTheFirst)
{
    EXPECT_FALSE(m_manager.RegisterContextMenu("另一个", kViewMenu));
    EXPECT_EQ(nullptr, m_manager.FindMenuByName("另一个"));
    UINT nMenuId = 0;
    EXPECT_NE(nullptr, m_manager.FindMenuByName("视图菜单", &nMenuId));
    EXPECT_EQ(kViewMenu, nMenuId);
    CStringList names;
    m_manager.ListMenuNames(names);
    EXPECT_EQ(1, names.GetCount());
}

TEST_F(ContextMenuManagerTest, AMenuAskedForAtMinusOneOpensInsideTheWindowAndClosesTheOpenOne)
{
    ASSERT_TRUE(m_manager.ShowContextMenu(kViewMenu, 400, 300, &m_view));
    ASSERT_NE(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    const HWND hFirst = CQENPopupMenu::s_pActivePopupMenu->m_hWnd;
    ASSERT_TRUE(m_manager.ShowContextMenu(kViewMenu, -1, -1, &m_view));
    EXPECT_FALSE(::IsWindow(hFirst));
    CRect rect;
    CQENPopupMenu::s_pActivePopupMenu->GetWindowRect(&rect);
    EXPECT_EQ(InView(5, 5), rect.TopLeft());
}

TEST_F(ContextMenuManagerTest, TrackingGivesTheChosenCommandWithoutSendingItAndZeroWhenDismissed)
{
    // The frame hands the keys to the menu; they do not reach the focused view as well.
    Script keys = Tap(VK_DOWN);
    const Script enter = Tap(VK_RETURN);
    keys.insert(keys.end(), enter.begin(), enter.end());
    EXPECT_EQ(kCut, Track(keys));
    EXPECT_EQ(0u, Track(Tap(VK_ESCAPE)));
    EXPECT_EQ(0, m_view.m_nKeyDowns);
    EXPECT_EQ(0u, Track(ClickAt([this] { return InView(20, 170); })));
    EXPECT_EQ(kCopy, Track(ClickAt([] { return ItemCentre(1); })));
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    PumpFor(200);
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_TRUE(m_view.m_commands.empty());
}

TEST_F(ContextMenuManagerTest, AQuitMessageWhileTrackingClosesTheMenuAndStaysForTheProgramsLoop)
{
    EXPECT_EQ(0u, Track({[] { ::PostQuitMessage(42); }}));
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, msg.wParam);
}

TEST_F(ContextMenuManagerTest, DamagedStoredStateIsIgnoredAndAChangedMenuSavedAndReadBackShowsTheChange)
{
    CScratchRegistryKey key("ContextMenus");
    // Garbage, and a list whose one entry is a null object, under the workspace's path.
    const CString strPath = CString("Software\\") + AfxGetApp()->m_pszRegistryKey + "\\App\\Work\\";
    for (const std::string& bytes : {std::string("\x07\x00\xFF", 3), std::string("\x01\x00\x00\x00\x00\x00\x00\x00\x00", 9)})
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, strPath + "QENToolBar-04c00", "Buttons",
                                                   REG_BINARY, bytes.data(), (DWORD)bytes.size()));
        EXPECT_TRUE(m_manager.ReadState(strPath));
        EXPECT_EQ((std::vector<UINT>{kCut, kCopy, 0, kPaste}), ShownItems(m_manager));
    }

    ASSERT_TRUE(::DeleteMenu(m_manager.FindMenuByName("视图菜单"), kCopy, MF_BYCOMMAND));
    ASSERT_TRUE(m_manager.WriteState(NULL));
    CQENContextMenuManager reloaded;
    ASSERT_TRUE(reloaded.RegisterContextMenu("视图菜单", kViewMenu));
    ASSERT_TRUE(reloaded.RegisterContextMenu("无子菜单", kMenuWithoutSubMenu));
    // The menu without a submenu cannot be read, but does not keep the other from loading.
    EXPECT_FALSE(reloaded.ReadState(NULL));
    EXPECT_EQ((std::vector<UINT>{kCut, 0, kPaste}), ShownItems(reloaded));
}

#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENContextMenuManager.h"
#include "QENFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <deque>
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

// The window menus are shown for. It records the commands and key presses it gets, and plays a
// script of user input, a step every 100 ms, while a menu runs its own loop; a menu still open a
// second after the script has ended is closed, and m_bForcedClose says so.
class CProbeView : public CWnd
{
public:
    std::vector<UINT> m_commands;
    int m_nKeyDowns = 0;
    bool m_bForcedClose = false;

    void Play(const Script& steps)
    {
        m_steps.assign(steps.begin(), steps.end());
        m_nIdleSteps = 0;
        m_bForcedClose = false;
        SetTimer(kScriptTimer, 100, NULL);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        else if (message == WM_KEYDOWN)
            m_nKeyDowns++;
        else if (message == WM_TIMER && wParam == kScriptTimer)
        {
            Step();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    void Step()
    {
        if (!m_steps.empty())
        {
            const std::function<void()> step = m_steps.front();
            m_steps.pop_front();
            step();
            return;
        }
        if (++m_nIdleSteps < 10)
            return;
        KillTimer(kScriptTimer);
        CQENPopupMenu* pOpen = CQENPopupMenu::s_pActivePopupMenu;
        if (pOpen != NULL && ::IsWindow(pOpen->m_hWnd))
        {
            m_bForcedClose = true;
            pOpen->PostMessage(WM_CLOSE);
        }
    }

    std::deque<std::function<void()>> m_steps;
    int m_nIdleSteps = 0;
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

// The commands of the open menu's items, 0 for a separator.
std::vector<UINT> ShownItems()
{
    std::vector<UINT> ids;
    CQENPopupMenuBar* pBar = CQENPopupMenu::s_pActivePopupMenu->GetMenuBar();
    for (int i = 0; i < pBar->ButtonCount(); i++)
        ids.push_back(pBar->ButtonAt(i)->IsSeparator() ? 0 : pBar->ButtonAt(i)->m_nCommandId);
    return ids;
}

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds; ::Sleep(10))
        PumpPendingMessages();
}

CString CompanyKey()
{
    return CString("Software\\") + AfxGetApp()->m_pszRegistryKey + "\\App\\";
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

    HMENU ViewMenu() { return ::GetSubMenu(m_manager.FindMenuByName("视图菜单"), 0); }

    CPoint InView(int x, int y)
    {
        CPoint pt(x, y);
        m_view.ClientToScreen(&pt);
        return pt;
    }

    // Runs the view's menu modally at (100, 20) in the view while the script plays.
    UINT Track(const Script& steps)
    {
        m_view.Play(steps);
        const CPoint pt = InView(100, 20);
        const UINT nCommand = m_manager.TrackPopupMenu(ViewMenu(), pt.x, pt.y, &m_view);
        EXPECT_FALSE(m_view.m_bForcedClose) << "the menu stayed open";
        return nCommand;
    }

    CQENContextMenuManager m_manager;
    CRecordingFrame m_frame;
    CProbeView m_view;
};

std::vector<UINT> ItemIds(HMENU hMenu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
        ids.push_back(::GetMenuItemID(hMenu, i));
    return ids;
}

} // namespace

TEST_F(ContextMenuManagerTest, ASecondMenuUnderARegisteredIdIsRefusedAndMenusWithoutASubmenuAreNotShown)
{
    EXPECT_FALSE(m_manager.RegisterContextMenu("另一个", kViewMenu));
    EXPECT_FALSE(m_manager.RegisterContextMenu("不存在", 0x4CFF));
    ASSERT_TRUE(m_manager.RegisterContextMenu("无子菜单", kMenuWithoutSubMenu));
    CStringList names;
    m_manager.ListMenuNames(names);
    EXPECT_EQ(2, names.GetCount());
    EXPECT_EQ(nullptr, names.Find("另一个"));
    EXPECT_EQ(nullptr, m_manager.FindMenuByName("另一个"));
    UINT nMenuId = 0;
    EXPECT_NE(nullptr, m_manager.FindMenuByName("视图菜单", &nMenuId));
    EXPECT_EQ(kViewMenu, nMenuId);

    EXPECT_FALSE(m_manager.ShowContextMenu(kMenuWithoutSubMenu, -1, -1, &m_view));
    EXPECT_FALSE(m_manager.ShowContextMenu(0x4CFF, -1, -1, &m_view));
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
}

TEST_F(ContextMenuManagerTest, AMenuOpensAtThePointOrInsideTheWindowAndItsCommandGoesToTheFrame)
{
    const CPoint ptAsked = InView(150, 60);
    ASSERT_TRUE(m_manager.ShowContextMenu(kViewMenu, ptAsked.x, ptAsked.y, &m_view));
    ASSERT_NE(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    const HWND hFirst = CQENPopupMenu::s_pActivePopupMenu->m_hWnd;
    CRect rect;
    ::GetWindowRect(hFirst, &rect);
    EXPECT_EQ(ptAsked, rect.TopLeft());

    ASSERT_TRUE(m_manager.ShowContextMenu(kViewMenu, -1, -1, &m_view));
    EXPECT_FALSE(::IsWindow(hFirst));
    ASSERT_NE(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    CQENPopupMenu::s_pActivePopupMenu->GetWindowRect(&rect);
    EXPECT_EQ(InView(5, 5), rect.TopLeft());

    for (const std::function<void()>& step : ClickAt([] { return ItemCentre(3); }))
    {
        step();
        PumpFor(100);
    }
    EXPECT_EQ(std::vector<UINT>{kPaste}, m_frame.m_commands);
    EXPECT_TRUE(m_view.m_commands.empty());
}

TEST_F(ContextMenuManagerTest, TrackingGivesTheClickedCommandWithoutSendingItAndZeroWhenDismissed)
{
    EXPECT_EQ(0u, Track(Tap(VK_ESCAPE)));
    EXPECT_EQ(0u, Track(ClickAt([this] { return InView(20, 170); })));
    EXPECT_EQ(kCopy, Track(ClickAt([] { return ItemCentre(1); })));
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    PumpFor(200);
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_TRUE(m_view.m_commands.empty());
}

TEST_F(ContextMenuManagerTest, KeysTheFrameHandsToTheTrackedMenuDoNotReachTheFocusedWindow)
{
    Script keys = Tap(VK_DOWN);
    for (const std::function<void()>& step : Tap(VK_RETURN))
        keys.push_back(step);
    EXPECT_EQ(kCut, Track(keys));
    EXPECT_EQ(0, m_view.m_nKeyDowns);
}

TEST_F(ContextMenuManagerTest, AQuitMessageWhileTrackingClosesTheMenuAndStaysForTheProgramsLoop)
{
    EXPECT_EQ(0u, Track({[] { ::PostQuitMessage(42); }}));
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(42u, msg.wParam);
}

TEST_F(ContextMenuManagerTest, AChangedMenuSavedAndReadBackShowsTheChange)
{
    CScratchRegistryKey key("ContextMenus");
    ASSERT_TRUE(::DeleteMenu(ViewMenu(), kCopy, MF_BYCOMMAND));
    ASSERT_TRUE(m_manager.WriteState(NULL));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, CompanyKey() + "QENContextMenuManager\\QENToolBar-04c00",
                                             0, KEY_READ, &hKey));
    ::RegCloseKey(hKey);

    CQENContextMenuManager reloaded;
    ASSERT_TRUE(reloaded.RegisterContextMenu("视图菜单", kViewMenu));
    ASSERT_TRUE(reloaded.RegisterContextMenu("无子菜单", kMenuWithoutSubMenu));
    // The menu without a submenu cannot be read, but does not keep the other from loading.
    EXPECT_FALSE(reloaded.ReadState(NULL));
    ASSERT_TRUE(reloaded.ShowContextMenu(kViewMenu, -1, -1, &m_view));
    EXPECT_EQ((std::vector<UINT>{kCut, 0, kPaste}), ShownItems());
}

TEST_F(ContextMenuManagerTest, AMenuWhoseStoredStateIsDamagedKeepsItsItems)
{
    CScratchRegistryKey key("DamagedContextMenus");
    const CString strPath = CompanyKey() + "Work\\";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, strPath + "QENToolBar-04c00", 0, NULL, 0,
                                               KEY_SET_VALUE, NULL, &hKey, NULL));
    // Garbage, and a list whose one entry is a null object.
    for (const std::string& bytes : {std::string("\x07\x00\xFF", 3), std::string("\x01\x00\x00\x00\x00\x00\x00\x00\x00", 9)})
    {
        ::RegSetValueExA(hKey, "Buttons", 0, REG_BINARY, (const BYTE*)bytes.data(), (DWORD)bytes.size());
        EXPECT_TRUE(m_manager.ReadState(strPath));
        EXPECT_EQ((std::vector<UINT>{kCut, kCopy, 0, kPaste}), ItemIds(ViewMenu()));
    }
    ::RegCloseKey(hKey);
}

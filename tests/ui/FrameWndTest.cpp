#include "GuiTestSupport.h"
#include "InputThread.h"
#include "MouseInput.h"
#include "QENCommandUsage.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENRegistry.h"
#include "QENTearOffManager.h"
#include "QENToolBar.h"
#include "QENToolDockBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "QENVisualManagerXP.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kGamma = 0x6201;
const UINT kHotel = 0x6202;
const UINT kFileItem = 0x6203;
const UINT kSaveAndExit = 0x6204;
const UINT kFirstUserBar = 0xE828;
const UINT kLastUserBar = 0xE831;
const UINT kFirstToolbarCommand = 32793;

// A library frame that records the commands reaching the framework's routing and the toolbar
// context-menu requests it sends itself.
class CRecordingFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<std::pair<WPARAM, CPoint>> m_barMenuRequests;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL)
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_POPUPMENU)
        {
            m_barMenuRequests.emplace_back(wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
            return 0;
        }
        return CQENFrameWnd::WindowProc(message, wParam, lParam);
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

// Real key strokes: each (key, down) in turn.
void Keys(std::initializer_list<std::pair<WORD, bool>> strokes)
{
    for (const auto& stroke : strokes)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.first;
        input.ki.dwFlags = stroke.second ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(30);
    }
    PumpFor(100);
}

void Press(WORD wKey)
{
    Keys({{wKey, true}, {wKey, false}});
}

// The pointer moved by real input to a client point of pWnd.
void MoveTo(CWnd* pWnd, CPoint ptClient)
{
    CPoint pt = ptClient;
    pWnd->ClientToScreen(&pt);
    SendMouseInput(pt);
    PumpFor(100);
}

// A real left click at a client point of pWnd.
void Click(CWnd* pWnd, CPoint ptClient)
{
    CPoint pt = ptClient;
    pWnd->ClientToScreen(&pt);
    for (DWORD dwFlags : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (pt.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = (pt.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | dwFlags;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(60);
    }
    PumpFor(100);
}

CRect WindowRectOf(const CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

// A shown, active library frame with F1 and Shift+F1 accelerators and one toolbar: the menu
// button "&File" and the command button "&Gamma".
class FrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "frame test", WS_OVERLAPPEDWINDOW, CRect(60, 60, 460, 300)));
        ACCEL accels[] = {{FVIRTKEY, VK_F1, ID_HELP}, {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP}};
        m_frame.m_hAccelTable = ::CreateAcceleratorTableA(accels, 2);
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), 0xE900));
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, kFileItem, "&Open");
        CQENToolbarMenuButton file((UINT)-1, hMenu, -1, "&File");
        ::DestroyMenu(hMenu);
        m_bar.AddButtonAt(file);
        CQENToolbarButton gamma(kGamma, -1, "&Gamma");
        m_bar.AddButtonAt(gamma);
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
        if (m_frame.m_hWnd != NULL)
            m_frame.DestroyWindow();
        PumpPendingMessages();
    }

    CQENToolbarMenuButton* FileButton() { return static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0)); }
    CQENToolbarButton* GammaButton() { return m_bar.ButtonAt(1); }

    CQENPopupMenu* OpenFileMenu()
    {
        Click(&m_bar, FileButton()->m_rect.CenterPoint());
        return FileButton()->GetPopupMenu();
    }

    static bool Has(const std::vector<UINT>& commands, UINT nId)
    {
        return std::find(commands.begin(), commands.end(), nId) != commands.end();
    }

    CRecordingFrame m_frame;
    CQENToolBar m_bar;
};

} // namespace

TEST_F(FrameWndTest, PlainF1IsHelpAndClosesAnOpenPopupWhileShiftF1GoesToThePopupAndEscapeClosesIt)
{
    Press(VK_F1);
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, m_frame.m_commands);

    // An accelerator with a popup open is Escape for the popup, and does not run.
    CQENPopupMenu* pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    HWND hPopup = pPopup->m_hWnd;
    Press(VK_F1);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, m_frame.m_commands);

    // Shift+F1 goes through the key filter to the popup, which stays open.
    pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    hPopup = pPopup->m_hWnd;
    Keys({{VK_SHIFT, true}, {VK_F1, true}, {VK_F1, false}, {VK_SHIFT, false}});
    EXPECT_TRUE(::IsWindow(hPopup));
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, m_frame.m_commands);

    Press(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);

    Keys({{VK_SHIFT, true}, {VK_F1, true}, {VK_F1, false}, {VK_SHIFT, false}});
    EXPECT_EQ((std::vector<UINT>{ID_HELP, ID_CONTEXT_HELP}), m_frame.m_commands);
}

TEST_F(FrameWndTest, AClickOutsideThePopupClosesItAndStillReachesItsTargetButTheOpeningButtonSwallowsIt)
{
    CQENPopupMenu* pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    HWND hPopup = pPopup->m_hWnd;
    Click(&m_bar, GammaButton()->m_rect.CenterPoint());
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_TRUE(Has(m_frame.m_commands, kGamma));

    pPopup = OpenFileMenu();
    ASSERT_NE(nullptr, pPopup);
    hPopup = pPopup->m_hWnd;
    Click(&m_bar, FileButton()->m_rect.CenterPoint());
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
}

TEST_F(FrameWndTest, AltWithALetterRunsTheVisibleToolbarsMnemonicAndMenuCharIsAnsweredForIt)
{
    CQENToolBar hidden;
    ASSERT_TRUE(hidden.CreateEx(&m_frame, 0, WS_CHILD | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), 0xE901));
    hidden.AddButtonAt(CQENToolbarButton(kHotel, -1, "&Hotel"));
    m_bar.AddButtonAt(CQENToolbarButton(kSaveAndExit, -1, "Save && Exit(&X)"));

    Keys({{VK_MENU, true}, {'G', true}, {'G', false}, {VK_MENU, false}});
    EXPECT_EQ(std::vector<UINT>{kGamma}, m_frame.m_commands);
    Keys({{VK_MENU, true}, {'H', true}, {'H', false}, {VK_MENU, false}});
    EXPECT_FALSE(Has(m_frame.m_commands, kHotel));
    // "&&" is a literal ampersand, not the mark of a mnemonic.
    Keys({{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}});
    EXPECT_EQ((std::vector<UINT>{kGamma, kSaveAndExit}), m_frame.m_commands);

    EXPECT_EQ((LRESULT)0xFFFF0002, m_frame.SendMessage(WM_MENUCHAR, MAKEWPARAM('g', MF_POPUP), 0));
    EXPECT_EQ(0, HIWORD(m_frame.SendMessage(WM_MENUCHAR, MAKEWPARAM('h', MF_POPUP), 0)));
}

TEST_F(FrameWndTest, TheMenuBarTakesTheWindowMenuIsOfferedMnemonicsFirstAndAltAloneMovesTheFocus)
{
    HMENU hWindowMenu = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, kFileItem, "&Open");
    ::AppendMenuA(hWindowMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hWindowMenu, MF_STRING, kHotel, "&Hotel");
    ::SetMenu(m_frame.m_hWnd, hWindowMenu);
    CQENMenuBar menuBar;
    ASSERT_TRUE(menuBar.CreateEx(&m_frame));
    m_frame.AttachMenuBar(&menuBar);
    EXPECT_EQ(nullptr, ::GetMenu(m_frame.m_hWnd));
    ASSERT_EQ(2, menuBar.ButtonCount());
    EXPECT_STREQ("&File", menuBar.ButtonAt(0)->m_strLabel);
    menuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(&menuBar, AFX_IDW_DOCKBAR_TOP);
    m_frame.RecalcLayout();
    PumpFor(100);

    // Both bars have 'F': the menu bar opens its menu, the toolbar's stays closed.
    Keys({{VK_MENU, true}, {'F', true}, {'F', false}, {VK_MENU, false}});
    CQENToolbarMenuButton* pMenuFile = static_cast<CQENToolbarMenuButton*>(menuBar.ButtonAt(0));
    ASSERT_NE(nullptr, pMenuFile->GetPopupMenu());
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
    Press(VK_ESCAPE);
    EXPECT_EQ(nullptr, pMenuFile->GetPopupMenu());

    // 'G' only the toolbar has.
    Keys({{VK_MENU, true}, {'G', true}, {'G', false}, {VK_MENU, false}});
    EXPECT_EQ(std::vector<UINT>{kGamma}, m_frame.m_commands);

    m_frame.SetFocus();
    Press(VK_MENU);
    EXPECT_EQ(menuBar.m_hWnd, ::GetFocus());
    Press(VK_MENU);
    EXPECT_EQ(m_frame.m_hWnd, ::GetFocus());
    Press(VK_F10);
    EXPECT_EQ(menuBar.m_hWnd, ::GetFocus());
    Press(VK_MENU);
    EXPECT_EQ(m_frame.m_hWnd, ::GetFocus());

    // Alt with another key or a click in between leaves the focus where it was, also where the
    // system reports Alt going up as a system key then.
    CRect rectClient;
    m_frame.GetClientRect(&rectClient);
    const LPARAM lClient = MAKELPARAM(rectClient.CenterPoint().x, rectClient.bottom - 20);
    for (UINT nBetween : {(UINT)WM_SYSKEYDOWN, (UINT)WM_LBUTTONDOWN})
    {
        m_frame.PostMessage(WM_SYSKEYDOWN, VK_MENU, 0x20000001);
        m_frame.PostMessage(nBetween, nBetween == WM_SYSKEYDOWN ? VK_SHIFT : 0,
                            nBetween == WM_SYSKEYDOWN ? 0x20000001 : lClient);
        m_frame.PostMessage(WM_SYSKEYUP, VK_MENU, (LPARAM)0xE0000001);
        PumpFor(50);
        EXPECT_EQ(m_frame.m_hWnd, ::GetFocus()) << nBetween;
    }
    // A hidden menu bar never takes the focus (Esc ends what the system makes of Alt instead).
    m_frame.ShowControlBar(&menuBar, FALSE, FALSE);
    RunWithInputThread([]() {
        for (WORD wKey : {VK_MENU, VK_ESCAPE})
        {
            PressKey(wKey, true);
            PressKey(wKey, false);
        }
    });
    EXPECT_NE(menuBar.m_hWnd, ::GetFocus());
    menuBar.DestroyWindow();
    ::DestroyMenu(hWindowMenu);
}

TEST_F(FrameWndTest, AMinimizedFrameStillClosesWithAltF4)
{
    m_frame.ShowWindow(SW_SHOWMINIMIZED);
    PumpFor(100);
    ASSERT_TRUE(m_frame.IsIconic());
    const HWND hFrame = m_frame.m_hWnd;
    Keys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
    EXPECT_FALSE(::IsWindow(hFrame));
}

TEST_F(FrameWndTest, AControlNotifyingWithCodeOneIsNoAcceleratorAndItsCommandIsNotCounted)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(20, 60, 180, 200), &m_frame,
                             0x6210));
    combo.AddString("一");
    combo.AddString("二");
    combo.SetCurSel(0);
    combo.SetFocus();
    theCommandUsage.Reset();
    Press(VK_DOWN);
    EXPECT_EQ(1, combo.GetCurSel());
    EXPECT_EQ(0u, theCommandUsage.TotalUsage());
    combo.DestroyWindow();
}

TEST_F(FrameWndTest, EscClosesOneMenuLevelTheMenuLeftTakesTheKeysAndLosingTheProgramsActivationClosesIt)
{
    HMENU hMore = ::CreatePopupMenu();
    ::AppendMenuA(hMore, MF_STRING, kHotel, "&Hotel");
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenuA(hTools, MF_POPUP, (UINT_PTR)hMore, "&More");
    m_bar.AddButtonAt(CQENToolbarMenuButton((UINT)-1, hTools, -1, "&Tools"));
    ::DestroyMenu(hTools);
    m_frame.RecalcLayout();
    PumpFor(50);
    CQENToolbarMenuButton* pTools = static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(2));

    Click(&m_bar, pTools->m_rect.CenterPoint());
    CQENPopupMenu* pPopup = pTools->GetPopupMenu();
    ASSERT_NE(nullptr, pPopup);
    Press(VK_DOWN);
    Press(VK_RIGHT);
    ASSERT_NE(nullptr, pPopup->OpenSubmenu());
    Press(VK_ESCAPE);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    ASSERT_EQ(pPopup, pTools->GetPopupMenu());
    EXPECT_EQ(pPopup, CQENPopupMenu::s_pActivePopupMenu);
    Press(VK_RIGHT);
    EXPECT_NE(nullptr, pPopup->OpenSubmenu());
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    EXPECT_EQ(nullptr, pTools->GetPopupMenu());
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);

    Click(&m_bar, pTools->m_rect.CenterPoint());
    ASSERT_NE(nullptr, pTools->GetPopupMenu());
    pTools->GetPopupMenu()->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    PumpFor(50);
    EXPECT_EQ(nullptr, pTools->GetPopupMenu());
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(FrameWndTest, WithAMenuOpenThePointerSwitchesToAnotherMenuOfItsBarAndAMenuOfNoBarKeepsItFromTheBars)
{
    // The XP look fills the button under the pointer.
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenuA(hTools, MF_STRING, kHotel, "&Hotel");
    m_bar.AddButtonAt(CQENToolbarMenuButton((UINT)-1, hTools, -1, "&Tools"));
    m_frame.RecalcLayout();
    m_frame.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MoveTo(&m_frame, CPoint(300, 200));
    CQENToolbarMenuButton* pTools = static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(2));
    auto gammaPixels = [this]() {
        m_bar.UpdateWindow();
        CRect rect = GammaButton()->m_rect;
        m_bar.ClientToScreen(&rect);
        CClientDC dcScreen(NULL);
        std::vector<COLORREF> pixels;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                pixels.push_back(dcScreen.GetPixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> plain = gammaPixels();

    ASSERT_NE(nullptr, OpenFileMenu());
    MoveTo(&m_bar, pTools->m_rect.CenterPoint());
    EXPECT_EQ(nullptr, FileButton()->GetPopupMenu());
    ASSERT_NE(nullptr, pTools->GetPopupMenu());
    Press(VK_ESCAPE);
    ASSERT_EQ(nullptr, pTools->GetPopupMenu());

    // A context menu belongs to no bar: a move over a toolbar reaches none of them.
    MoveTo(&m_frame, CPoint(300, 200));
    CQENPopupMenu* pContext = new CQENPopupMenu;
    CPoint ptMenu(200, 120);
    m_frame.ClientToScreen(&ptMenu);
    ASSERT_TRUE(pContext->Create(&m_frame, ptMenu.x, ptMenu.y, hTools));
    const HWND hContext = pContext->m_hWnd;
    MoveTo(&m_bar, GammaButton()->m_rect.CenterPoint());
    EXPECT_EQ(plain, gammaPixels());
    EXPECT_TRUE(::IsWindow(hContext));
    pContext->SendMessage(WM_CLOSE);
    PumpFor(50);

    // Without a menu the same move highlights the button.
    MoveTo(&m_bar, GammaButton()->m_rect.CenterPoint() + CPoint(1, 0));
    EXPECT_NE(plain, gammaPixels());
    ::DestroyMenu(hTools);
    CQENVisualManager::SetOnDemandClass(NULL);
}

TEST_F(FrameWndTest, RightClickOnADockBarAsksForTheToolbarMenuOutsideCustomizeMode)
{
    CControlBar* pDockBar = m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pDockBar);
    CRect rectDock;
    pDockBar->GetClientRect(&rectDock);
    const CPoint ptClient(rectDock.right - 5, rectDock.bottom / 2);
    CPoint ptScreen = ptClient;
    pDockBar->ClientToScreen(&ptScreen);

    pDockBar->PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    PumpPendingMessages();
    ASSERT_EQ(1u, m_frame.m_barMenuRequests.size());
    EXPECT_EQ((WPARAM)m_frame.m_hWnd, m_frame.m_barMenuRequests[0].first);
    EXPECT_EQ(ptScreen, m_frame.m_barMenuRequests[0].second);

    CQENToolBar::s_bCustomizing = TRUE;
    pDockBar->PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    PumpPendingMessages();
    CQENToolBar::s_bCustomizing = FALSE;
    EXPECT_EQ(1u, m_frame.m_barMenuRequests.size());
}

TEST_F(FrameWndTest, UserToolbarsTakeTheLowestFreeReservedIdAndAreStoredAndRestored)
{
    CScratchRegistryKey scratch("frames");
    m_frame.SetUserToolbarRange(NULL, kFirstUserBar, kLastUserBar);

    std::vector<CQENToolBar*> bars;
    for (int i = 0; i < 10; i++)
    {
        const std::string strName = "工具条 " + std::to_string(i);
        bars.push_back(reinterpret_cast<CQENToolBar*>(m_frame.SendMessage(QENM_TOOLBAR_CREATE, 0, (LPARAM)strName.c_str())));
        ASSERT_NE(nullptr, bars.back());
        EXPECT_EQ(kFirstUserBar + i, (UINT)bars.back()->GetDlgCtrlID());
    }
    // A new bar floats with its frame at the centre of the full-screen client area.
    const CRect rectFloat = WindowRectOf(bars[0]->GetParentFrame());
    EXPECT_EQ(CPoint(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2),
              rectFloat.TopLeft());

    {
        CMessageBoxRecorder boxes;
        EXPECT_EQ(0, m_frame.SendMessage(QENM_TOOLBAR_CREATE, 0, (LPARAM) "十一"));
        ASSERT_EQ(1u, boxes.m_prompts.size());
        EXPECT_EQ("您不能大于 10 的用户自定义工具条!", boxes.m_prompts[0]);
    }

    // Only user toolbars of this frame can be deleted, not one of another frame with an id of the
    // same range; the freed id is the next one taken.
    EXPECT_EQ(FALSE, m_frame.SendMessage(QENM_TOOLBAR_DELETE, 0, (LPARAM)&m_bar));
    EXPECT_TRUE(::IsWindow(m_bar.m_hWnd));
    CRecordingFrame other;
    ASSERT_TRUE(other.Create(NULL, "other", WS_OVERLAPPEDWINDOW, CRect(80, 80, 400, 300)));
    other.EnableDocking(CBRS_ALIGN_ANY);
    other.SetUserToolbarRange(NULL, kFirstUserBar, kLastUserBar);
    CQENToolBar* pForeign = other.AddUserToolbar("别人的");
    ASSERT_NE(nullptr, pForeign);
    EXPECT_EQ(FALSE, m_frame.SendMessage(QENM_TOOLBAR_DELETE, 0, (LPARAM)pForeign));
    EXPECT_TRUE(::IsWindow(pForeign->m_hWnd));
    EXPECT_EQ(pForeign, other.UserToolbarAt(0));
    other.DestroyWindow();
    EXPECT_EQ(TRUE, m_frame.SendMessage(QENM_TOOLBAR_DELETE, 0, (LPARAM)bars[3]));
    EXPECT_EQ(nullptr, m_frame.UserToolbarAt(3));
    // Sent from another thread, the messages create and delete nothing.
    LRESULT lCreated = -1;
    LRESULT lDeleted = -1;
    RunWithInputThread([&]() {
        lCreated = ::SendMessageA(m_frame.m_hWnd, QENM_TOOLBAR_CREATE, 0, (LPARAM) "外来");
        lDeleted = ::SendMessageA(m_frame.m_hWnd, QENM_TOOLBAR_DELETE, 0, (LPARAM)bars[0]);
    });
    EXPECT_EQ(0, lCreated);
    EXPECT_EQ(FALSE, lDeleted);
    EXPECT_EQ(nullptr, m_frame.UserToolbarAt(3));
    EXPECT_EQ(bars[0], m_frame.UserToolbarAt(0));
    CQENToolBar* pAgain = m_frame.AddUserToolbar("又一个");
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(kFirstUserBar + 3, (UINT)pAgain->GetDlgCtrlID());

    // The toolbar menu lists exactly the existing user toolbars, by name.
    EXPECT_EQ(TRUE, m_frame.SendMessage(QENM_TOOLBAR_DELETE, 0, (LPARAM)bars[5]));
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kGamma, "&Gamma");
    for (UINT nCmd = kFirstToolbarCommand; nCmd < kFirstToolbarCommand + 10; nCmd++)
        menu.AppendMenu(MF_STRING, nCmd, "?");
    m_frame.FillUserToolbarMenu(&menu, kFirstToolbarCommand, kFirstToolbarCommand + 9);
    ASSERT_EQ(10, (int)menu.GetMenuItemCount());
    CString strItem;
    menu.GetMenuString(4, strItem, MF_BYPOSITION);
    EXPECT_STREQ("又一个", strItem);
    EXPECT_EQ(kFirstToolbarCommand + 6, menu.GetMenuItemID(6));
    menu.GetMenuString(6, strItem, MF_BYPOSITION);
    EXPECT_STREQ("工具条 6", strItem);

    pAgain->AddButtonAt(CQENToolbarButton(kHotel, -1, "&Hotel"));
    bars[0]->SetWindowText("改名");
    m_frame.StoreUserToolbars(FALSE);

    CRecordingFrame restored;
    ASSERT_TRUE(restored.Create(NULL, "restored", WS_OVERLAPPEDWINDOW, CRect(80, 80, 400, 300)));
    restored.EnableDocking(CBRS_ALIGN_ANY);
    restored.SetUserToolbarRange(NULL, kFirstUserBar, kLastUserBar);
    restored.RestoreUserToolbars();
    for (int i = 0; i < 10; i++)
    {
        CQENToolBar* pBar = restored.UserToolbarAt(i);
        ASSERT_EQ(i != 5, pBar != nullptr) << i;
        if (pBar == nullptr)
            continue;
        CString strName;
        pBar->GetWindowText(strName);
        EXPECT_STREQ(i == 0 ? "改名" : i == 3 ? "又一个" : ("工具条 " + std::to_string(i)).c_str(), strName);
    }
    ASSERT_EQ(1, restored.UserToolbarAt(3)->ButtonCount());
    EXPECT_EQ(kHotel, restored.UserToolbarAt(3)->ButtonAt(0)->m_nCommandId);
    restored.DestroyWindow();
}

namespace {

// The workspace's part for the frames: its section path, and on closing the tear-off bars stored.
class CTearOffServices : public CQENFrameServices
{
public:
    CString RegistrySectionPath() override
    {
        CString strPath;
        strPath.Format("Software\\%s\\%s\\", AfxGetApp()->m_pszRegistryKey, AfxGetApp()->m_pszProfileName);
        return strPath;
    }
    BOOL LoadPlacement(CRect&, UINT&, UINT&) override { return FALSE; }
    void StorePlacement(const CRect&, UINT, UINT) override {}
    void LoadFrameState(CFrameWnd*) override {}
    void OnFrameClosing(CFrameWnd* pFrame) override { CQENFrameSupport::Of(pFrame)->StoreTearOffBars(FALSE); }
    BOOL RunUserTool(UINT) override { return FALSE; }
};

} // namespace

TEST_F(FrameWndTest, TearOffBarsComeBackFromTheirKeysOnlyAsToolbarsOnFreeTearOffIdsAndHiddenOnesAreDropped)
{
    CScratchRegistryKey scratch("tearoff");
    CTearOffServices services;
    CQENFrameServices::s_pActive = &services;
    CQENTearOffManager manager(0xEA00, 0xEA0F);
    g_pTearOffManager = &manager;
    for (UINT i = 0; i < 3; i++)
    {
        CQENToolBar* pBar = new CQENToolBar;
        ASSERT_TRUE(pBar->CreateEx(&m_frame, 0, CQENFrameSupport::kUserBarStyle, CRect(1, 1, 1, 1), 0xEA00 + i));
        pBar->SetWindowText(("撕下 " + std::to_string(i)).c_str());
        pBar->AddButtonAt(CQENToolbarButton(kGamma + i, -1, "&Gamma"));
        m_frame.AddTearOffBar(pBar);
    }
    m_frame.StoreTearOffBars(FALSE);

    // After them: an id outside the range, an object that is no toolbar, an id taken, a good one.
    const CString strSection = services.RegistrySectionPath() + "ControlBars-TearOff";
    CQENToolBar spare;
    spare.AddButtonAt(CQENToolbarButton(kHotel, -1, "&Hotel"));
    CQENToolbarButton notABar(kHotel, -1, "&Hotel");
    const struct
    {
        DWORD dwId;
        CObject* pState;
    } extra[] = {{0x1234, &spare}, {0xEA08, &notABar}, {0xEA00, &spare}, {0xEA05, &spare}};
    for (int i = 0; i < 4; i++)
    {
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
        CString strKey;
        strKey.Format("%s-%d", (LPCTSTR)strSection, 3 + i);
        ASSERT_TRUE(pRegistry->CreateKey(strKey));
        pRegistry->Write("ID", extra[i].dwId);
        pRegistry->Write("Name", "多余");
        pRegistry->Write("State", extra[i].pState);
    }

    CRecordingFrame restored;
    ASSERT_TRUE(restored.Create(NULL, "restored", WS_OVERLAPPEDWINDOW, CRect(80, 80, 400, 300)));
    restored.EnableDocking(CBRS_ALIGN_ANY);
    restored.ShowWindow(SW_SHOWNA);
    restored.RestoreTearOffBars();
    EXPECT_EQ(4, restored.m_Impl.m_listTearOffBars.GetCount());
    for (UINT i = 0; i < 3; i++)
    {
        CControlBar* pBar = restored.GetControlBar(0xEA00 + i);
        ASSERT_NE(nullptr, pBar) << i;
        CString strName;
        pBar->GetWindowText(strName);
        EXPECT_EQ("撕下 " + std::to_string(i), std::string(strName));
        ASSERT_EQ(1, static_cast<CQENToolBar*>(pBar)->ButtonCount());
        EXPECT_EQ(kGamma + i, static_cast<CQENToolBar*>(pBar)->ButtonAt(0)->m_nCommandId);
    }
    EXPECT_NE(nullptr, restored.GetControlBar(0xEA05));
    EXPECT_EQ(nullptr, restored.GetControlBar(0x1234));

    // Hidden when the frame closes, a bar is not stored again: three keys are left of seven.
    restored.ShowControlBar(restored.GetControlBar(0xEA01), FALSE, FALSE);
    restored.SendMessage(WM_CLOSE);
    for (int i = 0; i < 7; i++)
    {
        CString strKey;
        strKey.Format("%s-%d", (LPCTSTR)strSection, i);
        HKEY hKey = NULL;
        const bool bExists = ::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS;
        if (bExists)
            ::RegCloseKey(hKey);
        EXPECT_EQ(i < 3, bExists) << i;
    }
    g_pTearOffManager = NULL;
    CQENFrameServices::s_pActive = NULL;
}

TEST_F(FrameWndTest, TheLibraryDockBarsLayLibraryToolbarsOutOnAllFourSidesWithoutOverlap)
{
    for (UINT nId : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    {
        CControlBar* pDockBar = m_frame.GetControlBar(nId);
        ASSERT_NE(nullptr, pDockBar);
        EXPECT_TRUE(pDockBar->IsKindOf(RUNTIME_CLASS(CQENToolDockBar)));
    }

    std::vector<std::unique_ptr<CQENToolBar>> bars;
    const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 4; i++)
    {
        bars.emplace_back(new CQENToolBar);
        CQENToolBar* pBar = bars.back().get();
        ASSERT_TRUE(pBar->CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1), 0xE910 + i));
        pBar->AddButtonAt(CQENToolbarButton(kGamma, -1, "&Gamma"));
        pBar->AddButtonAt(CQENToolbarButton(kHotel, -1, "&Hotel"));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        // The top one is dropped over the right half of the fixture's toolbar, into its row.
        CRect rectNextTo = WindowRectOf(&m_bar);
        rectNextTo.OffsetRect(rectNextTo.Width() / 2 + 2, 0);
        m_frame.DockControlBar(pBar, sides[i], i == 0 ? &rectNextTo : NULL);
    }
    m_frame.RecalcLayout();
    PumpPendingMessages();

    CRect rectClient;
    m_frame.GetClientRect(&rectClient);
    m_frame.ClientToScreen(&rectClient);
    const CRect rectTopDock = WindowRectOf(m_frame.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    const CRect rectBottomDock = WindowRectOf(m_frame.GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
    const CRect rectLeftDock = WindowRectOf(m_frame.GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    const CRect rectRightDock = WindowRectOf(m_frame.GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(rectClient.top, rectTopDock.top);
    EXPECT_EQ(rectClient.bottom, rectBottomDock.bottom);
    EXPECT_EQ(rectClient.left, rectLeftDock.left);
    EXPECT_EQ(rectClient.right, rectRightDock.right);

    // Each bar lies in its dock bar, horizontal bars along the top and bottom, vertical ones down
    // the sides.
    const CRect docks[] = {rectTopDock, rectBottomDock, rectLeftDock, rectRightDock};
    for (int i = 0; i < 4; i++)
    {
        const CRect rectBar = WindowRectOf(bars[i].get());
        CRect rectInside;
        EXPECT_TRUE(rectInside.IntersectRect(&rectBar, &docks[i]) && rectInside == rectBar) << i;
        EXPECT_EQ(i < 2, rectBar.Width() > rectBar.Height()) << i;
    }

    // In the top row the second library bar starts where the first ends: no shared border.
    const CRect rectFirst = WindowRectOf(&m_bar);
    const CRect rectSecond = WindowRectOf(bars[0].get());
    EXPECT_EQ(rectFirst.top, rectSecond.top);
    EXPECT_EQ(rectFirst.right, rectSecond.left);
    for (auto& pBar : bars)
        pBar->DestroyWindow();
}

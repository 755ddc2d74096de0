// The keyboard page of the customization sheet, driven with real clicks and keys; what it does is
// judged by the keys themselves, the toolbar's tips and the menu items.
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENFrameWnd.h"
#include "QENKeyboardManager.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"
#include "QENToolbarCustomize.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "SheetInput.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

const UINT kFrame = 0x7A00;   // File: Save (Ctrl+S), Refresh (F5), Close, Print
const UINT kSave = 0x7A10;
const UINT kRefresh = 0x7A11;
const UINT kClose = 0x7A12;
const UINT kPrint = 0x7A13;

enum PageControl
{
    kCategories = 16601,
    kCommandList = 16641,
    kDescription = 16514,
    kTables = 16642,
    kCurrentKeys = 16643,
    kNewKey = 16644,
    kAssign = 16645,
    kRemove = 16646,
    kReset = 16614,
    kAssignedCaption = 16528,
    kAssignedTo = 16527
};

// A library main frame that records the commands reaching the framework's routing and the
// keyboard resets it is told of.
class CKeyPageFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;
    int m_nKeyboardResets = 0;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode != CN_COMMAND || pExtra != NULL || pHandlerInfo != NULL)
            return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        m_commands.push_back(nID);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_RESETKEYBOARD)
            m_nKeyboardResets++;
        return CQENFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

BOOL CALLBACK FindShownTip(HWND hWnd, LPARAM lParam)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The application's main frame loaded from its resources, with the menu bar and a toolbar of the
// buttons Save and Close; the application keeps Print from being bound to a key.
class KeyboardPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        CQENToolBar::s_blockedCommands.AddTail(kPrint);
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.LoadFrame(kFrame));
        TestApp().m_pMainWnd = &m_frame;
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_menuBar.CreateEx(&m_frame));
        m_frame.AttachMenuBar(&m_menuBar);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS,
                                   CRect(1, 1, 1, 1), 0xE900));
        m_bar.AddButtonAt(CQENToolbarButton(kSave, -1, "保存"));
        m_bar.AddButtonAt(CQENToolbarButton(kClose, -1, "关闭"));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_frame.SetWindowPos(NULL, 20, 20, 480, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_frame.RecalcLayout();
        FocusFrame();
    }

    void TearDown() override
    {
        if (g_pToolbarCustomize != NULL)
            g_pToolbarCustomize->DestroyWindow();
        TestApp().m_pMainWnd = NULL;
        m_frame.DestroyWindow();
        CQENToolBar::s_blockedCommands.RemoveAll();
        ::OleUninitialize();
    }

    void FocusFrame()
    {
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_frame.SetFocus();
        PumpFor(100);
    }

    // The sheet beside the frame, showing its keyboard page.
    HWND OpenKeyboardPage()
    {
        CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(&m_frame, TRUE, 0x0F);
        EXPECT_TRUE(pSheet->Create());
        pSheet->SetWindowPos(NULL, 520, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PumpFor(150);
        return ShowSheetPage(pSheet, "键盘");
    }

    void CloseSheet()
    {
        ASSERT_TRUE(g_pToolbarCustomize != NULL);
        ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
        ASSERT_EQ(nullptr, g_pToolbarCustomize);
        FocusFrame();
    }

    static void ChooseCommand(HWND hPage, const std::string& strLabel)
    {
        HWND hList = ::GetDlgItem(hPage, kCommandList);
        const int iItem = FindListItem(hList, strLabel);
        ASSERT_GE(iItem, 0) << strLabel;
        ClickListItem(hList, iItem);
    }

    static void PressNewKey(HWND hPage, std::initializer_list<WORD> keys)
    {
        ClickControl(hPage, kNewKey);
        Chord(keys);
    }

    static void RemoveKey(HWND hPage, const std::string& strKey)
    {
        HWND hKeys = ::GetDlgItem(hPage, kCurrentKeys);
        const int iItem = FindListItem(hKeys, strKey);
        ASSERT_GE(iItem, 0) << strKey;
        ClickListItem(hKeys, iItem);
        ClickControl(hPage, kRemove);
    }

    static std::vector<std::string> CurrentKeys(HWND hPage)
    {
        return ListItems(::GetDlgItem(hPage, kCurrentKeys));
    }

    std::vector<UINT> CommandsOf(std::initializer_list<WORD> keys)
    {
        m_frame.m_commands.clear();
        Chord(keys);
        return m_frame.m_commands;
    }

    CPoint ButtonOnScreen(int iButton)
    {
        return ScreenPoint(m_bar.m_hWnd, m_bar.ButtonAt(iButton)->m_rect.CenterPoint());
    }

    // The tip shown while the pointer rests on the button, coming from the other one.
    std::string TipOf(int iButton)
    {
        for (CPoint pt : {ButtonOnScreen(1 - iButton), ButtonOnScreen(iButton) + CPoint(1, 0), ButtonOnScreen(iButton)})
        {
            SendMouseInput(pt);
            PumpFor(50);
        }
        HWND hTip = NULL;
        for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 2000 && hTip == NULL;)
        {
            PumpFor(20);
            ::EnumThreadWindows(::GetCurrentThreadId(), FindShownTip, (LPARAM)&hTip);
        }
        char szText[256] = "";
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.lpszText = szText;
        ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
        SendMouseInput(ScreenPoint(m_frame.m_hWnd, CPoint(200, 200)));
        PumpFor(100);
        return szText;
    }

    // The item of the command in the File menu opened by a real click, with its shortcut column.
    std::string FileMenuItem(UINT nCommandId)
    {
        ClickAt(ScreenPoint(m_menuBar.m_hWnd, m_menuBar.GetItemRect(0).CenterPoint()));
        CQENPopupMenu* pPopup = static_cast<CQENToolbarMenuButton*>(m_menuBar.ButtonAt(0))->GetPopupMenu();
        std::string strItem;
        for (int i = 0; pPopup != NULL && i < pPopup->GetMenuBar()->ButtonCount(); i++)
        {
            if (pPopup->GetMenuBar()->ButtonAt(i)->m_nCommandId == nCommandId)
                strItem = pPopup->GetMenuBar()->ButtonAt(i)->m_strLabel;
        }
        Chord({VK_ESCAPE});
        return strItem;
    }

    CQENKeyboardManager m_manager;
    CKeyPageFrame m_frame;
    CQENMenuBar m_menuBar;
    CQENToolBar m_bar;
};

} // namespace

TEST_F(KeyboardPageTest, AKeyAssignedOnThePageShowsInTheTipAndTheMenuRunsItsCommandAndGoesWhenRemoved)
{
    HWND hPage = OpenKeyboardPage();
    ASSERT_TRUE(hPage != NULL);
    EXPECT_EQ("缺省", WindowText(::GetDlgItem(hPage, kTables)));
    // The first category, File, without the command the application keeps from keys.
    EXPECT_EQ((std::vector<std::string>{"保存(S)", "刷新(R)", "关闭(C)"}), ListItems(::GetDlgItem(hPage, kCommandList)));
    ChooseCommand(hPage, "关闭(C)");
    EXPECT_EQ("关闭文档", WindowText(::GetDlgItem(hPage, kDescription)));
    EXPECT_TRUE(CurrentKeys(hPage).empty());

    PressNewKey(hPage, {VK_CONTROL, VK_SHIFT, 'K'});
    EXPECT_EQ("Ctrl+Shift+K", WindowText(::GetDlgItem(hPage, kNewKey)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, kAssignedCaption)));
    EXPECT_EQ("[Unassigned]", WindowText(::GetDlgItem(hPage, kAssignedTo)));
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"Ctrl+Shift+K"}, CurrentKeys(hPage));
    EXPECT_EQ("", WindowText(::GetDlgItem(hPage, kNewKey)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, kAssignedTo)));
    CloseSheet();

    EXPECT_EQ("关闭 (Ctrl+Shift+K)", TipOf(1));
    EXPECT_EQ("关闭(&C)\tCtrl+Shift+K", FileMenuItem(kClose));
    EXPECT_EQ(std::vector<UINT>{kClose}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
    // The other keys work as before.
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));

    hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "关闭(C)");
    RemoveKey(hPage, "Ctrl+Shift+K");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    CloseSheet();
    EXPECT_EQ("关闭", TipOf(1));
    EXPECT_EQ("关闭(&C)", FileMenuItem(kClose));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
}

TEST_F(KeyboardPageTest, AKeyBoundToAnotherCommandMovesToTheChosenOneAndAssignNeedsBothAKeyAndACommand)
{
    HWND hPage = OpenKeyboardPage();
    ASSERT_TRUE(hPage != NULL);
    ChooseCommand(hPage, "关闭(C)");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kAssign)));   // no key yet
    PressNewKey(hPage, {VK_CONTROL, 'S'});
    EXPECT_EQ("保存(S)", WindowText(::GetDlgItem(hPage, kAssignedTo)));
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, kAssign)));
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"Ctrl+S"}, CurrentKeys(hPage));
    ChooseCommand(hPage, "保存(S)");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    // A key alone, no command chosen in the next category, assigns nothing.
    PressNewKey(hPage, {VK_F5});
    EXPECT_EQ("刷新(R)", WindowText(::GetDlgItem(hPage, kAssignedTo)));
    ClickControl(hPage, kCategories);
    Chord({VK_DOWN});
    Chord({VK_RETURN});
    ASSERT_EQ("新菜单", WindowText(::GetDlgItem(hPage, kCategories)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kAssign)));
    CloseSheet();

    EXPECT_EQ(std::vector<UINT>{kClose}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{kRefresh}, CommandsOf({VK_F5}));
    EXPECT_EQ("关闭 (Ctrl+S)", TipOf(1));
    EXPECT_EQ("保存", TipOf(0));
}

TEST_F(KeyboardPageTest, RemovingTheLastShortcutLeavesATableThatBindsNothingUntilResetBringsTheResourceBack)
{
    HWND hPage = OpenKeyboardPage();
    ASSERT_TRUE(hPage != NULL);
    ChooseCommand(hPage, "保存(S)");
    RemoveKey(hPage, "Ctrl+S");
    ChooseCommand(hPage, "刷新(R)");
    RemoveKey(hPage, "F5");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kRemove)));
    // The empty table still takes a new key.
    PressNewKey(hPage, {VK_F6});
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"F6"}, CurrentKeys(hPage));
    RemoveKey(hPage, "F6");
    CloseSheet();
    ASSERT_TRUE(m_frame.m_hAccelTable != NULL);
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_F5}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_F6}));

    hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "保存(S)");
    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, kReset);
        EXPECT_EQ((std::vector<std::string>{"您先前的配置信息都将会丢失! 您真的想重新配置键盘?"}), question.m_prompts);
    }
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    EXPECT_EQ(0, m_frame.m_nKeyboardResets);
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, kReset);
    }
    EXPECT_EQ(std::vector<std::string>{"Ctrl+S"}, CurrentKeys(hPage));
    EXPECT_EQ(1, m_frame.m_nKeyboardResets);
    CloseSheet();
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{kRefresh}, CommandsOf({VK_F5}));
}

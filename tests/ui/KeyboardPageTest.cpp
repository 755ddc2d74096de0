// The keyboard page of the customization sheet, driven with real clicks and keys and judged by the
// keys themselves, the toolbar's tips and the menu items.
#include "BeepRecorder.h"
#include "CustomizePagesTest.h"
#include "QENKeyboardManager.h"

namespace {

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
    kAssignedTo = 16527
};

class KeyboardPageTest : public CustomizePagesTest
{
protected:
    HWND OpenKeyboardPage()
    {
        OpenSheet();
        return ShowPage("键盘");
    }

    static void ChooseCommand(HWND hPage, const char* pszLabel)
    {
        ASSERT_TRUE(ClickListItem(::GetDlgItem(hPage, kCommandList), pszLabel)) << pszLabel;
    }

    static void PressNewKey(HWND hPage, std::initializer_list<WORD> keys)
    {
        ClickControl(hPage, kNewKey);
        Chord(keys);
    }

    static void RemoveKey(HWND hPage, const char* pszKey)
    {
        ASSERT_TRUE(ClickListItem(::GetDlgItem(hPage, kCurrentKeys), pszKey)) << pszKey;
        ClickControl(hPage, kRemove);
    }

    static std::vector<std::string> CurrentKeys(HWND hPage) { return ListItems(::GetDlgItem(hPage, kCurrentKeys)); }
    static std::string TextOf(HWND hPage, int nId) { return WindowText(::GetDlgItem(hPage, nId)); }

    // The Close item of the File menu, with its shortcut column.
    std::string CloseMenuItem()
    {
        CQENPopupMenuBar* pItems = OpenMenu(0);
        std::string strItem;
        for (int i = 0; pItems != NULL && i < pItems->ButtonCount(); i++)
        {
            if (pItems->ButtonAt(i)->m_nCommandId == kClose)
                strItem = pItems->ButtonAt(i)->m_strLabel;
        }
        Chord({VK_ESCAPE});
        return strItem;
    }
};

} // namespace

TEST_F(KeyboardPageTest, AKeyAssignedOnThePageShowsInTheTipAndTheMenuRunsItsCommandAndGoesWhenRemoved)
{
    HWND hPage = OpenKeyboardPage();
    EXPECT_EQ("缺省", TextOf(hPage, kTables));
    // The first category, without the command the application keeps from keys.
    EXPECT_EQ((std::vector<std::string>{"保存(S)", "刷新(R)", "关闭(C)"}), ListItems(::GetDlgItem(hPage, kCommandList)));
    ChooseCommand(hPage, "关闭(C)");
    EXPECT_EQ("关闭文档", TextOf(hPage, kDescription));
    EXPECT_TRUE(CurrentKeys(hPage).empty());

    PressNewKey(hPage, {VK_CONTROL, VK_SHIFT, 'K'});
    EXPECT_EQ("Ctrl+Shift+K", TextOf(hPage, kNewKey));
    EXPECT_EQ("[Unassigned]", TextOf(hPage, kAssignedTo));
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"Ctrl+Shift+K"}, CurrentKeys(hPage));
    EXPECT_EQ("", TextOf(hPage, kNewKey));
    ClickClose();

    EXPECT_EQ("关闭 (Ctrl+Shift+K)", TipOf(1));
    EXPECT_EQ("关闭(&C)\tCtrl+Shift+K", CloseMenuItem());
    EXPECT_EQ(std::vector<UINT>{kClose}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));

    hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "关闭(C)");
    RemoveKey(hPage, "Ctrl+Shift+K");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    ClickClose();
    EXPECT_EQ("关闭", TipOf(1));
    EXPECT_EQ("关闭(&C)", CloseMenuItem());
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
}

TEST_F(KeyboardPageTest, AKeyBoundToAnotherCommandMovesToTheChosenOneAndAssignNeedsBothAKeyAndACommand)
{
    HWND hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "关闭(C)");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kAssign)));
    PressNewKey(hPage, {VK_CONTROL, 'S'});
    EXPECT_EQ("保存(S)", TextOf(hPage, kAssignedTo));
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"Ctrl+S"}, CurrentKeys(hPage));
    ChooseCommand(hPage, "保存(S)");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    // A key, but no command chosen in the next category.
    PressNewKey(hPage, {VK_F5});
    ClickControl(hPage, kCategories);
    Chord({VK_DOWN});
    Chord({VK_RETURN});
    EXPECT_NE("文件(F)", TextOf(hPage, kCategories));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kAssign)));
    ClickClose();

    EXPECT_EQ(std::vector<UINT>{kClose}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{kRefresh}, CommandsOf({VK_F5}));
    EXPECT_EQ("保存", TipOf(0));
}

TEST_F(KeyboardPageTest, RemovingTheLastShortcutLeavesATableThatBindsNothingUntilResetBringsTheResourceBack)
{
    HWND hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "保存(S)");
    RemoveKey(hPage, "Ctrl+S");
    ChooseCommand(hPage, "刷新(R)");
    RemoveKey(hPage, "F5");
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    // The empty table takes a new key, and gives it up again.
    PressNewKey(hPage, {VK_F6});
    ClickControl(hPage, kAssign);
    EXPECT_EQ(std::vector<std::string>{"F6"}, CurrentKeys(hPage));
    RemoveKey(hPage, "F6");
    ClickClose();
    ASSERT_TRUE(m_frame.m_hAccelTable != NULL);
    for (WORD wKey : {(WORD)VK_F5, (WORD)VK_F6})
        EXPECT_EQ(std::vector<UINT>{}, CommandsOf({wKey}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'S'}));

    hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "保存(S)");
    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, kReset);
        EXPECT_EQ(std::vector<std::string>{"您先前的配置信息都将会丢失! 您真的想重新配置键盘?"}, question.m_prompts);
    }
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    EXPECT_EQ(0, m_frame.m_nKeyboardResets);
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, kReset);
    }
    EXPECT_EQ(std::vector<std::string>{"Ctrl+S"}, CurrentKeys(hPage));
    EXPECT_EQ(1, m_frame.m_nKeyboardResets);
    ClickClose();
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{kRefresh}, CommandsOf({VK_F5}));
}

TEST_F(KeyboardPageTest, AChangeNoKeyboardManagerTakesLeavesThePageShowingTheKeysInForce)
{
    HWND hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "关闭(C)");
    PressNewKey(hPage, {VK_CONTROL, VK_SHIFT, 'K'});
    CQENKeyboardManager* pManager = g_pKeyboardManager;
    CBeepRecorder beeps;
    CBeepRecorder::s_nBeeps = 0;
    // The application has let its keyboard manager go while the sheet stayed open.
    g_pKeyboardManager = NULL;
    ClickControl(hPage, kAssign);
    EXPECT_TRUE(CurrentKeys(hPage).empty());
    EXPECT_EQ(1, CBeepRecorder::s_nBeeps);
    ChooseCommand(hPage, "保存(S)");
    RemoveKey(hPage, "Ctrl+S");
    EXPECT_EQ(std::vector<std::string>{"Ctrl+S"}, CurrentKeys(hPage));
    EXPECT_EQ(2, CBeepRecorder::s_nBeeps);
    g_pKeyboardManager = pManager;
    ClickClose();

    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));
}

TEST_F(KeyboardPageTest, KeysChangedOnThePageAreSavedWhenTheFrameClosesAndWorkInTheNextFrame)
{
    HWND hPage = OpenKeyboardPage();
    ChooseCommand(hPage, "关闭(C)");
    PressNewKey(hPage, {VK_CONTROL, VK_SHIFT, 'K'});
    ClickControl(hPage, kAssign);
    ChooseCommand(hPage, "保存(S)");
    RemoveKey(hPage, "Ctrl+S");
    // The sheet is still open.
    TestApp().m_pMainWnd = NULL;   // closing the main window would end the test program
    m_frame.SendMessage(WM_CLOSE);
    PumpFor(100);
    ASSERT_FALSE(::IsWindow(m_frame.m_hWnd));

    CPagesTestFrame next;
    next.m_bAutoMenuEnable = FALSE;
    ASSERT_TRUE(next.LoadFrame(kFrame));
    TestApp().m_pMainWnd = &next;
    next.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(next.m_hWnd);
    next.SetFocus();
    PumpFor(100);
    for (auto keys : {std::initializer_list<WORD>{VK_CONTROL, VK_SHIFT, 'K'}, {VK_CONTROL, 'S'}, {VK_F5}})
        Chord(keys);
    EXPECT_EQ((std::vector<UINT>{kClose, kRefresh}), next.m_commands);
    TestApp().m_pMainWnd = NULL;
    next.DestroyWindow();
}

// The tools page of the customization sheet, driven with real clicks and keys; a tool made on it is
// run from the menu it appears in.
#include "CustomizePagesTest.h"
#include "InputThread.h"
#include "QENUserToolsManager.h"
#include "ScratchFolder.h"

namespace {

enum PageControl
{
    kToolList = 16661,
    kNew = 16662,
    kDelete = 16663,
    kMoveUp = 16664,
    kMoveDown = 16665,
    kLabel = 16666,
    kCommand = 16667,
    kBrowse = 16668,
    kArguments = 16669,
    kArgumentsMenuButton = 16670,
    kFolder = 16671,
    kFolderMenuButton = 16672
};

const int kToolsPageIndex = 2;   // after the commands and toolbars pages

std::wstring Wide(const char* psz)
{
    wchar_t szWide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, szWide, MAX_PATH);
    return szWide;
}

class UserToolsPageTest : public CustomizePagesTest
{
protected:
    HWND OpenToolsPage()
    {
        OpenSheet();
        return ShowPage("工具");
    }

    static void NewTool(HWND hPage, const wchar_t* pszLabel)
    {
        ClickControl(hPage, kNew);
        TypeText(pszLabel);
    }

    static std::string TextOf(HWND hPage, int nId) { return WindowText(::GetDlgItem(hPage, nId)); }
};

} // namespace

TEST_F(UserToolsPageTest, AToolMadeOnThePageRunsItsProgramFromItsMenuItem)
{
    CScratchFolder folder;
    HWND hPage = OpenToolsPage();
    EXPECT_TRUE(ListItems(::GetDlgItem(hPage, kToolList)).empty());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kCommand)));
    // The application offers a menu for the arguments only.
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, kArgumentsMenuButton)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, kFolderMenuButton)));
    NewTool(hPage, L"Log folder");
    EXPECT_EQ(std::vector<std::string>{"Log folder"}, ListItems(::GetDlgItem(hPage, kToolList)));

    // The program from the file dialog, which offers the kinds of files of the manager's filter.
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    const std::string strProgram = std::string(szSystem) + "\\cmd.exe";
    std::string strFirstKind;
    CRect rectBrowse, rectArgumentsMenu;
    ::GetWindowRect(::GetDlgItem(hPage, kBrowse), &rectBrowse);
    ::GetWindowRect(::GetDlgItem(hPage, kArgumentsMenuButton), &rectArgumentsMenu);
    RunWithInputThread([&] {
        ClickMouse(rectBrowse.CenterPoint());
        HWND hDialog = NULL;
        for (int i = 0; i < 100 && ::GetDlgItem(hDialog, cmb13) == NULL; i++, ::Sleep(100))
            hDialog = ::GetForegroundWindow();
        char szKind[128] = "";
        ::SendMessageA(::GetDlgItem(hDialog, cmb1), CB_GETLBTEXT, 0, (LPARAM)szKind);
        strFirstKind = szKind;
        // Typed over the selected pattern in the name field.
        SendText(Wide(strProgram.c_str()).c_str());
        PressKey(VK_RETURN, true);
        PressKey(VK_RETURN, false);
    });
    EXPECT_EQ("可执行的 (*.exe)", strFirstKind);
    EXPECT_EQ(0, lstrcmpiA(strProgram.c_str(), TextOf(hPage, kCommand).c_str())) << TextOf(hPage, kCommand);
    // The arguments from the application's menu: its second entry gives what follows its tab.
    RunWithInputThread([&] {
        ClickMouse(rectArgumentsMenu.CenterPoint());
        for (WORD wKey : {(WORD)VK_DOWN, (WORD)VK_DOWN, (WORD)VK_RETURN})
        {
            PressKey(wKey, true);
            PressKey(wKey, false);
        }
    });
    EXPECT_EQ("/c cd > ran.txt", TextOf(hPage, kArguments));
    ClickControl(hPage, kFolder);
    TypeText(Wide(folder.Folder()).c_str());
    ClickClose();
    ASSERT_EQ(nullptr, g_pToolbarCustomize);

    // The tool stands in the Tools menu in place of the placeholder.
    CQENPopupMenuBar* pItems = OpenMenu(1);
    ASSERT_TRUE(pItems != NULL);
    int iTool = pItems->ButtonCount() - 1;
    while (iTool >= 0 && pItems->ButtonAt(iTool)->m_strLabel != "Log folder")
        iTool--;
    ASSERT_GE(iTool, 0);
    const auto ranInFolder = [&folder] {
        std::string strRan;
        for (int i = 0; i < 200 && strRan.find('\n') == std::string::npos; i++, ::Sleep(50))
            strRan = folder.Contents("ran.txt");
        ::DeleteFileA(folder.Path("ran.txt"));
        return strRan.find(std::string(folder.Folder())) == 0;
    };
    ClickAt(ScreenPoint(pItems->m_hWnd, pItems->GetItemRect(iTool).CenterPoint()));
    EXPECT_TRUE(ranInFolder());
    // And from a button of its command on a toolbar.
    m_bar.AddButtonAt(CQENToolbarButton(kFirstTool, -1, "Log folder"));
    m_frame.RecalcLayout();
    PumpFor(100);
    const CRect rectButton = m_bar.ButtonAt(2)->m_rect;
    ClickAt(ScreenPoint(m_bar.m_hWnd, rectButton.CenterPoint()));
    EXPECT_TRUE(ranInFolder());
}

TEST_F(UserToolsPageTest, NewDeleteUpAndDownKeepTheListInOrderAndWithinTheManagersRange)
{
    HWND hPage = OpenToolsPage();
    HWND hList = ::GetDlgItem(hPage, kToolList);
    for (const wchar_t* pszLabel : {L"Alpha", L"Bravo", L"Charlie"})
        NewTool(hPage, pszLabel);
    {
        CMessageBoxRecorder limit(IDOK);
        ClickControl(hPage, kNew);
        EXPECT_EQ(std::vector<std::string>{"你能定义到 3 工具."}, limit.m_prompts);
    }
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Bravo", "Charlie"}), ListItems(hList));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kMoveDown)));

    ClickControl(hPage, kMoveUp);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Charlie", "Bravo"}), ListItems(hList));
    EXPECT_EQ("Charlie", TextOf(hPage, kLabel));
    ClickListItem(hList, "Alpha");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kMoveUp)));
    ClickControl(hPage, kMoveDown);
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Alpha", "Bravo"}), ListItems(hList));

    // The tool after a deleted one takes its place; the command it frees makes room for a new one.
    ClickControl(hPage, kDelete);
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Bravo"}), ListItems(hList));
    EXPECT_EQ("Bravo", SelectedListItem(hList));
    EXPECT_EQ("Bravo", TextOf(hPage, kLabel));
    NewTool(hPage, L"Delta");
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Bravo", "Delta"}), ListItems(hList));
}

TEST_F(UserToolsPageTest, AToolWithoutItsProgramKeepsTheSheetOpenOnTheToolsPage)
{
    CQENUserTool* pComplete = g_pUserToolsManager->AddNewTool();
    pComplete->m_strLabel = "完整";
    pComplete->SetToolCommand("cmd.exe");
    g_pUserToolsManager->AddNewTool()->m_strLabel = "无程序";
    CQENToolbarCustomize* pSheet = OpenSheet();
    ASSERT_EQ(0, pSheet->GetActiveIndex());

    // Closed from another page: the tools page comes up, pointing at the missing program.
    ClickClose();
    ASSERT_EQ(pSheet, g_pToolbarCustomize);
    ASSERT_EQ(kToolsPageIndex, pSheet->GetActiveIndex());
    HWND hPage = pSheet->GetActivePage()->m_hWnd;
    EXPECT_EQ("无程序", SelectedListItem(::GetDlgItem(hPage, kToolList)));
    EXPECT_EQ(::GetDlgItem(hPage, kCommand), ::GetFocus());
    // Nor can the page be left for another.
    ShowPage("命令");
    EXPECT_EQ(kToolsPageIndex, pSheet->GetActiveIndex());
    ClickClose();
    ASSERT_EQ(pSheet, g_pToolbarCustomize);

    ClickControl(hPage, kCommand);
    TypeText(L"cmd.exe");
    ClickClose();
    EXPECT_EQ(nullptr, g_pToolbarCustomize);
}

// The user tools page of the customization sheet, driven with real clicks and keys; a tool made on
// it is run from the menu it appears in.
#include "GuiTestSupport.h"
#include "InputThread.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolbarCustomize.h"
#include "QENToolbarMenuButton.h"
#include "QENUserToolsManager.h"
#include "QENVisualManager.h"
#include "QENWorkspace.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"
#include "SheetInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kMenu = 0x7B00;            // Tools: Options, the tools' placeholder
const UINT kArgumentsMenu = 0x7B10;   // a plain entry, then "/c cd > ran.txt" after a tab
const UINT kToolsEntry = 0x7B30;
const UINT kFirstTool = 0x7B31;
const UINT kLastTool = 0x7B33;        // three tools at most

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

class CToolsFrame : public CQENFrameWnd
{
public:
    void PostNcDestroy() override {}
};

std::wstring Wide(const char* psz)
{
    wchar_t szWide[MAX_PATH * 2] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, szWide, MAX_PATH * 2);
    return szWide;
}

// A library frame with the Tools menu in its menu bar, in a workspace whose tools take three
// commands and offer the arguments menu, but no folder menu.
class UserToolsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        ASSERT_TRUE(m_workspace.SetUpUserTools(kToolsEntry, kFirstTool, kLastTool, NULL, kArgumentsMenu, 0));
        ASSERT_TRUE(m_frame.Create(NULL, "tools", WS_OVERLAPPEDWINDOW, CRect(20, 20, 500, 320), NULL,
                                   MAKEINTRESOURCE(kMenu)));
        TestApp().m_pMainWnd = &m_frame;
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_menuBar.CreateEx(&m_frame));
        m_frame.AttachMenuBar(&m_menuBar);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
        m_frame.ShowWindow(SW_SHOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        PumpFor(100);
    }

    void TearDown() override
    {
        if (g_pToolbarCustomize != NULL)
            g_pToolbarCustomize->DestroyWindow();
        TestApp().m_pMainWnd = NULL;
        m_frame.DestroyWindow();
        ::OleUninitialize();
    }

    CQENToolbarCustomize* OpenSheet()
    {
        CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(&m_frame, TRUE, 0x0F);
        EXPECT_TRUE(pSheet->Create());
        pSheet->SetWindowPos(NULL, 520, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PumpFor(150);
        return pSheet;
    }

    HWND OpenToolsPage()
    {
        return ShowSheetPage(OpenSheet(), "工具");
    }

    static std::string ActivePageTitle(CQENToolbarCustomize* pSheet)
    {
        HWND hTabs = pSheet->GetTabControl()->m_hWnd;
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hTabs, TCM_GETITEMA, ::SendMessageA(hTabs, TCM_GETCURSEL, 0, 0), (LPARAM)&item);
        return szText;
    }

    static void NewTool(HWND hPage, const wchar_t* pszLabel)
    {
        ClickControl(hPage, kNew);
        TypeText(pszLabel);
    }

    CScratchRegistryKey m_registry{"UserToolsPage"};
    CQENWorkspace m_workspace;
    CToolsFrame m_frame;
    CQENMenuBar m_menuBar;
};

} // namespace

TEST_F(UserToolsPageTest, AToolMadeOnThePageRunsItsProgramFromItsMenuItem)
{
    CScratchFolder folder;
    HWND hPage = OpenToolsPage();
    ASSERT_TRUE(hPage != NULL);
    HWND hList = ::GetDlgItem(hPage, kToolList);
    EXPECT_TRUE(ListItems(hList).empty());
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kCommand)));
    // The application offers a menu for the arguments only.
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, kArgumentsMenuButton)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, kFolderMenuButton)));

    NewTool(hPage, L"Log folder");
    EXPECT_EQ(std::vector<std::string>{"Log folder"}, ListItems(hList));

    // The program from the file dialog, which offers the manager's kinds of files.
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    const std::string strProgram = std::string(szSystem) + "\\cmd.exe";
    std::string strFirstKind;
    CRect rectBrowse;
    ::GetWindowRect(::GetDlgItem(hPage, kBrowse), &rectBrowse);
    RunWithInputThread([&] {
        ClickMouse(rectBrowse.CenterPoint());
        HWND hDialog = NULL;
        for (int i = 0; i < 100 && ::GetDlgItem(hDialog, cmb13) == NULL; i++, ::Sleep(100))
            hDialog = ::GetForegroundWindow();
        char szKind[128] = "";
        ::SendMessageA(::GetDlgItem(hDialog, cmb1), CB_GETLBTEXT, 0, (LPARAM)szKind);
        strFirstKind = szKind;
        // The name field has the focus, its pattern selected.
        SendText(Wide(strProgram.c_str()).c_str());
        PressKey(VK_RETURN, true);
        PressKey(VK_RETURN, false);
    });
    EXPECT_EQ("可执行的 (*.exe)", strFirstKind);
    EXPECT_EQ(0, lstrcmpiA(strProgram.c_str(), WindowText(::GetDlgItem(hPage, kCommand)).c_str()))
        << WindowText(::GetDlgItem(hPage, kCommand));

    // The arguments from the application's menu: what its second entry holds after the tab.
    HWND hMenuButton = ::GetDlgItem(hPage, kArgumentsMenuButton);
    CRect rectMenuButton;
    ::GetWindowRect(hMenuButton, &rectMenuButton);
    RunWithInputThread([&] {
        ClickMouse(rectMenuButton.CenterPoint());
        for (WORD wKey : {(WORD)VK_DOWN, (WORD)VK_DOWN, (WORD)VK_RETURN})
        {
            PressKey(wKey, true);
            PressKey(wKey, false);
        }
    });
    EXPECT_EQ("/c cd > ran.txt", WindowText(::GetDlgItem(hPage, kArguments)));
    ClickControl(hPage, kFolder);
    TypeText(Wide(folder.Folder()).c_str());
    EXPECT_EQ(std::string(folder.Folder()), WindowText(::GetDlgItem(hPage, kFolder)));

    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
    ASSERT_EQ(nullptr, g_pToolbarCustomize);

    // The tool's item stands in the Tools menu in place of the placeholder.
    ClickAt(ScreenPoint(m_menuBar.m_hWnd, m_menuBar.GetItemRect(0).CenterPoint()));
    CQENPopupMenu* pPopup = static_cast<CQENToolbarMenuButton*>(m_menuBar.ButtonAt(0))->GetPopupMenu();
    ASSERT_TRUE(pPopup != NULL);
    CQENPopupMenuBar* pItems = pPopup->GetMenuBar();
    int iTool = -1;
    for (int i = 0; i < pItems->ButtonCount(); i++)
    {
        if (pItems->ButtonAt(i)->m_strLabel == "Log folder")
            iTool = i;
    }
    ASSERT_GE(iTool, 0);
    ClickAt(ScreenPoint(pItems->m_hWnd, pItems->GetItemRect(iTool).CenterPoint()));

    std::string strRan;
    for (int i = 0; i < 200 && strRan.find('\n') == std::string::npos; i++, ::Sleep(50))
        strRan = folder.Contents("ran.txt");
    EXPECT_EQ(0u, strRan.find(std::string(folder.Folder()))) << strRan;
}

TEST_F(UserToolsPageTest, NewDeleteUpAndDownKeepTheListInOrderAndWithinTheManagersRange)
{
    HWND hPage = OpenToolsPage();
    ASSERT_TRUE(hPage != NULL);
    HWND hList = ::GetDlgItem(hPage, kToolList);
    NewTool(hPage, L"Alpha");
    NewTool(hPage, L"Bravo");
    NewTool(hPage, L"Charlie");
    {
        CMessageBoxRecorder limit(IDOK);
        ClickControl(hPage, kNew);
        EXPECT_EQ(std::vector<std::string>{"你能定义到 3 工具."}, limit.m_prompts);
    }
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Bravo", "Charlie"}), ListItems(hList));
    EXPECT_EQ("Charlie", SelectedListItem(hList));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kMoveDown)));

    ClickControl(hPage, kMoveUp);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Charlie", "Bravo"}), ListItems(hList));
    EXPECT_EQ("Charlie", WindowText(::GetDlgItem(hPage, kLabel)));
    ClickListItem(hList, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, kMoveUp)));
    ClickControl(hPage, kMoveDown);
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Alpha", "Bravo"}), ListItems(hList));

    // The one after a deleted tool takes its place; a free command makes room for a new one.
    ClickControl(hPage, kDelete);
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Bravo"}), ListItems(hList));
    EXPECT_EQ("Bravo", SelectedListItem(hList));
    EXPECT_EQ("Bravo", WindowText(::GetDlgItem(hPage, kLabel)));
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
    ASSERT_EQ("命令", ActivePageTitle(pSheet));

    // Closed from another page: the tools page comes up, pointing at the program that is missing.
    ClickControl(pSheet->m_hWnd, IDCANCEL);
    ASSERT_EQ(pSheet, g_pToolbarCustomize);
    ASSERT_EQ("工具", ActivePageTitle(pSheet));
    HWND hPage = pSheet->GetActivePage()->m_hWnd;
    EXPECT_EQ("无程序", SelectedListItem(::GetDlgItem(hPage, kToolList)));
    EXPECT_EQ(::GetDlgItem(hPage, kCommand), ::GetFocus());

    // Nor can the page be left for another.
    ShowSheetPage(pSheet, "命令");
    EXPECT_EQ("工具", ActivePageTitle(pSheet));
    ClickControl(pSheet->m_hWnd, IDCANCEL);
    ASSERT_EQ(pSheet, g_pToolbarCustomize);

    ClickControl(hPage, kCommand);
    TypeText(L"cmd.exe");
    ClickControl(pSheet->m_hWnd, IDCANCEL);
    EXPECT_EQ(nullptr, g_pToolbarCustomize);
}

// The customization sheet's menu page, driven with real clicks and drags: the frame menu the bar
// shows, the context menus edited in place, the resets and the menu options.
#include "BeepRecorder.h"
#include "GuiTestSupport.h"
#include "InputThread.h"
#include "MouseInput.h"
#include "QENContextMenuManager.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolbarCustomize.h"
#include "QENVisualManager.h"
#include "QENWorkspace.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>
#include <windowsx.h>

namespace {

const UINT kFrameMenu = 0x5E00;
const UINT kTextType = 0x5E01;
const UINT kEditMenu = 0x5E02;
const UINT kCut = 0x5E21;
const UINT kCopy = 0x5E22;
const UINT kPaste = 0x5E23;

typedef std::vector<std::string> Labels;
const Labels kFrameLabels = {"文件(&F)", "视图(&V)"};
const Labels kTextLabels = {"文件(&F)", "编辑(&E)", "格式(&O)"};
const Labels kEditLabels = {"剪切(&T)", "复制(&C)", "粘贴(&P)"};

class CMenuPageDoc : public CDocument
{
    DECLARE_DYNCREATE(CMenuPageDoc)
};
IMPLEMENT_DYNCREATE(CMenuPageDoc, CDocument)

class CMenuPageView : public CView
{
    DECLARE_DYNCREATE(CMenuPageView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CMenuPageView, CView)

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

CPoint ScreenPoint(HWND hWnd, CPoint ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

void ClickAt(CPoint ptScreen, DWORD dwDown = MOUSEEVENTF_LEFTDOWN, DWORD dwUp = MOUSEEVENTF_LEFTUP)
{
    for (DWORD dwButtons : {0ul, dwDown, dwUp})
    {
        SendMouseInput(ptScreen, dwButtons);
        PumpFor(60);
    }
    PumpFor(150);
}

void ClickControl(HWND hDialog, int nId)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hDialog, nId), &rect);
    ClickAt(rect.CenterPoint());
}

Labels ComboEntries(HWND hCombo)
{
    Labels entries;
    const int nCount = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        char szText[256] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)szText);
        entries.push_back(szText);
    }
    return entries;
}

// The list drops down at a click on the box; a click on the entry chooses it.
void ChooseEntry(HWND hCombo, int iEntry)
{
    CRect rectBox;
    ::GetWindowRect(hCombo, &rectBox);
    ClickAt(rectBox.CenterPoint());
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(hCombo, &info));
    CRect rectEntry;
    ::SendMessageA(info.hwndList, LB_GETITEMRECT, (WPARAM)iEntry, (LPARAM)&rectEntry);
    ClickAt(ScreenPoint(info.hwndList, rectEntry.CenterPoint()));
}

void Drag(CPoint ptFrom, CPoint ptTo)
{
    RunWithInputThread([=]() {
        MoveMouse(ptFrom);
        MoveMouse(ptFrom, MOUSEEVENTF_LEFTDOWN);
        for (int n = 1; n <= 4; n++)
            MoveMouse(ptFrom + CPoint((ptTo.x - ptFrom.x) * n / 4, (ptTo.y - ptFrom.y) * n / 4 + (n < 4 ? 1 : 0)));
        MoveMouse(ptTo, MOUSEEVENTF_LEFTUP);
    });
}

Labels PopupLabels(CQENPopupMenu* pPopup)
{
    Labels labels;
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    for (int i = 0; i < pBar->ButtonCount(); i++)
        labels.push_back((LPCTSTR)pBar->ButtonAt(i)->m_strLabel);
    return labels;
}

CPoint PopupItemCentre(CQENPopupMenu* pPopup, int iItem)
{
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    return ScreenPoint(pBar->m_hWnd, pBar->GetItemRect(iItem).CenterPoint());
}

std::vector<UINT> MenuCommands(HMENU hMenu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
        ids.push_back(::GetMenuItemID(hMenu, i));
    return ids;
}

// The view: a right click shows the edit context menu through the manager.
class CContextView : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONTEXTMENU && g_pContextMenuManager != NULL)
        {
            g_pContextMenuManager->ShowContextMenu(kEditMenu, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), this);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A library frame that keeps the resets it is told of and may refuse popup menus.
class CMenuPageFrame : public CQENFrameWnd
{
public:
    std::vector<std::pair<UINT, WPARAM>> m_resets;
    BOOL m_bRefusePopups = FALSE;

    BOOL CanShowPopupMenu(CQENPopupMenu* pPopup) override
    {
        return !m_bRefusePopups && CQENFrameWnd::CanShowPopupMenu(pPopup);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_RESETMENU || message == QENM_TOOLBAR_RESETCONTEXTMENU)
            m_resets.emplace_back(message, wParam);
        return CQENFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A shown library frame with a menu bar on its own menu, the application's template of text
// documents with a menu of its own, and the context menus "编辑菜单" (shown by the view),
// "视图菜单" and "无子菜单", which has no submenu.
class MenuPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        CQENPopupMenu::s_bMenuShadows = TRUE;
        SendMouseInput(CPoint(5, 700));
        m_pOldDocManager = TestApp().m_pDocManager;
        TestApp().m_pDocManager = new CDocManager;
        TestApp().AddDocTemplate(new CMultiDocTemplate(kTextType, RUNTIME_CLASS(CMenuPageDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                       RUNTIME_CLASS(CMenuPageView)));
        ASSERT_TRUE(m_manager.RegisterContextMenu("编辑菜单", kEditMenu));
        ASSERT_TRUE(m_manager.RegisterContextMenu("视图菜单", 0x5E03));
        ASSERT_TRUE(m_manager.RegisterContextMenu("无子菜单", 0x5E04));

        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "menu page", WS_OVERLAPPEDWINDOW, CRect(20, 20, 560, 380), NULL,
                                   MAKEINTRESOURCE(kFrameMenu)));
        TestApp().m_pMainWnd = &m_frame;
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_view.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &m_frame,
                                    AFX_IDW_PANE_FIRST));
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
        if (CQENPopupMenu::s_pActivePopupMenu != NULL)
            CQENPopupMenu::s_pActivePopupMenu->SendMessage(WM_CLOSE);
        TestApp().m_pMainWnd = NULL;
        m_menuBar.DestroyWindow();
        m_view.DestroyWindow();
        m_frame.DestroyWindow();
        PumpPendingMessages();
        delete TestApp().m_pDocManager;
        TestApp().m_pDocManager = m_pOldDocManager;
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        CQENPopupMenu::s_bMenuShadows = TRUE;
        ::OleUninitialize();
    }

    // The sheet beside the frame, on its menu page.
    HWND OpenMenuPage(UINT uiFlags = 0x0F)
    {
        CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(&m_frame, TRUE, uiFlags);
        EXPECT_TRUE(pSheet->Create());
        pSheet->SetWindowPos(NULL, 580, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(150);
        return ShowPage("菜单");
    }

    // The page with the caption, made current by a click on its tab.
    static HWND ShowPage(const char* pszCaption)
    {
        HWND hTabs = g_pToolbarCustomize->GetTabControl()->m_hWnd;
        const std::vector<std::string> captions = TabCaptions(hTabs);
        for (int i = 0; i < (int)captions.size(); i++)
        {
            if (captions[i] != pszCaption)
                continue;
            CRect rectTab;
            ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)i, (LPARAM)&rectTab);
            ClickAt(ScreenPoint(hTabs, rectTab.CenterPoint()));
            return g_pToolbarCustomize->GetActivePage()->m_hWnd;
        }
        ADD_FAILURE() << "no page " << pszCaption;
        return NULL;
    }

    // The menus of the bar, by their labels.
    Labels MenuLabels() const
    {
        Labels labels;
        for (int i = 0; i < m_menuBar.ButtonCount(); i++)
            labels.push_back((LPCTSTR)m_menuBar.ButtonAt(i)->m_strLabel);
        return labels;
    }

    CPoint MenuCentre(int iItem) const { return ScreenPoint(m_menuBar.m_hWnd, m_menuBar.GetItemRect(iItem).CenterPoint()); }
    CPoint ViewCentre() const
    {
        CRect rect;
        m_view.GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    CQENContextMenuManager m_manager;
    CMenuPageFrame m_frame;
    CContextView m_view;
    CQENMenuBar m_menuBar;
    CDocManager* m_pOldDocManager = NULL;
};

} // namespace

TEST_F(MenuPageTest, TheChosenFrameMenuIsCustomizedOnTheBarUntilThePageIsLeft)
{
    HWND hPage = OpenMenuPage();
    ASSERT_TRUE(hPage != NULL);
    HWND hMenus = ::GetDlgItem(hPage, 16621);
    EXPECT_EQ((Labels{"文本", "缺省菜单"}), ComboEntries(hMenus));
    EXPECT_EQ(1, (int)::SendMessageA(hMenus, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("缺省程序菜单. 没有文档打开时的程序菜单.", WindowText(::GetDlgItem(hPage, 16506)));
    EXPECT_EQ(kFrameLabels, MenuLabels());

    ChooseEntry(hMenus, 0);
    EXPECT_EQ(kTextLabels, MenuLabels());
    EXPECT_EQ("文本文件", WindowText(::GetDlgItem(hPage, 16506)));
    EXPECT_EQ((LPARAM)::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kTextType)),
              ::SendDlgItemMessageA(hPage, 16507, STM_GETICON, 0, 0));

    // Dropped on no bar, the edit menu leaves the text documents' list only.
    Drag(MenuCentre(1), ViewCentre());
    EXPECT_EQ((Labels{"文件(&F)", "格式(&O)"}), MenuLabels());
    ChooseEntry(hMenus, 1);
    EXPECT_EQ(kFrameLabels, MenuLabels());
    ChooseEntry(hMenus, 0);
    EXPECT_EQ((Labels{"文件(&F)", "格式(&O)"}), MenuLabels());

    // Another page: the bar shows what it showed before the menu page, which knows it again.
    ShowPage("命令");
    EXPECT_EQ(kFrameLabels, MenuLabels());
    ShowPage("菜单");
    EXPECT_EQ(1, (int)::SendMessageA(hMenus, CB_GETCURSEL, 0, 0));
    ChooseEntry(hMenus, 0);
    EXPECT_EQ((Labels{"文件(&F)", "格式(&O)"}), MenuLabels());
    // Closing the sheet does the same.
    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
    ASSERT_EQ(nullptr, g_pToolbarCustomize);
    EXPECT_EQ(kFrameLabels, MenuLabels());
}

TEST_F(MenuPageTest, ResettingAFrameMenuOrAContextMenuAsksWithItsNameFirst)
{
    HWND hPage = OpenMenuPage();
    ChooseEntry(::GetDlgItem(hPage, 16621), 0);
    Drag(MenuCentre(1), ViewCentre());
    ASSERT_EQ((Labels{"文件(&F)", "格式(&O)"}), MenuLabels());
    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16624);
        EXPECT_EQ((Labels{"您先前的配置信息都将会丢失! 您真的想重新配置菜单 '文本'? "}), question.m_prompts);
    }
    EXPECT_EQ((Labels{"文件(&F)", "格式(&O)"}), MenuLabels());
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16624);
    }
    EXPECT_EQ(kTextLabels, MenuLabels());
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{{QENM_TOOLBAR_RESETMENU, kTextType}}), m_frame.m_resets);

    ChooseEntry(::GetDlgItem(hPage, 16622), 1);
    CQENPopupMenu* pEditor = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pEditor);
    Drag(PopupItemCentre(pEditor, 0), ViewCentre());
    ASSERT_EQ((Labels{"复制(&C)", "粘贴(&P)"}), PopupLabels(pEditor));
    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16623);
        EXPECT_EQ((Labels{"您先前的配置信息都将会丢失! 您真的想重新配置菜单 '编辑菜单'? "}), question.m_prompts);
    }
    EXPECT_EQ((Labels{"复制(&C)", "粘贴(&P)"}), PopupLabels(CQENPopupMenu::s_pActivePopupMenu));
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16623);
    }
    // The menu is edited on, as its resource has it.
    ASSERT_NE(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    EXPECT_EQ(kEditLabels, PopupLabels(CQENPopupMenu::s_pActivePopupMenu));
    EXPECT_EQ(3, ::GetMenuItemCount(::GetSubMenu(m_manager.FindMenuByName("编辑菜单"), 0)));
    ASSERT_EQ(2u, m_frame.m_resets.size());
    EXPECT_EQ(std::make_pair(QENM_TOOLBAR_RESETCONTEXTMENU, (WPARAM)kEditMenu), m_frame.m_resets[1]);
}

TEST_F(MenuPageTest, AContextMenuEditedOnThePageIsWhatTheNextRightClickShowsAndWhatIsSaved)
{
    CScratchRegistryKey registry("MenuPage");
    HWND hPage = OpenMenuPage();
    HWND hContextMenus = ::GetDlgItem(hPage, 16622);
    ASSERT_EQ((Labels{"----------", "编辑菜单", "视图菜单", "无子菜单"}), ComboEntries(hContextMenus));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, 16623)));

    // A menu without a submenu beeps; a popup the frame refuses says so.
    {
        CBeepRecorder beeps;
        CBeepRecorder::s_nBeeps = 0;
        ChooseEntry(hContextMenus, 3);
        EXPECT_EQ(1, CBeepRecorder::s_nBeeps);
        EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    }
    {
        m_frame.m_bRefusePopups = TRUE;
        CMessageBoxRecorder message;
        ChooseEntry(hContextMenus, 2);
        EXPECT_EQ((Labels{"Can't create context menu!"}), message.m_prompts);
        m_frame.m_bRefusePopups = FALSE;
    }

    ChooseEntry(hContextMenus, 1);
    CQENPopupMenu* pEditor = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pEditor);
    const HWND hEditor = pEditor->m_hWnd;
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16623)));
    ASSERT_EQ(kEditLabels, PopupLabels(pEditor));
    Drag(PopupItemCentre(pEditor, 1), ViewCentre());
    EXPECT_EQ((Labels{"剪切(&T)", "粘贴(&P)"}), PopupLabels(pEditor));

    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
    EXPECT_FALSE(::IsWindow(hEditor));
    ClickAt(ViewCentre(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_NE(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    EXPECT_EQ((Labels{"剪切(&T)", "粘贴(&P)"}), PopupLabels(CQENPopupMenu::s_pActivePopupMenu));
    CQENPopupMenu::s_pActivePopupMenu->SendMessage(WM_CLOSE);

    // The next start finds it so too.
    ASSERT_TRUE(m_manager.WriteState());
    CQENContextMenuManager restarted;
    ASSERT_TRUE(restarted.RegisterContextMenu("编辑菜单", kEditMenu));
    restarted.ReadState();
    EXPECT_EQ((std::vector<UINT>{kCut, kPaste}), MenuCommands(::GetSubMenu(restarted.FindMenuByName("编辑菜单"), 0)));
}

TEST_F(MenuPageTest, ClosingTheFrameWhileAContextMenuIsEditedSavesTheMenuAsEditedOutOfCustomizationMode)
{
    CScratchRegistryKey registry("MenuPageClose");
    CQENWorkspace workspace;
    HWND hPage = OpenMenuPage();
    ChooseEntry(::GetDlgItem(hPage, 16621), 0);
    ASSERT_EQ(kTextLabels, MenuLabels());
    ChooseEntry(::GetDlgItem(hPage, 16622), 1);
    CQENPopupMenu* pEditor = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pEditor);
    const HWND hEditor = pEditor->m_hWnd;
    Drag(PopupItemCentre(pEditor, 0), ViewCentre());
    ASSERT_EQ((Labels{"复制(&C)", "粘贴(&P)"}), PopupLabels(pEditor));

    // The sheet and the menu being edited are still open when the frame is told to close.
    ASSERT_TRUE(::IsWindow(hEditor));
    TestApp().m_pMainWnd = NULL;   // closing the main window would end the test program
    m_frame.SendMessage(WM_CLOSE);
    PumpFor(100);
    EXPECT_FALSE(::IsWindow(m_frame.m_hWnd));
    EXPECT_FALSE(::IsWindow(hEditor));
    EXPECT_EQ(nullptr, g_pToolbarCustomize);
    EXPECT_FALSE(CQENToolBar::s_bCustomizing);

    CQENContextMenuManager restarted;
    ASSERT_TRUE(restarted.RegisterContextMenu("编辑菜单", kEditMenu));
    ASSERT_TRUE(restarted.ReadState(workspace.SettingsPath()));
    EXPECT_EQ((std::vector<UINT>{kCopy, kPaste}), MenuCommands(::GetSubMenu(restarted.FindMenuByName("编辑菜单"), 0)));
}

TEST_F(MenuPageTest, AnimationAndShadowsAreStoredWhenThePageIsLeftAndShownOnlyWithTheirOptions)
{
    HWND hPage = OpenMenuPage();
    HWND hAnimation = ::GetDlgItem(hPage, 16625);
    EXPECT_EQ((Labels{"无", "展开", "滑动"}), ComboEntries(hAnimation));
    EXPECT_EQ(0, (int)::SendMessageA(hAnimation, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, 16626));
    ChooseEntry(hAnimation, 2);
    ClickControl(hPage, 16626);
    ShowPage("命令");
    EXPECT_EQ(CQENPopupMenu::AnimationSlide, CQENPopupMenu::s_nMenuAnimation);
    EXPECT_FALSE(CQENPopupMenu::s_bMenuShadows);
    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);

    hPage = OpenMenuPage(CQENToolbarCustomize::TextLabelsOption | CQENToolbarCustomize::MenuShadowsOption);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, 16625)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, 16629)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, 16626)));
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hPage, 16626));
    ClickControl(hPage, 16626);
    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
    EXPECT_TRUE(CQENPopupMenu::s_bMenuShadows);
    EXPECT_EQ(CQENPopupMenu::AnimationSlide, CQENPopupMenu::s_nMenuAnimation);

    hPage = OpenMenuPage(CQENToolbarCustomize::MenuAnimationOption);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, 16625)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, 16626)));
}

// The main window as the program builds it: its bars, the skins it starts with and switches to,
// the toolbar lists in its menus, the user toolbars, the installer commands and the result page.
#include "AppTestSupport.h"
#include "DibCanvas.h"
#include "GradientBarSkin.h"
#include "GradientButtonSkin.h"
#include "MacSkin.h"
#include "MacStyleSkin.h"
#include "MouseInput.h"
#include "QENContextMenuManager.h"
#include "QENMouseManager.h"
#include "QENPopupMenu.h"
#include "QENToolbarCustomize.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManagerXP.h"
#include "QENWorkspace.h"
#include "ScratchRegistryKey.h"
#include "ScreenPixels.h"
#include "SilverRingSkin.h"
#include "StyleOneSkin.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

// A menu's items as a user reads them: text and check mark.
typedef std::vector<std::pair<std::string, bool>> MenuItems;

MenuItems ItemsOf(CQENPopupMenu* pPopup)
{
    MenuItems items;
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    for (int i = 0; i < pBar->ButtonCount(); i++)
        if (!pBar->ButtonAt(i)->IsSeparator())
            items.emplace_back((const char*)pBar->ButtonAt(i)->m_strLabel, (pBar->ButtonAt(i)->m_nStyle & TBBS_CHECKED) != 0);
    return items;
}

// The skins' menu texts and looks, by skin number.
const char* const s_skinTexts[] = {"Office &XP 风格", "Office &2000 风格", "标准风格(&C)", "MAC风格(&M)", "MAC风格二(&A)",
                                   "风格一(&F)",      "风格二(&I)",        "风格三(&U)",   "风格四(&B)"};
const UINT s_skinCommands[] = {32823, 32824, 32825, 32828, 32830, 32829, 32831, 32832, 32833};
const std::function<bool(CQENVisualManager*)> s_isSkin[] = {
    [](CQENVisualManager* p) { return p->GetRuntimeClass() == RUNTIME_CLASS(CQENVisualManagerXP); },
    [](CQENVisualManager* p) { return p->GetRuntimeClass() == RUNTIME_CLASS(CQENVisualManager) && p->m_bFlatLook; },
    [](CQENVisualManager* p) { return p->GetRuntimeClass() == RUNTIME_CLASS(CQENVisualManager) && !p->m_bFlatLook; },
    [](CQENVisualManager* p) { return dynamic_cast<CMacSkin*>(p) != nullptr; },
    [](CQENVisualManager* p) { return dynamic_cast<CMacStyleSkin*>(p) != nullptr; },
    [](CQENVisualManager* p) { return dynamic_cast<CStyleOneSkin*>(p) != nullptr; },
    [](CQENVisualManager* p) { return dynamic_cast<CSilverRingSkin*>(p) != nullptr; },
    [](CQENVisualManager* p) { return dynamic_cast<CGradientButtonSkin*>(p) != nullptr; },
    [](CQENVisualManager* p) { return dynamic_cast<CGradientBarSkin*>(p) != nullptr; },
};

// The state a command's update handler gives a menu item.
struct CommandState : public CCmdUI
{
    bool bEnabled = true;
    int nCheck = 0;
    void Enable(BOOL bOn) override { bEnabled = bOn != FALSE; }
    void SetCheck(int nCheckState) override { nCheck = nCheckState; }
};

CommandState StateOf(CFrameWnd* pFrame, UINT nCommand)
{
    CommandState state;
    state.m_nID = nCommand;
    state.DoUpdate(pFrame, FALSE);
    return state;
}

// An installer window whose skin setting is the test's, in front, with menus that show all their
// items at once.
class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_bRecentlyUsedMenus = FALSE;
    }

    void TearDown() override
    {
        m_pWindow.reset();
        CQENPopupMenu::s_bRecentlyUsedMenus = TRUE;
        CQENVisualManager::SetOnDemandClass(NULL);
    }

    // Starts the window with "ViewType" as given, or without QENWiz.ini for NULL.
    void Start(const char* pszViewType)
    {
        if (pszViewType == NULL)
            m_setting.Remove();
        else
            m_setting.Store(pszViewType);
        m_pWindow.reset(new CInstallerWindow);
        ::SetForegroundWindow(Frame()->m_hWnd);
        PumpFor(100);
    }

    CMainFrame* Frame() const { return m_pWindow->Frame(); }
    static CQENVisualManager* Current() { return CQENVisualManager::CurrentManager(); }

    void Command(UINT nCommand)
    {
        Frame()->SendMessage(WM_COMMAND, nCommand, 0);
        PumpPendingMessages();
    }

    // Opens the menu of the menu bar's item with this text by a click on it.
    CQENPopupMenu* OpenMenu(const char* pszText)
    {
        CQENMenuBar& bar = Frame()->m_wndMenuBar;
        for (int i = 0; i < bar.ButtonCount(); i++)
            if (bar.ButtonAt(i)->m_strLabel == pszText)
            {
                ClickAt(&bar, bar.ButtonAt(i)->m_rect.CenterPoint());
                return static_cast<CQENToolbarMenuButton*>(bar.ButtonAt(i))->GetPopupMenu();
            }
        return nullptr;
    }

    // Clicks the popup's item with this text; the submenu it opened, if any.
    CQENPopupMenu* ClickItem(CQENPopupMenu* pPopup, const char* pszText)
    {
        CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
        for (int i = 0; i < pBar->ButtonCount(); i++)
            if (pBar->ButtonAt(i)->m_strLabel == pszText)
            {
                CQENToolbarMenuButton* pItem = static_cast<CQENToolbarMenuButton*>(pBar->ButtonAt(i));
                ClickAt(pBar, pItem->m_rect.CenterPoint());
                return pItem->GetPopupMenu();
            }
        ADD_FAILURE() << "no item " << pszText;
        return nullptr;
    }

    // The skin items of the View menu with their check marks; the menu is closed again.
    MenuItems SkinItems()
    {
        CQENPopupMenu* pView = OpenMenu("查看(&V)");
        if (pView == nullptr)
            return {};
        MenuItems items = ItemsOf(pView);
        PressKey(VK_ESCAPE);
        return items.size() < 9 ? items : MenuItems(items.end() - 9, items.end());
    }

    static MenuItems SkinItemsChecked(int nViewType)
    {
        MenuItems items;
        for (int i = 0; i < 9; i++)
            items.emplace_back(s_skinTexts[i], i == nViewType);
        return items;
    }

    CViewTypeSetting m_setting;
    std::unique_ptr<CInstallerWindow> m_pWindow;
};

CRect WindowRectOf(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

} // namespace

TEST_F(MainFrameTest, BarsAreDockedAroundTheFormWithTheirIdsTextsAndPages)
{
    Start("2");
    CMainFrame* pFrame = Frame();
    const struct
    {
        CControlBar* pBar;
        UINT nId;
        UINT nDockBar;
    } bars[] = {{&pFrame->m_wndMenuBar, 59398, AFX_IDW_DOCKBAR_TOP},
                {&pFrame->m_wndToolBar, 59392, AFX_IDW_DOCKBAR_TOP},
                {&pFrame->m_wndOutputBar, 32804, AFX_IDW_DOCKBAR_BOTTOM}};
    for (const auto& bar : bars)
    {
        EXPECT_EQ(bar.nId, (UINT)bar.pBar->GetDlgCtrlID());
        EXPECT_TRUE(bar.pBar->IsWindowVisible()) << bar.nId;
        ASSERT_NE(nullptr, bar.pBar->GetParent());
        EXPECT_EQ(bar.nDockBar, (UINT)bar.pBar->GetParent()->GetDlgCtrlID()) << bar.nId;
    }
    EXPECT_EQ(59393, pFrame->m_wndStatusBar.GetDlgCtrlID());
    EXPECT_EQ(32816, pFrame->m_wndCaptionBar.GetDlgCtrlID());

    EXPECT_EQ("标准", WindowText(pFrame->m_wndToolBar));
    std::vector<UINT> commands;
    for (int i = 0; i < pFrame->m_wndToolBar.ButtonCount(); i++)
        commands.push_back(pFrame->m_wndToolBar.ButtonAt(i)->m_nCommandId);
    EXPECT_EQ((std::vector<UINT>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0, 57664}), commands);
    std::vector<std::string> menus;
    for (int i = 0; i < pFrame->m_wndMenuBar.ButtonCount(); i++)
        menus.push_back((const char*)pFrame->m_wndMenuBar.ButtonAt(i)->m_strLabel);
    EXPECT_EQ((std::vector<std::string>{"文件(&F)", "编辑(&E)", "查看(&V)", "工具(&T)", "帮助(&H)"}), menus);

    // From the top: the bars, the caption bar, the form, the output bar, the status bar.
    const CRect rectToolBar = WindowRectOf(&pFrame->m_wndToolBar), rectCaption = WindowRectOf(&pFrame->m_wndCaptionBar);
    const CRect rectView = WindowRectOf(m_pWindow->View()), rectOutput = WindowRectOf(&pFrame->m_wndOutputBar);
    const CRect rectStatus = WindowRectOf(&pFrame->m_wndStatusBar);
    EXPECT_LT(WindowRectOf(&pFrame->m_wndMenuBar).CenterPoint().y, rectToolBar.top);
    EXPECT_LE(rectToolBar.bottom, rectCaption.top);
    EXPECT_LE(rectCaption.bottom, rectView.top);
    EXPECT_LE(rectView.bottom, rectOutput.top);
    EXPECT_LE(rectOutput.bottom, rectStatus.top);
    EXPECT_GT(rectCaption.Height(), 0);

    // The caption bar's message and picture at its right end, the picture outermost.
    CQENCaptionBar& caption = pFrame->m_wndCaptionBar;
    EXPECT_EQ("安装支持中文的QEN ControlBar Application Wizard", std::string(caption.GetText()));
    CRect rectClient;
    caption.GetClientRect(&rectClient);
    EXPECT_FALSE(caption.ImageRect().IsRectEmpty());
    EXPECT_GT(caption.TextRect().left, rectClient.Width() / 3);
    EXPECT_LE(caption.TextRect().right, caption.ImageRect().left);

    COutputBar& output = pFrame->m_wndOutputBar;
    ASSERT_EQ(3, output.m_wndTabs.GetTabCount());
    CString strLabel;
    std::vector<std::string> labels;
    for (int i = 0; i < 3; i++)
        labels.push_back(output.m_wndTabs.GetLabel(i, strLabel) ? (const char*)strLabel : "");
    EXPECT_EQ((std::vector<std::string>{"版本信息", "安装结果", "输出三"}), labels);
    CString strWelcome;
    strWelcome.LoadString(61450);
    EXPECT_EQ((const char*)strWelcome, WindowText(output.m_wndTabs.GetPage(0)->m_hWnd));
    EXPECT_NE(std::string::npos, WindowText(output.m_wndTabs.GetPage(0)->m_hWnd).find("Build 020202"));
    EXPECT_EQ(0, output.m_wndTabs.GetActiveTab());
}

TEST_F(MainFrameTest, TheRunWritesItsLinesOnTheResultPageAndBringsItToTheFront)
{
    Start("0");
    COutputBar& output = Frame()->m_wndOutputBar;
    ASSERT_TRUE(output.m_wndVersionEdit.IsWindowVisible());
    m_pWindow->SetText(IDC_VSDIR, "");
    m_pWindow->Click(IDC_START_INSTALL);
    PumpPendingMessages();
    EXPECT_EQ(1, output.m_wndTabs.GetActiveTab());
    EXPECT_TRUE(output.m_wndResultEdit.IsWindowVisible());
    EXPECT_FALSE(output.m_wndVersionEdit.IsWindowVisible());
    EXPECT_EQ("安装失败！\r\n", WindowText(output.m_wndResultEdit));
    EXPECT_EQ(std::string::npos, WindowText(output.m_wndVersionEdit).find("安装失败"));
}

TEST_F(MainFrameTest, ChoosingTheSkinShownWritesNothingAndKeepsItsLook)
{
    Start(nullptr);
    CQENVisualManager* pShown = Current();
    EXPECT_TRUE(s_isSkin[0](pShown)) << "no QENWiz.ini: the XP look";
    Command(32823);
    EXPECT_FALSE(m_setting.Exists());
    EXPECT_EQ(pShown, Current());

    Command(32831);
    EXPECT_EQ("6", m_setting.ViewType());
    const std::string strWritten = m_setting.Contents();
    pShown = Current();
    Command(32831);
    EXPECT_EQ(strWritten, m_setting.Contents());
    EXPECT_EQ(pShown, Current());
}

TEST_F(MainFrameTest, EverySkinCommandSwitchesTheLookMarksItsItemAndIsStored)
{
    Start("2");
    EXPECT_EQ(SkinItemsChecked(2), SkinItems());
    for (int nSkin : {3, 4, 5, 6, 7, 8, 1, 0})
    {
        Command(s_skinCommands[nSkin]);
        EXPECT_TRUE(s_isSkin[nSkin](Current())) << "skin " << nSkin;
        EXPECT_EQ(std::to_string(nSkin), m_setting.ViewType());
    }
    EXPECT_EQ(SkinItemsChecked(0), SkinItems());

    // Chosen from the menu by the mouse.
    CQENPopupMenu* pView = OpenMenu("查看(&V)");
    ASSERT_NE(nullptr, pView);
    ClickItem(pView, "风格三(&U)");
    EXPECT_TRUE(s_isSkin[7](Current()));
    EXPECT_EQ("7", m_setting.ViewType());
    EXPECT_EQ(SkinItemsChecked(7), SkinItems());
}

TEST_F(MainFrameTest, EveryLookDrawsTheOutputBarsEdgeToItsEndAndTheLabelsOfItsPages)
{
    Start("0");
    COutputBar& output = Frame()->m_wndOutputBar;
    CQENTabWnd& tabs = output.m_wndTabs;
    for (int nSkin = 0; nSkin < 9; nSkin++)
    {
        Command(s_skinCommands[nSkin]);
        RunIdleCycle();   // the layout the new look's sizes call for
        PumpPendingMessages();
        // On black, so that whatever the bar leaves unpainted shows.
        {
            CWindowDC dc(&output);
            dc.FillSolidRect(CRect(CPoint(0, 0), WindowRectOf(&output).Size()), RGB(0, 0, 0));
        }
        output.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

        // The strip above the pages, right of the gripper, up to the bar's right end.
        CRect rectStrip = WindowRectOf(&output), rectPages;
        output.GetClientRect(&rectPages);
        output.ClientToScreen(&rectPages);
        rectStrip.SetRect(rectPages.left, rectStrip.top, rectStrip.right, rectPages.top);
        Frame()->ScreenToClient(&rectStrip);
        ASSERT_GT(rectStrip.Height(), 0);
        EXPECT_EQ(0, ScreenCount(Frame(), rectStrip, RGB(0, 0, 0))) << "skin " << nSkin;

        for (int iTab : {1, 2})
        {
            // Inside the tab's outline, where only its label is dark.
            CRect rectLabel;
            ASSERT_TRUE(tabs.GetTabRect(iTab, rectLabel));
            rectLabel.DeflateRect(tabs.GetTabsHeight() / 4 + 2, 3);
            EXPECT_GT(DarkPixels(&tabs, rectLabel), 10) << "skin " << nSkin << ", tab " << iTab;
        }
    }
}

TEST_F(MainFrameTest, TheRingSkinDrawsRingsOnToolbarButtonsButLeavesTheMenuBarInTheXPLook)
{
    Start("0");
    CMainFrame* pFrame = Frame();
    SendMouseInput(CPoint(0, ::GetSystemMetrics(SM_CYSCREEN) - 1));
    auto shot = [](CQENToolBar& bar, int iButton) {
        bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        CRect rect = bar.ButtonAt(iButton)->m_rect;
        bar.ClientToScreen(&rect);
        DibCanvas canvas(rect.Width(), rect.Height());
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(canvas.dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < rect.Height(); y++)
            for (int x = 0; x < rect.Width(); x++)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> menuXP = shot(pFrame->m_wndMenuBar, 0), buttonXP = shot(pFrame->m_wndToolBar, 0);
    Command(32831);
    EXPECT_TRUE(menuXP == shot(pFrame->m_wndMenuBar, 0));
    EXPECT_FALSE(buttonXP == shot(pFrame->m_wndToolBar, 0));
}

TEST_F(MainFrameTest, SkinTwoAfterAnySkinIsTheClassicLookWithoutTheFlatLook)
{
    Start("2");
    for (int nSkin = 3; nSkin <= 8; nSkin++)
    {
        Command(s_skinCommands[nSkin]);
        Command(32825);
        EXPECT_EQ(RUNTIME_CLASS(CQENVisualManager), Current()->GetRuntimeClass()) << "after skin " << nSkin;
        EXPECT_FALSE(Current()->m_bFlatLook) << "after skin " << nSkin;
    }
}

TEST_F(MainFrameTest, SkinsChosenAfterTheXPLookLeaveXPAsTheLookMadeOnDemand)
{
    Start("1");
    Command(32828);
    delete Current();
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManager), Current()->GetRuntimeClass()) << "before XP was chosen";

    Command(32823);
    for (int nSkin = 3; nSkin <= 8; nSkin++)
    {
        Command(s_skinCommands[nSkin]);
        ASSERT_TRUE(s_isSkin[nSkin](Current()));
        delete Current();
        EXPECT_EQ(RUNTIME_CLASS(CQENVisualManagerXP), Current()->GetRuntimeClass()) << "after skin " << nSkin;
    }
}

TEST_F(MainFrameTest, StoredNumbersOutsideTheSkinsShowXPWithNoItemMarked)
{
    for (const char* pszViewType : {"9", "-1"})
    {
        Start(pszViewType);
        EXPECT_TRUE(s_isSkin[0](Current())) << pszViewType;
        EXPECT_EQ(SkinItemsChecked(-1), SkinItems()) << pszViewType;
        m_pWindow.reset();
    }
    Start("5");
    EXPECT_TRUE(s_isSkin[5](Current()));
    EXPECT_EQ(SkinItemsChecked(5), SkinItems());
}

TEST_F(MainFrameTest, UserToolbarCommandsToggleTheirBarsAndTheToolbarMenuListsThem)
{
    Start("0");
    CMainFrame* pFrame = Frame();
    ASSERT_NE(0, pFrame->SendMessage(QENM_TOOLBAR_CREATE, 0, (LPARAM) "甲"));
    CQENToolBar* pSecond = reinterpret_cast<CQENToolBar*>(pFrame->SendMessage(QENM_TOOLBAR_CREATE, 0, (LPARAM) "乙"));
    ASSERT_NE(nullptr, pSecond);
    PumpPendingMessages();

    EXPECT_TRUE(StateOf(pFrame, 32794).bEnabled);
    EXPECT_EQ(1, StateOf(pFrame, 32794).nCheck);
    EXPECT_FALSE(StateOf(pFrame, 32795).bEnabled) << "no third user toolbar";
    Command(32794);
    EXPECT_FALSE(pSecond->IsWindowVisible());
    EXPECT_TRUE(StateOf(pFrame, 32794).bEnabled);
    EXPECT_EQ(0, StateOf(pFrame, 32794).nCheck);
    Command(32795);

    // View → 工具栏 lists the frame's bars and the user toolbars by name, shown ones checked.
    CQENPopupMenu* pView = OpenMenu("查看(&V)");
    ASSERT_NE(nullptr, pView);
    CQENPopupMenu* pToolbars = ClickItem(pView, "工具栏(&T)");
    ASSERT_NE(nullptr, pToolbars);
    EXPECT_EQ((MenuItems{{"标准工具栏", true},
                         {"输出窗口(&O)", true},
                         {"标题栏(&C)", true},
                         {"甲", true},
                         {"乙", false},
                         {"自定义(&C)...", false}}),
              ItemsOf(pToolbars));
    ClickItem(pToolbars, "乙");
    EXPECT_TRUE(pSecond->IsWindowVisible());

    // While the customization sheet is open that sub-menu is refused.
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    HMENU hToolbarsMenu = ::GetSubMenu(::GetSubMenu(menu.m_hMenu, 2), 0);
    Command(ID_VIEW_CUSTOMIZE);
    ASSERT_NE(nullptr, g_pToolbarCustomize);
    CQENPopupMenu* pRefused = new CQENPopupMenu;
    EXPECT_FALSE(pRefused->Create(pFrame, 200, 200, hToolbarsMenu));
    g_pToolbarCustomize->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    ASSERT_EQ(nullptr, g_pToolbarCustomize);
    CQENPopupMenu* pShown = new CQENPopupMenu;
    ASSERT_TRUE(pShown->Create(pFrame, 200, 200, hToolbarsMenu));
    EXPECT_EQ(6u, ItemsOf(pShown).size());
    pShown->SendMessage(WM_CLOSE);
    PumpPendingMessages();
}

TEST_F(MainFrameTest, TheDockAreasMenuTogglesTheOutputAndCaptionBars)
{
    Start("0");
    CMainFrame* pFrame = Frame();
    CWnd* pTopDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pTopDock);
    // Beside the toolbar, in the dock bar's own area.
    CRect rectToolBar = WindowRectOf(&pFrame->m_wndToolBar);
    pTopDock->ScreenToClient(&rectToolBar);
    CRect rectDock;
    pTopDock->GetClientRect(&rectDock);
    ASSERT_LT(rectToolBar.right + 20, rectDock.right);
    auto openBarsMenu = [&]() {
        ClickAt(pTopDock, CPoint(rectToolBar.right + 10, rectToolBar.CenterPoint().y), true);
        return CQENPopupMenu::s_pActivePopupMenu;
    };

    CQENPopupMenu* pMenu = openBarsMenu();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ((MenuItems{{"标准工具栏", true}, {"输出窗口(&O)", true}, {"标题栏(&C)", true}, {"自定义(&C)...", false}}),
              ItemsOf(pMenu));
    const CRect rectViewBefore = WindowRectOf(m_pWindow->View());
    ClickItem(pMenu, "输出窗口(&O)");
    EXPECT_FALSE(pFrame->m_wndOutputBar.IsWindowVisible());
    EXPECT_GT(WindowRectOf(m_pWindow->View()).bottom, rectViewBefore.bottom) << "the form takes the room";
    Command(ID_VIEW_CAPTIONBAR);
    EXPECT_FALSE(pFrame->m_wndCaptionBar.IsWindowVisible());
    EXPECT_LT(WindowRectOf(m_pWindow->View()).top, rectViewBefore.top);

    pMenu = openBarsMenu();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ((MenuItems{{"标准工具栏", true}, {"输出窗口(&O)", false}, {"标题栏(&C)", false}, {"自定义(&C)...", false}}),
              ItemsOf(pMenu));
    ClickItem(pMenu, "标题栏(&C)");
    EXPECT_TRUE(pFrame->m_wndCaptionBar.IsWindowVisible());

    // Its last item opens the customization sheet of this frame, user toolbars included.
    pMenu = openBarsMenu();
    ASSERT_NE(nullptr, pMenu);
    ClickItem(pMenu, "自定义(&C)...");
    ASSERT_NE(nullptr, g_pToolbarCustomize);
    EXPECT_TRUE(g_pToolbarCustomize->IsWindowVisible());
    EXPECT_EQ(pFrame, g_pToolbarCustomize->GetFrame());
    EXPECT_TRUE(g_pToolbarCustomize->UserToolbarsEnabled());
    EXPECT_TRUE(CQENToolBar::s_bCustomizing);
    g_pToolbarCustomize->SendMessage(WM_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(nullptr, g_pToolbarCustomize);
    EXPECT_FALSE(CQENToolBar::s_bCustomizing);
}

TEST_F(MainFrameTest, InstallerCommandsDoNothingBeforeTheViewExists)
{
    m_setting.Store("0");
    ASSERT_EQ(nullptr, g_pWizView);
    CMainFrame* pFrame = static_cast<CMainFrame*>(RUNTIME_CLASS(CMainFrame)->CreateObject());
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, NULL, NULL));
    for (UINT nCommand : {ID_TOOLS_START_INSTALL, ID_TOOLS_DETECT_FOLDERS})
        pFrame->SendMessage(WM_COMMAND, nCommand, 0);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, NULL, WM_DETECTFOLDERS, WM_STARTINSTALL, PM_NOREMOVE)) << "nothing was posted";
    PumpPendingMessages();
    EXPECT_EQ("", WindowText(pFrame->m_wndOutputBar.m_wndResultEdit));
    pFrame->DestroyWindow();
    PumpPendingMessages();
}

TEST_F(MainFrameTest, TheViewRunsItsDoubleClickCommandAndShowsItsContextMenuThroughTheWorkspace)
{
    CScratchRegistryKey registry("ViewInput");
    CQENWorkspace workspace;
    ASSERT_TRUE(workspace.CreateMouseManager());
    ASSERT_TRUE(workspace.CreateContextMenuManager());
    ASSERT_TRUE(g_pMouseManager->RegisterView(IDR_MAINFRAME, "My view", IDR_MAINFRAME));
    ASSERT_TRUE(g_pContextMenuManager->RegisterContextMenu("上下文菜单", IDR_CONTEXT_MENU));
    const UINT nBound = CTestApp::ID_APP_COMMAND_FIRST;
    g_pMouseManager->BindDoubleClickCommand(IDR_MAINFRAME, nBound);
    Start("0");
    CQENWizView* pView = m_pWindow->View();

    // A place on the form's background, where no control is.
    CRect rectClient;
    pView->GetClientRect(&rectClient);
    CPoint ptFree(-1, -1);
    for (int y = rectClient.bottom - 10; y > 0 && ptFree.y < 0; y -= 10)
        for (int x = 10; x < rectClient.right && ptFree.x < 0; x += 10)
            if (::ChildWindowFromPointEx(pView->m_hWnd, CPoint(x, y), CWP_SKIPINVISIBLE) == pView->m_hWnd)
                ptFree = CPoint(x, y);
    ASSERT_GE(ptFree.y, 0);

    TestApp().m_nLastAppCommand = 0;
    ClickAt(pView, ptFree);
    ClickAt(pView, ptFree);
    EXPECT_EQ(nBound, TestApp().m_nLastAppCommand) << "the bound command reached the program";

    ClickAt(pView, ptFree, true);
    CQENPopupMenu* pMenu = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pMenu);
    const MenuItems expected = {{"剪切(&T)", false},     {"复制(&C)", false},     {"粘贴(&P)", false},
                                {"开始安装(&B)", false}, {"检测目录(&D)", false}, {"退出(&X)", false}};
    EXPECT_EQ(expected, ItemsOf(pMenu));
    CPoint ptScreen = ptFree;
    pView->ClientToScreen(&ptScreen);
    EXPECT_EQ(ptScreen, WindowRectOf(pMenu).TopLeft()) << "opened where the user clicked";
    PressKey(VK_ESCAPE);
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
}

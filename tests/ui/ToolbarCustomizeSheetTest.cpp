#include "BeepRecorder.h"
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENButtonImageList.h"
#include "QENCommandUsage.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"
#include "QENToolbarCustomize.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "ScratchFolder.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const UINT kMenu = 0x5C00;
const UINT kNew = 0x5C01;
const UINT kExit = 0x5C03;
const UINT kCopy = 0x5C04;
const UINT kCount = 0x5C06;
const UINT kOwnPage = 0x5C40;
const UINT kStandardToolbar = 0x3E00;   // commands 1, separator, 2
const UINT kFirstUserBar = 0xE828;
const UINT kLastUserBar = 0xE831;

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

// Input goes through the X server and may come after messages posted meanwhile: a test that posts
// one after a click waits for the click's effect first.
bool WaitFor(const std::function<bool()>& done)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 5000;)
    {
        if (done())
            return true;
        PumpFor(20);
    }
    return done();
}

CPoint ScreenPoint(HWND hWnd, CPoint ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

void ClickAt(CPoint ptScreen)
{
    SendMouseInput(ptScreen);
    PumpFor(60);
    SendMouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN);
    PumpFor(60);
    SendMouseInput(ptScreen, MOUSEEVENTF_LEFTUP);
    PumpFor(150);
}

CRect ItemRect(HWND hList, int iItem)
{
    CRect rect;
    ::SendMessageA(hList, LB_GETITEMRECT, (WPARAM)iItem, (LPARAM)&rect);
    return rect;
}

CPoint ItemCentre(HWND hList, int iItem)
{
    return ScreenPoint(hList, ItemRect(hList, iItem).CenterPoint());
}

std::string ItemText(HWND hList, int iItem)
{
    char szText[512] = "";
    ::SendMessageA(hList, LB_GETTEXT, (WPARAM)iItem, (LPARAM)szText);
    return szText;
}

std::vector<std::string> Items(HWND hList)
{
    std::vector<std::string> items;
    const int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
        items.push_back(ItemText(hList, i));
    return items;
}

int FindItem(HWND hList, const std::string& strText)
{
    const std::vector<std::string> items = Items(hList);
    for (size_t i = 0; i < items.size(); i++)
        if (items[i] == strText)
            return (int)i;
    return -1;
}

// The command ids of a bar from left to right, 0 for a separator.
std::vector<UINT> Commands(const CQENToolBar* pBar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->ButtonCount(); i++)
        ids.push_back(pBar->ButtonAt(i)->m_nCommandId);
    return ids;
}

// A drag from one screen point to another, sent from a second thread: the drag loop is modal on
// this one.
struct DragInput
{
    CPoint ptFrom;
    CPoint ptTo;
};

DWORD WINAPI SendDrag(LPVOID pParam)
{
    const DragInput& drag = *static_cast<const DragInput*>(pParam);
    SendMouseInput(drag.ptFrom);
    ::Sleep(120);
    SendMouseInput(drag.ptFrom, MOUSEEVENTF_LEFTDOWN);
    ::Sleep(120);
    const CPoint ptStep = drag.ptTo - drag.ptFrom;
    for (int n = 1; n <= 6; n++)
    {
        SendMouseInput(drag.ptFrom + CPoint(ptStep.x * n / 6, ptStep.y * n / 6 + (n < 6 ? 1 : 0)));
        ::Sleep(120);
    }
    SendMouseInput(drag.ptTo, MOUSEEVENTF_LEFTUP);
    ::Sleep(120);
    return 0;
}

// A right click on a point and, once the menu there is open, the key of one of its items.
struct MenuChoice
{
    CPoint ptScreen;
    WORD wKey;
};

DWORD WINAPI SendMenuChoice(LPVOID pParam)
{
    const MenuChoice& choice = *static_cast<const MenuChoice*>(pParam);
    SendMouseInput(choice.ptScreen);
    ::Sleep(120);
    SendMouseInput(choice.ptScreen, MOUSEEVENTF_RIGHTDOWN);
    ::Sleep(60);
    SendMouseInput(choice.ptScreen, MOUSEEVENTF_RIGHTUP);
    ::Sleep(300);
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = choice.wKey;
    ::SendInput(1, &key, sizeof key);
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &key, sizeof key);
    return 0;
}

void RunOnSecondThread(LPTHREAD_START_ROUTINE pfnSend, void* pInput)
{
    HANDLE hThread = ::CreateThread(NULL, 0, pfnSend, pInput, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpPendingMessages();
    ::CloseHandle(hThread);
    PumpFor(200);
}

// A bitmap file of nCount white images of 16 × 15 pixels, 24 bits each.
std::string WhiteImages(int nCount)
{
    const int cx = 16 * nCount, cy = 15, nStride = (cx * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + nStride * cy;
    info.biSize = sizeof info;
    info.biWidth = cx;
    info.biHeight = cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append((size_t)(nStride * cy), '\xFF');
    return bytes;
}

void Drag(CPoint ptFrom, CPoint ptTo)
{
    DragInput drag = {ptFrom, ptTo};
    RunOnSecondThread(SendDrag, &drag);
}

// A toolbar the user may not close.
class CFixedToolBar : public CQENToolBar
{
public:
    BOOL CanClose() const override { return FALSE; }
};

// A library frame that records the customization messages it is sent.
class CSheetTestFrame : public CQENFrameWnd
{
public:
    std::vector<WPARAM> m_customizeMessages;
    std::vector<std::pair<WPARAM, LPARAM>> m_helpRequests;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_CUSTOMIZE)
            m_customizeMessages.push_back(wParam);
        else if (message == QENM_TOOLBAR_CUSTOMIZEHELP)
            m_helpRequests.emplace_back(wParam, lParam);
        return CQENFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// What the frame's save finds when the frame closes.
class CClosingWitness : public CQENFrameServices
{
public:
    CString RegistrySectionPath() override { return ""; }
    BOOL LoadPlacement(CRect&, UINT&, UINT&) override { return FALSE; }
    void StorePlacement(const CRect&, UINT, UINT) override {}
    void LoadFrameState(CFrameWnd*) override {}
    void OnFrameClosing(CFrameWnd* pFrame) override
    {
        m_bSaved = TRUE;
        m_bCustomizing = CQENToolBar::s_bCustomizing;
        m_bSheetOpen = g_pToolbarCustomize != NULL;
        m_bViewEnabled = ::IsWindowEnabled(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
    }
    BOOL RunUserTool(UINT) override { return FALSE; }

    BOOL m_bSaved = FALSE;
    BOOL m_bCustomizing = TRUE;
    BOOL m_bSheetOpen = TRUE;
    BOOL m_bViewEnabled = FALSE;
};

// A shown library frame with the test menu on its menu bar, a toolbar "标准" of commands 1,
// separator, 2, room for ten user toolbars and an edit control standing in for its view.
class ToolbarCustomizeSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        m_pFrame = new CSheetTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "customize sheet", WS_OVERLAPPEDWINDOW, CRect(20, 20, 560, 380), NULL,
                                     MAKEINTRESOURCE(kMenu)));
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_view.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(m_menuBar.CreateEx(m_pFrame));
        m_pFrame->AttachMenuBar(&m_menuBar);
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
        ASSERT_TRUE(m_toolBar.CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                                       CRect(1, 1, 1, 1), 0xE810));
        ASSERT_TRUE(m_toolBar.BuildFromResource(kStandardToolbar));
        m_toolBar.SetWindowText("标准");
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
        m_pFrame->SetUserToolbarRange(NULL, kFirstUserBar, kLastUserBar);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(100);
    }

    void TearDown() override
    {
        if (g_pToolbarCustomize != NULL)
            g_pToolbarCustomize->DestroyWindow();
        if (::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        delete m_pFrame;
        AfxGetApp()->m_pMainWnd = NULL;
        CQENToolBar::s_bTooltipsOn = TRUE;
        ::OleUninitialize();
    }

    CQENToolbarCustomize* OpenSheet(UINT uiFlags = 0x0F)
    {
        CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(m_pFrame, TRUE, uiFlags);
        pSheet->EnableUserToolbars();
        EXPECT_TRUE(pSheet->Create());
        // Beside the frame, so that the bars can be reached.
        pSheet->SetWindowPos(NULL, 580, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(150);
        return pSheet;
    }

    // The page with the caption, made current by a click on its tab.
    HWND ShowPage(CQENToolbarCustomize* pSheet, const char* pszCaption)
    {
        HWND hTabs = pSheet->GetTabControl()->m_hWnd;
        const std::vector<std::string> captions = TabCaptions(hTabs);
        for (int i = 0; i < (int)captions.size(); i++)
        {
            if (captions[i] != pszCaption)
                continue;
            CRect rectTab;
            ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)i, (LPARAM)&rectTab);
            ClickAt(ScreenPoint(hTabs, rectTab.CenterPoint()));
            return pSheet->GetActivePage() != NULL ? pSheet->GetActivePage()->m_hWnd : NULL;
        }
        return NULL;
    }

    static void ClickControl(HWND hDialog, int nId)
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(hDialog, nId), &rect);
        ClickAt(rect.CenterPoint());
    }

    // A click on the check box in front of an entry of a check list.
    static void ClickCheckBox(HWND hList, int iItem)
    {
        const CRect rect = ItemRect(hList, iItem);
        ClickAt(ScreenPoint(hList, CPoint(rect.left + 7, rect.CenterPoint().y)));
    }

    CSheetTestFrame* m_pFrame = NULL;
    CEdit m_view;
    CQENMenuBar m_menuBar;
    CQENToolBar m_toolBar;
};

} // namespace

TEST_F(ToolbarCustomizeSheetTest, TheSheetPutsTheLibraryInCustomizationModeUntilItsCloseButtonIsClicked)
{
    CQENToolbarCustomize* pSheet = OpenSheet();
    ASSERT_EQ(pSheet, g_pToolbarCustomize);
    EXPECT_EQ("自定义", WindowText(pSheet->m_hWnd));
    EXPECT_TRUE(CQENToolBar::s_bCustomizing);
    EXPECT_FALSE(m_view.IsWindowEnabled());
    EXPECT_TRUE(m_toolBar.IsWindowEnabled());
    EXPECT_EQ((std::vector<WPARAM>{TRUE}), m_pFrame->m_customizeMessages);
    // The frame runs no command meanwhile.
    EXPECT_FALSE(m_pFrame->SendMessage(WM_COMMAND, kExit));

    // Only Close and the help picture; help asks the frame, naming the page shown.
    HWND hSheet = pSheet->m_hWnd;
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hSheet, IDOK)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hSheet, ID_APPLY_NOW)));
    EXPECT_EQ("关闭", WindowText(::GetDlgItem(hSheet, IDCANCEL)));
    HWND hHelp = ::GetDlgItem(hSheet, IDHELP);
    ASSERT_TRUE(::IsWindowVisible(hHelp));
    EXPECT_NE(0, ::SendMessageA(hHelp, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ShowPage(pSheet, "工具栏");
    ClickControl(hSheet, IDHELP);
    ASSERT_EQ(1u, m_pFrame->m_helpRequests.size());
    EXPECT_EQ(1u, m_pFrame->m_helpRequests[0].first);
    EXPECT_EQ((LPARAM)pSheet, m_pFrame->m_helpRequests[0].second);

    ClickControl(hSheet, IDCANCEL);
    EXPECT_FALSE(::IsWindow(hSheet));
    EXPECT_EQ(NULL, g_pToolbarCustomize);
    EXPECT_FALSE(CQENToolBar::s_bCustomizing);
    EXPECT_TRUE(m_view.IsWindowEnabled());
    EXPECT_EQ((std::vector<WPARAM>{TRUE, FALSE}), m_pFrame->m_customizeMessages);

    // Without help: no help button.
    pSheet = OpenSheet(0x0F | CQENToolbarCustomize::NoHelpOption);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(pSheet->m_hWnd, IDHELP)));
}

TEST_F(ToolbarCustomizeSheetTest, TheApplicationsPagesComeBeforeTheOptionsAndTheCaptionMayOfferContextHelp)
{
    CPropertyPage ownPage(kOwnPage);
    CList<CPropertyPage*, CPropertyPage*> extraPages;
    extraPages.AddTail(&ownPage);
    CQENToolbarCustomize* pSheet =
        new CQENToolbarCustomize(m_pFrame, TRUE, 0x0F | CQENToolbarCustomize::ContextHelpOption, &extraPages);
    ASSERT_TRUE(pSheet->Create());
    PumpFor(150);
    HWND hTabs = pSheet->GetTabControl()->m_hWnd;
    const std::vector<std::string> captions = TabCaptions(hTabs);
    // No keyboard, mouse or tools manager here: only the menu bar brings the menus page.
    EXPECT_EQ((std::vector<std::string>{"命令", "工具栏", "菜单", "我的页", "选项"}), captions);
    EXPECT_TRUE(pSheet->GetExStyle() & WS_EX_CONTEXTHELP);
    pSheet->DestroyWindow();

    pSheet = OpenSheet();
    EXPECT_FALSE(pSheet->GetExStyle() & WS_EX_CONTEXTHELP);
}

TEST_F(ToolbarCustomizeSheetTest, ClosingTheFrameClosesTheSheetBeforeTheStateIsSaved)
{
    CClosingWitness witness;
    CQENFrameServices* pServicesBefore = CQENFrameServices::s_pActive;
    CQENFrameServices::s_pActive = &witness;
    OpenSheet();
    // Closing the main window would end the test program.
    AfxGetApp()->m_pMainWnd = NULL;
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(100);
    CQENFrameServices::s_pActive = pServicesBefore;

    ASSERT_TRUE(witness.m_bSaved);
    EXPECT_FALSE(witness.m_bCustomizing);
    EXPECT_FALSE(witness.m_bSheetOpen);
    EXPECT_TRUE(witness.m_bViewEnabled);
    EXPECT_FALSE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_EQ((std::vector<WPARAM>{TRUE, FALSE}), m_pFrame->m_customizeMessages);
}

TEST_F(ToolbarCustomizeSheetTest, TheCommandsPageListsTheMenusCommandsByCategoryAndTheirPathWhereTheyRepeat)
{
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = pSheet->GetActivePage()->m_hWnd;
    HWND hCategories = ::GetDlgItem(hPage, 16601);
    HWND hCommands = ::GetDlgItem(hPage, 16602);
    ASSERT_EQ((std::vector<std::string>{"文件(F)", "编辑(E)", "工具", "新菜单", "所有命令"}), Items(hCategories));

    // No recent file; the text ends at the tab; the prompt describes the command clicked.
    EXPECT_EQ((std::vector<std::string>{"新建(N)", "打开(O)...", "退出(X)"}), Items(hCommands));
    ClickAt(ItemCentre(hCommands, 2));
    EXPECT_EQ("退出程序", WindowText(::GetDlgItem(hPage, 16603)));

    // Copy sits in two categories: each shows its own menu path, blanks out and the word after one
    // capitalised. The submenu is there as a whole too; the system command is not.
    ClickAt(ItemCentre(hCategories, 1));
    EXPECT_EQ((std::vector<std::string>{"编辑(E)复制(C)", "选择性粘贴", "纯文本"}), Items(hCommands));
    ClickAt(ItemCentre(hCategories, 2));
    EXPECT_EQ((std::vector<std::string>{"工具copyFile", "统计"}), Items(hCommands));
    ClickAt(ItemCentre(hCategories, 3));
    EXPECT_EQ((std::vector<std::string>{"新菜单"}), Items(hCommands));

    // Every command once, by its path, sorted.
    std::vector<std::string> all = {"文件(F)新建(N)", "文件(F)打开(O)...", "文件(F)退出(X)", "编辑(E)复制(C)",
                                    "选择性粘贴", "编辑(E)选择性粘贴纯文本", "工具统计", "新菜单"};
    std::sort(all.begin(), all.end());
    ClickAt(ItemCentre(hCategories, 4));
    EXPECT_EQ(all, Items(hCommands));
}

TEST_F(ToolbarCustomizeSheetTest, ACommandDraggedFromTheSheetLandsOnAToolbarTheMenuBarAndAnOpenMenu)
{
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hCommands = ::GetDlgItem(pSheet->GetActivePage()->m_hWnd, 16602);
    const CPoint ptExit = ItemCentre(hCommands, 2);
    const CPoint ptNew = ItemCentre(hCommands, 0);

    // After the last button of the toolbar: it has no image, so it shows its text.
    const CRect rectTwo = m_toolBar.GetItemRect(m_toolBar.IndexOfCommand(2));
    Drag(ptExit, ScreenPoint(m_toolBar.m_hWnd, CPoint(rectTwo.right - 3, rectTwo.CenterPoint().y)));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2, kExit}), Commands(&m_toolBar));
    EXPECT_EQ("退出(X)", std::string(m_toolBar.TextAt(3)));
    EXPECT_GT(m_toolBar.GetItemRect(3).Width(), rectTwo.Width());
    // The sheet keeps the command.
    EXPECT_EQ("退出(X)", ItemText(hCommands, 2));

    // Onto the menu bar, after its last menu.
    const CRect rectTools = m_menuBar.GetItemRect(2);
    Drag(ptNew, ScreenPoint(m_menuBar.m_hWnd, CPoint(rectTools.right - 3, rectTools.CenterPoint().y)));
    ASSERT_EQ(4, m_menuBar.ButtonCount());
    EXPECT_EQ(kNew, m_menuBar.ButtonAt(3)->m_nCommandId);

    // Into the open edit menu, below its first item.
    CQENToolbarMenuButton* pEdit = static_cast<CQENToolbarMenuButton*>(m_menuBar.ButtonAt(1));
    ASSERT_TRUE(pEdit->OpenPopupMenu(&m_menuBar));
    PumpFor(150);
    CQENPopupMenuBar* pItems = pEdit->GetPopupMenu()->GetMenuBar();
    ASSERT_EQ(kCopy, pItems->ButtonAt(0)->m_nCommandId);
    const CRect rectCopy = pItems->GetItemRect(0);
    Drag(ptExit, ScreenPoint(pItems->m_hWnd, CPoint(rectCopy.CenterPoint().x, rectCopy.bottom - 2)));
    ASSERT_TRUE(pEdit->GetPopupMenu() != NULL);
    EXPECT_EQ(kExit, pItems->ButtonAt(1)->m_nCommandId);
    EXPECT_EQ("退出(X)", std::string(pItems->TextAt(1)));
}

TEST_F(ToolbarCustomizeSheetTest, UserToolbarsAreMadeRenamedAndDeletedAfterTheyAreNamedInTheQuestion)
{
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "工具栏");
    ASSERT_TRUE(hPage != NULL);
    HWND hList = ::GetDlgItem(hPage, 16611);
    const size_t nListed = Items(hList).size();

    {
        CDialogResponder nameDialog(IDOK, 16516, "我的工具栏");
        ClickControl(hPage, 16615);
        EXPECT_TRUE(std::any_of(nameDialog.m_boxes.begin(), nameDialog.m_boxes.end(),
                                [](const CDialogResponder::Box& box) { return box.strCaption == "工具条名称"; }));
    }
    CQENToolBar* pMine = m_pFrame->UserToolbarAt(0);
    ASSERT_TRUE(pMine != NULL);
    EXPECT_EQ("我的工具栏", WindowText(pMine->m_hWnd));
    const int iMine = FindItem(hList, "我的工具栏");
    ASSERT_GE(iMine, 0);
    EXPECT_EQ(nListed + 1, Items(hList).size());
    EXPECT_EQ(iMine, (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, static_cast<CCheckListBox*>(CWnd::FromHandlePermanent(hList))->GetCheck(iMine));

    {
        CDialogResponder nameDialog(IDOK, 16516, "改过的");
        ClickControl(hPage, 16616);
    }
    EXPECT_EQ("改过的", WindowText(pMine->m_hWnd));
    EXPECT_EQ("改过的", WindowText(pMine->GetParentFrame()->m_hWnd));
    EXPECT_EQ(-1, FindItem(hList, "我的工具栏"));
    const int iRenamed = FindItem(hList, "改过的");
    ASSERT_GE(iRenamed, 0);
    EXPECT_EQ(iRenamed, (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0));

    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16617);
        EXPECT_EQ((std::vector<std::string>{"您真的要删除工具条 '改过的'?"}), question.m_prompts);
    }
    EXPECT_EQ(pMine, m_pFrame->UserToolbarAt(0));
    EXPECT_GE(FindItem(hList, "改过的"), 0);

    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16617);
    }
    EXPECT_EQ(NULL, m_pFrame->UserToolbarAt(0));
    EXPECT_EQ(-1, FindItem(hList, "改过的"));
    EXPECT_EQ(nListed, Items(hList).size());
}

TEST_F(ToolbarCustomizeSheetTest, AnEleventhUserToolbarShowsTheFramesLimitAndAddsNoEntry)
{
    for (int i = 0; i < 10; i++)
        ASSERT_TRUE(m_pFrame->AddUserToolbar(CString("用户") + (char)('0' + i)) != NULL);
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "工具栏");
    HWND hList = ::GetDlgItem(hPage, 16611);
    const std::vector<std::string> listed = Items(hList);

    CDialogResponder nameDialog(IDOK, 16516, "第十一");
    CMessageBoxRecorder limit(IDOK);
    ClickControl(hPage, 16615);
    EXPECT_EQ((std::vector<std::string>{"您不能大于 10 的用户自定义工具条!"}), limit.m_prompts);
    EXPECT_EQ(listed, Items(hList));
}

TEST_F(ToolbarCustomizeSheetTest, TicksFollowTheToolbarsAndAToolbarThatMayNotBeHiddenStaysTicked)
{
    CFixedToolBar fixed;
    ASSERT_TRUE(fixed.CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(1, 1, 1, 1), 0xE811));
    ASSERT_TRUE(fixed.BuildFromResource(kStandardToolbar));
    fixed.SetWindowText("固定");
    fixed.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&fixed, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->RecalcLayout();
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "工具栏");
    HWND hList = ::GetDlgItem(hPage, 16611);
    CCheckListBox* pList = static_cast<CCheckListBox*>(CWnd::FromHandlePermanent(hList));
    const int iFixed = FindItem(hList, "固定");
    const int iStandard = FindItem(hList, "标准");
    ASSERT_EQ(1, pList->GetCheck(iFixed));

    CBeepRecorder beeps;
    CBeepRecorder::s_nBeeps = 0;
    ClickCheckBox(hList, iFixed);
    EXPECT_EQ(1, pList->GetCheck(iFixed));
    EXPECT_TRUE(fixed.IsWindowVisible());
    EXPECT_EQ(1, CBeepRecorder::s_nBeeps);

    ClickCheckBox(hList, iStandard);
    EXPECT_EQ(0, pList->GetCheck(iStandard));
    EXPECT_FALSE(m_toolBar.IsWindowVisible());
    EXPECT_EQ(1, CBeepRecorder::s_nBeeps);
    // Shown again elsewhere: the entry follows.
    m_pFrame->ShowControlBar(&m_toolBar, TRUE, FALSE);
    EXPECT_EQ(1, pList->GetCheck(iStandard));
}

TEST_F(ToolbarCustomizeSheetTest, TheTextBoxFollowsTheSelectedToolbarAndPutsItsLabelsUnderItsImages)
{
    m_toolBar.AddButtonAt(CQENToolbarButton(kCount, 0, "统计"), 0);
    m_pFrame->RecalcLayout();
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "工具栏");
    HWND hList = ::GetDlgItem(hPage, 16611);
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, 16612)));
    ClickAt(ItemCentre(hList, FindItem(hList, "标准")));
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16612)));
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hPage, 16612));
    const CRect rectImageOnly = m_toolBar.GetItemRect(0);

    ClickControl(hPage, 16612);
    const CRect rectLabelled = m_toolBar.GetItemRect(0);
    EXPECT_GT(rectLabelled.Height(), rectImageOnly.Height());

    // Chosen again after another entry, the toolbar shows its setting; unticked, the labels go.
    const int iStandard = FindItem(hList, "标准");
    ClickAt(ItemCentre(hList, iStandard == 0 ? 1 : 0));
    ClickAt(ItemCentre(hList, iStandard));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, 16612));
    ClickControl(hPage, 16612);
    EXPECT_EQ(rectImageOnly.Height(), m_toolBar.GetItemRect(0).Height());

    pSheet->DestroyWindow();
    pSheet = OpenSheet(0x0F & ~CQENToolbarCustomize::TextLabelsOption);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(ShowPage(pSheet, "工具栏"), 16612)));
}

TEST_F(ToolbarCustomizeSheetTest, ResettingAToolbarOrEverythingAsksFirstAndBringsTheResourceButtonsBack)
{
    m_toolBar.DeleteButtonAt(2);
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "工具栏");
    HWND hList = ::GetDlgItem(hPage, 16611);
    ClickAt(ItemCentre(hList, FindItem(hList, "标准")));

    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16613);
        EXPECT_EQ((std::vector<std::string>{"您先前的配置信息都将会丢失! 您真的想重新配置工具条 '标准'?"}),
                  question.m_prompts);
    }
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(&m_toolBar));
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16613);
    }
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(&m_toolBar));

    m_toolBar.DeleteButtonAt(0);
    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16614);
        EXPECT_EQ((std::vector<std::string>{"您先前的所有配置信息都将会丢失! 您真的想重新配置全部工具条和菜单? "}),
                  question.m_prompts);
    }
    EXPECT_EQ((std::vector<UINT>{0, 2}), Commands(&m_toolBar));
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16614);
    }
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(&m_toolBar));
}

TEST_F(ToolbarCustomizeSheetTest, TheOptionsTakeEffectAtOnceAndTooltipsOffDisableTheShortcutKeys)
{
    const CList<UINT, UINT> basicBefore;
    CList<UINT, UINT> basic;
    basic.AddTail(kNew);
    CQENCommandUsage::SetBasicCommands(basic);
    theCommandUsage.Reset();
    theCommandUsage.AddCommand(kExit);
    theCommandUsage.AddCommand(kExit);
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "选项");
    ASSERT_TRUE(hPage != NULL);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, 17001)));
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, 16657)));

    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16652)));
    ClickControl(hPage, 16651);
    EXPECT_FALSE(CQENToolBar::s_bTooltipsOn);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, 16652)));
    ClickControl(hPage, 16651);
    EXPECT_TRUE(CQENToolBar::s_bTooltipsOn);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16652)));

    // Large icons: every bar at once.
    const int nSmall = m_toolBar.GetItemRect(0).Width();
    ClickControl(hPage, 16653);
    EXPECT_EQ(2 * nSmall, m_toolBar.GetItemRect(0).Width());
    ClickControl(hPage, 16653);
    EXPECT_EQ(nSmall, m_toolBar.GetItemRect(0).Width());

    {
        CMessageBoxRecorder question(IDNO);
        ClickControl(hPage, 16657);
        EXPECT_EQ((std::vector<std::string>{"这将清除您使用过的命令的记录，菜单和工具栏将只显示缺省的命令。"
                                            "您的自定义设置不会改变。您真的要这样做吗?"}),
                  question.m_prompts);
    }
    EXPECT_EQ(2u, theCommandUsage.TotalUsage());
    {
        CMessageBoxRecorder question(IDYES);
        ClickControl(hPage, 16657);
    }
    EXPECT_EQ(0u, theCommandUsage.TotalUsage());
    CQENCommandUsage::SetBasicCommands(basicBefore);
}

TEST_F(ToolbarCustomizeSheetTest, ThePersonalisedMenuAndThe2000LookBoxesShowOnlyWhereTheyApply)
{
    // No basic commands: menus are never personalised, and the 2000 look is offered with its flag.
    CQENToolbarCustomize* pSheet = OpenSheet();
    HWND hPage = ShowPage(pSheet, "选项");
    for (int nId : {16655, 16656, 16657})
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, nId))) << nId;
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, 16654)));

    // The 2000 look draws the toolbar's gripper with one line instead of two.
    CRect rectBar;
    m_toolBar.GetWindowRect(&rectBar);
    m_pFrame->ScreenToClient(&rectBar);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const BOOL bFlatBefore = CQENVisualManager::CurrentManager()->m_bFlatLook;
    ASSERT_FALSE(bFlatBefore);
    const int nShadowRaised = ScreenCount(m_pFrame, rectBar, crShadow);
    ClickControl(hPage, 16654);
    PumpFor(100);
    EXPECT_LT(ScreenCount(m_pFrame, rectBar, crShadow), nShadowRaised);
    ClickControl(hPage, 16654);
    PumpFor(100);
    EXPECT_EQ(nShadowRaised, ScreenCount(m_pFrame, rectBar, crShadow));
    ClickControl(pSheet->m_hWnd, IDCANCEL);

    CList<UINT, UINT> basic;
    basic.AddTail(kNew);
    CQENCommandUsage::SetBasicCommands(basic);
    const BOOL bRecentBefore = CQENPopupMenu::s_bRecentlyUsedMenus;
    CQENPopupMenu::s_bRecentlyUsedMenus = TRUE;
    pSheet = OpenSheet(0x0F & ~CQENToolbarCustomize::Look2000Option);
    hPage = ShowPage(pSheet, "选项");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hPage, 16654)));
    for (int nId : {16655, 16656, 16657})
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hPage, nId))) << nId;
    ASSERT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, 16655));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16656)));
    ClickControl(hPage, 16655);
    EXPECT_FALSE(CQENPopupMenu::s_bRecentlyUsedMenus);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, 16656)));
    ClickControl(hPage, 16655);
    EXPECT_TRUE(CQENPopupMenu::s_bRecentlyUsedMenus);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, 16656)));
    CQENPopupMenu::s_bRecentlyUsedMenus = bRecentBefore;
    CQENCommandUsage::SetBasicCommands(CList<UINT, UINT>());
}

TEST_F(ToolbarCustomizeSheetTest, TheButtonAppearanceDialogChangesTheButtonOnlyOnOkAndDrawsNewUserImages)
{
    CScratchFolder folder;
    folder.CreateWithContents("User.bmp", WhiteImages(2));
    CQENButtonImageList userImages;
    ASSERT_TRUE(userImages.LoadFromFile(folder.Path("User.bmp")));
    ASSERT_TRUE(CQENToolBar::AttachUserImages(&userImages));
    // The button menu of customize mode, without the sheet, whose window no dialog answerer may close.
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    CQENToolbarButton* pOne = m_toolBar.ButtonAt(0);
    const std::string strTextBefore(m_toolBar.TextAt(0));
    const CRect rectImageOnly = m_toolBar.GetItemRect(0);
    MenuChoice appearance = {ScreenPoint(m_toolBar.m_hWnd, rectImageOnly.CenterPoint()), 'B'};

    // Text only, a new text, a user image chosen: cancelled, nothing changes.
    {
        CDialogResponder dialog(IDCANCEL, [](HWND hDialog) {
            ClickControl(hDialog, 16522);
            WaitFor([hDialog] { return ::IsDlgButtonChecked(hDialog, 16522) == BST_CHECKED; });
            ::SetDlgItemTextA(hDialog, 16524, "不要的");
        });
        RunOnSecondThread(SendMenuChoice, &appearance);
    }
    EXPECT_EQ(strTextBefore, std::string(m_toolBar.TextAt(0)));
    EXPECT_FALSE(pOne->m_bShowLabel);
    EXPECT_EQ(rectImageOnly, m_toolBar.GetItemRect(0));

    {
        CDialogResponder dialog(IDOK, [](HWND hDialog) {
            ClickControl(hDialog, 16522);
            WaitFor([hDialog] { return ::IsDlgButtonChecked(hDialog, 16522) == BST_CHECKED; });
            ::SetDlgItemTextA(hDialog, 16524, "自己的");
        });
        RunOnSecondThread(SendMenuChoice, &appearance);
    }
    EXPECT_EQ("自己的", std::string(m_toolBar.TextAt(0)));
    EXPECT_GT(m_toolBar.GetItemRect(0).Width(), rectImageOnly.Width());

    // Image only again, with a new user image whose top left pixel is painted red.
    {
        CDialogResponder dialog(IDOK, [](HWND hDialog) {
            ClickControl(hDialog, 16521);
            WaitFor([hDialog] { return ::IsDlgButtonChecked(hDialog, 16521) == BST_CHECKED; });
            CDialogResponder editor(IDOK, [](HWND hEditor) {
                CWnd* pCurrent = CWnd::FromHandle(::GetDlgItem(hEditor, 16534));
                CWnd* pPreview = CWnd::FromHandle(::GetDlgItem(hEditor, 16535));
                const auto redIn = [](CWnd* pWnd) {
                    CRect rect;
                    pWnd->GetClientRect(&rect);
                    return ScreenCount(pWnd, rect, RGB(255, 0, 0)) > 0;
                };
                CRect rectColours, rectPicture;
                ::GetWindowRect(::GetDlgItem(hEditor, 16533), &rectColours);
                ::GetWindowRect(::GetDlgItem(hEditor, 16532), &rectPicture);
                // Red is the second colour of the third row of four.
                ClickAt(CPoint(rectColours.left + rectColours.Width() * 3 / 8, rectColours.top + rectColours.Height() * 5 / 8));
                WaitFor([&] { return redIn(pCurrent); });
                ClickAt(rectPicture.TopLeft() + CPoint(3, 3));
                WaitFor([&] { return redIn(pPreview); });
            });
            editor.AnswerOnly("编辑按钮图标");
            ClickControl(hDialog, 16526);
            WaitFor([&editor] { return editor.Answered(); });
            WaitFor([hDialog] { return ::IsWindowEnabled(hDialog) != FALSE; });
        });
        dialog.AnswerOnly("按钮样式");
        RunOnSecondThread(SendMenuChoice, &appearance);
    }
    EXPECT_EQ(3, userImages.ImageCount());
    EXPECT_TRUE(pOne->m_bUserImage);
    EXPECT_EQ(2, pOne->GetImage());
    PumpFor(100);
    EXPECT_EQ(rectImageOnly.Width(), m_toolBar.GetItemRect(0).Width());
    EXPECT_EQ(1, ScreenCount(&m_toolBar, m_toolBar.GetItemRect(0), RGB(255, 0, 0)));
    CQENToolBar::SwitchCustomizeMode(FALSE);
    CQENToolBar::s_pUserImageList = NULL;
}

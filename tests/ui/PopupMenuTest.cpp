#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENCommandUsage.h"
#include "QENFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENShowAllButton.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"
#include "SystemColoursScope.h"

#include <RecentFileList.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kAlpha = 0x6101;
const UINT kBravo = 0x6102;
const UINT kCharlie = 0x6103;
const UINT kEcho = 0x6105;
const UINT kFoxtrot = 0x6106;
const UINT kRecentFile = 0xE110;

// A plain framework frame (no popup hooks) that records the commands it receives.
class CRecordingFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam == 0)
            m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    // The fixture owns the object.
    void PostNcDestroy() override {}
};

CRect WindowRectOf(const CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

CRect WorkArea()
{
    CRect rect;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

std::vector<std::string> LabelsOf(const CQENPopupMenuBar* pBar)
{
    std::vector<std::string> labels;
    for (int i = 0; i < pBar->ButtonCount(); i++)
    {
        const CQENToolbarButton* pButton = pBar->ButtonAt(i);
        labels.push_back(pButton->IsSeparator()                                   ? "-"
                         : pButton->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)) ? "<show all>"
                                                                               : (LPCTSTR)pButton->m_strLabel);
    }
    return labels;
}

// Alpha, Bravo, a separator, Charlie and the submenu Delta with Echo and Foxtrot.
HMENU MakeMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hDelta = ::CreatePopupMenu();
    ::AppendMenuA(hDelta, MF_STRING, kEcho, "&Echo");
    ::AppendMenuA(hDelta, MF_STRING, kFoxtrot, "&Foxtrot");
    ::AppendMenuA(hMenu, MF_STRING, kAlpha, "&Alpha");
    ::AppendMenuA(hMenu, MF_STRING, kBravo, "&Bravo");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, kCharlie, "&Charlie");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hDelta, "&Delta");
    return hMenu;
}

// A frame without popup hooks, 60 pixels wide, with a toolbar whose one menu button opens hMenu.
class PopupMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        // A pointer left over a menu by an earlier test would highlight an item.
        ::SetCursorPos(700, 600);
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.Create(NULL, "popup test", WS_POPUP | WS_BORDER, CRect(0, 0, 60, 60)));
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    }

    void TearDown() override
    {
        if (m_bar.m_hWnd != NULL)
            m_bar.DestroyWindow();
        if (m_frame.m_hWnd != NULL)
            m_frame.DestroyWindow();
        PumpPendingMessages();
        CQENCommandUsage::SetBasicCommands(CList<UINT, UINT>());
        theCommandUsage.Reset();
    }

    // The frame at (x, y) with the menu button at the left of its toolbar.
    void ShowFrameAt(int x, int y, HMENU hMenu, UINT nCommandId = (UINT)-1)
    {
        m_frame.SetWindowPos(&CWnd::wndTopMost, x, y, 60, 60, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        CQENToolbarMenuButton button(nCommandId, hMenu, -1, "&File");
        ::DestroyMenu(hMenu);
        ASSERT_EQ(0, m_bar.AddButtonAt(button));
        m_bar.SetWindowPos(NULL, 0, 0, 58, 28, SWP_NOZORDER | SWP_NOACTIVATE);
        m_bar.RecalcButtonLayout();
        PumpPendingMessages();
    }

    CQENToolbarMenuButton* MenuButton() { return static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0)); }

    // Clicks the menu button with the mouse; the popup it opened.
    CQENPopupMenu* ClickMenuButton()
    {
        const CPoint pt = MenuButton()->m_rect.CenterPoint();
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPendingMessages();
        return MenuButton()->GetPopupMenu();
    }

    // Clicks the toolbar at pt (client coordinates), the cursor moved there first.
    void ClickBar(CPoint pt)
    {
        CPoint ptScreen = pt;
        m_bar.ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPendingMessages();
    }

    // Moves the cursor over item i of a popup bar.
    static void HoverOver(CQENPopupMenuBar* pBar, int i)
    {
        CPoint pt = pBar->ButtonAt(i)->m_rect.CenterPoint();
        pBar->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        CPoint ptClient = pBar->ButtonAt(i)->m_rect.CenterPoint();
        pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
        PumpPendingMessages();
    }

    static void PumpFor(DWORD dwMilliseconds)
    {
        const DWORD dwStart = ::GetTickCount();
        while (::GetTickCount() - dwStart < dwMilliseconds)
        {
            ::Sleep(10);
            PumpPendingMessages();
        }
    }

    static void Key(CWnd* pWnd, UINT nKey)
    {
        pWnd->PostMessage(WM_KEYDOWN, nKey, 1);
        PumpPendingMessages();
    }

    // What the screen shows at the left of item i, past the image column: the highlight's colour
    // when it is highlighted.
    static COLORREF ItemColour(CQENPopupMenuBar* pBar, int i)
    {
        pBar->UpdateWindow();
        CRect rect = pBar->ButtonAt(i)->m_rect;
        pBar->ClientToScreen(&rect);
        CClientDC dcScreen(NULL);
        return dcScreen.GetPixel(rect.left + 22, rect.top + 2);
    }

    static std::vector<int> HighlightedItems(CQENPopupMenuBar* pBar)
    {
        std::vector<int> items;
        for (int i = 0; i < pBar->ButtonCount(); i++)
            if (!pBar->ButtonAt(i)->IsSeparator() && ItemColour(pBar, i) == SystemColoursScope::kSelection)
                items.push_back(i);
        return items;
    }

    SystemColoursScope m_colours;
    CRecordingFrame m_frame;
    CQENToolBar m_bar;
};

} // namespace

TEST(PopupMenuShowDelayTest, RegistryDelayIsTakenUpToFiveSecondsAndDefaultsTo500)
{
    CScratchRegistryKey desktop(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    auto setDelay = [](LPCTSTR lpszValue) {
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &hKey));
        if (lpszValue == NULL)
            ::RegDeleteValueA(hKey, "MenuShowDelay");
        else
            ::RegSetValueExA(hKey, "MenuShowDelay", 0, REG_SZ, (const BYTE*)lpszValue, lstrlenA(lpszValue) + 1);
        ::RegCloseKey(hKey);
    };
    setDelay("9000");
    EXPECT_EQ(5000, CQENPopupMenuBar::ReadMenuShowDelay());
    setDelay("250");
    EXPECT_EQ(250, CQENPopupMenuBar::ReadMenuShowDelay());
    setDelay("-20");
    EXPECT_EQ(0, CQENPopupMenuBar::ReadMenuShowDelay());
    setDelay("soon");
    EXPECT_EQ(500, CQENPopupMenuBar::ReadMenuShowDelay());
    setDelay(NULL);
    EXPECT_EQ(500, CQENPopupMenuBar::ReadMenuShowDelay());
}

TEST_F(PopupMenuTest, RecentFilesReplaceThePlaceholderOfTheirCommandAndAnEmptyListTakesItsSeparatorAlong)
{
    char szFolder[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szFolder);
    CRecentFileList* pSaved = TestApp().m_pRecentFileList;
    std::unique_ptr<CRecentFileList> recent(new CRecentFileList(0, "Recent File List", "File%d", 4));
    TestApp().m_pRecentFileList = recent.get();

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kAlpha, "&Alpha");
    ::AppendMenuA(hMenu, MF_STRING, kRecentFile, "最近的文件");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, kBravo, "&Bravo");
    ShowFrameAt(100, 100, hMenu);

    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ((std::vector<std::string>{"&Alpha", "&Bravo"}), LabelsOf(pPopup->GetMenuBar()));
    MenuButton()->CancelTracking();

    recent->Add(CString(szFolder) + "\\one.txt");
    recent->Add(CString(szFolder) + "\\R&D.txt");
    pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ((std::vector<std::string>{"&Alpha", "&1 R&&D.txt", "&2 one.txt", "-", "&Bravo"}),
              LabelsOf(pPopup->GetMenuBar()));
    EXPECT_EQ(kRecentFile + 1, pPopup->GetMenuBar()->ButtonAt(2)->m_nCommandId);
    MenuButton()->CancelTracking();
    TestApp().m_pRecentFileList = pSaved;
}

TEST_F(PopupMenuTest, RarelyUsedCommandsStayHiddenUntilTheShowAllItemIsClicked)
{
    CList<UINT, UINT> basic;
    basic.AddTail(kAlpha);
    basic.AddTail(kBravo);
    CQENCommandUsage::SetBasicCommands(basic);
    ShowFrameAt(100, 100, MakeMenu());

    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_EQ((std::vector<std::string>{"&Alpha", "&Bravo", "-", "&Delta", "<show all>"}), LabelsOf(pBar));
    const int nShortHeight = WindowRectOf(pPopup).Height();

    const CPoint pt = pBar->ButtonAt(pBar->ButtonCount() - 1)->m_rect.CenterPoint();
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPendingMessages();
    ASSERT_EQ(pPopup, MenuButton()->GetPopupMenu());
    EXPECT_EQ((std::vector<std::string>{"&Alpha", "&Bravo", "-", "&Charlie", "&Delta"}), LabelsOf(pBar));
    EXPECT_GT(WindowRectOf(pPopup).Height(), nShortHeight);
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(PopupMenuTest, RestingOnTheShowAllItemUnfoldsTheWholeMenuOnlyWhenTheOptionIsOn)
{
    const int nSavedDelay = CQENPopupMenuBar::s_nMenuShowDelay;
    const BOOL bSavedOption = CQENPopupMenu::s_bShowAllMenusAfterDelay;
    CQENPopupMenuBar::s_nMenuShowDelay = 150;
    CList<UINT, UINT> basic;
    basic.AddTail(kAlpha);
    CQENCommandUsage::SetBasicCommands(basic);
    ShowFrameAt(100, 100, MakeMenu());
    const std::vector<std::string> partial = {"&Alpha", "-", "&Delta", "<show all>"};

    CQENPopupMenu::s_bShowAllMenusAfterDelay = FALSE;
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(partial, LabelsOf(pBar));
    HoverOver(pBar, 3);
    PumpFor(450);
    EXPECT_EQ(partial, LabelsOf(pBar));
    MenuButton()->CancelTracking();

    CQENPopupMenu::s_bShowAllMenusAfterDelay = TRUE;
    pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    pBar = pPopup->GetMenuBar();
    const int nShortHeight = WindowRectOf(pPopup).Height();
    // Passing over it on the way elsewhere unfolds nothing.
    HoverOver(pBar, 3);
    PumpFor(50);
    HoverOver(pBar, 0);
    PumpFor(300);
    EXPECT_EQ(partial, LabelsOf(pBar));
    HoverOver(pBar, 3);
    PumpFor(50);
    EXPECT_EQ(partial, LabelsOf(pBar));
    PumpFor(400);
    EXPECT_EQ((std::vector<std::string>{"&Alpha", "&Bravo", "-", "&Charlie", "&Delta"}), LabelsOf(pBar));
    EXPECT_GT(WindowRectOf(pPopup).Height(), nShortHeight);
    EXPECT_TRUE(m_frame.m_commands.empty());
    CQENPopupMenu::s_bShowAllMenusAfterDelay = bSavedOption;
    CQENPopupMenuBar::s_nMenuShowDelay = nSavedDelay;
}

TEST_F(PopupMenuTest, NearTheRightEdgeTheMenuMovesLeftAndItsSubmenuOpensToTheLeft)
{
    const CRect rectWork = WorkArea();
    ShowFrameAt(rectWork.right - 60, 200, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(rectWork.right - 1, pPopup->MenuRect().right);
    CRect rectButton = MenuButton()->m_rect;
    m_bar.ClientToScreen(&rectButton);
    EXPECT_EQ(rectButton.bottom, WindowRectOf(pPopup).top);
    EXPECT_LT(WindowRectOf(pPopup).left, rectButton.left);

    Key(pPopup, VK_END);
    Key(pPopup, VK_RIGHT);
    CQENPopupMenu* pSubmenu = pPopup->OpenSubmenu();
    ASSERT_NE(nullptr, pSubmenu);
    EXPECT_EQ(CQENPopupMenu::DropLeft, pSubmenu->DropDirection());
    EXPECT_LE(pSubmenu->MenuRect().right, pPopup->MenuRect().left + 1);
    EXPECT_GE(pSubmenu->MenuRect().left, rectWork.left);
}

TEST_F(PopupMenuTest, AtTheBottomEdgeTheMenuOpensAboveItsButton)
{
    const CRect rectWork = WorkArea();
    ShowFrameAt(300, rectWork.bottom - 40, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CRect rectButton = MenuButton()->m_rect;
    m_bar.ClientToScreen(&rectButton);
    EXPECT_EQ(CQENPopupMenu::DropUp, pPopup->DropDirection());
    EXPECT_EQ(rectButton.top, pPopup->MenuRect().bottom);
    EXPECT_FALSE(pPopup->IsScrollable());
}

TEST_F(PopupMenuTest, OnAVerticalBarAtTheRightEdgeTheMenuOpensLeftOfItsButtonAndATallSubmenuAtTheBottomMovesUp)
{
    const CRect rectWork = WorkArea();
    HMENU hMenu = ::CreatePopupMenu();
    // Twelve items: a submenu of eight or more is as much a submenu as a short one.
    HMENU hLong = ::CreatePopupMenu();
    for (int i = 0; i < 12; i++)
        ::AppendMenuA(hLong, MF_STRING, 0x6200 + i, ("Item " + std::to_string(i)).c_str());
    ::AppendMenuA(hMenu, MF_STRING, kAlpha, "&Alpha");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hLong, "&Long");
    m_bar.SetBarStyle((m_bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    ShowFrameAt(rectWork.right - 60, rectWork.bottom - 90, hMenu);
    CRect rectButton = MenuButton()->m_rect;
    m_bar.ClientToScreen(&rectButton);

    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ((std::vector<std::string>{"&Alpha", "&Long"}), LabelsOf(pPopup->GetMenuBar()));
    EXPECT_EQ(CQENPopupMenu::DropLeft, pPopup->DropDirection());
    EXPECT_EQ(rectButton.left, pPopup->MenuRect().right);
    EXPECT_EQ(rectButton.top, pPopup->MenuRect().top);

    Key(pPopup, VK_END);
    Key(pPopup, VK_RIGHT);
    CQENPopupMenu* pSubmenu = pPopup->OpenSubmenu();
    ASSERT_NE(nullptr, pSubmenu);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    CRect rectItem = pBar->ButtonAt(1)->m_rect;
    pBar->ClientToScreen(&rectItem);
    const CRect rectSubmenu = pSubmenu->MenuRect();
    EXPECT_EQ(rectItem.top + pSubmenu->GetMenuBar()->RowHeight() + 4, rectSubmenu.bottom);
    EXPECT_LE(rectSubmenu.bottom, rectWork.bottom);
    EXPECT_FALSE(pSubmenu->IsScrollable());
    EXPECT_LE(rectSubmenu.right, pPopup->MenuRect().left + 1);
}

TEST_F(PopupMenuTest, ArrowsHomeAndEndMoveTheHighlightOverItemsAndPastSeparators)
{
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_EQ(std::vector<int>{}, HighlightedItems(pBar));
    Key(pPopup, VK_DOWN);
    EXPECT_EQ(std::vector<int>{0}, HighlightedItems(pBar));
    Key(pPopup, VK_DOWN);
    Key(pPopup, VK_DOWN);
    EXPECT_EQ(std::vector<int>{3}, HighlightedItems(pBar));   // past the separator
    Key(pPopup, VK_UP);
    EXPECT_EQ(std::vector<int>{1}, HighlightedItems(pBar));
    Key(pPopup, VK_END);
    EXPECT_EQ(std::vector<int>{4}, HighlightedItems(pBar));
    Key(pPopup, VK_HOME);
    EXPECT_EQ(std::vector<int>{0}, HighlightedItems(pBar));
    // A key the frame receives goes to the open menu.
    Key(&m_frame, VK_END);
    EXPECT_EQ(std::vector<int>{4}, HighlightedItems(pBar));
}

TEST_F(PopupMenuTest, EnterRunsTheHighlightedCommandInTheFrameAndClosesEveryMenu)
{
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    Key(pPopup, VK_END);
    Key(pPopup, VK_RETURN);
    CQENPopupMenu* pSubmenu = pPopup->OpenSubmenu();
    ASSERT_NE(nullptr, pSubmenu);
    const HWND hPopup = pPopup->m_hWnd;
    const HWND hSubmenu = pSubmenu->m_hWnd;
    Key(pPopup, VK_DOWN);   // the submenu takes the keys: Echo, then Foxtrot
    Key(pPopup, VK_RETURN);
    EXPECT_EQ(std::vector<UINT>{kFoxtrot}, m_frame.m_commands);
    EXPECT_FALSE(::IsWindow(hSubmenu));
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, MenuButton()->GetPopupMenu());
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
}

TEST_F(PopupMenuTest, ALetterRunsTheItemItMarksAndADoubledAmpersandMarksNothing)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kAlpha, "&Alpha");
    ::AppendMenuA(hMenu, MF_STRING, kBravo, "Save && Exit(&X)");
    ::AppendMenuA(hMenu, MF_STRING, kCharlie, "R&&D");
    ShowFrameAt(100, 100, hMenu);
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    const HWND hPopup = pPopup->m_hWnd;
    Key(pPopup, 'D');
    Key(pPopup, 'E');
    EXPECT_TRUE(m_frame.m_commands.empty());
    ASSERT_TRUE(::IsWindow(hPopup));
    Key(pPopup, 'X');
    EXPECT_EQ(std::vector<UINT>{kBravo}, m_frame.m_commands);
    EXPECT_FALSE(::IsWindow(hPopup));
}

TEST_F(PopupMenuTest, EscapeClosesOneLevelAndLeftClosesTheSubmenu)
{
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    const HWND hPopup = pPopup->m_hWnd;
    Key(pPopup, VK_END);
    Key(pPopup, VK_RIGHT);
    ASSERT_NE(nullptr, pPopup->OpenSubmenu());
    EXPECT_EQ(std::vector<int>{0}, HighlightedItems(pPopup->OpenSubmenu()->GetMenuBar()));
    Key(pPopup, VK_ESCAPE);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    ASSERT_TRUE(::IsWindow(hPopup));
    EXPECT_EQ(std::vector<int>{4}, HighlightedItems(pPopup->GetMenuBar()));

    Key(pPopup, VK_RIGHT);
    ASSERT_NE(nullptr, pPopup->OpenSubmenu());
    Key(pPopup, VK_LEFT);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    Key(pPopup, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, MenuButton()->GetPopupMenu());
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(PopupMenuTest, MenusCloseWithTheirFrameAndTheButtonForgetsThem)
{
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    Key(pPopup, VK_END);
    Key(pPopup, VK_RIGHT);
    ASSERT_NE(nullptr, pPopup->OpenSubmenu());
    const HWND hPopup = pPopup->m_hWnd;
    const HWND hSubmenu = pPopup->OpenSubmenu()->m_hWnd;
    m_frame.DestroyWindow();
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(::IsWindow(hSubmenu));
    EXPECT_EQ(nullptr, MenuButton()->GetPopupMenu());
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
}

TEST_F(PopupMenuTest, TheSubmenuUnderTheCursorOpensAfterTheShowDelayAndClosesAfterItWhenLeft)
{
    const int nSavedDelay = CQENPopupMenuBar::s_nMenuShowDelay;
    CQENPopupMenuBar::s_nMenuShowDelay = 150;
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();

    HoverOver(pBar, 4);
    PumpFor(50);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    PumpFor(400);
    ASSERT_NE(nullptr, pPopup->OpenSubmenu());

    // Away and back before the delay: the submenu stays.
    HoverOver(pBar, 0);
    HoverOver(pBar, 4);
    PumpFor(400);
    EXPECT_NE(nullptr, pPopup->OpenSubmenu());

    HoverOver(pBar, 0);
    PumpFor(50);
    EXPECT_NE(nullptr, pPopup->OpenSubmenu());
    PumpFor(400);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    EXPECT_EQ(std::vector<int>{0}, HighlightedItems(pBar));
    CQENPopupMenuBar::s_nMenuShowDelay = nSavedDelay;
}

TEST_F(PopupMenuTest, WithoutAShowDelayASubmenuOpensAndClosesAsThePointerComesAndGoes)
{
    const int nSavedDelay = CQENPopupMenuBar::s_nMenuShowDelay;
    CQENPopupMenuBar::s_nMenuShowDelay = 0;
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto moveTo = [pBar](int i) {
        const CPoint pt = pBar->ButtonAt(i)->m_rect.CenterPoint();
        pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    };
    moveTo(4);
    EXPECT_NE(nullptr, pPopup->OpenSubmenu());
    moveTo(0);
    EXPECT_EQ(nullptr, pPopup->OpenSubmenu());
    CQENPopupMenuBar::s_nMenuShowDelay = nSavedDelay;
}

TEST_F(PopupMenuTest, CtrlDownShowsTheWholeMenuAndAnAnimationOutOfRangeShowsTheMenuAtOnce)
{
    CList<UINT, UINT> basic;
    basic.AddTail(kAlpha);
    CQENCommandUsage::SetBasicCommands(basic);
    ShowFrameAt(100, 100, MakeMenu());
    ::SetForegroundWindow(m_frame.m_hWnd);
    CQENPopupMenu::s_nMenuAnimation = 7;
    CQENPopupMenu* pPopup = ClickMenuButton();
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(pPopup->IsWindowVisible());
    EXPECT_TRUE(pPopup->GetMenuBar()->IsWindowVisible());
    EXPECT_EQ(pPopup->MenuRect().Size(), WindowRectOf(pPopup).Size() - CSize(pPopup->ShadowDepth(), pPopup->ShadowDepth()));
    ASSERT_EQ((std::vector<std::string>{"&Alpha", "-", "&Delta", "<show all>"}), LabelsOf(pPopup->GetMenuBar()));

    for (const auto& stroke : {std::make_pair(VK_CONTROL, true), std::make_pair(VK_DOWN, true),
                               std::make_pair(VK_DOWN, false), std::make_pair(VK_CONTROL, false)})
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = (WORD)stroke.first;
        input.ki.dwFlags = stroke.second ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(60);
    }
    EXPECT_EQ((std::vector<std::string>{"&Alpha", "&Bravo", "-", "&Charlie", "&Delta"}), LabelsOf(pPopup->GetMenuBar()));
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(PopupMenuTest, AMenuTallerThanTheWorkAreaTakesTheLargerSideAndScrollsToTheHighlight)
{
    const CRect rectWork = WorkArea();
    HMENU hMenu = ::CreatePopupMenu();
    const int nItems = rectWork.Height() / 10;
    for (int i = 0; i < nItems; i++)
        ::AppendMenuA(hMenu, MF_STRING, 0x6200 + i, ("Item " + std::to_string(i)).c_str());
    ShowFrameAt(300, rectWork.top + 100, hMenu);
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    CRect rectButton = MenuButton()->m_rect;
    m_bar.ClientToScreen(&rectButton);
    EXPECT_TRUE(pPopup->IsScrollable());
    EXPECT_EQ(rectButton.bottom, pPopup->MenuRect().top);
    EXPECT_EQ(rectWork.bottom, pPopup->MenuRect().bottom);

    CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    const CRect rectVisible = WindowRectOf(pBar);
    Key(pPopup, VK_END);
    // As many items as fit are shown, the last one at the bottom; scrolling on goes no further.
    auto rectOnScreen = [&](int i) {
        CRect rect = pBar->ButtonAt(i)->m_rect;
        pBar->ClientToScreen(&rect);
        return rect;
    };
    const int iFirst = pBar->FirstVisibleItem();
    ASSERT_GT(iFirst, 0);
    EXPECT_GE(rectOnScreen(iFirst).top, rectVisible.top);
    EXPECT_LE(rectOnScreen(nItems - 1).bottom, rectVisible.bottom);
    EXPECT_LT(rectVisible.bottom - rectOnScreen(nItems - 1).bottom, pBar->RowHeight());
    EXPECT_EQ(std::vector<int>{nItems - 1}, HighlightedItems(pBar));
    pBar->SetFirstVisibleItem(nItems - 1);
    EXPECT_EQ(iFirst, pBar->FirstVisibleItem());
    EXPECT_LT(rectVisible.bottom - rectOnScreen(nItems - 1).bottom, pBar->RowHeight());
    Key(pPopup, VK_HOME);
    EXPECT_EQ(0, pBar->FirstVisibleItem());
    EXPECT_EQ(std::vector<int>{0}, HighlightedItems(pBar));
}

TEST_F(PopupMenuTest, AColumnBreakStartsAColumnToTheRight)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, kAlpha, "&Alpha");
    ::AppendMenuA(hMenu, MF_STRING, kBravo, "&Bravo");
    ::AppendMenuA(hMenu, MF_STRING | MF_MENUBREAK, kCharlie, "&Charlie");
    ::AppendMenuA(hMenu, MF_STRING, kEcho, "&Echo");
    ShowFrameAt(100, 100, hMenu);
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    const CQENPopupMenuBar* pBar = pPopup->GetMenuBar();
    const CRect rectAlpha = pBar->ButtonAt(0)->m_rect;
    const CRect rectBravo = pBar->ButtonAt(1)->m_rect;
    const CRect rectCharlie = pBar->ButtonAt(2)->m_rect;
    const CRect rectEcho = pBar->ButtonAt(3)->m_rect;
    EXPECT_EQ(rectAlpha.bottom, rectBravo.top);
    EXPECT_EQ(rectAlpha.top, rectCharlie.top);
    EXPECT_GE(rectCharlie.left, rectAlpha.right);
    EXPECT_EQ(rectCharlie.left, rectEcho.left);
    EXPECT_EQ(rectCharlie.bottom, rectEcho.top);
    EXPECT_GE(WindowRectOf(pBar).Width(), rectEcho.right);
}

TEST_F(PopupMenuTest, AMenuThatCanBeTornOffShowsTheStripAboveItsItems)
{
    ShowFrameAt(100, 100, MakeMenu());
    CQENPopupMenu* pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    const int nPlainHeight = pPopup->MenuRect().Height();
    EXPECT_TRUE(pPopup->TearOffRect().IsRectEmpty());
    MenuButton()->CancelTracking();

    MenuButton()->SetTearOffId(0xE900);
    pPopup = ClickMenuButton();
    ASSERT_NE(nullptr, pPopup);
    const CRect rectMenu = pPopup->MenuRect();
    EXPECT_EQ(nPlainHeight + 14, rectMenu.Height());
    EXPECT_EQ(CRect(2, 2, rectMenu.Width() - 2, 12), pPopup->TearOffRect());
    EXPECT_EQ(CQENPopupMenu::HitTearOff, pPopup->HitTestPoint(rectMenu.TopLeft() + CPoint(10, 6)));
    EXPECT_EQ(CQENPopupMenu::HitMenu, pPopup->HitTestPoint(rectMenu.TopLeft() + CPoint(10, 20)));
    EXPECT_EQ(CQENPopupMenu::HitOutside, pPopup->HitTestPoint(rectMenu.TopLeft() - CPoint(5, 5)));
    CRect rectFirst = pPopup->GetMenuBar()->ButtonAt(0)->m_rect;
    pPopup->GetMenuBar()->ClientToScreen(&rectFirst);
    EXPECT_GE(rectFirst.top, rectMenu.top + 14);
}

TEST_F(PopupMenuTest, AButtonWithACommandOpensItsMenuOnlyFromTheArrowPart)
{
    ShowFrameAt(100, 100, MakeMenu(), kAlpha);
    const CRect rectButton = MenuButton()->m_rect;
    ClickBar(CPoint(rectButton.left + 4, rectButton.CenterPoint().y));
    EXPECT_EQ(nullptr, MenuButton()->GetPopupMenu());
    EXPECT_EQ(std::vector<UINT>{kAlpha}, m_frame.m_commands);

    ClickBar(CPoint(rectButton.right - 3, rectButton.CenterPoint().y));
    EXPECT_NE(nullptr, MenuButton()->GetPopupMenu());
    EXPECT_EQ(std::vector<UINT>{kAlpha}, m_frame.m_commands);
}

namespace {

// A library frame that gives its popups a side strip of its own colour and records its commands.
class CSideImageFrame : public CQENFrameWnd
{
public:
    static constexpr COLORREF kStrip = RGB(200, 30, 40);
    int m_nStripWidth = 0;
    std::vector<UINT> m_commands;

    BOOL CanShowPopupMenu(CQENPopupMenu* pPopup) override
    {
        pPopup->m_nSideImageWidth = m_nStripWidth;
        return TRUE;
    }
    void DrawMenuSideImage(CDC* pDC, CQENPopupMenu*, const CRect& rect) override { pDC->FillSolidRect(rect, kStrip); }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL)
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void PostNcDestroy() override {}
};

} // namespace

TEST(PopupMenuSideImageTest, TheFramesStripWidensTheMenuAtItsLeftEdgeAndAClickOnItKeepsTheMenuOpen)
{
    CQENVisualManager::SetOnDemandClass(NULL);
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    ::SetCursorPos(700, 600);
    CSideImageFrame frame;
    frame.m_bAutoMenuEnable = FALSE;
    ASSERT_TRUE(frame.Create(NULL, "side image", WS_OVERLAPPEDWINDOW, CRect(80, 80, 380, 300)));
    CQENToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    HMENU hMenu = MakeMenu();
    CQENToolbarMenuButton file((UINT)-1, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    bar.AddButtonAt(file);
    frame.ShowWindow(SW_SHOW);
    frame.RecalcLayout();
    PumpPendingMessages();
    CQENToolbarMenuButton* pFile = static_cast<CQENToolbarMenuButton*>(bar.ButtonAt(0));
    auto open = [&]() {
        const CPoint pt = pFile->m_rect.CenterPoint();
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPendingMessages();
        return pFile->GetPopupMenu();
    };

    CQENPopupMenu* pPopup = open();
    ASSERT_NE(nullptr, pPopup);
    const CRect rectPlain = pPopup->MenuRect();
    CRect rectItemPlain = pPopup->GetMenuBar()->ButtonAt(0)->m_rect;
    pPopup->GetMenuBar()->ClientToScreen(&rectItemPlain);
    pFile->CancelTracking();

    frame.m_nStripWidth = 20;
    pPopup = open();
    ASSERT_NE(nullptr, pPopup);
    const CRect rectMenu = pPopup->MenuRect();
    EXPECT_EQ(rectPlain.Width() + 20, rectMenu.Width());
    EXPECT_EQ(rectPlain.Height(), rectMenu.Height());
    CRect rectItem = pPopup->GetMenuBar()->ButtonAt(0)->m_rect;
    pPopup->GetMenuBar()->ClientToScreen(&rectItem);
    EXPECT_EQ(rectItemPlain.left + 20, rectItem.left);

    pPopup->UpdateWindow();
    CClientDC dcScreen(NULL);
    const int yMiddle = rectMenu.CenterPoint().y;
    EXPECT_EQ(CSideImageFrame::kStrip, dcScreen.GetPixel(rectItemPlain.left, yMiddle));
    EXPECT_EQ(CSideImageFrame::kStrip, dcScreen.GetPixel(rectItem.left - 2, yMiddle));
    EXPECT_NE(CSideImageFrame::kStrip, dcScreen.GetPixel(rectItem.left + 1, yMiddle));
    EXPECT_NE(CSideImageFrame::kStrip, dcScreen.GetPixel(rectMenu.left, yMiddle));
    EXPECT_EQ(CQENPopupMenu::HitSideImage, pPopup->HitTestPoint(CPoint(rectItem.left - 5, yMiddle)));
    EXPECT_EQ(CQENPopupMenu::HitMenu, pPopup->HitTestPoint(CPoint(rectItem.left + 5, yMiddle)));

    SendMouseInput(CPoint(rectItem.left - 5, rectItem.CenterPoint().y), 0);
    SendMouseInput(CPoint(rectItem.left - 5, rectItem.CenterPoint().y), MOUSEEVENTF_LEFTDOWN);
    SendMouseInput(CPoint(rectItem.left - 5, rectItem.CenterPoint().y), MOUSEEVENTF_LEFTUP);
    PumpPendingMessages();
    EXPECT_EQ(pPopup, pFile->GetPopupMenu());
    EXPECT_TRUE(frame.m_commands.empty());
    pFile->CancelTracking();
    bar.DestroyWindow();
    frame.DestroyWindow();
    PumpPendingMessages();
}

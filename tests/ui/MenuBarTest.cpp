#include "GuiTestSupport.h"
#include "InputThread.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "QENVisualManagerXP.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const UINT kMainMenu = 0x4D00;     // File (New, Open), Edit (Undo), View (Status), the command Help
const UINT kOtherMenu = 0x4D01;    // Shell (Run), Window (Tile)
const UINT kMnemonicMenu = 0x4D02; // Tools, "Save && Exit(&X)", Table
const UINT kOpen = 0x4D12;
const UINT kHelp = 0x4D41;

// A plain framework frame that records commands and menu resets, and routes Alt the way a frame
// that hosts a menu bar does: Alt alone moves the focus to the bar and back, Alt+letter goes to
// the bar's mnemonics.
class CMenuFrame : public CFrameWnd
{
public:
    CQENMenuBar* m_pBar = NULL;
    std::vector<UINT> m_commands;
    std::vector<UINT> m_resetMenus;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_RESETMENU)
            m_resetMenus.push_back((UINT)wParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        switch (pMsg->message)
        {
        case WM_SYSKEYDOWN:
            m_bAltAlone = pMsg->wParam == VK_MENU;
            if (pMsg->wParam == VK_MENU)
                return TRUE;
            break;
        case WM_SYSCHAR:
            if (m_pBar->MapCharKey((UINT)pMsg->wParam))
                return TRUE;
            break;
        case WM_SYSKEYUP:
            if (pMsg->wParam != VK_MENU)
                break;
            if (m_bAltAlone)
            {
                if (GetFocus() == m_pBar)
                    SetFocus();
                else
                    m_pBar->SetFocus();
            }
            m_bAltAlone = false;
            return TRUE;
        default:
            break;
        }
        return CFrameWnd::PreTranslateMessage(pMsg);
    }

private:
    bool m_bAltAlone = false;
};

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void SendKey(WORD wKey, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(50);
}

void Tap(WORD wKey)
{
    SendKey(wKey, false);
    SendKey(wKey, true);
}

void AltChord(WORD wKey)
{
    SendKey(VK_MENU, false);
    Tap(wKey);
    SendKey(VK_MENU, true);
}

void MoveMouseTo(CPoint ptScreen, DWORD dwButtons = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (ptScreen.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(80);
}

// A click at the centre of a button of pBar.
void ClickButton(CQENToolBar* pBar, int iButton)
{
    CPoint pt = pBar->ButtonAt(iButton)->m_rect.CenterPoint();
    pBar->ClientToScreen(&pt);
    MoveMouseTo(pt);
    MoveMouseTo(pt, MOUSEEVENTF_LEFTDOWN);
    MoveMouseTo(pt, MOUSEEVENTF_LEFTUP);
}

std::vector<std::string> LabelsOf(const CQENToolBar& bar)
{
    std::vector<std::string> labels;
    for (int i = 0; i < bar.ButtonCount(); i++)
        labels.push_back((LPCTSTR)bar.ButtonAt(i)->m_strLabel);
    return labels;
}

// The index of the menu button whose popup is open and shown; -1 for none.
int OpenMenuOf(const CQENToolBar& bar)
{
    int iOpen = -1;
    for (int i = 0; i < bar.ButtonCount(); i++)
    {
        const CQENToolbarMenuButton* pButton = DYNAMIC_DOWNCAST(CQENToolbarMenuButton, bar.ButtonAt(i));
        if (pButton != NULL && pButton->GetPopupMenu() != NULL && pButton->GetPopupMenu()->IsWindowVisible())
            iOpen = i;
    }
    return iOpen;
}

std::set<std::string> CacheFilesOnDisk()
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(sizeof szFolder, szFolder);
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE hFind = ::FindFirstFileA((std::string(szFolder) + "QEN*.tmp").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(data.cFileName);
    while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return names;
}

const std::vector<std::string> kMainLabels = {"&File", "&Edit", "&View", "&Help"};

// A shown frame, 480 by 300 at (40, 40), whose menu bar shows the main menu as its default menu.
class MenuBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        m_hMainMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kMainMenu));
        m_hOtherMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kOtherMenu));
        ASSERT_TRUE(m_hMainMenu != NULL && m_hOtherMenu != NULL);
        m_pFrame = new CMenuFrame;
        m_pFrame->m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_pFrame->Create(NULL, "menu bar", WS_OVERLAPPEDWINDOW, CRect(40, 40, 520, 340)));
        m_pFrame->m_pBar = &m_bar;
        ASSERT_TRUE(m_bar.CreateEx(m_pFrame));
        m_bar.SetDefaultMenuId(kMainMenu);
        m_bar.RebuildFromMenu(m_hMainMenu, TRUE);
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFrame->SetFocus();
        m_pFrame->RecalcLayout();
        // A pointer left over a button by an earlier test would highlight it.
        MoveMouseTo(CPoint(700, 600));
        PumpFor(100);
    }

    void TearDown() override
    {
        CWnd* pPopup = CQENPopupMenu::s_pActivePopupMenu;
        if (pPopup != NULL && ::IsWindow(pPopup->m_hWnd))
            pPopup->SendMessage(WM_CLOSE);
        m_bar.DestroyWindow();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
        for (HMENU hMenu : {m_hMainMenu, m_hOtherMenu})
            if (::IsMenu(hMenu) && hMenu != m_bar.GetMenu())
                ::DestroyMenu(hMenu);
    }

    CRect BarClientRect()
    {
        CRect rect;
        m_bar.GetClientRect(&rect);
        return rect;
    }

    HMENU m_hMainMenu = NULL;
    HMENU m_hOtherMenu = NULL;
    CMenuFrame* m_pFrame = NULL;
    CQENMenuBar m_bar;
};

} // namespace

TEST_F(MenuBarTest, OneButtonPerTopLevelItemAcrossTheWholeFrameWrappingWhenNarrow)
{
    ASSERT_EQ(kMainLabels, LabelsOf(m_bar));
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    CRect rectBar;
    m_bar.GetWindowRect(&rectBar);
    EXPECT_EQ(rectFrame.Width(), rectBar.Width());
    for (int i = 1; i < m_bar.ButtonCount(); i++)
    {
        EXPECT_LE(m_bar.GetItemRect(i - 1).right, m_bar.GetItemRect(i).left) << i;
        EXPECT_EQ(m_bar.GetItemRect(0).top, m_bar.GetItemRect(i).top) << i;
    }

    // Too narrow for one row: the bar grows a row and keeps every button inside the frame's width.
    const int nOneRow = rectBar.Height();
    m_pFrame->SetWindowPos(NULL, 0, 0, m_bar.GetItemRect(2).right + 20, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    PumpFor(50);
    m_bar.GetWindowRect(&rectBar);
    m_pFrame->GetClientRect(&rectFrame);
    EXPECT_EQ(rectFrame.Width(), rectBar.Width());
    EXPECT_GT(rectBar.Height(), nOneRow);
    EXPECT_GT(m_bar.GetItemRect(3).top, m_bar.GetItemRect(0).top);
    for (int i = 0; i < m_bar.ButtonCount(); i++)
        EXPECT_LE(m_bar.GetItemRect(i).right, BarClientRect().right) << i;
}

TEST_F(MenuBarTest, AltAndMnemonicOpensItsMenuAndArrowsMoveBetweenMenusWrappingAround)
{
    AltChord('E');
    EXPECT_EQ(1, OpenMenuOf(m_bar));
    Tap(VK_RIGHT);
    EXPECT_EQ(2, OpenMenuOf(m_bar));
    Tap(VK_LEFT);
    Tap(VK_LEFT);
    EXPECT_EQ(0, OpenMenuOf(m_bar));
    Tap(VK_ESCAPE);
    EXPECT_EQ(-1, OpenMenuOf(m_bar));

    // Alt alone: the bar takes the focus with File highlighted; three steps right reach Help.
    Tap(VK_MENU);
    ASSERT_EQ(&m_bar, CWnd::GetFocus());
    for (int i = 0; i < 3; i++)
        Tap(VK_RIGHT);
    Tap(VK_RETURN);
    PumpFor(50);
    EXPECT_EQ(std::vector<UINT>{kHelp}, m_pFrame->m_commands);

    // Left from File wraps to Help, right from Help wraps to File.
    Tap(VK_MENU);
    Tap(VK_LEFT);
    Tap(VK_RETURN);
    PumpFor(50);
    EXPECT_EQ((std::vector<UINT>{kHelp, kHelp}), m_pFrame->m_commands);
    Tap(VK_MENU);
    Tap(VK_LEFT);
    Tap(VK_RIGHT);
    Tap(VK_DOWN);
    EXPECT_EQ(0, OpenMenuOf(m_bar));
}

TEST_F(MenuBarTest, AMnemonicAfterALiteralAmpersandAnswersAndOfTwoAlikeTheLaterOne)
{
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kMnemonicMenu));
    m_bar.RebuildFromMenu(hMenu);
    ASSERT_EQ((std::vector<std::string>{"&Tools", "Save && Exit(&X)", "&Table"}), LabelsOf(m_bar));
    AltChord('X');
    EXPECT_EQ(1, OpenMenuOf(m_bar));
    Tap(VK_ESCAPE);
    AltChord('T');
    EXPECT_EQ(2, OpenMenuOf(m_bar));
    Tap(VK_ESCAPE);
    m_bar.RebuildFromMenu(m_hMainMenu);
    ::DestroyMenu(hMenu);
}

TEST_F(MenuBarTest, ClicksOpenTheMenuAndRunCommandsInTheFrame)
{
    // The XP look fills the highlighted item.
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    m_bar.RedrawWindow();
    auto filePixels = [this]() {
        m_bar.UpdateWindow();
        CRect rect = m_bar.GetItemRect(0);
        m_bar.ClientToScreen(&rect);
        CClientDC dcScreen(NULL);
        std::vector<COLORREF> pixels;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                pixels.push_back(dcScreen.GetPixel(x, y));
        return pixels;
    };
    const std::vector<COLORREF> plain = filePixels();
    ClickButton(&m_bar, 0);
    ASSERT_EQ(0, OpenMenuOf(m_bar));
    const std::vector<COLORREF> open = filePixels();
    EXPECT_NE(plain, open);
    CQENToolbarMenuButton* pFile = static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0));
    CQENPopupMenuBar* pItems = pFile->GetPopupMenu()->GetMenuBar();
    ASSERT_EQ("&Open", std::string(pItems->ButtonAt(1)->m_strLabel));
    // The pointer in the menu, its button still looks open.
    CPoint ptItem = pItems->ButtonAt(0)->m_rect.CenterPoint();
    pItems->ClientToScreen(&ptItem);
    MoveMouseTo(ptItem);
    EXPECT_EQ(open, filePixels());
    ClickButton(pItems, 1);
    PumpFor(50);
    EXPECT_EQ(-1, OpenMenuOf(m_bar));
    EXPECT_EQ(plain, filePixels());
    ClickButton(&m_bar, 3);
    PumpFor(50);
    EXPECT_EQ((std::vector<UINT>{kOpen, kHelp}), m_pFrame->m_commands);
    CQENVisualManager::SetOnDemandClass(NULL);
}

TEST_F(MenuBarTest, EachMenuKeepsItsListAndADamagedCacheFileGivesTheMenuBack)
{
    const std::set<std::string> filesBefore = CacheFilesOnDisk();
    m_bar.DeleteButtonAt(1);
    m_bar.RebuildFromMenu(m_hOtherMenu);
    EXPECT_EQ((std::vector<std::string>{"&Shell", "&Window"}), LabelsOf(m_bar));
    EXPECT_GT(CacheFilesOnDisk().size(), filesBefore.size());
    m_bar.RebuildFromMenu(m_hMainMenu);
    EXPECT_EQ((std::vector<std::string>{"&File", "&View", "&Help"}), LabelsOf(m_bar));

    // Mnemonics follow the list shown: V is now the second button.
    m_bar.MapCharKey('v');
    EXPECT_EQ(1, OpenMenuOf(m_bar));
    CQENPopupMenu::s_pActivePopupMenu->SendMessage(WM_CLOSE);
    PumpPendingMessages();

    for (ULONGLONG nLength : {0ull, 5ull})
    {
        m_bar.RebuildFromMenu(m_hOtherMenu);
        CFile* pFile = NULL;
        ASSERT_TRUE(CQENMenuBar::s_MenuCache.Lookup(m_hMainMenu, pFile));
        pFile->SetLength(nLength);
        m_bar.RebuildFromMenu(m_hMainMenu);
        EXPECT_EQ(kMainLabels, LabelsOf(m_bar)) << nLength;
    }

    // A list that cannot be written leaves its menu uncached, not with the list cached before:
    // the menu comes back whole.
    m_bar.DeleteButtonAt(1);
    m_bar.RebuildFromMenu(m_hOtherMenu);
    m_bar.RebuildFromMenu(m_hMainMenu);
    ASSERT_EQ((std::vector<std::string>{"&File", "&View", "&Help"}), LabelsOf(m_bar));
    m_bar.DeleteButtonAt(1);
    char szTemp[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TMP", szTemp, sizeof szTemp);
    ::SetEnvironmentVariableA("TMP", "C:\\no such folder\\");
    m_bar.RebuildFromMenu(m_hOtherMenu);
    ::SetEnvironmentVariableA("TMP", szTemp[0] != '\0' ? szTemp : NULL);
    m_bar.RebuildFromMenu(m_hMainMenu);
    EXPECT_EQ(kMainLabels, LabelsOf(m_bar));

    m_bar.DestroyWindow();
    CQENMenuBar::ReleaseMenuCache();
    EXPECT_EQ(filesBefore, CacheFilesOnDisk());
}

TEST_F(MenuBarTest, StateComesBackFromTheRegistryAndADamagedValueGivesTheResourceMenu)
{
    CScratchRegistryKey key("MenuBar");
    m_bar.DeleteButtonAt(2);
    ASSERT_TRUE(m_bar.WriteState());
    m_bar.ResetToResource();
    EXPECT_EQ(kMainLabels, LabelsOf(m_bar));
    m_bar.ReadState();
    EXPECT_EQ((std::vector<std::string>{"&File", "&Edit", "&Help"}), LabelsOf(m_bar));
    EXPECT_TRUE(m_pFrame->m_resetMenus.empty());

    // The default menu's list: section "QENMenuBar", key "QENToolBar-<bar id><extra id 0>".
    CString strKey;
    strKey.Format("Software\\%s\\%s\\QENMenuBar\\QENToolBar-%d0", AfxGetApp()->m_pszRegistryKey,
                  AfxGetApp()->m_pszProfileName, m_bar.GetDlgCtrlID());
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_SET_VALUE, &hKey));
    const BYTE garbage[] = {0x07, 0x00, 0xFF, 0xFF, 0x42};
    ::RegSetValueExA(hKey, "Buttons", 0, REG_BINARY, garbage, sizeof garbage);
    ::RegCloseKey(hKey);
    m_bar.ReadState();
    EXPECT_EQ(kMainLabels, LabelsOf(m_bar));
    EXPECT_EQ(std::vector<UINT>{kMainMenu}, m_pFrame->m_resetMenus);

    // A list whose cache file cannot be read back is not stored over the one saved before.
    m_bar.DeleteButtonAt(1);
    ASSERT_TRUE(m_bar.WriteState());
    m_bar.RebuildFromMenu(m_hOtherMenu);
    CFile* pFile = NULL;
    ASSERT_TRUE(CQENMenuBar::s_MenuCache.Lookup(m_hMainMenu, pFile));
    pFile->SetLength(0);
    m_bar.WriteState();
    m_bar.ReadState();
    m_bar.RebuildFromMenu(m_hMainMenu);
    EXPECT_EQ((std::vector<std::string>{"&File", "&View", "&Help"}), LabelsOf(m_bar));
}

TEST(MenuBarDockTest, DraggedFromItsFarEndTheDockedBarFloatsInItsOwnShapeUnderThePointer)
{
    CQENVisualManager::SetOnDemandClass(NULL);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "menu bar drag", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CQENMenuBar bar;
    ASSERT_TRUE(bar.CreateEx(pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    bar.RebuildFromMenu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kMainMenu)), TRUE);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    ::SetForegroundWindow(pFrame->m_hWnd);
    PumpFor(100);

    CRect rectBar;
    bar.GetWindowRect(&rectBar);
    CRect rectLast = bar.GetItemRect(bar.ButtonCount() - 1);
    bar.ClientToScreen(&rectLast);
    ASSERT_GT(rectBar.right - rectLast.right, 120);
    const CPoint ptFrom(rectLast.right + 80, rectLast.CenterPoint().y);
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    pFrame->ClientToScreen(&rectClient);
    const CPoint ptTo = rectClient.CenterPoint();
    RunWithInputThread([=]() {
        MoveMouse(ptFrom);
        MoveMouse(ptFrom, MOUSEEVENTF_LEFTDOWN);
        for (int n = 1; n <= 4; n++)
            MoveMouse(ptFrom + CPoint((ptTo.x - ptFrom.x) * n / 4, (ptTo.y - ptFrom.y) * n / 4));
        MoveMouse(ptTo, MOUSEEVENTF_LEFTUP);
    });
    ASSERT_TRUE(bar.IsFloating());
    CRect rectFloat;
    bar.GetParentFrame()->GetWindowRect(&rectFloat);
    // The pointer is still at the bar's far end, where it took the bar.
    EXPECT_LT(rectFloat.Width(), rectBar.Width() / 2);
    EXPECT_LT(std::abs(ptTo.x - rectFloat.right), 16);
    EXPECT_LE(rectFloat.top, ptTo.y);
    EXPECT_LE(ptTo.y, rectFloat.bottom);
    bar.DestroyWindow();
    pFrame->DestroyWindow();
    PumpPendingMessages();
}

namespace {

LRESULT CALLBACK ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(hWnd, message, wParam, lParam);
}

// The frame holds an MDI client made with the raw Win32 MDI API.
class MenuBarMDITest : public MenuBarTest
{
protected:
    void SetUp() override
    {
        MenuBarTest::SetUp();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = wc.hIconSm = ::LoadIcon(NULL, IDI_APPLICATION);
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = "MenuBarTestChild";
        ::RegisterClassExA(&wc);
        CLIENTCREATESTRUCT ccs = {NULL, 0xFF00};
        m_hClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                      WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | MDIS_ALLCHILDSTYLES, 0, 0, 100, 100,
                                      m_pFrame->m_hWnd, (HMENU)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
        ASSERT_TRUE(m_hClient != NULL);
        m_pFrame->RecalcLayout();
    }

    // A new child, maximized, whose icon and caption buttons the bar shows.
    HWND NewMaximizedChild(DWORD dwStyle)
    {
        MDICREATESTRUCTA mcs = {"MenuBarTestChild", "child", AfxGetInstanceHandle(), 0, 0, 200, 100, dwStyle, 0};
        const HWND hChild = (HWND)::SendMessageA(m_hClient, WM_MDICREATE, 0, (LPARAM)&mcs);
        ::SendMessageA(m_hClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
        m_bar.SetChildMaximized(TRUE, CWnd::FromHandle(hChild));
        PumpFor(50);
        return hChild;
    }

    HWND m_hClient = NULL;
};

} // namespace

TEST_F(MenuBarMDITest, MaximizedMDIChildShowsItsIconAndCaptionButtonsWhichWork)
{
    const HWND hChild = NewMaximizedChild(WS_OVERLAPPEDWINDOW);
    ASSERT_EQ(8, m_bar.ButtonCount());
    // The icon comes before File; minimize, restore and close end at the bar's far end, 1 apart.
    EXPECT_LE(m_bar.GetItemRect(0).right, m_bar.GetItemRect(1).left);
    EXPECT_FALSE(m_bar.GetItemRect(0).IsRectEmpty());
    const CRect minimize = m_bar.GetItemRect(5), restore = m_bar.GetItemRect(6), close = m_bar.GetItemRect(7);
    EXPECT_EQ(minimize.right + 1, restore.left);
    EXPECT_EQ(restore.right + 1, close.left);
    EXPECT_GE(close.right, BarClientRect().right - 4);
    EXPECT_LE(close.right, BarClientRect().right);
    EXPECT_LT(m_bar.GetItemRect(4).right, minimize.left);
    EXPECT_EQ(minimize.CenterPoint().y, m_bar.GetItemRect(1).CenterPoint().y);

    // The arrows pass over the icon and the caption buttons.
    Tap(VK_MENU);
    Tap(VK_LEFT);
    Tap(VK_RETURN);
    PumpFor(50);
    EXPECT_EQ(std::vector<UINT>{kHelp}, m_pFrame->m_commands);

    ClickButton(&m_bar, 6);
    EXPECT_FALSE(::IsZoomed(hChild));
    ::SendMessageA(m_hClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
    ClickButton(&m_bar, 5);
    EXPECT_TRUE(::IsIconic(hChild));
    ::SendMessageA(m_hClient, WM_MDIMAXIMIZE, (WPARAM)hChild, 0);
    ClickButton(&m_bar, 7);
    EXPECT_FALSE(::IsWindow(hChild));
    m_bar.SetChildMaximized(FALSE, NULL);
    EXPECT_EQ(kMainLabels, LabelsOf(m_bar));

    // Without minimize and maximize boxes: the icon and the close button only.
    const HWND hPlain = NewMaximizedChild(WS_CHILD | WS_CAPTION | WS_SYSMENU);
    ASSERT_EQ(6, m_bar.ButtonCount());
    ClickButton(&m_bar, 5);
    EXPECT_FALSE(::IsWindow(hPlain));
}

TEST_F(MenuBarMDITest, TheChildsSystemMenuSendsItsCommandsToTheChildNotToTheFrame)
{
    const HWND hChild = NewMaximizedChild(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(::IsZoomed(hChild));
    ClickButton(&m_bar, 0);
    const CQENToolbarMenuButton* pIcon = static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0));
    ASSERT_NE(nullptr, pIcon->GetPopupMenu());
    CQENPopupMenuBar* pMenu = pIcon->GetPopupMenu()->GetMenuBar();
    int iRestore = -1;
    for (int i = 0; i < pMenu->ButtonCount(); i++)
        if (pMenu->ButtonAt(i)->m_nCommandId == SC_RESTORE)
            iRestore = i;
    ASSERT_GE(iRestore, 0);
    ClickButton(pMenu, iRestore);
    PumpFor(100);
    EXPECT_EQ(-1, OpenMenuOf(m_bar));
    EXPECT_FALSE(::IsZoomed(hChild));
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

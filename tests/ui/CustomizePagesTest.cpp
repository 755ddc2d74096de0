#include "CustomizePagesTest.h"

#include "MouseInput.h"
#include "QENPopupMenu.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"

#include <commctrl.h>

#include <algorithm>

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds; ::Sleep(10))
        PumpPendingMessages();
    RunIdleCycle();
}

CPoint ScreenPoint(HWND hWnd, CPoint ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

void ClickAt(CPoint ptScreen)
{
    for (DWORD dwButtons : {0ul, (DWORD)MOUSEEVENTF_LEFTDOWN, (DWORD)MOUSEEVENTF_LEFTUP})
    {
        SendMouseInput(ptScreen, dwButtons);
        PumpFor(60);
    }
    PumpFor(100);
}

void ClickControl(HWND hDialog, int nId)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hDialog, nId), &rect);
    ClickAt(rect.CenterPoint());
}

std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    for (int i = 0; i < (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0); i++)
    {
        char szText[512] = "";
        ::SendMessageA(hList, LB_GETTEXT, (WPARAM)i, (LPARAM)szText);
        items.push_back(szText);
    }
    return items;
}

std::string SelectedListItem(HWND hList)
{
    const int iItem = (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0);
    return iItem >= 0 ? ListItems(hList)[iItem] : "";
}

bool ClickListItem(HWND hList, const std::string& strText)
{
    const std::vector<std::string> items = ListItems(hList);
    const auto it = std::find(items.begin(), items.end(), strText);
    if (it == items.end())
        return false;
    CRect rect;
    ::SendMessageA(hList, LB_GETITEMRECT, (WPARAM)(it - items.begin()), (LPARAM)&rect);
    ClickAt(ScreenPoint(hList, rect.CenterPoint()));
    return true;
}

namespace {

void SendKey(WORD wVk, WORD wUnicode, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.wScan = wUnicode;
    input.ki.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(10);
}

BOOL CALLBACK FindShownTip(HWND hWnd, LPARAM lParam)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

} // namespace

void Chord(std::initializer_list<WORD> keys)
{
    for (WORD wKey : keys)
        SendKey(wKey, 0, 0);
    for (auto it = keys.end(); it != keys.begin();)
        SendKey(*--it, 0, KEYEVENTF_KEYUP);
    PumpFor(150);
}

void SendText(const wchar_t* pszText)
{
    for (const wchar_t* pch = pszText; *pch != L'\0'; pch++)
    {
        SendKey(0, *pch, KEYEVENTF_UNICODE);
        SendKey(0, *pch, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
}

void TypeText(const wchar_t* pszText)
{
    SendText(pszText);
    PumpFor(100);
}

BOOL CPagesTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND || pExtra != NULL || pHandlerInfo != NULL)
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    m_commands.push_back(nID);
    return TRUE;
}

LRESULT CPagesTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == QENM_TOOLBAR_RESETKEYBOARD)
        m_nKeyboardResets++;
    return CQENFrameWnd::WindowProc(message, wParam, lParam);
}

void CustomizePagesTest::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    CQENVisualManager::SetOnDemandClass(NULL);
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    CQENToolBar::s_blockedCommands.AddTail(kPrint);
    ASSERT_TRUE(m_workspace.CreateKeyboardManager());
    ASSERT_TRUE(m_workspace.SetUpUserTools(kToolsEntry, kFirstTool, kLastTool, NULL, kArgumentsMenu, 0));
    m_frame.m_bAutoMenuEnable = FALSE;
    ASSERT_TRUE(m_frame.LoadFrame(kFrame));
    TestApp().m_pMainWnd = &m_frame;
    m_frame.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(m_menuBar.CreateEx(&m_frame));
    m_frame.AttachMenuBar(&m_menuBar);
    m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, CRect(1, 1, 1, 1),
                               0xE900));
    m_bar.AddButtonAt(CQENToolbarButton(kSave, -1, "保存"));
    m_bar.AddButtonAt(CQENToolbarButton(kClose, -1, "关闭"));
    m_bar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame.DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
    m_frame.SetWindowPos(NULL, 20, 20, 480, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
    m_frame.RecalcLayout();
    ::SetForegroundWindow(m_frame.m_hWnd);
    m_frame.SetFocus();
    PumpFor(100);
}

void CustomizePagesTest::TearDown()
{
    if (g_pToolbarCustomize != NULL)
        g_pToolbarCustomize->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    m_frame.DestroyWindow();
    CQENToolBar::s_blockedCommands.RemoveAll();
    ::OleUninitialize();
}

CQENToolbarCustomize* CustomizePagesTest::OpenSheet()
{
    CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(&m_frame, TRUE, 0x0F);
    EXPECT_TRUE(pSheet->Create());
    pSheet->SetWindowPos(NULL, 520, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpFor(150);
    return pSheet;
}

HWND CustomizePagesTest::ShowPage(const char* pszCaption)
{
    HWND hTabs = g_pToolbarCustomize->GetTabControl()->m_hWnd;
    const std::vector<std::string> captions = TabCaptions(hTabs);
    for (int i = 0; i < (int)captions.size(); i++)
    {
        CRect rectTab;
        ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)i, (LPARAM)&rectTab);
        if (captions[i] == pszCaption)
            ClickAt(ScreenPoint(hTabs, rectTab.CenterPoint()));
    }
    return g_pToolbarCustomize->GetActivePage()->m_hWnd;
}

void CustomizePagesTest::ClickClose()
{
    ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
    if (g_pToolbarCustomize != NULL)
        return;
    ::SetForegroundWindow(m_frame.m_hWnd);
    m_frame.SetFocus();
    PumpFor(100);
}

std::vector<UINT> CustomizePagesTest::CommandsOf(std::initializer_list<WORD> keys)
{
    m_frame.m_commands.clear();
    Chord(keys);
    return m_frame.m_commands;
}

std::string CustomizePagesTest::TipOf(int iButton)
{
    const auto onScreen = [this](int i) { return ScreenPoint(m_bar.m_hWnd, m_bar.ButtonAt(i)->m_rect.CenterPoint()); };
    for (CPoint pt : {onScreen(1 - iButton), onScreen(iButton) + CPoint(1, 0), onScreen(iButton)})
    {
        SendMouseInput(pt);
        PumpFor(50);
    }
    HWND hTip = NULL;
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 2000 && hTip == NULL; PumpFor(20))
        ::EnumThreadWindows(::GetCurrentThreadId(), FindShownTip, (LPARAM)&hTip);
    char szText[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.lpszText = szText;
    ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
    SendMouseInput(ScreenPoint(m_frame.m_hWnd, CPoint(200, 200)));
    PumpFor(100);
    return szText;
}

CQENPopupMenuBar* CustomizePagesTest::OpenMenu(int iMenu)
{
    ClickAt(ScreenPoint(m_menuBar.m_hWnd, m_menuBar.GetItemRect(iMenu).CenterPoint()));
    CQENPopupMenu* pPopup = static_cast<CQENToolbarMenuButton*>(m_menuBar.ButtonAt(iMenu))->GetPopupMenu();
    return pPopup != NULL ? pPopup->GetMenuBar() : NULL;
}

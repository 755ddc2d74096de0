// The customization sheet's mouse page, driven with real clicks: the views with their icons, the
// double-click command bound to a view and run by a real double click, removed again, and the beeps.
#include "BeepRecorder.h"
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENFrameWnd.h"
#include "QENMouseManager.h"
#include "QENToolbarCustomize.h"
#include "QENVisualManager.h"
#include "QENWorkspace.h"
#include "ScratchRegistryKey.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kFrameMenu = 0x5F00;
const UINT kViewIcon = 0x5F01;   // orange
const UINT kNew = 0x5F10;
const UINT kOpen = 0x5F11;
const int kTableView = 1;
const int kEditView = 2;
const COLORREF kIconOrange = RGB(224, 128, 32);

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

void ClickAt(CPoint ptScreen, int nClicks = 1)
{
    SendMouseInput(ptScreen);
    PumpFor(60);
    for (int i = 0; i < nClicks; i++)
    {
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN);
        PumpFor(40);
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTUP);
        PumpFor(40);
    }
    PumpFor(150);
}

void ClickControl(HWND hDialog, int nId)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hDialog, nId), &rect);
    ClickAt(rect.CenterPoint());
}

CRect ViewItemRect(HWND hViews, int iItem, int nArea)
{
    CRect rect(nArea, 0, 0, 0);
    ::SendMessageA(hViews, LVM_GETITEMRECT, (WPARAM)iItem, (LPARAM)&rect);
    return rect;
}

std::string ListText(HWND hList, int iItem)
{
    char szText[256] = "";
    ::SendMessageA(hList, LB_GETTEXT, (WPARAM)iItem, (LPARAM)szText);
    return szText;
}

// A library frame that keeps the commands it runs.
class CMouseFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && (nID == kNew || nID == kOpen))
        {
            if (pExtra == NULL && pHandlerInfo == NULL)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void PostNcDestroy() override {}
};

// The table view: a double click runs what the workspace binds to it.
class CTableView : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDBLCLK && g_pWorkspace != NULL)
            g_pWorkspace->HandleViewDoubleClick(this, kTableView);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A shown library frame with the table view in it, and a workspace whose mouse manager knows the
// table view (with an icon) and the edit view (without).
class MousePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        SendMouseInput(CPoint(5, 700));
        m_workspace.m_bSaveEnabled = FALSE;
        ASSERT_TRUE(m_workspace.CreateMouseManager());
        ASSERT_TRUE(g_pMouseManager->RegisterView(kTableView, "表格视图", kViewIcon));
        ASSERT_TRUE(g_pMouseManager->RegisterView(kEditView, "编辑视图"));
        ASSERT_TRUE(m_frame.Create(NULL, "mouse page", WS_OVERLAPPEDWINDOW, CRect(20, 20, 560, 380), NULL,
                                   MAKEINTRESOURCE(kFrameMenu)));
        // The sheet takes its commands from the frame's default menu, as a loaded frame keeps it.
        m_frame.m_hMenuDefault = ::GetMenu(m_frame.m_hWnd);
        TestApp().m_pMainWnd = &m_frame;
        ASSERT_TRUE(m_view.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                                    &m_frame, AFX_IDW_PANE_FIRST));
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
        m_view.DestroyWindow();
        m_frame.DestroyWindow();
        PumpPendingMessages();
        ::OleUninitialize();
    }

    // The sheet beside the frame, on its mouse page.
    HWND OpenMousePage()
    {
        CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(&m_frame, TRUE);
        EXPECT_TRUE(pSheet->Create());
        pSheet->SetWindowPos(NULL, 580, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(150);
        HWND hTabs = pSheet->GetTabControl()->m_hWnd;
        const std::vector<std::string> captions = TabCaptions(hTabs);
        for (int i = 0; i < (int)captions.size(); i++)
        {
            if (captions[i] != "鼠标")
                continue;
            CRect rectTab;
            ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)i, (LPARAM)&rectTab);
            ClickAt(ScreenPoint(hTabs, rectTab.CenterPoint()));
            return pSheet->GetActivePage()->m_hWnd;
        }
        ADD_FAILURE() << "no mouse page";
        return NULL;
    }

    void CloseSheet()
    {
        ClickControl(g_pToolbarCustomize->m_hWnd, IDCANCEL);
        ASSERT_EQ(nullptr, g_pToolbarCustomize);
    }

    void DoubleClickView()
    {
        CRect rect;
        m_view.GetWindowRect(&rect);
        ClickAt(rect.CenterPoint(), 2);
    }

    CScratchRegistryKey m_registry{"MousePage"};
    CQENWorkspace m_workspace;
    CMouseFrame m_frame;
    CTableView m_view;
};

} // namespace

TEST_F(MousePageTest, TheViewsAreListedByNameWithTheirIcons)
{
    HWND hPage = OpenMousePage();
    ASSERT_TRUE(hPage != NULL);
    HWND hViews = ::GetDlgItem(hPage, 16631);
    ASSERT_EQ(2, (int)::SendMessageA(hViews, LVM_GETITEMCOUNT, 0, 0));
    const char* pszNames[] = {"编辑视图", "表格视图"};
    for (int i = 0; i < 2; i++)
    {
        char szText[64] = "";
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hViews, LVM_GETITEMTEXTA, (WPARAM)i, (LPARAM)&item);
        EXPECT_STREQ(pszNames[i], szText);
    }
    CRect rectClient;
    ::GetClientRect(hViews, &rectClient);
    EXPECT_EQ(rectClient.Width(), (int)::SendMessageA(hViews, LVM_GETCOLUMNWIDTH, 0, 0));

    // The table view shows its icon at the small icon size; the edit view has none.
    CWnd* pViews = CWnd::FromHandle(hViews);
    const int nIconArea = ::GetSystemMetrics(SM_CXSMICON) * ::GetSystemMetrics(SM_CYSMICON);
    EXPECT_EQ(0, ScreenCount(pViews, ViewItemRect(hViews, 0, LVIR_ICON), kIconOrange));
    EXPECT_EQ(nIconArea, ScreenCount(pViews, ViewItemRect(hViews, 1, LVIR_ICON), kIconOrange));
}

TEST_F(MousePageTest, ACommandBoundToAViewRunsOnADoubleClickUntilTheViewIsSetToNone)
{
    HWND hPage = OpenMousePage();
    ASSERT_TRUE(hPage != NULL);
    HWND hViews = ::GetDlgItem(hPage, 16631);
    HWND hCommands = ::GetDlgItem(hPage, 16634);
    ASSERT_EQ(2, (int)::SendMessageA(hCommands, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("文件(F)打开(O)", ListText(hCommands, 0));
    EXPECT_EQ("文件(F)新建(N)", ListText(hCommands, 1));

    // No view chosen: a binding beeps and changes nothing.
    {
        CBeepRecorder beeps;
        CBeepRecorder::s_nBeeps = 0;
        ClickControl(hPage, 16633);
        EXPECT_EQ(1, CBeepRecorder::s_nBeeps);
        EXPECT_FALSE(::IsWindowEnabled(hCommands));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(hPage, 16633));
    }

    // The table view has no command yet; a command chosen for it is bound at once.
    ClickAt(ScreenPoint(hViews, ViewItemRect(hViews, 1, LVIR_LABEL).CenterPoint()));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, 16632));
    EXPECT_FALSE(::IsWindowEnabled(hCommands));
    ClickControl(hPage, 16633);
    ASSERT_TRUE(::IsWindowEnabled(hCommands));
    CRect rectNew;
    ::SendMessageA(hCommands, LB_GETITEMRECT, 1, (LPARAM)&rectNew);
    ClickAt(ScreenPoint(hCommands, rectNew.CenterPoint()));
    EXPECT_EQ("建立新文档", WindowText(::GetDlgItem(hPage, 16514)));
    EXPECT_EQ(kNew, g_pMouseManager->DoubleClickCommandOf(kTableView));
    EXPECT_EQ(0u, g_pMouseManager->DoubleClickCommandOf(kEditView));

    CloseSheet();
    DoubleClickView();
    EXPECT_EQ(std::vector<UINT>{kNew}, m_frame.m_commands);

    // Chosen again, the view shows its command; "none" removes it.
    hPage = OpenMousePage();
    hViews = ::GetDlgItem(hPage, 16631);
    hCommands = ::GetDlgItem(hPage, 16634);
    ClickAt(ScreenPoint(hViews, ViewItemRect(hViews, 1, LVIR_LABEL).CenterPoint()));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, 16633));
    EXPECT_TRUE(::IsWindowEnabled(hCommands));
    EXPECT_EQ(1, (int)::SendMessageA(hCommands, LB_GETCURSEL, 0, 0));
    EXPECT_EQ("建立新文档", WindowText(::GetDlgItem(hPage, 16514)));
    ClickControl(hPage, 16632);
    EXPECT_FALSE(::IsWindowEnabled(hCommands));
    EXPECT_EQ(0u, g_pMouseManager->DoubleClickCommandOf(kTableView));

    CloseSheet();
    CBeepRecorder beeps;
    CBeepRecorder::s_nBeeps = 0;
    DoubleClickView();
    EXPECT_EQ(std::vector<UINT>{kNew}, m_frame.m_commands);
    EXPECT_EQ(1, CBeepRecorder::s_nBeeps);
}

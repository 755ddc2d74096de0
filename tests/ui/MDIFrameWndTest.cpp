// The library's MDI frame with a menu bar and a toolbar, documents of two types, driven by real keys
// and clicks.
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENMDIFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButtonsButton.h"
#include "QENToolbarSystemMenuButton.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kMainMenu = 0x4E00;
const UINT kTextMenu = 0x4E01;
const UINT kTableMenu = 0x4E02;

class CPlainDoc : public CDocument
{
    DECLARE_DYNCREATE(CPlainDoc)
};
IMPLEMENT_DYNCREATE(CPlainDoc, CDocument)

class CPlainView : public CView
{
    DECLARE_DYNCREATE(CPlainView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPlainView, CView)

const std::vector<std::string> kMainLabels = {"文件(&F)", "窗口(&W)"};
const std::vector<std::string> kTextLabels = {"文件(&F)", "编辑(&E)", "窗口(&W)"};
const std::vector<std::string> kTableLabels = {"文件(&F)", "窗口(&W)", "帮助(&H)"};

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
    RunIdleCycle();
}

// A chord of real keys: pressed in order, released in reverse.
void Chord(std::initializer_list<WORD> keys)
{
    std::vector<WORD> order(keys);
    for (int pass = 0; pass < 2; pass++)
    {
        for (size_t i = 0; i < order.size(); i++)
        {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = pass == 0 ? order[i] : order[order.size() - 1 - i];
            input.ki.dwFlags = pass == 0 ? 0 : KEYEVENTF_KEYUP;
            ::SendInput(1, &input, sizeof(INPUT));
            PumpFor(30);
        }
    }
    PumpFor(100);
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

class MDIFrameWndTest : public ::testing::Test
{
protected:
    CQENMDIFrameWnd* m_pFrame = nullptr;
    std::unique_ptr<CQENMenuBar> m_pMenuBar;
    std::unique_ptr<CQENToolBar> m_pToolBar;
    std::unique_ptr<CMultiDocTemplate> m_pText;
    std::unique_ptr<CMultiDocTemplate> m_pTable;

    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        SendMouseInput(CPoint(0, 0));
        m_pFrame = new CQENMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(kMainMenu));
        TestApp().m_pMainWnd = m_pFrame;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);

        m_pMenuBar.reset(new CQENMenuBar);
        ASSERT_TRUE(m_pMenuBar->CreateEx(m_pFrame));
        m_pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pMenuBar.get(), AFX_IDW_DOCKBAR_TOP);
        m_pFrame->m_Impl.AttachMenuBar(m_pMenuBar.get());

        m_pToolBar.reset(new CQENToolBar);
        ASSERT_TRUE(m_pToolBar->CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1),
                                         AFX_IDW_TOOLBAR));
        for (const char* pszLabel : {"新建", "层叠", "平铺"})
        {
            CQENToolbarButton button(0x4E10, -1, pszLabel);
            button.m_bShowLabel = TRUE;
            m_pToolBar->AddButtonAt(button);
        }
        m_pToolBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(m_pToolBar.get(), AFX_IDW_DOCKBAR_TOP);

        m_pText.reset(new CMultiDocTemplate(kTextMenu, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(CPlainView)));
        m_pTable.reset(new CMultiDocTemplate(kTableMenu, RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CPlainView)));
        m_pFrame->SetWindowPos(NULL, 40, 40, 640, 460, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(100);
    }

    void TearDown() override
    {
        m_pText->CloseAllDocuments(FALSE);
        m_pTable->CloseAllDocuments(FALSE);
        if (TestApp().m_pMainWnd != NULL)
            TestApp().m_pMainWnd->DestroyWindow();
        TestApp().m_pMainWnd = NULL;
        PumpPendingMessages();
        m_pMenuBar.reset();
        m_pToolBar.reset();
        m_pText.reset();
        m_pTable.reset();
    }

    // The menu items of the bar, caption items left out.
    std::vector<std::string> MenuLabels() const
    {
        std::vector<std::string> labels;
        for (int i = 0; i < m_pMenuBar->ButtonCount(); i++)
        {
            CQENToolbarButton* pButton = m_pMenuBar->ButtonAt(i);
            if (!pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarSystemMenuButton)) &&
                !pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton)))
                labels.push_back((LPCTSTR)pButton->m_strLabel);
        }
        return labels;
    }

    // The system commands of the caption buttons, and whether the child's icon leads the bar.
    std::vector<UINT> CaptionCommands(bool* pbIcon = nullptr) const
    {
        std::vector<UINT> commands;
        for (int i = 0; i < m_pMenuBar->ButtonCount(); i++)
            if (m_pMenuBar->ButtonAt(i)->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton)))
                commands.push_back(m_pMenuBar->ButtonAt(i)->m_nCommandId);
        if (pbIcon != nullptr)
            *pbIcon = m_pMenuBar->ButtonCount() > 0 &&
                      m_pMenuBar->ButtonAt(0)->IsKindOf(RUNTIME_CLASS(CQENToolbarSystemMenuButton)) &&
                      !m_pMenuBar->GetItemRect(0).IsRectEmpty();
        return commands;
    }

    // The centre, on the screen, of the caption button of nSysCommand.
    CPoint CaptionButtonPoint(UINT nSysCommand) const
    {
        for (int i = 0; i < m_pMenuBar->ButtonCount(); i++)
        {
            CQENToolbarButton* pButton = m_pMenuBar->ButtonAt(i);
            if (pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton)) && pButton->m_nCommandId == nSysCommand)
            {
                CPoint pt = m_pMenuBar->GetItemRect(i).CenterPoint();
                m_pMenuBar->ClientToScreen(&pt);
                return pt;
            }
        }
        ADD_FAILURE() << "no caption button " << nSysCommand;
        return CPoint(0, 0);
    }

    HMENU FrameMenu() const { return ::GetMenu(m_pFrame->m_hWnd); }
};

TEST_F(MDIFrameWndTest, SwitchingDocumentsSwitchesTheBarsMenuAndKeepsEachTypesCustomizedList)
{
    EXPECT_EQ(kMainLabels, MenuLabels());
    EXPECT_EQ(nullptr, FrameMenu());

    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    EXPECT_EQ(kTextLabels, MenuLabels());
    EXPECT_EQ(nullptr, FrameMenu());
    // The client still keeps its window list in the type's window menu.
    HMENU hTextWindow = m_pFrame->GetWindowMenuPopup(m_pText->m_hMenuShared);
    char szLast[64] = "";
    ::GetMenuStringA(hTextWindow, ::GetMenuItemCount(hTextWindow) - 1, szLast, sizeof szLast, MF_BYPOSITION);
    EXPECT_EQ("&1 文本1", std::string(szLast));

    // The user drops "编辑" from the text documents' menu.
    ASSERT_TRUE(m_pMenuBar->DeleteButtonAt(1));
    ASSERT_NE(nullptr, m_pTable->OpenDocumentFile(NULL));
    EXPECT_EQ(kTableLabels, MenuLabels());
    EXPECT_EQ(nullptr, FrameMenu());

    Chord({VK_CONTROL, VK_F6});
    EXPECT_EQ((std::vector<std::string>{"文件(&F)", "窗口(&W)"}), MenuLabels());
    EXPECT_EQ(m_pText.get(), m_pFrame->MDIGetActive()->GetActiveDocument()->GetDocTemplate());
    Chord({VK_CONTROL, VK_F6});
    EXPECT_EQ(kTableLabels, MenuLabels());

    // The last child closed, the bar shows the frame's own menu again.
    Chord({VK_CONTROL, VK_F4});
    Chord({VK_CONTROL, VK_F4});
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(kMainLabels, MenuLabels());
    EXPECT_EQ(nullptr, FrameMenu());
}

TEST_F(MDIFrameWndTest, MaximizedChildPutsItsIconAndCaptionButtonsOnTheBarWhichWork)
{
    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    CMDIChildWnd* pText = m_pFrame->MDIGetActive();
    pText->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    PumpFor(50);
    bool bIcon = false;
    EXPECT_EQ((std::vector<UINT>{SC_MINIMIZE, SC_RESTORE, SC_CLOSE}), CaptionCommands(&bIcon));
    EXPECT_TRUE(bIcon);
    EXPECT_EQ(kTextLabels, MenuLabels());
    // The close button ends at the bar's far end.
    CRect rectBar;
    m_pMenuBar->GetClientRect(&rectBar);
    CPoint ptClose = CaptionButtonPoint(SC_CLOSE);
    m_pMenuBar->ScreenToClient(&ptClose);
    EXPECT_GT(ptClose.x, rectBar.right - 20);

    // A second document comes up maximized: its menu, the buttons stay; no menu took the client's
    // caption items.
    ASSERT_NE(nullptr, m_pTable->OpenDocumentFile(NULL));
    CMDIChildWnd* pTable = m_pFrame->MDIGetActive();
    ASSERT_NE(pText, pTable);
    EXPECT_EQ(kTableLabels, MenuLabels());
    EXPECT_EQ((std::vector<UINT>{SC_MINIMIZE, SC_RESTORE, SC_CLOSE}), CaptionCommands(&bIcon));
    EXPECT_TRUE(bIcon);
    EXPECT_EQ(3, ::GetMenuItemCount(m_pText->m_hMenuShared));
    EXPECT_EQ(3, ::GetMenuItemCount(m_pTable->m_hMenuShared));
    EXPECT_EQ(nullptr, FrameMenu());

    // Its close button closes it; restore on the next one leaves the bar with the menu alone.
    ClickAt(CaptionButtonPoint(SC_CLOSE));
    EXPECT_EQ(nullptr, m_pTable->GetFirstDocPosition());
    ASSERT_EQ(pText, m_pFrame->MDIGetActive());
    EXPECT_EQ(kTextLabels, MenuLabels());
    BOOL bMaximized = FALSE;
    m_pFrame->MDIGetActive(&bMaximized);
    if (bMaximized)
        ClickAt(CaptionButtonPoint(SC_RESTORE));
    EXPECT_FALSE(pText->IsZoomed());
    EXPECT_TRUE(CaptionCommands(&bIcon).empty());
    EXPECT_FALSE(bIcon);
    EXPECT_EQ(kTextLabels, MenuLabels());

    // A child without minimize and maximize boxes: its icon and the close button only.
    CMDIChildWnd* pPlain = new CMDIChildWnd;
    ASSERT_TRUE(pPlain->Create(NULL, "plain", WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
    pPlain->MDIActivate();
    pPlain->MDIMaximize();
    PumpFor(50);
    EXPECT_EQ(std::vector<UINT>{SC_CLOSE}, CaptionCommands(&bIcon));
    EXPECT_TRUE(bIcon);
    const HWND hPlain = pPlain->m_hWnd;
    ClickAt(CaptionButtonPoint(SC_CLOSE));
    EXPECT_FALSE(::IsWindow(hPlain));
}

TEST_F(MDIFrameWndTest, TheBarsWindowMenuListsTheOpenDocumentsAndActivatesTheOneClicked)
{
    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    CMDIChildWnd* pText = m_pFrame->MDIGetActive();
    ASSERT_NE(nullptr, m_pTable->OpenDocumentFile(NULL));
    ASSERT_EQ(kTableLabels, MenuLabels());

    CPoint ptWindowMenu = m_pMenuBar->GetItemRect(1).CenterPoint();
    m_pMenuBar->ClientToScreen(&ptWindowMenu);
    ClickAt(ptWindowMenu);
    CQENPopupMenu* pPopup = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pItems = pPopup->GetMenuBar();
    std::vector<std::string> labels;
    int iTextEntry = -1;
    for (int i = 0; i < pItems->ButtonCount(); i++)
    {
        CQENToolbarButton* pItem = pItems->ButtonAt(i);
        labels.push_back(pItem->IsSeparator() ? "-" : (LPCTSTR)pItem->m_strLabel);
        if (pItem->m_strLabel == "&1 文本1")
            iTextEntry = i;
    }
    EXPECT_EQ((std::vector<std::string>{"层叠(&C)", "-", "&1 文本1", "&2 表格1"}), labels);
    // The active document's entry carries the check mark.
    EXPECT_TRUE(pItems->ButtonAt(3)->m_nStyle & TBBS_CHECKED);
    EXPECT_FALSE(pItems->ButtonAt(2)->m_nStyle & TBBS_CHECKED);

    ASSERT_GE(iTextEntry, 0);
    CPoint ptEntry = pItems->GetItemRect(iTextEntry).CenterPoint();
    pItems->ClientToScreen(&ptEntry);
    ClickAt(ptEntry);
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
    EXPECT_EQ(pText, m_pFrame->MDIGetActive());
    EXPECT_EQ(kTextLabels, MenuLabels());
}

TEST_F(MDIFrameWndTest, EachDocumentTypesListIsStoredUnderItsMenusIdAndComesBackForItsDocuments)
{
    CScratchRegistryKey scratch("MDIMenus");
    // The application's templates are the fixture's for this test.
    struct CTemplatesOfTheApp
    {
        CDocManager* m_pOld = TestApp().m_pDocManager;
        CTemplatesOfTheApp(std::initializer_list<CDocTemplate*> templates)
        {
            TestApp().m_pDocManager = new CDocManager;
            for (CDocTemplate* pTemplate : templates)
            {
                pTemplate->m_bAutoDelete = FALSE;
                TestApp().AddDocTemplate(pTemplate);
            }
        }
        ~CTemplatesOfTheApp()
        {
            delete TestApp().m_pDocManager;
            TestApp().m_pDocManager = m_pOld;
        }
    } templates{m_pText.get(), m_pTable.get()};

    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    ASSERT_TRUE(m_pMenuBar->DeleteButtonAt(1));
    const std::vector<std::string> textList = {"文件(&F)", "窗口(&W)"};
    ASSERT_EQ(textList, MenuLabels());
    ASSERT_NE(nullptr, m_pTable->OpenDocumentFile(NULL));
    ASSERT_TRUE(m_pMenuBar->DeleteButtonAt(0));
    const std::vector<std::string> tableList = {"窗口(&W)", "帮助(&H)"};
    ASSERT_EQ(tableList, MenuLabels());
    ASSERT_TRUE(m_pMenuBar->WriteState());

    // A key per menu: the frame's own under extra id 0, each type's under its menu's id in hex.
    for (UINT nMenuId : {0u, kTextMenu, kTableMenu})
    {
        CString strKey;
        strKey.Format("Software\\%s\\%s\\QENMenuBar\\QENToolBar-%d%x", AfxGetApp()->m_pszRegistryKey,
                      AfxGetApp()->m_pszProfileName, m_pMenuBar->GetDlgCtrlID(), nMenuId);
        HKEY hKey = NULL;
        EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey)) << strKey;
        if (hKey != NULL)
            ::RegCloseKey(hKey);
    }

    m_pMenuBar->ResetToResource();
    EXPECT_EQ(kTableLabels, MenuLabels());
    m_pMenuBar->ReadState();
    EXPECT_EQ(tableList, MenuLabels());
    Chord({VK_CONTROL, VK_F6});
    EXPECT_EQ(textList, MenuLabels());
    Chord({VK_CONTROL, VK_F4});
    Chord({VK_CONTROL, VK_F4});
    EXPECT_EQ(kMainLabels, MenuLabels());
}

TEST_F(MDIFrameWndTest, FrameDestroyedWithADocumentOpenLeavesTheTypesMenuToItsTemplate)
{
    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    ASSERT_EQ(kTextLabels, MenuLabels());
    m_pFrame->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    m_pMenuBar.reset();
    EXPECT_TRUE(::IsMenu(m_pText->m_hMenuShared));
    EXPECT_EQ(3, ::GetMenuItemCount(m_pText->m_hMenuShared));
}

} // namespace

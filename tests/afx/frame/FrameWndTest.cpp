// The frame window: what LoadFrame takes from the resources, menu updates, accelerators, command
// prompts, idle layout, title rules and closing.
#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string MenuText(CMenu* pMenu, UINT nPosition)
{
    CString str;
    pMenu->GetMenuString(nPosition, str, MF_BYPOSITION);
    return std::string((LPCTSTR)str);
}

UINT PositionOf(CMenu* pMenu, UINT nID)
{
    for (UINT i = 0; i < pMenu->GetMenuItemCount(); i++)
    {
        if (pMenu->GetMenuItemID((int)i) == nID)
            return i;
    }
    return (UINT)-1;
}

BOOL IsGrayed(CMenu* pMenu, UINT nID)
{
    return (pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

typedef CSdiTest CFrameWndTest;

TEST_F(CFrameWndTest, LoadFrameTakesTitleMenuIconAndAcceleratorsOfItsResourceId)
{
    ASSERT_NE(nullptr, NewDocument());
    CFrameWnd* pFrame = Frame();
    EXPECT_EQ("测试程序", std::string((LPCTSTR)pFrame->m_strTitle));
    ASSERT_NE(nullptr, pFrame->GetMenu());
    EXPECT_EQ(pFrame->m_hMenuDefault, pFrame->GetMenu()->m_hMenu);
    EXPECT_EQ("文件(&F)", MenuText(pFrame->GetMenu(), 0));
    EXPECT_NE(nullptr, pFrame->m_hAccelTable);
    EXPECT_EQ((ULONG_PTR)::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_DOC)),
              ::GetClassLongPtrA(pFrame->m_hWnd, GCLP_HICON));
    EXPECT_TRUE(pFrame->GetStyle() & FWS_ADDTOTITLE);

    // The view brings the client edge; the frame gives its own up.
    EXPECT_TRUE(View()->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(pFrame->GetExStyle() & WS_EX_CLIENTEDGE);
    CRect rectClient;
    CRect rectView;
    pFrame->GetClientRect(&rectClient);
    View()->GetWindowRect(&rectView);
    pFrame->ScreenToClient(&rectView);
    EXPECT_EQ(rectClient, rectView);
}

TEST(CFrameWnd, LoadFrameFailsWithoutAMenuAndTheFrameDeletesItself)
{
    CFrameWnd* pFrame = new CTestFrame;
    EXPECT_FALSE(pFrame->LoadFrame(IDD_TEST_FORM));
}

TEST_F(CFrameWndTest, TitleNamesTheDocumentFirstOrLastOrNotAtAll)
{
    ASSERT_NE(nullptr, NewDocument());
    CFrameWnd* pFrame = Frame();
    EXPECT_TRUE(pFrame->GetStyle() & FWS_PREFIXTITLE);
    EXPECT_EQ("测试文档 - 测试程序", WindowText(*pFrame));

    pFrame->ModifyStyle(FWS_PREFIXTITLE, 0);
    pFrame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ("测试程序 - 测试文档", WindowText(*pFrame));
    pFrame->OnUpdateFrameTitle(FALSE);
    EXPECT_EQ("测试程序", WindowText(*pFrame));

    pFrame->ModifyStyle(FWS_ADDTOTITLE, 0);
    pFrame->SetWindowText("自定");
    pFrame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ("自定", WindowText(*pFrame));
}

TEST_F(CFrameWndTest, UntitledDocumentTakesTheUntitledString)
{
    UseTemplate(IDR_TEST_PLAIN, RUNTIME_CLASS(CTestView));
    ASSERT_NE(nullptr, NewDocument());
    EXPECT_EQ("无标题 - 纯框架", WindowText(*Frame()));
}

TEST_F(CFrameWndTest, PopupMenuItemsFollowTheirUpdateHandlers)
{
    ASSERT_NE(nullptr, NewDocument());
    CMenu* pPopup = Frame()->GetMenu()->GetSubMenu(0);
    Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, MAKELPARAM(0, FALSE));

    EXPECT_FALSE(IsGrayed(pPopup, ID_TEST_VIEW_ONLY));
    EXPECT_FALSE(IsGrayed(pPopup, ID_TEST_DOC_ONLY));
    EXPECT_FALSE(IsGrayed(pPopup, ID_TEST_FRAME_ONLY));
    EXPECT_FALSE(IsGrayed(pPopup, ID_TEST_APP_ONLY));
    EXPECT_TRUE(IsGrayed(pPopup, ID_TEST_DISABLED));
    EXPECT_TRUE(IsGrayed(pPopup, ID_TEST_UNHANDLED));
    EXPECT_TRUE(pPopup->GetMenuState(ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ("新名", MenuText(pPopup, PositionOf(pPopup, ID_TEST_RENAMED)));
    EXPECT_FALSE(IsGrayed(pPopup, SC_CLOSE));
    // The sub-popup is not disabled though nothing handles its first item.
    UINT nSubPosition = PositionOf(pPopup, (UINT)-1);
    ASSERT_NE((UINT)-1, nSubPosition);
    EXPECT_FALSE(pPopup->GetMenuState(nSubPosition, MF_BYPOSITION) & MF_GRAYED);

    // Without automatic disabling, an item nothing handles keeps its state.
    Frame()->m_bAutoMenuEnable = FALSE;
    pPopup->EnableMenuItem(ID_TEST_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    pPopup->EnableMenuItem(ID_TEST_DISABLED, MF_BYCOMMAND | MF_ENABLED);
    Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pPopup->m_hMenu, MAKELPARAM(0, FALSE));
    EXPECT_FALSE(IsGrayed(pPopup, ID_TEST_UNHANDLED));
    EXPECT_TRUE(IsGrayed(pPopup, ID_TEST_DISABLED));
}

TEST_F(CFrameWndTest, AcceleratorsRunTheirCommandsUnlessDisabled)
{
    ASSERT_NE(nullptr, NewDocument());
    View()->PostMessage(WM_KEYDOWN, VK_F5, 1);
    View()->PostMessage(WM_KEYDOWN, VK_F6, 1);
    PumpPendingMessages();
    EXPECT_EQ(std::vector<std::string>{ "frame:" + std::to_string(ID_TEST_ACCEL) }, HandledCommands());
}

// A message bar as the frame finds it: any framework window with the status bar's id.
class CMessageBar : public CWnd
{
public:
    BOOL CreateIn(CFrameWnd* pFrame)
    {
        return Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), pFrame, AFX_IDW_STATUS_BAR);
    }
};

TEST_F(CFrameWndTest, MenuPromptsShowInTheMessageBar)
{
    ASSERT_NE(nullptr, NewDocument());
    CFrameWnd* pFrame = Frame();
    CMessageBar bar;
    ASSERT_TRUE(bar.CreateIn(pFrame));
    EXPECT_EQ(&bar, pFrame->GetMessageBar());
    PumpPendingMessages();   // the idle prompt posted at creation
    EXPECT_EQ("就绪", WindowText(bar));

    HMENU hPopup = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_VIEW_ONLY, MF_STRING), (LPARAM)hPopup);
    EXPECT_EQ("就绪", WindowText(bar));   // shown once the menu loop goes idle
    pFrame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ("只由视图处理的命令", WindowText(bar));

    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_DOC_ONLY, MF_STRING), (LPARAM)hPopup);
    pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);   // ignored while a menu is open
    RunIdleCycle();
    EXPECT_EQ("只由文档处理的命令", WindowText(bar));

    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), (LPARAM)hPopup);
    pFrame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ("", WindowText(bar));

    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("就绪", WindowText(bar));

    pFrame->SetMessageText("自由文字");
    EXPECT_EQ("自由文字", WindowText(bar));
    pFrame->SetMessageText(ID_TEST_FRAME_ONLY);
    EXPECT_EQ("只由框架处理的命令", WindowText(bar));
    CString strPrompt;
    pFrame->GetMessageString(ID_TEST_UNHANDLED, strPrompt);
    EXPECT_TRUE(strPrompt.IsEmpty());
}

TEST_F(CFrameWndTest, IdleCycleDoesTheDelayedLayoutAndTitle)
{
    ASSERT_NE(nullptr, NewDocument());
    CFrameWnd* pFrame = Frame();
    View()->MoveWindow(0, 0, 10, 10);
    pFrame->SetTitle("新标题");
    pFrame->DelayRecalcLayout();
    pFrame->DelayUpdateFrameTitle();
    EXPECT_EQ("测试文档 - 测试程序", WindowText(*pFrame));

    RunIdleCycle();
    EXPECT_EQ("测试文档 - 新标题", WindowText(*pFrame));
    CRect rectClient;
    CRect rectView;
    pFrame->GetClientRect(&rectClient);
    View()->GetWindowRect(&rectView);
    pFrame->ScreenToClient(&rectView);
    EXPECT_EQ(rectClient, rectView);

    // Another menu for a while, then the frame's own again.
    HMENU hOtherMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_PLAIN));
    pFrame->DelayUpdateFrameMenu(hOtherMenu);
    RunIdleCycle();
    EXPECT_EQ(hOtherMenu, ::GetMenu(pFrame->m_hWnd));
    pFrame->OnUpdateFrameMenu(NULL);
    EXPECT_EQ(pFrame->m_hMenuDefault, ::GetMenu(pFrame->m_hWnd));
    ::DestroyMenu(hOtherMenu);

    // The focus given to the frame goes on to its view.
    pFrame->SetFocus();
    EXPECT_EQ(View()->m_hWnd, ::GetFocus());
}

TEST_F(CFrameWndTest, ClosingTheMainFrameAsksToSaveAndEndsTheApplication)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->SetModifiedFlag();
    HWND hFrame = Frame()->m_hWnd;
    {
        CDialogResponder answer(IDCANCEL);
        Frame()->SendMessage(WM_CLOSE);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(::IsWindow(hFrame));
    EXPECT_NE(nullptr, m_pTemplate->GetFirstDocPosition());

    CDialogResponder answer(IDNO);
    ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(answer.Answered());
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
    EXPECT_EQ(nullptr, m_pTemplate->GetFirstDocPosition());
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A frame class below the test frame: its own entries come first, the rest still reach the bases.
class CDerivedFrame : public CTestFrame
{
    DECLARE_DYNCREATE(CDerivedFrame)
public:
    afx_msg void OnFrameOnly() { HandledCommands().push_back("derived"); }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CDerivedFrame, CTestFrame)

BEGIN_MESSAGE_MAP(CDerivedFrame, CTestFrame)
    ON_COMMAND(ID_TEST_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

TEST(CFrameWnd, MessageMapsOfTheFrameClassesAreSearchedFromTheMostDerived)
{
    CDerivedFrame* pFrame = new CDerivedFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TEST_PLAIN, WS_OVERLAPPEDWINDOW));
    CMessageBar bar;
    ASSERT_TRUE(bar.CreateIn(pFrame));
    HandledCommands().clear();
    pFrame->SendMessage(WM_COMMAND, ID_TEST_FRAME_ONLY);
    pFrame->SendMessage(WM_COMMAND, ID_TEST_DOC_AND_FRAME);
    pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM) "基类处理");
    EXPECT_EQ((std::vector<std::string>{ "derived", "frame:" + std::to_string(ID_TEST_DOC_AND_FRAME) }),
              HandledCommands());
    EXPECT_EQ("基类处理", WindowText(bar));
    EXPECT_EQ("纯框架", WindowText(*pFrame));
    pFrame->DestroyWindow();
    PumpPendingMessages();
}

} // namespace

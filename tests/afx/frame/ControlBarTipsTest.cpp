// Tool tips and fly-by prompts of a control bar's tools, in a real frame with a status bar. Mouse
// moves go through the thread's message filters as the message loop would hand them over.
#include "GuiTestSupport.h"
#include "statusbar_resource.h"

#include <ThreadState.h>
#include <afxcmn.h>
#include <afxext.h>
#include <gtest/gtest.h>
#include <string>

namespace {

// A bar whose tools are two push buttons; the rest of it is no tool.
class CButtonBar : public CControlBar
{
public:
    CButton m_open;
    CButton m_save;

    BOOL Create(CWnd* pParent, DWORD dwBarStyle)
    {
        m_dwStyle = dwBarStyle;
        if (!CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, AFX_IDW_TOOLBAR))
            return FALSE;
        const DWORD dwButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
        return m_open.Create("打开", dwButton, CRect(10, 4, 70, 28), this, ID_TIPS_TEST_OPEN) &&
               m_save.Create("保存", dwButton, CRect(80, 4, 140, 28), this, ID_TIPS_TEST_SAVE);
    }

    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(32767, 32); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

const UINT indicators[] = {ID_SEPARATOR};

// The save button's tip is 40 double-byte characters: one byte more than the notification's buffer
// holds with its terminator, so it is cut before the last character.
const std::string saveTip = std::string("保存文件保存文件保存文件保存文件保存文件保存文件保存文件保存文件保存文件") + "保存文";

class ControlBarTipsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "工具提示测试", WS_OVERLAPPEDWINDOW, CRect(30, 30, 430, 230)));
        ASSERT_TRUE(m_status.Create(m_pFrame));
        ASSERT_TRUE(m_status.SetIndicators(indicators, 1));
    }

    void TearDown() override
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }

    void CreateBar(DWORD dwTipStyles)
    {
        ASSERT_TRUE(m_bar.Create(m_pFrame, CBRS_TOP | dwTipStyles));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }

    // The mouse moved to point (client coordinates of pWnd), handed to the thread's filters.
    void MoveMouse(CWnd* pWnd, CPoint point)
    {
        CPoint pointScreen = point;
        pWnd->ClientToScreen(&pointScreen);
        MSG msg = {pWnd->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y), ::GetTickCount(), pointScreen};
        EXPECT_FALSE(TestThread().PreTranslateMessage(&msg));
    }

    std::string MessagePane()
    {
        char szText[256] = "";
        m_status.SendMessage(SB_GETTEXTA, 0, (LPARAM)szText);
        return szText;
    }

    static int TipToolCount()
    {
        CToolTipCtrl* pTip = AfxGetThreadState()->m_pToolTip;
        return pTip != NULL && pTip->m_hWnd != NULL ? pTip->GetToolCount() : 0;
    }

    // The text the thread's tip gets for the tool that is window pTool.
    static std::string TipText(CWnd* pTool)
    {
        CString strText;
        AfxGetThreadState()->m_pToolTip->GetText(strText, pTool);
        return (LPCTSTR)strText;
    }

    CFrameWnd* m_pFrame = NULL;
    CStatusBar m_status;
    CButtonBar m_bar;
};

} // namespace

TEST_F(ControlBarTipsTest, FlybyShowsTheToolsPromptUntilTheMouseLeavesAndOnlyWithTheStyle)
{
    CreateBar(0);
    const CPoint ptInButton(5, 5);
    const CPoint ptBarOutsideTools(200, 10);
    ASSERT_EQ("就绪", MessagePane());
    MoveMouse(&m_bar.m_open, ptInButton);
    EXPECT_EQ("就绪", MessagePane());
    EXPECT_EQ(0, TipToolCount());

    m_bar.SetBarStyle(CBRS_TOP | CBRS_FLYBY);
    MoveMouse(&m_bar.m_open, ptInButton);
    EXPECT_EQ("打开一个现有文件", MessagePane());
    MoveMouse(&m_bar.m_save, ptInButton);
    EXPECT_EQ("保存当前文件", MessagePane());
    EXPECT_EQ(0, TipToolCount());   // prompts without tips
    MoveMouse(&m_bar, ptBarOutsideTools);
    EXPECT_EQ("就绪", MessagePane());

    // Leaving for a window whose messages never pass the bar: the bar notices by itself.
    MoveMouse(&m_bar.m_open, ptInButton);
    ASSERT_EQ("打开一个现有文件", MessagePane());
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    ASSERT_TRUE(::SetCursorPos(rectFrame.right + 40, rectFrame.bottom + 40));
    for (int i = 0; i < 40 && MessagePane() != "就绪"; i++)
    {
        ::Sleep(25);
        PumpPendingMessages();
    }
    EXPECT_EQ("就绪", MessagePane());

    m_bar.SetBarStyle(CBRS_TOP);
    MoveMouse(&m_bar.m_save, ptInButton);
    EXPECT_EQ("就绪", MessagePane());
}

TEST_F(ControlBarTipsTest, TipsShowTheCommandsTextAfterTheNewlineAndGoWithTheStyle)
{
    CreateBar(CBRS_TOOLTIPS);
    const CPoint ptInButton(5, 5);
    MoveMouse(&m_bar.m_open, ptInButton);
    CToolTipCtrl* pTip = AfxGetThreadState()->m_pToolTip;
    ASSERT_TRUE(pTip != NULL && pTip->m_hWnd != NULL);
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(pTip->m_hWnd, GW_OWNER));
    ASSERT_EQ(1, TipToolCount());
    EXPECT_EQ("打开文件", TipText(&m_bar.m_open));
    EXPECT_EQ("就绪", MessagePane());   // no prompts without CBRS_FLYBY

    MoveMouse(&m_bar.m_save, ptInButton);
    ASSERT_EQ(1, TipToolCount());
    EXPECT_EQ(saveTip, TipText(&m_bar.m_save));
    MoveMouse(&m_bar, CPoint(200, 10));
    EXPECT_EQ(0, TipToolCount());

    // Turning the style off takes the shown tool away and keeps new ones from coming.
    MoveMouse(&m_bar.m_open, ptInButton);
    ASSERT_EQ(1, TipToolCount());
    m_bar.SetBarStyle(CBRS_TOP);
    EXPECT_EQ(0, TipToolCount());
    MoveMouse(&m_bar.m_save, ptInButton);
    EXPECT_EQ(0, TipToolCount());
    m_bar.SetBarStyle(CBRS_TOP | CBRS_TOOLTIPS);
    MoveMouse(&m_bar.m_save, ptInButton);
    ASSERT_EQ(1, TipToolCount());
    EXPECT_EQ(saveTip, TipText(&m_bar.m_save));
}

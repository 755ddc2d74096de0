// The status bar in a real frame: its panes over the status control, the message pane the frame
// shows prompts in, and the key indicators updated at idle time.
#include "GuiTestSupport.h"
#include "statusbar_resource.h"

#include <afxext.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class CStatusTestFrame : public CFrameWnd
{
public:
    CStatusBar m_wndStatusBar;
    CString m_strLinePane = "第 12 行";   // the text the frame gives ID_INDICATOR_STATUS_TEST

    afx_msg void OnUpdateLinePane(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText(m_strLinePane);
        pCmdUI->SetCheck(1);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusTestFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_STATUS_TEST, OnUpdateLinePane)
END_MESSAGE_MAP()

const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL,
                           ID_INDICATOR_STATUS_TEST, ID_INDICATOR_STATUS_NOTEXT};

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::GetKeyboardState(m_keysBefore);
        m_pFrame = new CStatusTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "状态栏测试", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 220)));
        // Missing string of the last pane: reported, the pane stays empty.
        ASSERT_TRUE(m_pFrame->m_wndStatusBar.Create(m_pFrame));
        EXPECT_FALSE(Bar().SetIndicators(indicators, (int)(sizeof indicators / sizeof indicators[0])));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }

    void TearDown() override
    {
        ::SetKeyboardState(m_keysBefore);
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }

    CStatusBar& Bar() { return m_pFrame->m_wndStatusBar; }

    // What the status control itself holds for a part, and its drawing flags.
    std::string ShownText(int nIndex, UINT* pFlags = NULL)
    {
        char szText[256] = "";
        LRESULT lResult = Bar().SendMessage(SB_GETTEXTA, (WPARAM)nIndex, (LPARAM)szText);
        if (pFlags != NULL)
            *pFlags = HIWORD(lResult);
        return szText;
    }

    CRect ItemRect(int nIndex)
    {
        CRect rect;
        Bar().GetItemRect(nIndex, &rect);
        return rect;
    }

    CStatusTestFrame* m_pFrame = NULL;
    BYTE m_keysBefore[256];
};

}   // namespace

TEST_F(StatusBarTest, PanesSitAlongTheBottomAndTheFirstSeparatorTakesTheWidthLeftOver)
{
    CStatusBar& bar = Bar();
    EXPECT_EQ(&bar, m_pFrame->GetMessageBar());
    CRect rectClient, rectBar;
    m_pFrame->GetClientRect(&rectClient);
    bar.GetWindowRect(&rectBar);
    m_pFrame->ScreenToClient(&rectBar);
    EXPECT_EQ(rectClient.bottom, rectBar.bottom);
    EXPECT_EQ(rectClient.Width(), rectBar.Width());

    EXPECT_EQ(-1, bar.CommandToIndex(ID_STATUS_TEST_COMMAND));
    EXPECT_EQ("大写", ShownText(bar.CommandToIndex(ID_INDICATOR_CAPS)));
    UINT nID, nStyle, nFlags;
    int cxWidth;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    ShownText(0, &nFlags);
    EXPECT_EQ((UINT)SBT_NOBORDERS, nFlags);

    // Each indicator is as wide as its text and its borders.
    CRect rectCaps = ItemRect(1);
    EXPECT_GE(rectCaps.Width(), cxWidth);
    EXPECT_LT(rectCaps.Width(), cxWidth + 20);
    EXPECT_LE(ItemRect(5).right, rectBar.Width());

    // Resizing the frame changes the message pane only.
    CRect rectMessage = ItemRect(0);
    m_pFrame->SetWindowPos(NULL, 0, 0, 500, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(rectMessage.Width() + 100, ItemRect(0).Width());
    EXPECT_EQ(rectCaps.Width(), ItemRect(1).Width());

    // A pane made wider pushes the ones after it; the message pane gives way.
    CRect rectNum = ItemRect(2);
    bar.SetPaneInfo(1, ID_INDICATOR_CAPS, SBPS_POPOUT, cxWidth + 40);
    EXPECT_EQ(rectCaps.Width() + 40, ItemRect(1).Width());
    EXPECT_EQ(rectNum.Width(), ItemRect(2).Width());
    EXPECT_EQ(rectMessage.Width() + 100 - 40, ItemRect(0).Width());
}

TEST_F(StatusBarTest, MessagePaneShowsPromptsAndTheIdleMessage)
{
    CStatusBar& bar = Bar();
    EXPECT_EQ("就绪", std::string(bar.GetPaneText(0)));   // posted when the frame was created
    EXPECT_EQ("就绪", ShownText(0));

    m_pFrame->SetMessageText("正在复制文件");
    EXPECT_EQ("正在复制文件", ShownText(0));
    CString strWindowText;
    bar.GetWindowText(strWindowText);
    EXPECT_EQ("正在复制文件", std::string(strWindowText));
    // A menu item's prompt is its string up to the newline, shown once the menu loop idles.
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_STATUS_TEST_COMMAND, "命令");
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_STATUS_TEST_COMMAND, MF_STRING), (LPARAM)hMenu);
    m_pFrame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ("运行状态栏测试命令", ShownText(0));
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("就绪", ShownText(0));
    ::DestroyMenu(hMenu);
}

TEST_F(StatusBarTest, IdleUpdateShowsKeyIndicatorsAsTheKeysAreToggledAndRunsPaneHandlers)
{
    CStatusBar& bar = Bar();
    const int nCaps = bar.CommandToIndex(ID_INDICATOR_CAPS);

    // One key on at a time, so that no pane can follow the wrong key unnoticed.
    const char* const texts[] = {"大写", "数字", "滚动"};
    const int panes[] = {nCaps, bar.CommandToIndex(ID_INDICATOR_NUM), bar.CommandToIndex(ID_INDICATOR_SCRL)};
    const BYTE virtKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
    for (int nOn = 0; nOn < 3; nOn++)
    {
        SCOPED_TRACE(texts[nOn]);
        BYTE keys[256];
        ::GetKeyboardState(keys);
        for (int i = 0; i < 3; i++)
            keys[virtKeys[i]] = i == nOn ? 1 : 0;
        ::SetKeyboardState(keys);
        RunIdleCycle();
        for (int i = 0; i < 3; i++)
        {
            EXPECT_EQ(i != nOn, (bar.GetPaneStyle(panes[i]) & SBPS_DISABLED) != 0) << texts[i];
            EXPECT_EQ(i == nOn ? texts[i] : "", ShownText(panes[i]));
            EXPECT_EQ(texts[i], std::string(bar.GetPaneText(panes[i])));   // kept for when the key comes on
        }
    }

    // The frame's handler sets the text and raises the pane; a pane nobody updates stays enabled.
    const int nLine = bar.CommandToIndex(ID_INDICATOR_STATUS_TEST);
    UINT nFlags;
    EXPECT_EQ("第 12 行", ShownText(nLine, &nFlags));
    EXPECT_EQ((UINT)SBT_POPOUT, nFlags);
    EXPECT_EQ(0u, bar.GetPaneStyle(bar.CommandToIndex(ID_INDICATOR_STATUS_NOTEXT)) & SBPS_DISABLED);

    // A hidden bar is left alone.
    bar.ShowWindow(SW_HIDE);
    m_pFrame->m_strLinePane = "第 13 行";
    RunIdleCycle();
    EXPECT_EQ("第 12 行", ShownText(nLine));
}

// A frame as a program builds it: two toolbar-like bars, a status bar and a view. One bar floats,
// the layout is saved, things move, and the saved layout comes back: in the same frame, in the next
// frame the program opens, and, without the bar it no longer has, in a later version's frame.
#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "ScratchRegistryKey.h"
#include "statusbar_resource.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

namespace {

const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const char szLayout[] = "Workspace\\ControlBars";

// A row of square buttons of one colour along the bar's side.
class CButtonStripBar : public CControlBar
{
public:
    CButtonStripBar(int nButtons, COLORREF crFace) : m_nButtons(nButtons), m_crFace(crFace) {}

    CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? CSize(m_nButtons * 22 + 16, 28) : CSize(28, m_nButtons * 22 + 16);
    }

    CSize CalcDynamicLayout(int, DWORD nMode) override { return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0); }

    void DoPaint(CDC* pDC) override
    {
        CControlBar::DoPaint(pDC);
        CRect rect;
        GetClientRect(&rect);
        BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        CalcInsideRect(rect, bHorz);
        for (int i = 0; i < m_nButtons; i++)
        {
            CRect rectButton(CPoint(rect.left + (bHorz ? i * 22 : 0), rect.top + (bHorz ? 0 : i * 22)), CSize(22, 22));
            pDC->FillSolidRect(&rectButton, m_crFace);
            pDC->Draw3dRect(&rectButton, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        }
    }

    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    // Pixels of the button colour the window shows.
    int FacePixelsShown()
    {
        UpdateWindow();
        CRect rect;
        GetClientRect(&rect);
        DibCanvas canvas(rect.Width(), rect.Height());
        CClientDC dc(this);
        canvas.dc.BitBlt(0, 0, rect.Width(), rect.Height(), &dc, 0, 0, SRCCOPY);
        return canvas.Count(m_crFace);
    }

    int m_nButtons;
    COLORREF m_crFace;
};

// Builds its bars at creation and takes the saved layout; a later version has no edit bar.
class CDockingTestFrame : public CFrameWnd
{
public:
    static bool s_bWithEditBar;
    CButtonStripBar m_wndFileBar{4, RGB(0, 128, 255)};
    CButtonStripBar m_wndEditBar{3, RGB(255, 128, 0)};
    CStatusBar m_wndStatusBar;
    CWnd m_wndView;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override
    {
        return m_wndView.Create(AfxRegisterWndClass(0), NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                                AFX_IDW_PANE_FIRST);
    }

    BOOL CreateBar(CButtonStripBar& bar, UINT nID, LPCTSTR lpszTitle)
    {
        bar.m_dwStyle = CBRS_TOP | CBRS_GRIPPER;
        if (!bar.Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID))
            return FALSE;
        bar.EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !CreateBar(m_wndFileBar, ID_DOCKING_TEST_FIRST_BAR, "文件") ||
            (s_bWithEditBar && !CreateBar(m_wndEditBar, ID_DOCKING_TEST_SECOND_BAR, "编辑")) ||
            !m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndFileBar);
        if (s_bWithEditBar)
            DockControlBar(&m_wndEditBar);
        if (AfxGetApp()->GetProfileInt(CString(szLayout) + "-Summary", "Bars", 0) > 0)
            LoadBarState(szLayout);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

bool CDockingTestFrame::s_bWithEditBar = true;

BEGIN_MESSAGE_MAP(CDockingTestFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class DockingFrameTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CDockingTestFrame::s_bWithEditBar = true;
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
    }

    void OpenFrame()
    {
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        m_pFrame = new CDockingTestFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "停靠测试", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 400)));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPendingMessages();
        RunIdleCycle();
    }

    CRect InFrame(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    }

    CDockBar* DockBar(UINT nID) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }

    // The status bar spans the bottom, the top dock bar the top, the view what lies between.
    void ExpectFrameLayout()
    {
        CRect rectClient;
        m_pFrame->GetClientRect(&rectClient);
        CRect rectStatus = InFrame(&m_pFrame->m_wndStatusBar);
        CRect rectTop = InFrame(DockBar(AFX_IDW_DOCKBAR_TOP));
        CRect rectView = InFrame(&m_pFrame->m_wndView);
        EXPECT_EQ(CRect(0, rectStatus.top, rectClient.right, rectClient.bottom), rectStatus);
        EXPECT_EQ(0, rectTop.top);
        EXPECT_EQ(CRect(rectView.left, rectTop.bottom, rectView.right, rectStatus.top), rectView);
    }

    // The saved layout: the file bar in the top row, the edit bar floating where it was.
    void ExpectSavedLayout()
    {
        SCOPED_TRACE("saved layout");
        EXPECT_TRUE(m_pFrame->m_wndFileBar.IsWindowVisible());
        EXPECT_EQ(m_rectFileSaved, InFrame(&m_pFrame->m_wndFileBar));
        ASSERT_TRUE(m_pFrame->m_wndEditBar.IsFloating());
        CRect rectFloating;
        m_pFrame->m_wndEditBar.GetParentFrame()->GetWindowRect(&rectFloating);
        EXPECT_EQ(m_rectFloatingSaved, rectFloating);
        EXPECT_TRUE(m_pFrame->m_wndEditBar.GetParentFrame()->IsWindowVisible());
        EXPECT_GE(m_pFrame->m_wndEditBar.FacePixelsShown(), 3 * 16 * 16);
        EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount());
        ExpectFrameLayout();
    }

    // Moved from the saved layout: the edit bar docked on the left, the file bar hidden.
    void MoveBars()
    {
        m_pFrame->DockControlBar(&m_pFrame->m_wndEditBar, AFX_IDW_DOCKBAR_LEFT);
        m_pFrame->ShowControlBar(&m_pFrame->m_wndFileBar, FALSE, FALSE);
        RunIdleCycle();
        EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), m_pFrame->m_wndEditBar.m_pDockBar);
    }

    CDockingTestFrame* m_pFrame = NULL;
    CRect m_rectFileSaved;
    CRect m_rectFloatingSaved;
};

}   // namespace

TEST_F(DockingFrameTest, SavedLayoutComesBackInTheFrameInTheNextOneAndWithoutABarNoLongerMade)
{
    CScratchRegistryKey key("DockingFrame");
    OpenFrame();
    CButtonStripBar& editBar = m_pFrame->m_wndEditBar;
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), editBar.m_pDockBar);
    EXPECT_GE(editBar.FacePixelsShown(), 3 * 16 * 16);
    ExpectFrameLayout();

    // The edit bar floats vertically in a frame of its own.
    m_pFrame->FloatControlBar(&editBar, CPoint(620, 140), CBRS_ALIGN_LEFT);
    RunIdleCycle();
    ASSERT_TRUE(editBar.IsFloating());
    m_rectFileSaved = InFrame(&m_pFrame->m_wndFileBar);
    editBar.GetParentFrame()->GetWindowRect(&m_rectFloatingSaved);
    m_pFrame->SaveBarState(szLayout);
    EXPECT_EQ(3, (int)key.Values("Workspace\\ControlBars-Summary").size());

    MoveBars();
    m_pFrame->LoadBarState(szLayout);
    RunIdleCycle();
    ExpectSavedLayout();

    // Moved again and closed without saving: the next frame starts from the saved layout.
    MoveBars();
    OpenFrame();
    ExpectSavedLayout();
    EXPECT_EQ("就绪", std::string(m_pFrame->m_wndStatusBar.GetPaneText(0)));

    // A version without the edit bar: its entry and its floating frame's find no bar; nothing floats.
    CDockingTestFrame::s_bWithEditBar = false;
    OpenFrame();
    CDockState state;
    state.LoadState(szLayout);
    m_pFrame->SetDockState(state);
    RunIdleCycle();
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        bool bGone = pInfo->m_nBarID == ID_DOCKING_TEST_SECOND_BAR || pInfo->m_nBarID == AFX_IDW_DOCKBAR_FLOAT;
        EXPECT_EQ(bGone, pInfo->m_pBar == NULL) << std::hex << pInfo->m_nBarID;
    }
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_FLOAT));
    EXPECT_EQ(m_rectFileSaved, InFrame(&m_pFrame->m_wndFileBar));
    ExpectFrameLayout();
}

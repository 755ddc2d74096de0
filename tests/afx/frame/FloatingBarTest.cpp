// Floating bars: the floating frame, drags that dock or float a bar (driven by mouse and key
// messages queued before the drag loop starts), toggling, closing and resizing a floating bar,
// and the mini frame's styles.
#include "GuiTestSupport.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const UINT ID_BAR_ONE = 0xE820;
const UINT ID_BAR_TWO = 0xE821;
const UINT ID_BAR_THREE = 0xE822;
const UINT WM_PROBE = WM_APP + 1;

// A bar of one size per orientation.
class CFixedBar : public CControlBar
{
public:
    CSize m_sizeHorz = CSize(100, 24);
    CSize m_sizeVert = CSize(24, 100);

    BOOL Create(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle, DWORD dwBarStyle = 0)
    {
        m_dwStyle = dwBarStyle;
        return CWnd::Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_sizeHorz : m_sizeVert; }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// Six 20-pixel cells that wrap to the length asked for, as a toolbar of dynamic size does.
class CWrappingBar : public CFixedBar
{
public:
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (dwMode & LM_MRUWIDTH)
            nLength = (int)m_nMRUWidth;
        int nCells = std::max(1, std::min(6, nLength / 20));
        int nOther = (6 + nCells - 1) / nCells;
        CSize size = (dwMode & LM_LENGTHY) ? CSize(nOther * 20, nCells * 20) : CSize(nCells * 20, nOther * 20);
        if (dwMode & LM_COMMIT)
            m_nMRUWidth = size.cx;
        return size;
    }
};

// What the dock context shows while its loop runs, taken when a queued probe message comes by.
struct Outline
{
    DWORD dwOverDockStyle;
    CSize size;
};

class CProbeWnd : public CWnd
{
public:
    CDockContext* m_pContext = nullptr;
    std::vector<Outline> m_seen;

    afx_msg LRESULT OnProbe(WPARAM, LPARAM)
    {
        m_seen.push_back({m_pContext->m_dwOverDockStyle, m_pContext->m_sizeLast});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_MESSAGE(WM_PROBE, OnProbe)
END_MESSAGE_MAP()

void PostMouse(CWnd* pTarget, UINT nMessage, CPoint ptScreen)
{
    CPoint pt = ptScreen;
    pTarget->ScreenToClient(&pt);
    pTarget->PostMessage(nMessage, 0, MAKELPARAM(pt.x, pt.y));
}

CRect WindowRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

class CFloatingBarTest : public ::testing::Test
{
protected:
    CFrameWnd* m_pFrame = nullptr;
    CFixedBar m_barOne, m_barTwo, m_barThree;
    CWrappingBar m_barWrapping;
    CProbeWnd m_probe;

    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "dock site", WS_POPUP | WS_CLIPCHILDREN, CRect(60, 80, 420, 320)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_barOne.Create(m_pFrame, ID_BAR_ONE, "工具栏一"));
        ASSERT_TRUE(m_barTwo.Create(m_pFrame, ID_BAR_TWO, "bar two"));
        ASSERT_TRUE(m_barThree.Create(m_pFrame, ID_BAR_THREE, "bar three"));
        for (CFixedBar* pBar : {&m_barOne, &m_barTwo, &m_barThree})
        {
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        }
        m_pFrame->RecalcLayout();
        m_pFrame->ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_probe.CreateEx(0, AfxRegisterWndClass(0), "probe", WS_POPUP, CRect(0, 0, 1, 1), NULL, 0));
    }
    void TearDown() override
    {
        m_probe.DestroyWindow();
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }

    CDockBar* TopDockBar() { return static_cast<CDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)); }
    void Probe(CDockContext* pContext)
    {
        m_probe.m_pContext = pContext;
        m_probe.PostMessage(WM_PROBE);
    }
    static CMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar)
    {
        return static_cast<CMiniDockFrameWnd*>(pBar->GetParentFrame());
    }
    static CSize FrameBorders()
    {
        CRect rect(0, 0, 0, 0);
        CMiniFrameWnd::CalcBorders(&rect);
        return CSize(-rect.left, -rect.top);
    }
};

TEST_F(CFloatingBarTest, FloatingFrameFollowsItsBarsSizeTitleAndVisibility)
{
    EXPECT_EQ(RUNTIME_CLASS(CMiniDockFrameWnd), m_pFrame->m_pFloatingFrameClass);
    m_pFrame->FloatControlBar(&m_barOne, CPoint(500, 120));

    ASSERT_TRUE(m_barOne.IsFloating());
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(&m_barOne);
    ASSERT_TRUE(pFloat != NULL && pFloat->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetWindow(pFloat->m_hWnd, GW_OWNER));
    EXPECT_TRUE(pFloat->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pFloat->GetStyle() & MFS_SYNCACTIVE);
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_EQ("工具栏一", WindowText(*pFloat));
    EXPECT_EQ(CPoint(500, 120), WindowRect(pFloat).TopLeft());
    CRect rectClient;
    pFloat->GetClientRect(&rectClient);
    EXPECT_EQ(CSize(100, 24), rectClient.Size());

    // A bar that grows or is renamed takes its frame along at the next layout.
    m_barOne.m_sizeHorz = CSize(150, 30);
    m_barOne.SetWindowText("改名");
    pFloat->RecalcLayout();
    pFloat->GetClientRect(&rectClient);
    EXPECT_EQ(CSize(150, 30), rectClient.Size());
    EXPECT_EQ("改名", WindowText(*pFloat));
    EXPECT_EQ(CPoint(500, 120), WindowRect(pFloat).TopLeft());

    // Closing the frame hides the bar, and the frame with it, until the bar is shown again.
    pFloat->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pFloat->m_hWnd));
    EXPECT_FALSE(pFloat->IsWindowVisible());
    EXPECT_FALSE(m_barOne.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(m_barOne.IsFloating());
    m_pFrame->ShowControlBar(&m_barOne, TRUE, FALSE);
    EXPECT_TRUE(pFloat->IsWindowVisible());
}

TEST_F(CFloatingBarTest, DraggingADockedBarAwayFloatsItWhereTheThickOutlineWas)
{
    CDockContext* pContext = m_barTwo.m_pDockContext;
    CRect rectBar = WindowRect(&m_barTwo);
    CPoint ptStart = rectBar.TopLeft() + CSize(10, 5);
    CPoint ptOverRow = ptStart + CSize(20, 2);
    CPoint ptAway = ptStart + CSize(480, 300);

    PostMouse(&m_barTwo, WM_MOUSEMOVE, ptOverRow);
    Probe(pContext);
    PostMouse(&m_barTwo, WM_MOUSEMOVE, ptAway);
    Probe(pContext);
    PostMouse(&m_barTwo, WM_LBUTTONUP, ptAway);
    pContext->StartDrag(ptStart);

    // Thin over the dock bar, thick where it would float.
    ASSERT_EQ(2u, m_probe.m_seen.size());
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, m_probe.m_seen[0].dwOverDockStyle);
    EXPECT_EQ(CSize(1, 1), m_probe.m_seen[0].size);
    EXPECT_EQ(0u, m_probe.m_seen[1].dwOverDockStyle);
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1), m_probe.m_seen[1].size);

    ASSERT_TRUE(m_barTwo.IsFloating());
    EXPECT_EQ(NULL, ::GetCapture());
    CPoint ptFrame = rectBar.TopLeft() + (ptAway - ptStart) - FrameBorders();
    EXPECT_EQ(ptFrame, WindowRect(FloatingFrameOf(&m_barTwo)).TopLeft());
    EXPECT_EQ(ptFrame, pContext->m_ptMRUFloatPos);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, pContext->m_dwMRUFloatStyle);
}

TEST_F(CFloatingBarTest, DraggingByTheCaptionOntoADockBarDocksTheBarThereUnlessCtrlIsHeld)
{
    m_pFrame->FloatControlBar(&m_barThree, CPoint(520, 300));
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(&m_barThree);
    HWND hWndFloat = pFloat->m_hWnd;
    CRect rectBar = WindowRect(&m_barThree);
    CPoint ptCaption(rectBar.left + 10, rectBar.top - 4);
    CRect rectRowOne = WindowRect(&m_barOne);
    CSize toRowOne = CPoint(rectRowOne.right + 40, rectRowOne.top + 4) - ptCaption;

    // Ctrl: the bar stays floating and only its frame moves.
    CRect rectFloat = WindowRect(pFloat);
    m_barThree.PostMessage(WM_KEYDOWN, VK_CONTROL);
    PostMouse(&m_barThree, WM_MOUSEMOVE, ptCaption + toRowOne);
    Probe(m_barThree.m_pDockContext);
    PostMouse(&m_barThree, WM_LBUTTONUP, ptCaption + toRowOne);
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));

    ASSERT_EQ(1u, m_probe.m_seen.size());
    EXPECT_EQ(0u, m_probe.m_seen[0].dwOverDockStyle);
    ASSERT_TRUE(m_barThree.IsFloating());
    EXPECT_EQ(hWndFloat, FloatingFrameOf(&m_barThree)->m_hWnd);
    EXPECT_EQ(rectFloat.TopLeft() + toRowOne, WindowRect(pFloat).TopLeft());

    // Without: it docks in the first row of the top dock bar, after the bar there.
    ptCaption += toRowOne;
    rectRowOne = WindowRect(&m_barOne);
    PostMouse(&m_barThree, WM_MOUSEMOVE, CPoint(rectRowOne.right + 40, rectRowOne.top + 4));
    PostMouse(&m_barThree, WM_LBUTTONUP, CPoint(rectRowOne.right + 40, rectRowOne.top + 4));
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));

    EXPECT_FALSE(m_barThree.IsFloating());
    EXPECT_EQ(TopDockBar(), m_barThree.m_pDockBar);
    EXPECT_FALSE(::IsWindow(hWndFloat));
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, m_barThree.m_pDockContext->m_uMRUDockID);
    EXPECT_EQ(WindowRect(&m_barOne).top, WindowRect(&m_barThree).top);
    EXPECT_LT(WindowRect(&m_barOne).left, WindowRect(&m_barThree).left);
}

TEST_F(CFloatingBarTest, EscapeOrTheRightButtonCancelsAndNothingMoves)
{
    CDockContext* pContext = m_barOne.m_pDockContext;
    CRect rectBar = WindowRect(&m_barOne);
    CPoint ptStart = rectBar.TopLeft() + CSize(4, 4);
    for (UINT nCancel : {(UINT)WM_KEYDOWN, (UINT)WM_RBUTTONDOWN})
    {
        PostMouse(&m_barOne, WM_MOUSEMOVE, ptStart + CSize(400, 250));
        if (nCancel == WM_KEYDOWN)
            m_barOne.PostMessage(WM_KEYDOWN, VK_ESCAPE);
        else
            PostMouse(&m_barOne, WM_RBUTTONDOWN, ptStart + CSize(400, 250));
        PostMouse(&m_barOne, WM_LBUTTONUP, ptStart + CSize(400, 250));
        pContext->StartDrag(ptStart);

        EXPECT_FALSE(m_barOne.IsFloating());
        EXPECT_EQ(TopDockBar(), m_barOne.m_pDockBar);
        EXPECT_EQ(rectBar, WindowRect(&m_barOne));
        EXPECT_EQ(NULL, ::GetCapture());
        EXPECT_EQ(CSize(0, 0), pContext->m_sizeLast);   // the outline is gone
        PumpPendingMessages();                          // the button-up the loop left
    }
}

TEST_F(CFloatingBarTest, ToggleDockingReturnsToTheSameRowAndFloatsWhereItFloatedBefore)
{
    CDockBar* pTop = TopDockBar();
    int nRowBefore = pTop->FindBar(&m_barTwo);
    CRect rectDocked = WindowRect(&m_barTwo);
    auto ExpectBackInItsRow = [&]() {
        ASSERT_FALSE(m_barTwo.IsFloating());
        EXPECT_EQ(pTop, m_barTwo.m_pDockBar);
        EXPECT_EQ(nRowBefore, pTop->FindBar(&m_barTwo));
        m_pFrame->RecalcLayout();
        EXPECT_EQ(rectDocked, WindowRect(&m_barTwo));
        EXPECT_LT(WindowRect(&m_barTwo).top, WindowRect(&m_barThree).top);
    };

    // Floated by a double click and docked again by one on the floating frame's caption.
    m_barTwo.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(m_barTwo.IsFloating());
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(&m_barTwo);
    CRect rectFloat = WindowRect(pFloat);
    pFloat->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rectFloat.left + 20, rectFloat.top + 4));
    ExpectBackInItsRow();

    // Floated by a drag, toggled back in, and toggled out to where the drag left it.
    CPoint ptStart = rectDocked.TopLeft() + CSize(5, 5);
    PostMouse(&m_barTwo, WM_MOUSEMOVE, ptStart + CSize(470, 90));
    PostMouse(&m_barTwo, WM_LBUTTONUP, ptStart + CSize(470, 90));
    m_barTwo.m_pDockContext->StartDrag(ptStart);
    ASSERT_TRUE(m_barTwo.IsFloating());
    CPoint ptFloated = WindowRect(FloatingFrameOf(&m_barTwo)).TopLeft();
    m_barTwo.m_pDockContext->ToggleDocking();
    ExpectBackInItsRow();
    m_barTwo.m_pDockContext->ToggleDocking();
    ASSERT_TRUE(m_barTwo.IsFloating());
    EXPECT_EQ(ptFloated, WindowRect(FloatingFrameOf(&m_barTwo)).TopLeft());
}

TEST_F(CFloatingBarTest, BordersOfAFloatingDynamicBarResizeItThroughItsLayout)
{
    ASSERT_TRUE(m_barWrapping.Create(m_pFrame, 0xE830, "wrap", CBRS_SIZE_DYNAMIC));
    m_barWrapping.EnableDocking(CBRS_ALIGN_ANY);
    m_barWrapping.m_nMRUWidth = 120;
    m_pFrame->FloatControlBar(&m_barWrapping, CPoint(500, 200));
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(&m_barWrapping);
    CRect rectClient;
    pFloat->GetClientRect(&rectClient);
    ASSERT_EQ(CSize(120, 20), rectClient.Size());

    // Its borders size it, rather than move it as those of a fixed bar's frame do.
    CRect rectFloat = WindowRect(pFloat);
    CPoint ptRight(rectFloat.right - 2, rectFloat.CenterPoint().y);
    EXPECT_EQ(HTRIGHT, pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptRight.x, ptRight.y)));

    // The right border 60 pixels in: three cells a row, two rows; the left edge stays.
    PostMouse(&m_barWrapping, WM_MOUSEMOVE, ptRight - CSize(60, 0));
    PostMouse(&m_barWrapping, WM_LBUTTONUP, ptRight - CSize(60, 0));
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptRight.x, ptRight.y));
    pFloat->GetClientRect(&rectClient);
    EXPECT_EQ(CSize(60, 40), rectClient.Size());
    EXPECT_EQ(60u, m_barWrapping.m_nMRUWidth);
    EXPECT_EQ(rectFloat.TopLeft(), WindowRect(pFloat).TopLeft());

    // The top border up to three rows: two cells a row; the bottom edge stays.
    rectFloat = WindowRect(pFloat);
    CPoint ptTop(rectFloat.CenterPoint().x, rectFloat.top + 1);
    PostMouse(&m_barWrapping, WM_MOUSEMOVE, ptTop - CSize(0, 20));
    PostMouse(&m_barWrapping, WM_LBUTTONUP, ptTop - CSize(0, 20));
    pFloat->SendMessage(WM_NCLBUTTONDOWN, HTTOP, MAKELPARAM(ptTop.x, ptTop.y));
    pFloat->GetClientRect(&rectClient);
    EXPECT_EQ(CSize(40, 60), rectClient.Size());
    EXPECT_EQ(rectFloat.bottom, WindowRect(pFloat).bottom);
}

TEST(CMiniFrameWnd, StylesDecideBordersCornersAndActivationFollowing)
{
    CMiniFrameWnd* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->CreateEx(0, NULL, "palette", WS_POPUP | WS_CAPTION | MFS_4THICKFRAME | MFS_SYNCACTIVE,
                                CRect(600, 500, 760, 600)));
    EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(pMini->GetExStyle() & WS_EX_CLIENTEDGE);

    // No diagonal sizing: a corner is the edge whose strip the point is in.
    CRect rect = WindowRect(pMini);
    auto HitAt = [pMini](int x, int y) { return pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(HTTOP, HitAt(rect.left + 1, rect.top + 1));
    EXPECT_EQ(HTLEFT, HitAt(rect.left + 1, rect.top + ::GetSystemMetrics(SM_CYFRAME) + 3));
    EXPECT_EQ(HTBOTTOM, HitAt(rect.right - 2, rect.bottom - 1));
    pMini->ModifyStyle(0, MFS_MOVEFRAME);
    EXPECT_EQ(HTCAPTION, HitAt(rect.left + 1, rect.top + 1));
    EXPECT_EQ(HTCAPTION, HitAt(rect.right - 2, rect.CenterPoint().y));

    // The owner frame's floating-status messages show, enable and ask about activation.
    EXPECT_EQ(1, pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE | FS_SHOW));
    EXPECT_TRUE(pMini->IsWindowVisible());
    pMini->SendMessage(WM_FLOATSTATUS, FS_HIDE | FS_DISABLE | FS_ACTIVATE);
    EXPECT_FALSE(pMini->IsWindowVisible());
    EXPECT_FALSE(pMini->IsWindowEnabled());
    pMini->ModifyStyle(MFS_SYNCACTIVE, 0);
    EXPECT_EQ(0, pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE | FS_ENABLE));
    EXPECT_TRUE(pMini->IsWindowEnabled());
    pMini->DestroyWindow();
}

} // namespace

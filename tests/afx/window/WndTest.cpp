// The windowing core: message maps, reflection, handle maps, subclassing, command updates and the
// exception report of message handlers, on real windows.
#include "GuiTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT ID_CMD_FIRST = 40001;
const UINT ID_CMD_SECOND = 40002;
const UINT ID_CMD_RANGE_LOW = 40010;
const UINT ID_CMD_RANGE_HIGH = 40019;
const UINT ID_CMD_DISABLED = 40020;
const UINT ID_CMD_UNHANDLED = 40021;
const UINT ID_CMD_THROWS = 40022;

UINT g_wmRegistered = ::RegisterWindowMessageA("AfxTests_Registered");

std::vector<std::string> g_calls;

class CBaseTestWnd : public CTestTopWindow
{
public:
    int m_nCreates = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_nCreates++;
        g_calls.push_back("base:create");
        return CTestTopWindow::OnCreate(lpCreateStruct);
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        g_calls.push_back("base:ping");
        return (LRESULT)wParam + 1;
    }
    afx_msg void OnFirst() { g_calls.push_back("base:first"); }
    afx_msg void OnSecond() { g_calls.push_back("base:second"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CTestTopWindow)
    ON_WM_CREATE()
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_COMMAND(ID_CMD_FIRST, OnFirst)
    ON_COMMAND(ID_CMD_SECOND, OnSecond)
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd
{
public:
    UINT m_nLastRangeId = 0;
    int m_nSize = 0;

    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        g_calls.push_back("derived:ping");
        return CBaseTestWnd::OnPing(wParam, lParam) * 10;
    }
    afx_msg void OnSecond() { g_calls.push_back("derived:second"); }
    afx_msg void OnRange(UINT nID) { m_nLastRangeId = nID; }
    afx_msg void OnDisabled() { g_calls.push_back("derived:disabled"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnThrows() { AfxThrowFileException(CFileException::accessDenied, 5, "C:\\locked.dat"); }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM lParam) { return lParam * 2; }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_nSize = cx;
        CBaseTestWnd::OnSize(nType, cx, cy);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_COMMAND(ID_CMD_SECOND, OnSecond)
    ON_COMMAND_RANGE(ID_CMD_RANGE_LOW, ID_CMD_RANGE_HIGH, OnRange)
    ON_COMMAND(ID_CMD_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_CMD_DISABLED, OnUpdateDisabled)
    ON_COMMAND(ID_CMD_THROWS, OnThrows)
    ON_REGISTERED_MESSAGE(g_wmRegistered, OnRegistered)
    ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesWinAndBaseEntriesStillReach)
{
    g_calls.clear();
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(1, wnd.m_nCreates);   // WM_CREATE found in the base class's table

    EXPECT_EQ(50, wnd.SendMessage(WM_TEST_PING, 4));
    wnd.SendMessage(WM_COMMAND, ID_CMD_FIRST);
    wnd.SendMessage(WM_COMMAND, ID_CMD_SECOND);
    std::vector<std::string> expected = { "base:create", "derived:ping", "base:ping", "base:first",
                                          "derived:second" };
    EXPECT_EQ(expected, g_calls);

    wnd.SendMessage(WM_COMMAND, ID_CMD_RANGE_LOW + 7);
    EXPECT_EQ(ID_CMD_RANGE_LOW + 7, wnd.m_nLastRangeId);
    EXPECT_EQ(42, wnd.SendMessage(g_wmRegistered, 0, 21));

    wnd.SetWindowPos(NULL, 0, 0, 333, 200, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), wnd.m_nSize);   // cracked LOWORD of lParam
}

TEST(MessageMap, MenuCommandDisabledByItsUpdateHandlerIsIgnored)
{
    g_calls.clear();
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    g_calls.clear();
    wnd.SendMessage(WM_COMMAND, ID_CMD_DISABLED);
    EXPECT_TRUE(g_calls.empty());

    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_CMD_DISABLED, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_CMD_UNHANDLED, CN_COMMAND, NULL, &info));
}

class CCoordinateProbeWnd : public CTestTopWindow
{
public:
    CPoint m_ptMouse = CPoint(0, 0);
    CPoint m_ptMove = CPoint(0, 0);

    afx_msg void OnMouseMove(UINT, CPoint point) { m_ptMouse = point; }
    afx_msg void OnMove(int x, int y) { m_ptMove = CPoint(x, y); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCoordinateProbeWnd, CTestTopWindow)
    ON_WM_MOUSEMOVE()
    ON_WM_MOVE()
END_MESSAGE_MAP()

// Coordinates left of or above an origin arrive negative, x and y in their places.
TEST(MessageMap, HandlersGetSignedCoordinates)
{
    CCoordinateProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    wnd.SetWindowPos(NULL, -70, -50, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    POINT clientOrigin = { 0, 0 };
    ::ClientToScreen(wnd.m_hWnd, &clientOrigin);
    ASSERT_LT(clientOrigin.x, 0);
    ASSERT_LT(clientOrigin.y, 0);
    EXPECT_EQ(CPoint(clientOrigin), wnd.m_ptMove);

    // With the capture, a pointer above and left of the window reports negative client coordinates.
    wnd.SetWindowPos(NULL, 500, 400, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    wnd.SetForegroundWindow();
    wnd.SetCapture();
    const POINT screenPoint = { 40, 30 };
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screenPoint.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (screenPoint.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(1u, ::SendInput(1, &input, sizeof(INPUT)));
    POINT expected = screenPoint;
    ::ScreenToClient(wnd.m_hWnd, &expected);
    for (DWORD dwStart = ::GetTickCount(); wnd.m_ptMouse != CPoint(expected) && ::GetTickCount() - dwStart < 3000; )
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
    ::ReleaseCapture();
    EXPECT_EQ(CPoint(expected), wnd.m_ptMouse);
}

TEST(CmdUI, MenuItemsFollowUpdateHandlersAndCommandsWithoutHandlersAreDisabled)
{
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_CMD_FIRST, "first");
    menu.AppendMenu(MF_STRING, ID_CMD_DISABLED, "disabled");
    menu.AppendMenu(MF_STRING, ID_CMD_UNHANDLED, "unhandled");

    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = menu.GetMenuItemID((int)state.m_nIndex);
        state.DoUpdate(&wnd, TRUE);
    }
    EXPECT_EQ(0u, menu.GetMenuState(ID_CMD_FIRST, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(0u, menu.GetMenuState(ID_CMD_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(0u, menu.GetMenuState(ID_CMD_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);

    state.m_nIndex = 0;
    state.m_nID = ID_CMD_FIRST;
    state.SetCheck(1);
    state.SetText("第一项");
    EXPECT_NE(0u, menu.GetMenuState(ID_CMD_FIRST, MF_BYCOMMAND) & MF_CHECKED);
    CString strText;
    menu.GetMenuString(ID_CMD_FIRST, strText, MF_BYCOMMAND);
    EXPECT_STREQ("第一项", strText);
}

// ---- reflection ----

class CReflectingButton : public CWnd
{
public:
    int m_nClicks = 0;
    CBrush m_brush;

    afx_msg void OnClicked() { m_nClicks++; }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(200, 0, 0));
        if (m_brush.GetSafeHandle() == NULL)
            m_brush.CreateSolidBrush(RGB(0, 0, 200));
        return (HBRUSH)m_brush.GetSafeHandle();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CTestTopWindow
{
public:
    int m_nParentClicks = 0;
    afx_msg void OnButtonClicked() { m_nParentClicks++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CTestTopWindow)
    ON_BN_CLICKED(100, OnButtonClicked)
    ON_BN_CLICKED(101, OnButtonClicked)
END_MESSAGE_MAP()

TEST(Reflection, ControlHandlesItsOwnNotificationAndColours)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    CReflectingButton button;
    ASSERT_TRUE(button.Create("BUTTON", "ok", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 24),
                              &parent, 100));
    CWnd plain;
    ASSERT_TRUE(plain.Create("BUTTON", "plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 80, 54),
                             &parent, 101));

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), (LPARAM)button.m_hWnd);
    EXPECT_EQ(1, button.m_nClicks);
    EXPECT_EQ(0, parent.m_nParentClicks);   // reflected and handled by the control

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)plain.m_hWnd);
    EXPECT_EQ(1, parent.m_nParentClicks);   // no reflection entry: the parent's map

    CClientDC dc(&button);
    HBRUSH hbr = (HBRUSH)parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.GetSafeHdc(), (LPARAM)button.m_hWnd);
    EXPECT_EQ((HBRUSH)button.m_brush.GetSafeHandle(), hbr);
    EXPECT_EQ(RGB(200, 0, 0), dc.GetTextColor());
}

// ---- handle maps and subclassing ----

TEST(HandleMaps, TemporaryWrappersLiveUntilIdleAndPermanentOnesStay)
{
    CTestTopWindow wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

    HWND hDesktop = ::GetDesktopWindow();
    CWnd* pTemp = CWnd::FromHandle(hDesktop);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hDesktop));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDesktop));
    RunIdleCycle();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDesktop));
    EXPECT_EQ(hDesktop, CWnd::FromHandle(hDesktop)->m_hWnd);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

class CCountingEdit : public CWnd
{
public:
    int m_nChars = 0;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nChars++;
        CWnd::OnChar(nChar, nRepCnt, nFlags);   // the edit control still gets the character
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(Subclassing, SubclassedControlSeesMessagesFirstAndKeepsItsBehaviour)
{
    CTestTopWindow parent;
    ASSERT_TRUE(parent.CreateHidden());
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                   (HMENU)200, ::GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, hEdit);
    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(200, &parent));
    edit.SendMessage(WM_CHAR, 'Q', 1);
    edit.SendMessage(WM_CHAR, 'Z', 1);
    EXPECT_EQ(2, edit.m_nChars);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ("QZ", strText);

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    ::SendMessageA(hEdit, WM_CHAR, 'X', 1);
    EXPECT_EQ(2, edit.m_nChars);
}

class CProbeWnd : public CWnd
{
public:
    WNDPROC SuperProc() const { return m_pfnSuper; }
};

TEST(Subclassing, ReusedObjectDoesNotKeepTheDestroyedWindowsProcedure)
{
    CTestTopWindow parent;
    ASSERT_TRUE(parent.CreateHidden());
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.Create("EDIT", "", WS_CHILD, CRect(0, 0, 50, 20), &parent, 300));
    ASSERT_TRUE(wnd.DestroyWindow());

    // The same object now subclasses a static control: it must call the static's procedure.
    HWND hStatic = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd, (HMENU)301,
                                     ::GetModuleHandleA(NULL), NULL);
    WNDPROC pfnStatic = (WNDPROC)::GetWindowLongPtrA(hStatic, GWLP_WNDPROC);
    ASSERT_TRUE(wnd.SubclassWindow(hStatic));
    EXPECT_EQ(pfnStatic, wnd.SuperProc());
}

// ---- exceptions in message handlers ----

TEST(ExceptionReport, HandlerExceptionIsReportedAndTheWindowGoesOn)
{
    CDerivedTestWnd wnd;
    ASSERT_TRUE(wnd.CreateHidden());
    CDialogResponder responder(IDOK);
    EXPECT_EQ(0, wnd.SendMessage(WM_COMMAND, ID_CMD_THROWS));   // handled, with result 0
    ASSERT_TRUE(responder.Answered());
    EXPECT_NE(std::string::npos, responder.m_boxes[0].strText.find("C:\\locked.dat")) << responder.m_boxes[0].strText;
    EXPECT_EQ(50, wnd.SendMessage(WM_TEST_PING, 4));   // the window still works
}

class CFailingCreateWnd : public CTestTopWindow
{
public:
    afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowMemoryException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingCreateWnd, CTestTopWindow)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(ExceptionReport, ExceptionInOnCreateFailsTheCreationSilently)
{
    CDialogResponder responder(IDOK);
    CFailingCreateWnd wnd;
    EXPECT_FALSE(wnd.CreateHidden());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(responder.Answered());
}

// ---- layout ----

class CSizeParentBar : public CWnd
{
public:
    int m_nHeight = 20;
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        CRect rc(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
        pLayout->rect.top += m_nHeight;
        pLayout->sizeTotal.cy += m_nHeight;
        AfxRepositionWindow(pLayout, m_hWnd, &rc);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSizeParentBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

TEST(Layout, RepositionBarsStacksBarsAndGivesTheRestToTheLeftOver)
{
    CTestTopWindow parent;
    ASSERT_TRUE(parent.CreateHidden());
    CSizeParentBar bar1;
    CSizeParentBar bar2;
    bar2.m_nHeight = 30;
    CWnd pane;
    ASSERT_TRUE(bar1.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_CONTROLBAR_FIRST));
    ASSERT_TRUE(bar2.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_CONTROLBAR_FIRST + 1));
    ASSERT_TRUE(pane.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_PANE_FIRST));

    CRect rcQuery;
    parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcQuery, NULL, FALSE);
    EXPECT_EQ(50, rcQuery.Height());

    parent.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    CRect rcClient;
    parent.GetClientRect(&rcClient);
    CRect rcPane;
    pane.GetWindowRect(&rcPane);
    parent.ScreenToClient(&rcPane);
    EXPECT_EQ(50, rcPane.top);
    EXPECT_EQ(rcClient.bottom, rcPane.bottom);
    EXPECT_EQ(rcClient.Width(), rcPane.Width());
}

} // namespace

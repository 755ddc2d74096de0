#include "QENTabWnd.h"
#include "BeepRecorder.h"
#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENVisualManager.h"
#include "QENVisualManagerXP.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#include <windowsx.h>

namespace {

const UINT kTabImages = 0x5A40;   // three 16 x 16 images: red, green, blue
const COLORREF kImageRed = RGB(255, 0, 0);
const COLORREF kPageColours[] = {RGB(250, 120, 120), RGB(120, 250, 120), RGB(120, 120, 250), RGB(250, 250, 120),
                                 RGB(250, 120, 250)};

// The tab window's parent: keeps what the tab window tells it and the clicks passed on to it.
class CTabParent : public CWnd
{
public:
    struct Note
    {
        UINT message;
        WPARAM wParam;
        CString strLabel;
    };
    std::vector<Note> m_notes;
    std::vector<CPoint> m_clicks;
    LRESULT m_lRenameAnswer = 0;

    int Count(UINT message) const
    {
        int n = 0;
        for (const Note& note : m_notes)
            n += note.message == message;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_ONCHANGE_ACTIVE_TAB || message == QENM_ON_HSCROLL)
        {
            m_notes.push_back({message, wParam, ""});
            return 0;
        }
        if (message == QENM_ON_RENAME_TAB)
        {
            m_notes.push_back({message, wParam, reinterpret_cast<LPCTSTR>(lParam)});
            return m_lRenameAnswer;
        }
        if (message == WM_LBUTTONDOWN)
            m_clicks.push_back(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void Key(WORD wKey, bool bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(40);
}

void Tap(WORD wKey)
{
    Key(wKey, false);
    Key(wKey, true);
}

void CtrlTap(WORD wKey)
{
    Key(VK_CONTROL, false);
    Tap(wKey);
    Key(VK_CONTROL, true);
}

void TypeText(const char* pszUpperCase)
{
    for (const char* p = pszUpperCase; *p != 0; p++)
        Tap((WORD)*p);
}

// Button down and up at once: a scroll bar's arrow tracks the mouse in a loop of its own until the up.
void ClickScreen(CPoint ptScreen, int nClicks = 1)
{
    SendMouseInput(ptScreen);
    PumpFor(30);
    for (int i = 0; i < nClicks; i++)
    {
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN);
        SendMouseInput(ptScreen, MOUSEEVENTF_LEFTUP);
    }
    PumpFor(120);
}

void Click(CWnd* pWnd, CPoint ptClient, int nClicks = 1)
{
    pWnd->ClientToScreen(&ptClient);
    ClickScreen(ptClient, nClicks);
}

COLORREF ScreenPixel(CWnd* pWnd, CPoint ptClient)
{
    pWnd->ClientToScreen(&ptClient);
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, ptClient.x, ptClient.y);
    ::ReleaseDC(NULL, hScreen);
    return cr;
}

// The children of pParent of the window class, in their z-order.
std::vector<HWND> ChildrenOfClass(CWnd* pParent, LPCSTR lpszClass)
{
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(pParent->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = {};
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, lpszClass) == 0)
            children.push_back(hChild);
    }
    return children;
}

HWND ChildOfClass(CWnd* pParent, LPCSTR lpszClass)
{
    std::vector<HWND> children = ChildrenOfClass(pParent, lpszClass);
    return children.empty() ? NULL : children.front();
}

BOOL CALLBACK CollectVisibleTip(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) == 0 && ::IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(WindowText(hWnd));
    return TRUE;
}

// The texts of the tool tips this thread shows now.
std::vector<std::string> ShownTips()
{
    std::vector<std::string> tips;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectVisibleTip, reinterpret_cast<LPARAM>(&tips));
    return tips;
}

struct ArrowStates
{
    bool bLeft;
    bool bRight;
};

ArrowStates Arrows(HWND hScrollBar)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    EXPECT_TRUE(::GetScrollBarInfo(hScrollBar, OBJID_CLIENT, &info));
    return {(info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) == 0, (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) == 0};
}

CPoint Centre(const CRect& rect)
{
    return rect.CenterPoint();
}

class TabWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        SendMouseInput(CPoint(2, 2));
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                                (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, lpszClass, "tabs", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, 560, 360,
                                      NULL, NULL));
        m_parent.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_parent.m_hWnd);
        PumpFor(50);
    }

    void TearDown() override
    {
        if (m_tabs.m_hWnd != NULL)
            m_tabs.DestroyWindow();
        m_parent.DestroyWindow();
        CQENVisualManager::SetOnDemandClass(NULL);
    }

    // A tab window with nTabs tabs, each page filled with a colour of its own.
    void MakeTabs(CQENTabWnd::Style style, const CRect& rect, int nTabs, LPCTSTR lpszLabel = "输出",
                  CQENTabWnd::Location location = CQENTabWnd::LOCATION_BOTTOM)
    {
        ASSERT_TRUE(m_tabs.Create(style, rect, &m_parent, 100, location));
        for (int i = 0; i < nTabs; i++)
        {
            CString strLabel;
            strLabel.Format("%s%d", lpszLabel, i);
            m_tabs.AppendTab(NewPage(i), strLabel, i % 3);
        }
        PumpFor(50);
    }

    CWnd* NewPage(int iColour, CWnd* pParent = NULL)
    {
        static HBRUSH s_brushes[std::size(kPageColours)] = {};
        const size_t iBrush = iColour % std::size(kPageColours);
        if (s_brushes[iBrush] == NULL)
            s_brushes[iBrush] = ::CreateSolidBrush(kPageColours[iBrush]);
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), s_brushes[iBrush]);
        m_pages.emplace_back(new CWnd);
        EXPECT_TRUE(m_pages.back()->CreateEx(0, lpszClass, "", WS_CHILD, CRect(0, 0, 10, 10),
                                                 pParent != NULL ? pParent : &m_tabs, 200 + iColour));
        return m_pages.back().get();
    }

    // What the middle of the page area shows on the screen.
    COLORREF ShownColour() { return ScreenPixel(&m_tabs, Centre(m_tabs.GetPageArea())); }
    HWND ShownWindow()
    {
        CPoint point = Centre(m_tabs.GetPageArea());
        m_tabs.ClientToScreen(&point);
        return ::WindowFromPoint(point);
    }

    CPoint TabCentre(int iTab)
    {
        CRect rect;
        EXPECT_TRUE(m_tabs.GetTabRect(iTab, rect));
        return Centre(rect);
    }

    CTabParent m_parent;
    CQENTabWnd m_tabs;
    std::vector<std::unique_ptr<CWnd>> m_pages;
};

TEST_F(TabWndTest, ClickOnTabShowsItsPageAndOtherClicksGoToTheParent)
{
    MakeTabs(CQENTabWnd::STYLE_3D, CRect(10, 10, 410, 250), 3);
    EXPECT_EQ(0, m_tabs.GetActiveTab()) << "the first tab becomes active";
    EXPECT_EQ(kPageColours[0], ShownColour());

    Click(&m_tabs, TabCentre(2));
    EXPECT_EQ(2, m_tabs.GetActiveTab());
    EXPECT_EQ(m_pages[2]->m_hWnd, ShownWindow());
    EXPECT_EQ(kPageColours[2], ShownColour());
    EXPECT_EQ(m_pages[2]->m_hWnd, ::GetFocus());
    ASSERT_EQ(1u, m_parent.m_notes.size());
    EXPECT_EQ(QENM_ONCHANGE_ACTIVE_TAB, m_parent.m_notes[0].message);
    EXPECT_EQ(2u, m_parent.m_notes[0].wParam);

    // The border band beside the page is no tab: the click goes to the parent, in its coordinates.
    Click(&m_tabs, CPoint(1, 40));
    ASSERT_EQ(1u, m_parent.m_clicks.size());
    EXPECT_EQ(CPoint(11, 50), m_parent.m_clicks[0]);
    EXPECT_EQ(2, m_tabs.GetActiveTab());
}

TEST_F(TabWndTest, RemovingOrInsertingTabsKeepsTheActivePageOnTheScreen)
{
    MakeTabs(CQENTabWnd::STYLE_3D, CRect(10, 10, 410, 250), 3);
    Click(&m_tabs, TabCentre(2));
    m_parent.m_notes.clear();
    const HWND hRemovedPage = m_pages[2]->m_hWnd;

    ASSERT_TRUE(m_tabs.DeleteTab(2));
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hRemovedPage));
    EXPECT_EQ(1, m_tabs.GetActiveTab());
    EXPECT_EQ(m_pages[1].get(), m_tabs.GetActivePage());
    EXPECT_EQ(kPageColours[1], ShownColour()) << "the new last tab's page is shown";
    ASSERT_EQ(1u, m_parent.m_notes.size());
    EXPECT_EQ(QENM_ONCHANGE_ACTIVE_TAB, m_parent.m_notes[0].message);
    EXPECT_EQ(1u, m_parent.m_notes[0].wParam);

    // A tab put in front of the active one leaves its page the active and shown one.
    CWnd* pNewPage = NewPage(3);
    m_tabs.InsertTabAt(pNewPage, "新建", 0);
    PumpFor(50);
    EXPECT_EQ(2, m_tabs.GetActiveTab());
    EXPECT_EQ(m_pages[1].get(), m_tabs.GetActivePage());
    EXPECT_FALSE(pNewPage->IsWindowVisible());
    EXPECT_EQ(kPageColours[1], ShownColour());
    EXPECT_EQ(0, m_tabs.TabOfPage(pNewPage));
    EXPECT_EQ(1u, m_parent.m_notes.size()) << "inserting is no change of the active tab";

    // The active first tab removed: the tab after it moves into its place and its page shows.
    Click(&m_tabs, TabCentre(0));
    ASSERT_EQ(kPageColours[3], ShownColour());
    m_parent.m_notes.clear();
    ASSERT_TRUE(m_tabs.DeleteTab(0));
    PumpFor(50);
    EXPECT_EQ(0, m_tabs.GetActiveTab());
    EXPECT_EQ(m_pages[0].get(), m_tabs.GetActivePage());
    EXPECT_TRUE(m_pages[0]->IsWindowVisible());
    EXPECT_EQ(kPageColours[0], ShownColour());
    ASSERT_EQ(1u, m_parent.m_notes.size());
    EXPECT_EQ(0u, m_parent.m_notes[0].wParam);
}

TEST_F(TabWndTest, CtrlPageKeysCycleThroughTheVisibleTabsAndWrap)
{
    MakeTabs(CQENTabWnd::STYLE_3D, CRect(10, 10, 410, 250), 4);
    ASSERT_TRUE(m_tabs.ShowTab(3, FALSE));
    Click(&m_tabs, TabCentre(2));
    m_parent.m_notes.clear();

    CtrlTap(VK_NEXT);
    EXPECT_EQ(0, m_tabs.GetActiveTab()) << "past the last visible tab to the first";
    EXPECT_EQ(kPageColours[0], ShownColour());
    EXPECT_EQ(m_pages[0]->m_hWnd, ::GetFocus());
    CtrlTap(VK_PRIOR);
    EXPECT_EQ(2, m_tabs.GetActiveTab()) << "the hidden last tab is skipped";
    ASSERT_EQ(2u, m_parent.m_notes.size());
    EXPECT_EQ(0u, m_parent.m_notes[0].wParam);
    EXPECT_EQ(2u, m_parent.m_notes[1].wParam);

    for (int i = 0; i < 3; i++)
        m_tabs.ShowTab(i, FALSE);
    CtrlTap(VK_NEXT);
    CtrlTap(VK_PRIOR);
    EXPECT_EQ(2, m_tabs.GetActiveTab());
    EXPECT_EQ(2u, m_parent.m_notes.size()) << "without a visible tab the keys change nothing";
}

TEST_F(TabWndTest, FlatStripScrollsItsTabsWithTheArrows)
{
    MakeTabs(CQENTabWnd::STYLE_FLAT, CRect(10, 10, 250, 200), 8, "第几个输出窗口");
    const HWND hArrows = ChildOfClass(&m_tabs, "ScrollBar");
    ASSERT_NE(HWND(NULL), hArrows);
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetScrollBarInfo(hArrows, OBJID_CLIENT, &info));
    const CRect rectArrows = info.rcScrollBar;
    const CPoint ptLeft(rectArrows.left + rectArrows.Width() / 4, rectArrows.CenterPoint().y);
    const CPoint ptRight(rectArrows.right - rectArrows.Width() / 4, rectArrows.CenterPoint().y);
    CRect rectFirst, rect;
    m_tabs.GetTabRect(0, rectFirst);

    EXPECT_TRUE(Arrows(hArrows).bRight);
    EXPECT_FALSE(Arrows(hArrows).bLeft);
    ClickScreen(ptLeft);
    m_tabs.GetTabRect(0, rect);
    EXPECT_EQ(rectFirst, rect) << "the disabled arrow does nothing";
    ClickScreen(ptRight);
    m_tabs.GetTabRect(0, rect);
    EXPECT_EQ(rectFirst.left - 20, rect.left);

    for (int i = 0; i < 100 && Arrows(hArrows).bRight; i++)
        ClickScreen(ptRight);
    EXPECT_TRUE(Arrows(hArrows).bLeft);
    EXPECT_FALSE(Arrows(hArrows).bRight);
    CRect rectLast;
    m_tabs.GetTabRect(7, rectLast);
    EXPECT_LE(rectLast.right, m_tabs.GetTabsArea().right);
    EXPECT_GT(rectLast.right, m_tabs.GetTabsArea().right - 20) << "scrolled to the end, not beyond";
    EXPECT_EQ(7, m_tabs.TabAt(rectLast.CenterPoint()));

    m_tabs.GetTabRect(0, rectFirst);
    ClickScreen(ptLeft);
    m_tabs.GetTabRect(0, rect);
    EXPECT_EQ(rectFirst.left + 20, rect.left);
    EXPECT_TRUE(Arrows(hArrows).bLeft);
    EXPECT_TRUE(Arrows(hArrows).bRight);

    m_tabs.DeleteAllTabs();
    EXPECT_FALSE(Arrows(hArrows).bLeft);
    EXPECT_FALSE(Arrows(hArrows).bRight);
}

TEST_F(TabWndTest, RenameInPlace)
{
    m_tabs.m_bRenameInPlace = TRUE;
    MakeTabs(CQENTabWnd::STYLE_FLAT, CRect(10, 10, 410, 250), 3, "Tab");
    auto openEdit = [&]() -> HWND {
        Click(&m_tabs, TabCentre(1), 2);
        return ChildOfClass(&m_tabs, "Edit");
    };

    HWND hEdit = openEdit();
    ASSERT_NE(HWND(NULL), hEdit);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ("Tab1", WindowText(hEdit));
    EXPECT_EQ(hEdit, ::GetFocus());
    {
        CBeepRecorder beeps;
        CBeepRecorder::s_nBeeps = 0;
        Tap(VK_DELETE);
        Tap(VK_RETURN);
        EXPECT_EQ(1, CBeepRecorder::s_nBeeps) << "an empty label is refused with a beep";
    }
    EXPECT_TRUE(::IsWindowVisible(hEdit)) << "and the edit stays open";

    m_parent.m_lRenameAnswer = 1;
    TypeText("LOG");
    Tap(VK_RETURN);
    EXPECT_FALSE(::IsWindow(hEdit));
    ASSERT_EQ(1, m_parent.Count(QENM_ON_RENAME_TAB));
    EXPECT_EQ(1u, m_parent.m_notes.back().wParam);
    EXPECT_EQ(CString("log"), m_parent.m_notes.back().strLabel);
    CString strLabel;
    m_tabs.GetLabel(1, strLabel);
    EXPECT_EQ(CString("Tab1"), strLabel) << "the parent took the label over";

    hEdit = openEdit();
    ASSERT_NE(HWND(NULL), hEdit);
    TypeText("X");
    Tap(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(1, m_parent.Count(QENM_ON_RENAME_TAB)) << "Escape renames nothing";

    m_parent.m_lRenameAnswer = 0;
    hEdit = openEdit();
    ASSERT_NE(HWND(NULL), hEdit);
    TypeText("LOG");
    Tap(VK_RETURN);
    m_tabs.GetLabel(1, strLabel);
    EXPECT_EQ(CString("log"), strLabel);
    EXPECT_EQ(2, m_parent.Count(QENM_ON_RENAME_TAB));
}

TEST_F(TabWndTest, NarrowWindowsShrinkTheirTabsAndEmptyOnesLayOutWithoutTabs)
{
    MakeTabs(CQENTabWnd::STYLE_3D, CRect(10, 10, 130, 200), 3, "很长的输出窗口名字");
    CRect rectClient, rect;
    m_tabs.GetClientRect(&rectClient);
    for (int i = 0; i < 3; i++)
    {
        m_tabs.GetTabRect(i, rect);
        EXPECT_LE(rect.right, rectClient.right) << "tab " << i;
        EXPECT_GT(rect.Width(), 0) << "tab " << i;
    }

    for (CQENTabWnd::Style style : {CQENTabWnd::STYLE_3D, CQENTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL})
    {
        if (m_tabs.m_hWnd != NULL)
            m_tabs.DestroyWindow();
        m_pages.clear();
        MakeTabs(style, CRect(10, 10, 14, 14), 2);
        for (int i = 0; i < 2; i++)
            m_tabs.ShowTab(i, FALSE);
        m_tabs.MoveWindow(10, 10, 2, 2);
        PumpFor(30);
        EXPECT_EQ(-1, m_tabs.TabAt(CPoint(1, 1)));
        m_tabs.DeleteAllTabs();
        m_tabs.MoveWindow(10, 10, 0, 0);
        PumpFor(30);
        EXPECT_EQ(0, m_tabs.GetTabCount());
    }
}

TEST_F(TabWndTest, AShrunkTabShowsItsWholeLabelAsToolTipAndAWholeTabNone)
{
    const std::string strLong = "很长很长的输出窗口名字";
    ASSERT_TRUE(m_tabs.Create(CQENTabWnd::STYLE_3D, CRect(10, 10, 170, 150), &m_parent, 100));
    m_tabs.AppendTab(NewPage(0), "短");
    m_tabs.AppendTab(NewPage(1), strLong.c_str());
    PumpFor(50);
    CRect rectLong;
    m_tabs.GetTabRect(1, rectLong);
    {
        CClientDC dc(&m_tabs);
        CFont* pOldFont = dc.SelectObject(m_tabs.GetTabFont());
        ASSERT_LT(rectLong.Width(), dc.GetTextExtent(strLong.c_str()).cx) << "the long tab is cut to fit";
        dc.SelectObject(pOldFont);
    }

    // The pointer rests on a tab.
    auto restOn = [&](int iTab) {
        CPoint pt = TabCentre(iTab);
        m_tabs.ClientToScreen(&pt);
        SendMouseInput(pt);
        PumpFor(60);
        SendMouseInput(pt + CSize(1, 0));
        PumpFor(1500);
    };
    restOn(1);
    EXPECT_EQ(std::vector<std::string>{strLong}, ShownTips());
    restOn(0);
    EXPECT_TRUE(ShownTips().empty());
}

// With the strip at the top, the tabs lie above the page, switch it when clicked, and a click on the
// strip beside them stays with the tab window.
TEST_F(TabWndTest, AStripAtTheTopHoldsTheTabsAboveThePageInBothStyles)
{
    for (CQENTabWnd::Style style : {CQENTabWnd::STYLE_3D, CQENTabWnd::STYLE_FLAT})
    {
        SCOPED_TRACE(style);
        if (m_tabs.m_hWnd != NULL)
            m_tabs.DestroyWindow();
        m_pages.clear();
        m_parent.m_clicks.clear();
        MakeTabs(style, CRect(10, 10, 410, 250), 3, "输出", CQENTabWnd::LOCATION_TOP);
        CRect rectClient, rectTab, rectPage;
        m_tabs.GetClientRect(&rectClient);
        m_tabs.GetTabRect(2, rectTab);
        m_pages[0]->GetWindowRect(&rectPage);
        m_tabs.ScreenToClient(&rectPage);
        EXPECT_LT(rectTab.top, rectClient.CenterPoint().y);
        EXPECT_GE(rectPage.top, rectTab.bottom - 1) << "the page below its tabs";
        EXPECT_GT(rectPage.Height(), rectClient.Height() / 2);

        Click(&m_tabs, rectTab.CenterPoint());
        EXPECT_EQ(2, m_tabs.GetActiveTab());
        EXPECT_EQ(kPageColours[2], ShownColour());

        Click(&m_tabs, CPoint(rectClient.right - 20, rectTab.top + 2));
        EXPECT_TRUE(m_parent.m_clicks.empty()) << "the strip beside the tabs";
        Click(&m_tabs, CPoint(rectClient.CenterPoint().x, rectClient.bottom - 1));
        EXPECT_EQ(1u, m_parent.m_clicks.size()) << "the border below the page";
    }
}

// While it lives, the system's scroll bars are nExtra pixels thicker than they were. The change is
// announced to the windows as the system's settings do it, but not stored in the user's profile.
class CTallerScrollBars
{
public:
    explicit CTallerScrollBars(int nExtra)
    {
        m_metrics.cbSize = sizeof m_metrics;
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m_metrics, &m_metrics, 0);
        NONCLIENTMETRICSA taller = m_metrics;
        taller.iScrollHeight += nExtra;
        taller.iScrollWidth += nExtra;
        Apply(taller);
    }
    ~CTallerScrollBars() { Apply(m_metrics); }

private:
    static void Apply(NONCLIENTMETRICSA& metrics)
    {
        ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, (LPARAM) "WindowMetrics",
                              SMTO_ABORTIFHUNG, 2000, NULL);
    }
    NONCLIENTMETRICSA m_metrics;
};

TEST_F(TabWndTest, TheFlatStripFollowsSystemColourAndScrollBarChanges)
{
    SystemColoursScope colours;
    MakeTabs(CQENTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, CRect(10, 10, 410, 250), 2);
    auto activeTabColour = [&] {
        CRect rect;
        m_tabs.GetTabRect(m_tabs.GetActiveTab(), rect);
        return ScreenPixel(&m_tabs, CPoint(rect.left + rect.Height() / 2, rect.CenterPoint().y - 3));
    };
    ASSERT_EQ(SystemColoursScope::kWindow, activeTabColour());

    const COLORREF kNewWindow = RGB(200, 230, 250);
    const int nElement = COLOR_WINDOW;
    ASSERT_TRUE(::SetSysColors(1, &nElement, &kNewWindow));
    PumpFor(300);
    EXPECT_EQ(kNewWindow, activeTabColour());

    // Taller scroll bars make a taller strip, with the shared scroll bar in it and a lower page.
    const HWND hShared = ChildrenOfClass(&m_tabs, "ScrollBar").back();
    CRect rectTab, rectShared;
    m_tabs.GetTabRect(0, rectTab);
    ::GetWindowRect(hShared, &rectShared);
    const int cyPage = m_tabs.GetPageArea().Height();
    {
        CTallerScrollBars taller(8);
        PumpFor(300);
        ASSERT_EQ(rectShared.Height() + 8, ::GetSystemMetrics(SM_CYHSCROLL));

        CRect rect;
        m_tabs.GetTabRect(0, rect);
        EXPECT_EQ(rectTab.Height() + 8, rect.Height());
        ::GetWindowRect(hShared, &rect);
        EXPECT_EQ(rectShared.Height() + 8, rect.Height());
        EXPECT_EQ(cyPage - 8, m_tabs.GetPageArea().Height());
    }
    PumpFor(300);
}

// A 3D tab window with images at the bottom, and a flat one sharing its row with a scroll bar that
// scrolls its list view page, in the classic and the XP look. QENWIZ_TAB_LOOK_PAUSE (milliseconds)
// keeps each look on the screen that long.
TEST_F(TabWndTest, ImagesAndTheSharedScrollBarOnTheScreenInBothLooks)
{
    ASSERT_TRUE(m_tabs.Create(CQENTabWnd::STYLE_3D, CRect(10, 10, 530, 120), &m_parent, 100));
    ASSERT_TRUE(m_tabs.LoadTabImages(kTabImages));
    for (int i = 0; i < 3; i++)
        m_tabs.AppendTab(NewPage(i), i == 0 ? "输出" : i == 1 ? "调试" : "在文件中查找", i);
    m_tabs.SetBackColour(2, RGB(255, 230, 160));

    CQENTabWnd flat;
    ASSERT_TRUE(flat.Create(CQENTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, CRect(10, 130, 530, 300), &m_parent, 101));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_HSCROLL | LVS_REPORT, CRect(0, 0, 10, 10), &flat, 300));
    for (int i = 0; i < 4; i++)
        list.InsertColumn(i, "列", LVCFMT_LEFT, 220);
    for (int i = 0; i < 12; i++)
        list.InsertItem(i, "安装结果");
    flat.AppendTab(&list, "安装结果");
    flat.AppendTab(NewPage(3, &flat), "生成");
    flat.ActivateTab(0);
    PumpFor(100);

    CRect rectTab;
    m_tabs.GetTabRect(0, rectTab);
    EXPECT_EQ(kImageRed, ScreenPixel(&m_tabs, CPoint(rectTab.left + 4 + 8, rectTab.CenterPoint().y)))
        << "the tab's image 4 pixels in";
    flat.GetTabRect(0, rectTab);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW),
              ScreenPixel(&flat, CPoint(rectTab.left + rectTab.Height() / 2, rectTab.top + 2)))
        << "the active flat tab on the window colour";

    // The list view's own scroll bar gives way to the shared one, whose arrow scrolls the list.
    EXPECT_EQ(0u, list.GetStyle() & WS_HSCROLL);
    // The shared scroll bar is the one at the right end of the strip.
    HWND hShared = NULL;
    for (HWND hBar : ChildrenOfClass(&flat, "ScrollBar"))
    {
        CRect rect;
        ::GetWindowRect(hBar, &rect);
        flat.ScreenToClient(&rect);
        if (::IsWindowVisible(hBar) && rect.left > flat.GetTabsArea().CenterPoint().x)
            hShared = hBar;
    }
    ASSERT_NE(HWND(NULL), hShared);
    CScrollBar* pShared = static_cast<CScrollBar*>(CWnd::FromHandle(hShared));
    EXPECT_TRUE(Arrows(pShared->m_hWnd).bRight);
    SCROLLINFO shared = {sizeof shared, SIF_ALL, 0, 0, 0, 0, 0}, page = shared;
    ::GetScrollInfo(hShared, SB_CTL, &shared);
    ::GetScrollInfo(list.m_hWnd, SB_HORZ, &page);
    EXPECT_EQ(page.nMax, shared.nMax);
    EXPECT_EQ(page.nPage, shared.nPage);
    EXPECT_GT(shared.nMax, (int)shared.nPage) << "four columns of 220 pixels do not fit";
    CRect rectShared;
    pShared->GetWindowRect(&rectShared);
    ClickScreen(CPoint(rectShared.right - 4, rectShared.CenterPoint().y));
    EXPECT_GT(list.GetScrollPos(SB_HORZ), 0);
    EXPECT_EQ(list.GetScrollPos(SB_HORZ), pShared->GetScrollPos());
    ASSERT_LE(1, m_parent.Count(QENM_ON_HSCROLL));
    EXPECT_EQ(QENM_ON_HSCROLL, m_parent.m_notes[0].message);
    EXPECT_EQ((WPARAM)MAKEWPARAM(SB_LINERIGHT, list.GetScrollPos(SB_HORZ)), m_parent.m_notes[0].wParam);

    // Dragging the splitter in front of the shared scroll bar: the bar reaches from the mouse to
    // the strip's right end.
    flat.ScreenToClient(&rectShared);
    CPoint ptSplitter(rectShared.left - 3, rectShared.CenterPoint().y);
    const CPoint ptDrop(ptSplitter.x - 60, ptSplitter.y);
    flat.ClientToScreen(&ptSplitter);
    SendMouseInput(ptSplitter);
    PumpFor(30);
    SendMouseInput(ptSplitter, MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    CPoint ptDropScreen = ptDrop;
    flat.ClientToScreen(&ptDropScreen);
    SendMouseInput(ptDropScreen);
    PumpFor(60);
    SendMouseInput(ptDropScreen, MOUSEEVENTF_LEFTUP);
    PumpFor(60);
    pShared->GetWindowRect(&rectShared);
    flat.ScreenToClient(&rectShared);
    EXPECT_EQ(ptDrop.x, rectShared.left);
    EXPECT_EQ(flat.GetTabsArea().right, rectShared.right);
    EXPECT_EQ(HWND(NULL), ::GetCapture());

    const char* pszPause = getenv("QENWIZ_TAB_LOOK_PAUSE");
    for (CRuntimeClass* pLook : {RUNTIME_CLASS(CQENVisualManager), RUNTIME_CLASS(CQENVisualManagerXP)})
    {
        CQENVisualManager::SetOnDemandClass(pLook);
        m_parent.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(pszPause != NULL ? atoi(pszPause) : 50);
    }
    flat.DestroyWindow();
}

} // namespace

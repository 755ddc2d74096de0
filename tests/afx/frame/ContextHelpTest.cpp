// Context help of the frame window: after ID_CONTEXT_HELP a real click or key picks what help is
// asked for.
#include "DocViewTestResource.h"
#include "GuiTestSupport.h"
#include "InputThread.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const DWORD kProbeContext = 0x7777;

// A child window with help of its own.
class CHelpProbe : public CWnd
{
public:
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM) { return kProbeContext; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpProbe, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

class CHelpFrame : public CFrameWnd
{
public:
    std::vector<DWORD_PTR> m_help;
    std::vector<UINT> m_helpCommands;

    void WinHelp(DWORD_PTR dwData, UINT nCmd) override
    {
        m_help.push_back(dwData);
        m_helpCommands.push_back(nCmd);
    }
    void PostNcDestroy() override {}
};

} // namespace

TEST(CFrameWndContextHelp, TheClickedWindowItsNonClientPartTheFrameOrAnAcceleratorGiveTheHelpContext)
{
    CHelpFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_TEST_DOC, WS_OVERLAPPEDWINDOW));
    frame.SetWindowPos(NULL, 80, 80, 400, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
    CHelpProbe probe;
    ASSERT_TRUE(probe.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &frame, 1));
    CWnd scrolled;
    ASSERT_TRUE(scrolled.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(150, 10, 250, 90), &frame, 2));
    ::SetForegroundWindow(frame.m_hWnd);
    frame.SetFocus();
    PumpPendingMessages();

    CRect rectScrolled;
    scrolled.GetWindowRect(&rectScrolled);
    CRect rectClient;
    frame.GetClientRect(&rectClient);
    frame.ClientToScreen(&rectClient);
    auto pick = [&](std::function<void()> input) {
        frame.PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
        RunWithInputThread([&]() {
            ::Sleep(150);
            input();
        });
        EXPECT_FALSE(frame.m_bHelpMode);
        EXPECT_NE(frame.m_hWnd, ::GetCapture());
    };
    pick([&]() { ClickMouse(rectClient.TopLeft() + CPoint(50, 30)); });
    pick([&]() { ClickMouse(CPoint(rectScrolled.right - ::GetSystemMetrics(SM_CXVSCROLL) / 2, rectScrolled.CenterPoint().y)); });
    pick([&]() { ClickMouse(rectClient.BottomRight() - CPoint(30, 30)); });
    pick([&]() {
        PressKey(VK_F5, true);
        PressKey(VK_F5, false);
    });
    pick([&]() {
        PressKey(VK_ESCAPE, true);
        PressKey(VK_ESCAPE, false);
    });
    EXPECT_EQ((std::vector<DWORD_PTR>{kProbeContext, HID_BASE_NCAREAS + HTVSCROLL, HID_BASE_RESOURCE + IDR_TEST_DOC,
                                      HID_BASE_COMMAND + ID_TEST_ACCEL}),
              frame.m_help);
    EXPECT_EQ(std::vector<UINT>(4, HELP_CONTEXT), frame.m_helpCommands);
    scrolled.DestroyWindow();
    probe.DestroyWindow();
    frame.DestroyWindow();
}

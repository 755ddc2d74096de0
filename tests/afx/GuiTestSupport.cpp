#include "GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

CTestThread g_testThread;

// Makes the test thread the framework's current thread, as the application object does in a program.
class CFrameworkEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxSetThread(&g_testThread);
    }
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CFrameworkEnvironment);

} // namespace

CTestThread& TestThread()
{
    return g_testThread;
}

void PumpPendingMessages()
{
    MSG& msg = g_testThread.m_msgCur;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);   // a test's main window closed
            continue;
        }
        g_testThread.PumpMessage();
    }
}

void RunIdleCycle()
{
    g_testThread.OnIdle(0);
    g_testThread.OnIdle(1);
}

BOOL CTestTopWindow::CreateHidden(LPCTSTR lpszTitle)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1)),
                    lpszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL);
}

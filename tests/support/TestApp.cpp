#include "TestApp.h"
#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND_RANGE(CTestApp::ID_APP_COMMAND_FIRST, CTestApp::ID_APP_COMMAND_LAST, OnAppCommand)
END_MESSAGE_MAP()

namespace {

// Constructing it makes it the framework's application and current thread.
CTestApp g_testApp;

class CFrameworkEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandleA(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOWNORMAL);
        g_testApp.InitApplication();
    }
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CFrameworkEnvironment);

} // namespace

CTestApp& TestApp()
{
    return g_testApp;
}

CTestApp& TestThread()
{
    return g_testApp;
}

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    CMessageBoxRecorder* pRecorder = CMessageBoxRecorder::Active();
    if (pRecorder == NULL)
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    return pRecorder->Record(lpszPrompt, nIDPrompt);
}

void PumpPendingMessages()
{
    MSG& msg = g_testApp.m_msgCur;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);   // a test's main window closed
            continue;
        }
        g_testApp.PumpMessage();
    }
}

void RunIdleCycle()
{
    g_testApp.OnIdle(0);
    g_testApp.OnIdle(1);
}

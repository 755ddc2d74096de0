#include "AppTestSupport.h"
#include "QENWizDoc.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// Built during static initialisation, as a program's application object is.
CWinApp g_testApp;

class CFrameworkEnvironment : public ::testing::Environment
{
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandleA(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOWNOACTIVATE);
        g_testApp.InitApplication();
    }
};

const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new CFrameworkEnvironment);

const char s_szAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msdev.exe";

CMessageBoxCatcher* s_pCatcher = NULL;
UINT_PTR s_nCatcherTimer = 0;

BOOL CALLBACK CatchBox(HWND hWnd, LPARAM)
{
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) == 0 || lstrcmpA(szClass, "#32770") != 0 ||
        !::IsWindowVisible(hWnd))
        return TRUE;
    CMessageBoxCatcher::Box box{WindowText(CWnd::FromHandle(hWnd)), "", NULL};
    for (HWND hWndStatic = NULL; (hWndStatic = ::FindWindowExA(hWnd, hWndStatic, "Static", NULL)) != NULL;)
    {
        if (HICON hIcon = (HICON)::SendMessageA(hWndStatic, STM_GETICON, 0, 0))
            box.hIcon = hIcon;
        else
            box.strText += WindowText(CWnd::FromHandle(hWndStatic));
    }
    s_pCatcher->m_boxes.push_back(box);
    ::ShowWindow(hWnd, SW_HIDE);   // so the next tick does not catch it again before it goes
    ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK OnCatcherTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CatchBox, 0);
}

} // namespace

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string WindowText(const CWnd* pWnd)
{
    CString str;
    if (pWnd != NULL)
        pWnd->GetWindowText(str);
    return (LPCTSTR)str;
}

CInstallerWindow::CInstallerWindow()
    : m_pTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQENWizDoc), RUNTIME_CLASS(CMainFrame),
                                         RUNTIME_CLASS(CQENWizView)))
{
    g_testApp.m_nCmdShow = SW_SHOWNOACTIVATE;   // leaves other tests' focus alone
    m_pTemplate->OpenDocumentFile(NULL);
    PumpPendingMessages();
}

CInstallerWindow::~CInstallerWindow()
{
    if (g_testApp.m_pMainWnd != NULL)
        g_testApp.m_pMainWnd->DestroyWindow();
    g_testApp.m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pTemplate;
}

CMessageBoxCatcher::CMessageBoxCatcher()
{
    s_pCatcher = this;
    s_nCatcherTimer = ::SetTimer(NULL, 0, 50, OnCatcherTimer);
}

CMessageBoxCatcher::~CMessageBoxCatcher()
{
    ::KillTimer(NULL, s_nCatcherTimer);
    s_pCatcher = NULL;
}

void SetAppPath(const std::string& strValue, bool bTerminated)
{
    // The registry counts a terminator that directly follows the data in, as the system does: for a
    // value without one, another byte follows.
    std::string strData = strValue + (bTerminated ? '\0' : '#');
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szAppPathKey, 0, NULL, 0, KEY_SET_VALUE, NULL,
                                               &hKey, NULL));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.data()),
                                              (DWORD)strValue.size() + (bTerminated ? 1 : 0)));
    ::RegCloseKey(hKey);
}

void RemoveAppPath()
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szAppPathKey);
}

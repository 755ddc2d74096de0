#include "GuiTestSupport.h"

#include <gtest/gtest.h>

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND_RANGE(CTestApp::ID_APP_COMMAND_FIRST, CTestApp::ID_APP_COMMAND_LAST, OnAppCommand)
END_MESSAGE_MAP()

namespace {

// Built during static initialisation, as a program's application object is; it makes itself the
// framework's application and current thread.
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

BOOL CTestTopWindow::CreateHidden(LPCTSTR lpszTitle)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1)),
                    lpszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL);
}

// ---------------------------------------------------------------------------------------------------
// CDialogResponder

namespace {

struct DialogSearch
{
    HWND hDialog = NULL;
};

BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) == 0 || lstrcmpA(szClass, "#32770") != 0 ||
        !::IsWindowVisible(hWnd))
        return TRUE;
    reinterpret_cast<DialogSearch*>(lParam)->hDialog = hWnd;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    char szText[1024];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) != 0 && lstrcmpiA(szClass, "Static") == 0 &&
        ::GetWindowTextA(hWnd, szText, sizeof szText) > 0)
        *reinterpret_cast<std::string*>(lParam) += szText;
    return TRUE;
}

// The edit field of a control: the control itself, or the edit inside a combo box.
HWND FindEditOf(HWND hControl)
{
    HWND hCombo = ::FindWindowExA(hControl, NULL, "ComboBox", NULL);
    HWND hEdit = ::FindWindowExA(hCombo != NULL ? hCombo : hControl, NULL, "Edit", NULL);
    return hEdit != NULL ? hEdit : hControl;
}

} // namespace

CDialogResponder::CDialogResponder(int nButton, int nEditID, const char* pszEditText)
    : m_dwThreadId(::GetCurrentThreadId()), m_nButton(nButton), m_nEditID(nEditID), m_strEditText(pszEditText)
{
    m_hThread = ::CreateThread(NULL, 0, Run, this, 0, NULL);
}

CDialogResponder::~CDialogResponder()
{
    Stop();
    ::CloseHandle(m_hThread);
}

bool CDialogResponder::Stop()
{
    ::InterlockedExchange(&m_bStop, TRUE);
    return Finish();
}

bool CDialogResponder::Finish()
{
    ::WaitForSingleObject(m_hThread, INFINITE);
    return m_bAnswered;
}

DWORD WINAPI CDialogResponder::Run(LPVOID lpParameter)
{
    CDialogResponder* pThis = static_cast<CDialogResponder*>(lpParameter);
    for (int nTry = 0; nTry < 200 && !pThis->m_bStop; nTry++)
    {
        DialogSearch search;
        ::EnumThreadWindows(pThis->m_dwThreadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
        if (search.hDialog == NULL)
        {
            ::Sleep(50);
            continue;
        }
        char szCaption[256];
        ::GetWindowTextA(search.hDialog, szCaption, sizeof szCaption);
        pThis->m_strCaption = szCaption;
        ::EnumChildWindows(search.hDialog, CollectStaticText, reinterpret_cast<LPARAM>(&pThis->m_strText));
        if (pThis->m_nEditID != 0)
            ::SendMessageA(FindEditOf(::GetDlgItem(search.hDialog, pThis->m_nEditID)), WM_SETTEXT, 0,
                           (LPARAM)pThis->m_strEditText.c_str());
        ::PostMessageA(search.hDialog, WM_COMMAND, MAKEWPARAM(pThis->m_nButton, BN_CLICKED),
                       (LPARAM)::GetDlgItem(search.hDialog, pThis->m_nButton));
        pThis->m_bAnswered = true;
        return 0;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------------
// CMessageBoxRecorder

namespace {

CMessageBoxRecorder* g_pActiveRecorder = NULL;

} // namespace

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    CMessageBoxRecorder* pRecorder = CMessageBoxRecorder::Active();
    if (pRecorder == NULL)
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    pRecorder->m_prompts.push_back(lpszPrompt);
    pRecorder->m_promptIDs.push_back(nIDPrompt);
    return pRecorder->m_nAnswer;
}

CMessageBoxRecorder::CMessageBoxRecorder(int nAnswer)
    : m_nAnswer(nAnswer), m_pOuter(g_pActiveRecorder)
{
    g_pActiveRecorder = this;
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    g_pActiveRecorder = m_pOuter;
}

CMessageBoxRecorder* CMessageBoxRecorder::Active()
{
    return g_pActiveRecorder;
}

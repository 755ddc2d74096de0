#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Built during static initialisation, as a program's application object is.
CUiTestApp g_testApp;

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

BOOL CTestTopWindow::CreateHidden(LPCTSTR lpszTitle)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1)),
                    lpszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL);
}

// ---------------------------------------------------------------------------------------------------
// CMessageBoxCatcher

CMessageBoxCatcher* CMessageBoxCatcher::s_pActive = NULL;

CMessageBoxCatcher::CMessageBoxCatcher()
{
    s_pActive = this;
    m_nTimer = ::SetTimer(NULL, 0, 50, OnTimer);
}

CMessageBoxCatcher::~CMessageBoxCatcher()
{
    ::KillTimer(NULL, m_nTimer);
    s_pActive = NULL;
}

void CALLBACK CMessageBoxCatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pActive != NULL)
        ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, reinterpret_cast<LPARAM>(s_pActive));
}

BOOL CALLBACK CMessageBoxCatcher::CloseBox(HWND hWnd, LPARAM lParam)
{
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) == 0 || lstrcmpA(szClass, "#32770") != 0 ||
        !::IsWindowVisible(hWnd))
        return TRUE;
    CMessageBoxCatcher* pThis = reinterpret_cast<CMessageBoxCatcher*>(lParam);
    if (hWnd == pThis->m_hLastBox)
        return FALSE;
    pThis->m_hLastBox = hWnd;
    pThis->m_boxes.emplace_back();
    ::EnumChildWindows(hWnd, ReadControl, reinterpret_cast<LPARAM>(&pThis->m_boxes.back()));
    ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

BOOL CALLBACK CMessageBoxCatcher::ReadControl(HWND hWnd, LPARAM lParam)
{
    Box* pBox = reinterpret_cast<Box*>(lParam);
    char szClass[16];
    if (::GetClassNameA(hWnd, szClass, sizeof szClass) == 0 || lstrcmpiA(szClass, "Static") != 0)
        return TRUE;
    if (HICON hIcon = (HICON)::SendMessageA(hWnd, STM_GETICON, 0, 0))
        pBox->hIcon = hIcon;
    char szText[1024];
    if (::GetWindowTextA(hWnd, szText, sizeof szText) > 0)
        pBox->strText += szText;
    return TRUE;
}

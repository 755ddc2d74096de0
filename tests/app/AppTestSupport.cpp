#include "AppTestSupport.h"
#include "QENWizDoc.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Built during static initialisation, as a program's application object is.
CAppTestApp g_testApp;

class CFrameworkEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxWinInit(::GetModuleHandleA(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOWNOACTIVATE);
        g_testApp.InitApplication();
    }
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CFrameworkEnvironment);

} // namespace

CAppTestApp& TestApp()
{
    return g_testApp;
}

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (!AfxGetThread()->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// CInstallerWindow

CInstallerWindow::CInstallerWindow()
    : m_pTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQENWizDoc), RUNTIME_CLASS(CMainFrame),
                                         RUNTIME_CLASS(CQENWizView)))
{
    // Showing without activating spares waits on the X server and leaves other tests' focus alone.
    TestApp().m_nCmdShow = SW_SHOWNOACTIVATE;
    m_pTemplate->OpenDocumentFile(NULL);
    if (Frame() != NULL)
        Frame()->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CInstallerWindow::~CInstallerWindow()
{
    if (TestApp().m_pMainWnd != NULL)
        TestApp().m_pMainWnd->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pTemplate;
}

CMainFrame* CInstallerWindow::Frame() const
{
    return static_cast<CMainFrame*>(TestApp().m_pMainWnd);
}

CQENWizView* CInstallerWindow::View() const
{
    return static_cast<CQENWizView*>(Frame()->GetActiveView());
}

std::string CInstallerWindow::FieldText(int nID) const
{
    CString str;
    View()->GetDlgItemText(nID, str);
    return (LPCTSTR)str;
}

void CInstallerWindow::SetFieldText(int nID, LPCTSTR lpszText)
{
    View()->SetDlgItemText(nID, lpszText);
}

void CInstallerWindow::SetLangPackChecked(BOOL bChecked)
{
    View()->CheckDlgButton(IDC_INSTALL_LANGPACK, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

void CInstallerWindow::ClickButton(int nID)
{
    View()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(View()->m_hWnd, nID));
}

std::string CInstallerWindow::ResultText() const
{
    CString str;
    Frame()->m_wndResultEdit.GetWindowText(str);
    return (LPCTSTR)str;
}

std::string CInstallerWindow::Caption() const
{
    CString str;
    Frame()->GetWindowText(str);
    return (LPCTSTR)str;
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
    char szText[1024];
    if (::GetClassNameA(hWnd, szText, sizeof szText) == 0 || lstrcmpA(szText, "#32770") != 0 ||
        !::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd))
        return TRUE;
    CMessageBoxCatcher* pThis = reinterpret_cast<CMessageBoxCatcher*>(lParam);
    pThis->m_boxes.emplace_back();
    ::GetWindowTextA(hWnd, szText, sizeof szText);
    pThis->m_boxes.back().strCaption = szText;
    ::EnumChildWindows(hWnd, ReadControl, reinterpret_cast<LPARAM>(&pThis->m_boxes.back()));
    // Hidden at once, so a later tick does not read the box again before it is gone.
    ::ShowWindow(hWnd, SW_HIDE);
    ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

BOOL CALLBACK CMessageBoxCatcher::ReadControl(HWND hWnd, LPARAM lParam)
{
    Box* pBox = reinterpret_cast<Box*>(lParam);
    char szText[1024];
    if (::GetClassNameA(hWnd, szText, sizeof szText) == 0 || lstrcmpiA(szText, "Static") != 0)
        return TRUE;
    if (HICON hIcon = (HICON)::SendMessageA(hWnd, STM_GETICON, 0, 0))
        pBox->hIcon = hIcon;
    if (::GetWindowTextA(hWnd, szText, sizeof szText) > 0)
        pBox->strText += szText;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// CTemporaryFolderOverride

CTemporaryFolderOverride::CTemporaryFolderOverride(LPCTSTR lpszFolder)
{
    char szOld[MAX_PATH];
    DWORD nLength = ::GetEnvironmentVariableA("TMP", szOld, sizeof szOld);
    m_bHadTmp = nLength > 0 && nLength < sizeof szOld;
    if (m_bHadTmp)
        m_strOldTmp = szOld;
    ::SetEnvironmentVariableA("TMP", lpszFolder);
}

CTemporaryFolderOverride::~CTemporaryFolderOverride()
{
    ::SetEnvironmentVariableA("TMP", m_bHadTmp ? (LPCTSTR)m_strOldTmp : NULL);
}

std::vector<std::string> FolderEntries(LPCTSTR lpszFolder)
{
    std::vector<std::string> entries;
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(CString(lpszFolder) + "\\*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return entries;
    do
    {
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            entries.push_back(found.cFileName);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    std::sort(entries.begin(), entries.end());
    return entries;
}

BOOL FileExists(LPCTSTR lpszPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(lpszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---------------------------------------------------------------------------------------------------
// CAppPathEntry

const TCHAR CAppPathEntry::s_szKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msdev.exe";

CAppPathEntry::CAppPathEntry()
{
    Remove();
}

CAppPathEntry::~CAppPathEntry()
{
    Remove();
}

void CAppPathEntry::SetDefaultValue(const std::string& value)
{
    Store(value, (DWORD)value.size() + 1);
}

void CAppPathEntry::SetUnterminatedDefaultValue(const std::string& value)
{
    // The registry counts a terminator that directly follows the data in, as the system does: a
    // byte other than '\0' follows here.
    Store(value + '#', (DWORD)value.size());
}

void CAppPathEntry::Store(const std::string& data, DWORD nBytes)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_szKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey,
                                               NULL));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), nBytes));
    ::RegCloseKey(hKey);
}

void CAppPathEntry::Remove()
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, s_szKey);
}

#include "WinApp.h"
#include "DocManager.h"
#include "Exception.h"
#include "RecentFileList.h"
#include "Wnd.h"
#include "afxres.h"

#include <commdlg.h>
#include <ole2.h>
#include <shlwapi.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = NULL;

int AFXAPI ReportThroughApp(LPCTSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, nType);
}

LPTSTR DuplicateString(LPCTSTR lpsz)
{
    size_t nLen = strlen(lpsz) + 1;
    LPTSTR lpszCopy = (LPTSTR)malloc(nLen);
    if (lpszCopy == NULL)
        AfxThrowMemoryException();
    memcpy(lpszCopy, lpsz, nLen);
    return lpszCopy;
}

void FreeString(LPCTSTR& lpsz)
{
    free(const_cast<LPTSTR>(lpsz));
    lpsz = NULL;
}

} // namespace

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return g_pApp != NULL ? g_pApp->m_pszAppName : "";
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName != NULL)
        m_pszAppName = DuplicateString(lpszAppName);
    // The application object is built during static initialisation, on the thread that runs the loop.
    g_pApp = this;
    AfxSetThread(this);
    AfxSetMessageBoxHandler(ReportThroughApp);
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    delete m_pRecentFileList;
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    FreeString(m_pszAppName);
    FreeString(m_pszExeName);
    FreeString(m_pszHelpFilePath);
    FreeString(m_pszProfileName);
    FreeString(m_pszRegistryKey);
    if (g_pApp == this)
    {
        g_pApp = NULL;
        AfxSetMessageBoxHandler(NULL);
    }
    if (AfxGetThread() == this)
        AfxSetThread(NULL);
}

void CWinApp::SetCurrentHandles()
{
    m_hInstance = AfxGetInstanceHandle();

    char szModule[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(m_hInstance, szModule, MAX_PATH);
    szModule[nLen < MAX_PATH ? nLen : MAX_PATH - 1] = '\0';

    char szTitle[MAX_PATH];
    lstrcpynA(szTitle, ::PathFindFileNameA(szModule), MAX_PATH);
    char* pszExt = ::PathFindExtensionA(szTitle);
    *pszExt = '\0';

    if (m_pszExeName == NULL)
        m_pszExeName = DuplicateString(szTitle);
    if (m_pszAppName == NULL)
    {
        CString strTitle;
        if (strTitle.LoadString(AFX_IDS_APP_TITLE))
            m_pszAppName = DuplicateString(strTitle);
        else
            m_pszAppName = DuplicateString(m_pszExeName);
    }
    if (m_pszHelpFilePath == NULL)
    {
        char szHelp[MAX_PATH + 8];
        lstrcpynA(szHelp, szModule, MAX_PATH);
        ::PathRenameExtensionA(szHelp, ".HLP");
        m_pszHelpFilePath = DuplicateString(szHelp);
    }
    if (m_pszProfileName == NULL)
    {
        CString strIni = CString(m_pszExeName) + ".INI";
        m_pszProfileName = DuplicateString(strIni);
    }
}

BOOL CWinApp::InitApplication()
{
    if (m_pDocManager != NULL)
        return TRUE;
    m_pDocManager = new CDocManager;
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        ::PostQuitMessage(0);   // nothing to run a loop for
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        CWinThread::OnIdle(lCount);
    else if (lCount == 1)
        CWinThread::OnIdle(lCount);
    return lCount < 1;
}

// ---------------------------------------------------------------------------------------------------
// Message boxes and the wait cursor

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndTop = NULL;
    HWND hWnd = CWnd::GetSafeOwner(NULL, &hWndTop)->GetSafeHwnd();
    // Let the box's owner keep the focus it had once the box closes.
    if (hWnd != hWndTop && hWnd != NULL)
        ::EnableWindow(hWnd, TRUE);

    int nResult = ::MessageBoxA(hWnd, lpszPrompt, m_pszAppName, nType);
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(NULL, lpszText, NULL, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    ::WinHelpA(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

// ---------------------------------------------------------------------------------------------------
// Settings

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    FreeString(m_pszRegistryKey);
    m_pszRegistryKey = DuplicateString(lpszRegistryKey);
    // With a registry key, the "profile name" is the application's key name.
    FreeString(m_pszProfileName);
    m_pszProfileName = DuplicateString(m_pszAppName != NULL ? m_pszAppName : "");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL)
        return NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS)
    {
        DWORD dw;
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                              NULL, &hCompanyKey, &dw) == ERROR_SUCCESS)
        {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
            ::RegCloseKey(hCompanyKey);
        }
        ::RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                      &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);

    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue;
    DWORD dwType;
    DWORD dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL)
    {
        char szT[16];
        wsprintfA(szT, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szT, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&nValue, sizeof(nValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == NULL)
    {
        if (lpszDefault == NULL)
            lpszDefault = "";
        // Grow the buffer until the value fits (the call returns size - 1 when it had to cut).
        CString strValue;
        for (DWORD nSize = 256;; nSize *= 2)
        {
            DWORD nLen = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault,
                                                    strValue.GetBuffer((int)nSize), nSize, m_pszProfileName);
            strValue.ReleaseBuffer((int)nLen);
            if (nLen < nSize - 1)
                return strValue;
        }
    }

    HKEY hSecKey = GetSectionKey(lpszSection);
    CString strValue;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ERROR_FILE_NOT_FOUND;
    if (hSecKey != NULL)
    {
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
        {
            // The stored value need not end in a terminator; keep room for one.
            DWORD dwBuffer = dwCount + 1;
            LPTSTR lpsz = strValue.GetBuffer((int)dwBuffer);
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)lpsz, &dwCount);
            lpsz[dwCount < dwBuffer ? dwCount : dwBuffer - 1] = '\0';
            strValue.ReleaseBuffer();
        }
        else if (lResult == ERROR_SUCCESS)
            lResult = ERROR_INVALID_DATA;
        ::RegCloseKey(hSecKey);
    }
    if (lResult == ERROR_SUCCESS)
        return strValue;
    return lpszDefault != NULL ? CString(lpszDefault) : CString();
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

    LONG lResult;
    if (lpszEntry == NULL)
    {
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        lResult = ::RegDeleteTreeA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    if (lpszValue == NULL)
        lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
    else
        lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)(strlen(lpszValue) + 1));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
    {
        // In a profile file each byte is two letters 'A'…'P', low nibble first.
        CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        if (str.IsEmpty())
            return FALSE;
        UINT nLen = (UINT)str.GetLength() / 2;
        *ppData = new BYTE[nLen];
        for (UINT i = 0; i < nLen; i++)
            (*ppData)[i] = (BYTE)(((str[2 * i + 1] - 'A') << 4) + (str[2 * i] - 'A'));
        *pBytes = nLen;
        return TRUE;
    }

    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
    }
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *pBytes = dwCount;
        return TRUE;
    }
    delete[] *ppData;
    *ppData = NULL;
    return FALSE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
    {
        CString str;
        LPTSTR lpsz = str.GetBuffer((int)(nBytes * 2 + 1));
        for (UINT i = 0; i < nBytes; i++)
        {
            lpsz[i * 2] = (char)((pData[i] & 0x0F) + 'A');
            lpsz[i * 2 + 1] = (char)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        lpsz[nBytes * 2] = '\0';
        str.ReleaseBuffer((int)(nBytes * 2));
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU != 0)
    {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
}

// ---------------------------------------------------------------------------------------------------
// Command line

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
    {
        if (lstrcmpiA(pszParam, "pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (lstrcmpiA(pszParam, "p") == 0)
            m_nShellCommand = FilePrint;
        else if (lstrcmpiA(pszParam, "Register") == 0 || lstrcmpiA(pszParam, "Regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (lstrcmpiA(pszParam, "dde") == 0)
            m_nShellCommand = FileDDE;
        else if (lstrcmpiA(pszParam, "Embedding") == 0)
        {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        }
        else if (lstrcmpiA(pszParam, "Automation") == 0)
        {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }

    if (m_strFileName.IsEmpty())
    {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
    else if (m_nShellCommand == FilePrintTo)
    {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++)
    {
        LPCTSTR pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;

    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
        {
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pMainWnd->SendMessage(WM_CLOSE);
        }
        return FALSE;   // printing from the command line ends the program

    case CCommandLineInfo::FileNothing:
        return TRUE;

    default:
        // Shell registration and DDE start-up are not offered by this program.
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------------------
// Documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == NULL)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager != NULL)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager != NULL)
        m_pDocManager->OnFileOpen();
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    // A file that cannot be opened any more leaves the list.
    if (OpenDocumentFile((*m_pRecentFileList)[nIndex]) == NULL)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlgA(&pd))
    {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---------------------------------------------------------------------------------------------------
// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    AfxSetResourceHandle(hInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    CWnd::DeleteTempMap();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread != NULL && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) &&
        (pApp == NULL || pApp->InitApplication()))
    {
        if (!pThread->InitInstance())
        {
            if (pThread->m_pMainWnd != NULL)
                pThread->m_pMainWnd->DestroyWindow();
            nReturnCode = pThread->ExitInstance();
        }
        else
            nReturnCode = pThread->Run();
    }
    AfxWinTerm();
    return nReturnCode;
}

BOOL AFXAPI AfxOleInit()
{
    return SUCCEEDED(::OleInitialize(NULL));
}

void AFXAPI AfxEnableControlContainer()
{
}

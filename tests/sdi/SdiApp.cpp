#include "SdiApp.h"
#include "SdiDoc.h"
#include "SdiFrame.h"
#include "SdiView.h"
#include "resource.h"

CSdiApp theApp;

BEGIN_MESSAGE_MAP(CSdiApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

namespace {

// The standard command line, and /selftest.
class CSdiCommandLineInfo : public CCommandLineInfo
{
public:
    BOOL m_bSelfTest = FALSE;

    void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) override
    {
        if (bFlag && lstrcmpiA(pszParam, "selftest") == 0)
            m_bSelfTest = TRUE;
        else
            CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
};

} // namespace

BOOL CSdiApp::InitInstance()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSdiDoc), RUNTIME_CLASS(CSdiFrame),
                                          RUNTIME_CLASS(CSdiView)));
    CSdiCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    if (cmdInfo.m_bSelfTest)
        m_selfTest.Start();
    return TRUE;
}

int CSdiApp::ExitInstance()
{
    int nResult = CWinApp::ExitInstance();
    return m_selfTest.IsRunning() ? m_selfTest.Result() : nResult;
}

BOOL CSdiApp::PreTranslateMessage(MSG* pMsg)
{
    if (m_selfTest.HandleThreadMessage(pMsg))
        return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

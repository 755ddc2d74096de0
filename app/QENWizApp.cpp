#include "QENWizApp.h"
#include "AboutBox.h"
#include "MainFrame.h"
#include "QENCleanUp.h"
#include "QENWizConstants.h"
#include "QENWizDoc.h"
#include "QENWizView.h"
#include "resource.h"

CQENWizApp theApp;

BEGIN_MESSAGE_MAP(CQENWizApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnHelpAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

BOOL CQENWizApp::InitInstance()
{
    if (!AfxOleInit())
    {
        AfxMessageBox(IDP_OLE_INIT_FAILED, MB_OK);
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    SetRegistryKey(QENWIZ_COMPANY_KEY);
    LoadStdProfileSettings(4);

    // The workspace's settings sub-key "Settings", its mouse, context-menu and keyboard managers and
    // the user tools on commands 32805..32815 are set up here once the UI library's workspace exists.

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQENWizDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CQENWizView)));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CQENWizApp::ExitInstance()
{
    QENCleanUp();
    return CWinApp::ExitInstance();
}

void CQENWizApp::OnHelpAbout()
{
    CAboutBox dlg;
    dlg.DoModal();
}

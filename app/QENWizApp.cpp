#include "QENWizApp.h"
#include "AboutBox.h"
#include "MainFrame.h"
#include "QENCleanUp.h"
#include "QENWizConstants.h"
#include "QENWizDoc.h"
#include "QENWizView.h"
#include "QENContextMenuManager.h"
#include "QENMouseManager.h"
#include "QENUserTool.h"
#include "resource.h"

CQENWizApp theApp;

BEGIN_MESSAGE_MAP(CQENWizApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnHelpAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CQENWizApp::CQENWizApp() : CQENWorkspace(TRUE)
{
}

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

    SetSettingsSubkey("Settings");
    CreateMouseManager();
    CreateContextMenuManager();
    CreateKeyboardManager();
    SetUpUserTools(ID_TOOLS_ENTRY, ID_USER_TOOL1, ID_USER_TOOL10, RUNTIME_CLASS(CQENUserTool), 0, 0);

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

void CQENWizApp::BeforeStateLoad()
{
    g_pMouseManager->RegisterView(IDR_MAINFRAME, "My view", IDR_MAINFRAME);
    g_pContextMenuManager->RegisterContextMenu("上下文菜单", IDR_CONTEXT_MENU);
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

#include "AppTestSupport.h"
#include "QENWizDoc.h"
#include "resource.h"

CInstallerWindow::CInstallerWindow()
    : m_pTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQENWizDoc), RUNTIME_CLASS(CMainFrame),
                                         RUNTIME_CLASS(CQENWizView)))
{
    TestApp().m_nCmdShow = SW_SHOWNOACTIVATE;   // leaves other tests' focus alone
    m_pTemplate->OpenDocumentFile(NULL);
    PumpPendingMessages();
}

CInstallerWindow::~CInstallerWindow()
{
    if (TestApp().m_pMainWnd != NULL)
        TestApp().m_pMainWnd->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pTemplate;
}

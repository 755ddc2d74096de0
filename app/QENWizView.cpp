#include "QENWizView.h"
#include "FolderDialog.h"
#include "InstallFolders.h"
#include "MainFrame.h"
#include "PayloadInstaller.h"
#include "QENWizConstants.h"

CQENWizView* g_pWizView = NULL;

namespace {

// A result line at the end of the window, after what earlier runs wrote.
void AppendResultLine(CEdit* pResultEdit, LPCTSTR lpszLine)
{
    if (pResultEdit == NULL)
        return;
    pResultEdit->SendMessage(EM_SETSEL, (WPARAM)-1, (LPARAM)-1);
    pResultEdit->SendMessage(EM_SCROLLCARET, 0, 0);
    pResultEdit->SendMessage(EM_REPLACESEL, FALSE, (LPARAM)lpszLine);
}

} // namespace

IMPLEMENT_DYNCREATE(CQENWizView, CFormView)

BEGIN_MESSAGE_MAP(CQENWizView, CFormView)
    ON_WM_CREATE()
    ON_MESSAGE(WM_DETECTFOLDERS, OnDetectFolders)
    ON_MESSAGE(WM_STARTINSTALL, OnStartInstall)
    ON_BN_CLICKED(IDC_START_INSTALL, OnInstallButton)
    ON_BN_CLICKED(IDC_DETECT_FOLDERS, OnDetectButton)
    ON_BN_CLICKED(IDC_BROWSE_LIBDIR, OnBrowseLibDir)
    ON_BN_CLICKED(IDC_BROWSE_VSDIR, OnBrowseVSDir)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
END_MESSAGE_MAP()

CQENWizView::CQENWizView()
    : CFormView(IDD), m_bInstallLangPack(FALSE)
{
    g_pWizView = this;
}

CQENWizView::~CQENWizView()
{
    if (g_pWizView == this)
        g_pWizView = NULL;
}

void CQENWizView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_WEB_LINK, m_wndLink);
    DDX_Text(pDX, IDC_LIBDIR, m_strLibDir);
    DDX_Text(pDX, IDC_VSDIR, m_strVSDir);
    DDX_Check(pDX, IDC_INSTALL_LANGPACK, m_bInstallLangPack);
}

void CQENWizView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    GetParentFrame()->RecalcLayout();
    ResizeParentToFit();
}

BOOL CQENWizView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

int CQENWizView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFormView::OnCreate(lpCreateStruct) == -1)
        return -1;
    PostMessage(WM_DETECTFOLDERS, 0, 0);
    return 0;
}

LRESULT CQENWizView::OnDetectFolders(WPARAM, LPARAM)
{
    UpdateData(TRUE);
    DetectInstallFolders(m_strVSDir, m_strLibDir);
    UpdateData(FALSE);
    return 0;
}

LRESULT CQENWizView::OnStartInstall(WPARAM, LPARAM)
{
    UpdateData(TRUE);
    CWnd* pMainWnd = AfxGetMainWnd();
    CMainFrame* pFrame = pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CMainFrame))
                             ? static_cast<CMainFrame*>(pMainWnd)
                             : NULL;
    CEdit* pResultEdit = pFrame != NULL ? &pFrame->m_wndResultEdit : NULL;
    CPayloadInstaller installer(this, [pResultEdit](LPCTSTR lpszLine) { AppendResultLine(pResultEdit, lpszLine); });
    if (installer.Install(m_strVSDir, m_strLibDir, m_bInstallLangPack) && pFrame != NULL)
        pFrame->SetWindowText("安装完成！- " QENWIZ_WEB_ADDRESS);
    return 0;
}

void CQENWizView::OnInstallButton()
{
    PostMessage(WM_STARTINSTALL, 0, 0);
}

void CQENWizView::OnDetectButton()
{
    PostMessage(WM_DETECTFOLDERS, 0, 0);
}

void CQENWizView::OnBrowseLibDir()
{
    BrowseForFolder(m_strLibDir);
}

void CQENWizView::OnBrowseVSDir()
{
    BrowseForFolder(m_strVSDir);
}

void CQENWizView::BrowseForFolder(CString& strFolder)
{
    UpdateData(TRUE);
    CFolderDialog dlg(&strFolder);
    // A copy: the dialog assigns the chosen folder to strFolder while it is up.
    CString strInitialFolder = strFolder;
    dlg.m_ofn.Flags |= OFN_NODEREFERENCELINKS | OFN_HIDEREADONLY;
    dlg.m_ofn.lpstrTitle = "请选择目录";
    dlg.m_ofn.lpstrInitialDir = strInitialFolder;
    if (dlg.DoModal() == IDOK)
        UpdateData(FALSE);
}

#include "QENWizView.h"
#include "FolderDialog.h"
#include "InstallFolders.h"
#include "MainFrame.h"
#include "PayloadInstaller.h"
#include "QENPrintPreview.h"
#include "QENWorkspace.h"
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
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_DETECTFOLDERS, OnDetectFolders)
    ON_MESSAGE(WM_STARTINSTALL, OnStartInstall)
    ON_BN_CLICKED(IDC_START_INSTALL, OnInstallButton)
    ON_BN_CLICKED(IDC_DETECT_FOLDERS, OnDetectButton)
    ON_BN_CLICKED(IDC_BROWSE_LIBDIR, OnBrowseLibDir)
    ON_BN_CLICKED(IDC_BROWSE_VSDIR, OnBrowseVSDir)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
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

void CQENWizView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    // Sizes follow the page, so the page looks the same on any printer and in the preview.
    const CRect& rectPage = pInfo->m_rectDraw;
    const int nLineHeight = rectPage.Height() / 40;
    CFont fontText, fontTitle;
    fontText.CreateFont(-nLineHeight * 2 / 3, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
    fontTitle.CreateFont(-nLineHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");

    CString strVSDir, strLibDir;
    GetDlgItemText(IDC_VSDIR, strVSDir);
    GetDlgItemText(IDC_LIBDIR, strLibDir);
    const BOOL bLangPack = IsDlgButtonChecked(IDC_INSTALL_LANGPACK) == BST_CHECKED;
    const LPCTSTR lines[] = {
        "Microsoft Visual Studio安装目录：", strVSDir,
        "QEN  Components 安装目录：", strLibDir,
        bLangPack ? "需要给我安装中文语言包：是" : "需要给我安装中文语言包：否",
    };

    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    const int x = rectPage.left + rectPage.Width() / 10;
    int y = rectPage.top + rectPage.Height() / 12;
    pDC->SelectObject(&fontTitle);
    pDC->TextOut(x, y, "QEN ControlBar Application Wizard 中文版");
    y += nLineHeight * 2;
    pDC->SelectObject(&fontText);
    for (LPCTSTR lpszLine : lines)
    {
        pDC->TextOut(x, y, lpszLine, lstrlenA(lpszLine));
        y += nLineHeight;
    }
    pDC->RestoreDC(nSavedDC);
}

void CQENWizView::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    if (g_pWorkspace != NULL)
        g_pWorkspace->HandleViewDoubleClick(this, IDR_MAINFRAME);
}

void CQENWizView::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    if (g_pWorkspace != NULL)
        g_pWorkspace->ShowContextMenu(IDR_CONTEXT_MENU, point, this);
}

void CQENWizView::OnFilePrintPreview()
{
    CQENPrintPreview::Show(this);
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
    CEdit* pResultEdit = NULL;
    if (pFrame != NULL)
    {
        pFrame->m_wndOutputBar.ActivateResultPage();
        pResultEdit = &pFrame->m_wndOutputBar.m_wndResultEdit;
    }
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

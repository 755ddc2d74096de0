#include "QENWizView.h"
#include "FolderDialog.h"
#include "MainFrame.h"
#include "QENWizConstants.h"
#include "ZipPackage.h"

#include <vector>

CQENWizView* g_pWizView = NULL;

namespace {

const TCHAR s_szAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msdev.exe";
const TCHAR s_szLibraryName[] = "VEVER58.dll";
const TCHAR s_szPayloadType[] = "DATA";
const UINT s_nPathBufferSize = 200;

bool IsSeparator(TCHAR ch)
{
    return ch == '\\' || ch == '/';
}

// The part of lpszPath up to and including its nFromEnd-th separator counted from the end; empty
// when it has fewer. The first character never counts, nor does the trail byte of a double-byte
// character (which may have the value of '\').
CString KeepUpToSeparatorFromEnd(LPCTSTR lpszPath, size_t nFromEnd)
{
    std::vector<int> separators;
    for (int i = 0; lpszPath[i] != '\0'; ++i)
    {
        if (::IsDBCSLeadByte((BYTE)lpszPath[i]) && lpszPath[i + 1] != '\0')
            ++i;
        else if (i > 0 && IsSeparator(lpszPath[i]))
            separators.push_back(i);
    }
    if (separators.size() < nFromEnd)
        return CString();
    return CString(lpszPath, separators[separators.size() - nFromEnd] + 1);
}

// The last character when it is a single-byte one, else '\0'.
TCHAR LastSingleByteCharacter(LPCTSTR lpszPath)
{
    TCHAR chLast = '\0';
    for (int i = 0; lpszPath[i] != '\0'; ++i)
    {
        if (::IsDBCSLeadByte((BYTE)lpszPath[i]) && lpszPath[i + 1] != '\0')
        {
            chLast = '\0';
            ++i;
        }
        else
            chLast = lpszPath[i];
    }
    return chLast;
}

// The default value of the App Paths entry of the Visual Studio program. FALSE when the key or
// the value is missing, or the value and its terminator do not fit the buffer: a path cut short
// would name the wrong folder.
BOOL ReadAppPath(CString& strAppPath)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szAppPathKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szValue[s_nPathBufferSize];
    DWORD nBytes = sizeof szValue;
    LONG lResult = ::RegQueryValueExA(hKey, "", NULL, NULL, reinterpret_cast<BYTE*>(szValue), &nBytes);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    if (nBytes < sizeof szValue)
        szValue[nBytes] = '\0';
    else if (szValue[sizeof szValue - 1] != '\0')
        return FALSE;
    strAppPath = szValue;
    return TRUE;
}

// The full path of the QEN library as the system loader finds it; FALSE when it does not load or
// its path does not fit the buffer.
BOOL FindLibraryPath(CString& strLibraryPath)
{
    HMODULE hLibrary = ::LoadLibraryA(s_szLibraryName);
    if (hLibrary == NULL)
        return FALSE;
    char szPath[s_nPathBufferSize];
    DWORD nLength = ::GetModuleFileNameA(hLibrary, szPath, s_nPathBufferSize - 1);
    ::FreeLibrary(hLibrary);
    if (nLength == 0 || nLength >= s_nPathBufferSize - 1)
        return FALSE;
    szPath[nLength] = '\0';
    strLibraryPath = szPath;
    return TRUE;
}

// Removes a temporary file when it goes out of scope, whichever way the scope is left.
class CTemporaryFileRemover
{
public:
    explicit CTemporaryFileRemover(LPCTSTR lpszPath) : m_lpszPath(lpszPath) {}
    ~CTemporaryFileRemover() { ::DeleteFileA(m_lpszPath); }
    CTemporaryFileRemover(const CTemporaryFileRemover&) = delete;
    CTemporaryFileRemover& operator=(const CTemporaryFileRemover&) = delete;

private:
    LPCTSTR m_lpszPath;
};

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

// Left double-clicks go to the workspace's mouse manager (view 128), right-clicks show the context
// menu 130 through its context-menu manager, and print preview is the UI library's: these entries
// join the map once the library's workspace and preview exist.
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

CString CQENWizView::VSFolderFromAppPath(LPCTSTR lpszAppPath)
{
    TCHAR chLast = LastSingleByteCharacter(lpszAppPath);
    bool bNamesFileOrEndsInSeparator = chLast == 'e' || chLast == 'E' || IsSeparator(chLast);
    return KeepUpToSeparatorFromEnd(lpszAppPath, bNamesFileOrEndsInSeparator ? 4 : 3);
}

CString CQENWizView::LibFolderFromModulePath(LPCTSTR lpszModulePath)
{
    return KeepUpToSeparatorFromEnd(lpszModulePath, 2);
}

BOOL CQENWizView::IsAbsoluteFolder(LPCTSTR lpszFolder)
{
    if (lpszFolder == NULL)
        return FALSE;
    TCHAR chDrive = lpszFolder[0];
    if (((chDrive >= 'A' && chDrive <= 'Z') || (chDrive >= 'a' && chDrive <= 'z')) && lpszFolder[1] == ':' &&
        IsSeparator(lpszFolder[2]))
        return TRUE;
    if (!IsSeparator(lpszFolder[0]) || !IsSeparator(lpszFolder[1]))
        return FALSE;
    int i = 2;
    while (lpszFolder[i] != '\0' && !IsSeparator(lpszFolder[i]))
        i += ::IsDBCSLeadByte((BYTE)lpszFolder[i]) && lpszFolder[i + 1] != '\0' ? 2 : 1;
    return i > 2 && IsSeparator(lpszFolder[i]);
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
    CString strPath;
    if (ReadAppPath(strPath))
        m_strVSDir = VSFolderFromAppPath(strPath);
    if (FindLibraryPath(strPath))
        m_strLibDir = LibFolderFromModulePath(strPath);
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
    // Page 1 ("安装结果") of the output bar's tab window becomes the active page here once the
    // main frame has its output bar.

    BOOL bInstalled = FALSE;
    if (!m_strVSDir.IsEmpty())
    {
        bInstalled = TRUE;
        if (!InstallPayload(IDR_PAYLOAD_VS, m_strVSDir))
        {
            AppendResultLine(pResultEdit, "安装Visual Studio部件失败！\r\n");
            bInstalled = FALSE;
        }
    }
    if (m_bInstallLangPack && !InstallPayload(IDR_PAYLOAD_LIB, m_strLibDir))
    {
        AppendResultLine(pResultEdit, "安装QEN中文部件失败！\r\n");
        AppendResultLine(pResultEdit, "安装失败！\r\n");
        return 0;
    }
    if (bInstalled)
    {
        if (pFrame != NULL)
            pFrame->SetWindowText("安装完成！- " QENWIZ_WEB_ADDRESS);
        AppendResultLine(pResultEdit, "安装成功！\r\n");
    }
    else
        AppendResultLine(pResultEdit, "安装失败！\r\n");
    return 0;
}

BOOL CQENWizView::InstallPayload(UINT nResourceID, LPCTSTR lpszTargetFolder)
{
    if (!IsAbsoluteFolder(lpszTargetFolder))
        return FALSE;

    HINSTANCE hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(LOWORD(nResourceID)), s_szPayloadType);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
    DWORD nSize = ::SizeofResource(hModule, hResource);
    if (pData == NULL || nSize == 0)
        return FALSE;

    char szTempFolder[s_nPathBufferSize];
    DWORD nLength = ::GetTempPathA(sizeof szTempFolder, szTempFolder);
    szTempFolder[nLength < sizeof szTempFolder ? nLength : 0] = '\0';
    char szTempPath[MAX_PATH];
    if (::GetTempFileNameA(szTempFolder, "_QEN", 0, szTempPath) == 0)
    {
        MessageBox("写文件失败！", "运行时错误", MB_ICONSTOP);
        return FALSE;
    }

    // Declared before the file, so the file is closed before the copy is removed.
    CTemporaryFileRemover remover(szTempPath);
    CFile file;
    CFileException fileError;
    if (!file.Open(szTempPath, CFile::modeCreate | CFile::modeWrite, &fileError))
    {
        MessageBox("写文件失败！", "运行时错误", MB_ICONSTOP);
        return FALSE;
    }
    file.Write(pData, nSize);
    file.Close();
    return ExtractArchive(szTempPath, lpszTargetFolder);
}

BOOL CQENWizView::ExtractArchive(LPCTSTR lpszArchivePath, LPCTSTR lpszTargetFolder)
{
    CZipPackage package;
    package.Open(lpszArchivePath, CZipPackage::ModeOpenReadWrite, 1);
    // The count is asked anew before each entry.
    for (int i = 0; i < package.GetCount(); ++i)
        package.ExtractFile((WORD)i, lpszTargetFolder, 65535);
    package.Close(false);
    return TRUE;
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

#include "PayloadInstaller.h"
#include "InstallFolders.h"
#include "ZipPackage.h"
#include "resource.h"

namespace {

const TCHAR s_szPayloadType[] = "DATA";

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

} // namespace

CPayloadInstaller::CPayloadInstaller(CWnd* pMessageOwner, const LineSink& appendLine)
    : m_pMessageOwner(pMessageOwner), m_appendLine(appendLine)
{
}

BOOL CPayloadInstaller::Install(LPCTSTR lpszVSDir, LPCTSTR lpszLibDir, BOOL bInstallLangPack)
{
    BOOL bInstalled = FALSE;
    if (*lpszVSDir != '\0')
    {
        bInstalled = TRUE;
        if (!InstallPayload(IDR_PAYLOAD_VS, lpszVSDir))
        {
            m_appendLine("安装Visual Studio部件失败！\r\n");
            bInstalled = FALSE;
        }
    }
    if (bInstallLangPack && !InstallPayload(IDR_PAYLOAD_LIB, lpszLibDir))
    {
        m_appendLine("安装QEN中文部件失败！\r\n");
        m_appendLine("安装失败！\r\n");
        return FALSE;
    }
    m_appendLine(bInstalled ? "安装成功！\r\n" : "安装失败！\r\n");
    return bInstalled;
}

BOOL CPayloadInstaller::InstallPayload(UINT nResourceID, LPCTSTR lpszTargetFolder)
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
        m_pMessageOwner->MessageBox("写文件失败！", "运行时错误", MB_ICONSTOP);
        return FALSE;
    }

    // Declared before the file, so the file is closed before the copy is removed.
    CTemporaryFileRemover remover(szTempPath);
    CFile file;
    CFileException fileError;
    if (!file.Open(szTempPath, CFile::modeCreate | CFile::modeWrite, &fileError))
    {
        m_pMessageOwner->MessageBox("写文件失败！", "运行时错误", MB_ICONSTOP);
        return FALSE;
    }
    file.Write(pData, nSize);
    file.Close();
    return ExtractArchive(szTempPath, lpszTargetFolder);
}

BOOL CPayloadInstaller::ExtractArchive(LPCTSTR lpszArchivePath, LPCTSTR lpszTargetFolder)
{
    CZipPackage package;
    package.Open(lpszArchivePath, CZipPackage::ModeOpenReadWrite, 1);
    // The count is asked anew before each entry.
    for (int i = 0; i < package.GetCount(); ++i)
        package.ExtractFile((WORD)i, lpszTargetFolder, 65535);
    package.Close(false);
    return TRUE;
}

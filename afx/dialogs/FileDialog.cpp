#include "FileDialog.h"

#include <shlwapi.h>

namespace {

// The hook is the dialog procedure of the explorer dialog's child dialog. That child becomes the
// CFileDialog's window, so its notifications reach the object through the message map.
UINT_PTR CALLBACK FileDialogHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    CFileDialog* pDlg = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    if (pDlg != NULL && pDlg->m_hWnd == NULL)
        pDlg->SubclassWindow(hWnd);
    return AfxDlgProc(hWnd, message, wParam, lParam);
}

// A string the explorer dialog returns through one of its CDM_ messages; empty when it has none.
CString ExplorerString(HWND hWndExplorer, UINT nMsg)
{
    CString strResult;
    int nBuffer = MAX_PATH;
    for (;;)
    {
        int nSize = (int)::SendMessageA(hWndExplorer, nMsg, (WPARAM)nBuffer, (LPARAM)strResult.GetBuffer(nBuffer));
        if (nSize <= 0)
        {
            strResult.ReleaseBuffer(0);
            return strResult;
        }
        if (nSize <= nBuffer)
        {
            strResult.ReleaseBuffer();
            return strResult;
        }
        strResult.ReleaseBuffer(0);
        nBuffer = nSize;   // the answer tells the size needed
    }
}

// folder + '\' + name, with no doubled separator (a trail byte of GBK may equal '\').
CString JoinPath(LPCTSTR lpszFolder, LPCTSTR lpszName)
{
    CString strPath = lpszFolder;
    int nLen = strPath.GetLength();
    LPCTSTR lpszEnd = (LPCTSTR)strPath + nLen;
    LPCTSTR lpszLast = nLen > 0 ? ::CharPrevA(strPath, lpszEnd) : lpszEnd;
    if (nLen > 0 && !(lpszLast == lpszEnd - 1 && *lpszLast == '\\'))
        strPath += '\\';
    strPath += lpszName;
    return strPath;
}

} // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_szFileTitle[0] = '\0';
    m_szFileName[0] = '\0';
    if (lpszFileName != NULL)
        AfxCopyTextBounded(m_szFileName, _countof(m_szFileName), lpszFileName);

    memset(&m_ofn, 0, sizeof m_ofn);
    m_ofn.lStructSize = dwSize != 0 ? dwSize : sizeof m_ofn;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = FileDialogHookProc;

    if (lpszDefExt != NULL)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter != NULL)
    {
        // "Text (*.txt)|*.txt|All|*.*||" becomes the system's NUL-separated list, ended by two NULs.
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPTSTR lpsz = m_strFilter.GetBuffer(nLen);
        for (int i = 0; i < nLen; ++i)
        {
            if (::IsDBCSLeadByte((BYTE)lpsz[i]) && i + 1 < nLen)
                ++i;
            else if (lpsz[i] == '|')
                lpsz[i] = '\0';
        }
        m_strFilter.ReleaseBuffer(nLen);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = FileDialogHookProc;
    m_ofn.lCustData = (LPARAM)this;
    m_pfnSuper = NULL;   // the child of this run is subclassed anew
    m_ofn.hwndOwner = PreModal();

    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);

    // The child normally detaches itself on WM_NCDESTROY; a run whose hook never came leaves nothing.
    if (m_hWnd != NULL)
        Detach();
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != NULL)
        return ExplorerString(::GetParent(m_hWnd), CDM_GETFILEPATH);
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    if (m_hWnd != NULL)
        return ExplorerString(::GetParent(m_hWnd), CDM_GETSPEC);
    if (m_ofn.lpstrFileTitle != NULL && m_ofn.lpstrFileTitle[0] != '\0')
        return m_ofn.lpstrFileTitle;
    return ::PathFindFileNameA(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    LPCTSTR lpszExt = ::PathFindExtensionA(strName);
    return *lpszExt == '.' ? CString(lpszExt + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    LPCTSTR lpszExt = ::PathFindExtensionA(strName);
    return strName.Left((int)(lpszExt - (LPCTSTR)strName));
}

CString CFileDialog::GetFolderPath() const
{
    return m_hWnd != NULL ? ExplorerString(::GetParent(m_hWnd), CDM_GETFOLDERPATH) : CString();
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCTSTR lpsz = (LPCTSTR)pos;
    ASSERT(lpsz != NULL);
    if (lpsz == m_ofn.lpstrFile)
    {
        // One file: the buffer holds its full path. Several: the folder, then the names, NUL-separated.
        size_t nFirst = strlen(lpsz);
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || lpsz[nFirst + 1] == '\0')
        {
            pos = NULL;
            return m_ofn.lpstrFile;
        }
        lpsz += nFirst + 1;
    }
    CString strName = lpsz;
    lpsz += strName.GetLength() + 1;
    pos = *lpsz != '\0' ? (POSITION)lpsz : NULL;
    return JoinPath(m_ofn.lpstrFile, strName);
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    ASSERT(m_hWnd != NULL);
    ::SendMessageA(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    ASSERT(m_hWnd != NULL);
    ::SendMessageA(::GetParent(m_hWnd), CDM_HIDECONTROL, (WPARAM)nID, 0);
}

void CFileDialog::SetDefExt(LPCTSTR lpsz)
{
    ASSERT(m_hWnd != NULL);
    ::SendMessageA(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, (LPARAM)lpsz);
}

void CFileDialog::OnInitDone()
{
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnFileNameChange()
{
}

void CFileDialog::OnFolderChange()
{
}

void CFileDialog::OnTypeChange()
{
}

UINT CFileDialog::OnShareViolation(LPCTSTR)
{
    return OFN_SHAREWARN;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;   // a message-map entry took it

    OFNOTIFYA* pNotify = reinterpret_cast<OFNOTIFYA*>(lParam);
    switch (pNotify->hdr.code)
    {
    case CDN_INITDONE:
        OnInitDone();
        return TRUE;
    case CDN_SELCHANGE:
        OnFileNameChange();
        return TRUE;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        return TRUE;
    case CDN_TYPECHANGE:
        OnTypeChange();
        return TRUE;
    case CDN_SHAREVIOLATION:
        *pResult = OnShareViolation(pNotify->pszFile);
        break;
    case CDN_FILEOK:
        *pResult = OnFileNameOK();
        break;
    default:
        return FALSE;
    }
    // The explorer dialog reads these two answers from the dialog's message result.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}

#include "FolderDialog.h"

WNDPROC s_pfnOldFolderDlgProc = NULL;

namespace {

// Controls of the explorer dialog.
const int s_nFileNameEdit = 1152;
const int s_nFileNameCombo = 1148;   // the file-name field of some versions of the dialog
const int s_nFileNameLabel = 1090;
const int s_nFileTypeCombo = 1136;
const int s_nFileTypeLabel = 1089;
const int s_nFileList = 1120;
const int s_nButtonGap = 4;

// The rectangle of an explorer dialog control in the dialog's client coordinates.
CRect ControlRect(CWnd* pDialog, int nID)
{
    CRect rect;
    pDialog->GetDlgItem(nID)->GetWindowRect(&rect);
    pDialog->ScreenToClient(&rect);
    return rect;
}

// The CFolderDialog that is the explorer dialog's child (the one with id 0), or NULL.
CFolderDialog* FindFolderDialog(HWND hWndExplorer)
{
    for (HWND hWndChild = ::GetWindow(hWndExplorer, GW_CHILD); hWndChild != NULL;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hWndChild) != 0)
            continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFolderDialog)))
            return static_cast<CFolderDialog*>(pWnd);
    }
    return NULL;
}

} // namespace

IMPLEMENT_DYNAMIC(CFolderDialog, CFileDialog)

CFolderDialog::CFolderDialog(CString* pPath)
    : CFileDialog(TRUE, NULL, "*..*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, NULL, NULL), m_pPath(pPath)
{
}

void CFolderDialog::OnInitDone()
{
    HideControl(s_nFileNameEdit);
    HideControl(s_nFileNameCombo);
    HideControl(s_nFileNameLabel);
    HideControl(s_nFileTypeCombo);
    HideControl(s_nFileTypeLabel);

    CWnd* pExplorer = GetParent();
    CRect rectCancel = ControlRect(pExplorer, IDCANCEL);
    CRect rectOK = ControlRect(pExplorer, IDOK);
    CRect rectList = ControlRect(pExplorer, s_nFileList);

    pExplorer->GetDlgItem(IDOK)->SetWindowPos(NULL, rectCancel.left - rectOK.Width() - s_nButtonGap,
                                              rectCancel.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    int nListHeight = rectList.top - rectCancel.top + s_nButtonGap;
    pExplorer->GetDlgItem(s_nFileList)->SetWindowPos(NULL, 0, 0, rectList.Width(),
                                                     nListHeight < 0 ? -nListHeight : nListHeight,
                                                     SWP_NOMOVE | SWP_NOZORDER);
    SetControlText(IDOK, "确定");

    s_pfnOldFolderDlgProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(pExplorer->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FolderDlgWndProc)));
}

LRESULT CALLBACK FolderDlgWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == IDOK)
    {
        // The explorer dialog keeps the current directory on the folder it shows.
        CFolderDialog* pDialog = FindFolderDialog(hWnd);
        if (pDialog != NULL)
        {
            char szFolder[MAX_PATH];
            DWORD nLength = ::GetCurrentDirectoryA(sizeof szFolder, szFolder);
            if (nLength > 0 && nLength < sizeof szFolder)
            {
                *pDialog->m_pPath = szFolder;
                ::EndDialog(hWnd, IDOK);
                return 0;
            }
        }
    }
    return ::CallWindowProcA(s_pfnOldFolderDlgProc, hWnd, message, wParam, lParam);
}

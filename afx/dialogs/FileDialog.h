// CFileDialog: the system's explorer-style open and save dialog.
//
// The framework's hook makes this object the explorer dialog's child dialog: m_hWnd is that child
// while the dialog is up, GetParent() is the explorer dialog itself (whose controls SetControlText and
// HideControl address), and the dialog's notifications arrive as the On… overridables below.
#pragma once
#include "Dialog.h"
#include <commdlg.h>

// commdlg.h maps GetFileTitle() to GetFileTitleA(); here it names the member.
#ifdef GetFileTitle
#undef GetFileTitle
#endif

class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs of description and pattern, each ended by '|', the whole ended by "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL, DWORD dwSize = 0);

    // The structure passed to the system; callers may change it before DoModal. lpfnHook and
    // lCustData belong to the framework.
    OPENFILENAMEA m_ofn;

    INT_PTR DoModal() override;   // IDOK or IDCANCEL

    // While the dialog is up these ask it; afterwards they read the choice from m_ofn.
    CString GetPathName() const;
    CString GetFileName() const;    // with extension, without folder
    CString GetFileExt() const;     // without the dot
    CString GetFileTitle() const;   // without folder and extension
    CString GetFolderPath() const;  // only while the dialog is up
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    // The files of a multiple selection (OFN_ALLOWMULTISELECT), each with its full path.
    POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
    CString GetNextPathName(POSITION& pos) const;

    // Controls of the explorer dialog, by their ids in it.
    void SetControlText(int nID, LPCTSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCTSTR lpsz);

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;     // the filter with its separators turned into NULs
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[MAX_PATH];

    // CDN_INITDONE: the explorer dialog and its controls are ready.
    virtual void OnInitDone();
    // CDN_FILEOK: TRUE refuses the chosen name and keeps the dialog up.
    virtual BOOL OnFileNameOK();
    // CDN_SELCHANGE: another file or folder is selected in the list.
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();
    // CDN_SHAREVIOLATION: an OFN_SHARE… answer for a file open elsewhere.
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// CQENWizView: the installer form. It shows the two target folders and the language-pack check
// box, finds the folders on the machine, and installs the two payload archives from the program's
// resources into them, reporting each outcome as a line in the main frame's result window.
#pragma once
#include <afxwin.h>
#include "HyperlinkStatic.h"
#include "resource.h"

// Posted to the view: find the target folders again, or run the installation.
#define WM_DETECTFOLDERS (WM_USER + 100)
#define WM_STARTINSTALL (WM_USER + 101)

class CQENWizView : public CFormView
{
    DECLARE_DYNCREATE(CQENWizView)
protected:
    CQENWizView();

public:
    enum { IDD = IDD_QENWIZ_FORM };

    ~CQENWizView() override;

    CHyperlinkStatic m_wndLink;
    CString m_strLibDir;
    CString m_strVSDir;
    BOOL m_bInstallLangPack;

    // The Visual Studio root in a registered program path: the part up to the fourth separator
    // from the end when the path ends in 'e', 'E' or a separator (the program file, or a folder
    // with its separator), else up to the third. Empty when there are not that many separators
    // past the first character.
    static CString VSFolderFromAppPath(LPCTSTR lpszAppPath);
    // The parent of the folder that holds a module: the part up to the second separator from the
    // end; empty when there are not two separators past the first character.
    static CString LibFolderFromModulePath(LPCTSTR lpszModulePath);
    // A drive with a separator ("C:\", "C:/") or a share ("\\server\") at its start.
    static BOOL IsAbsoluteFolder(LPCTSTR lpszFolder);

    // One payload (a ZIP archive in a "DATA" resource) extracted below lpszTargetFolder. FALSE
    // without extracting anything when the folder is not absolute, the resource is missing or empty
    // or the temporary copy cannot be made. Archive and file errors arrive as exceptions; the
    // temporary copy is removed on every path.
    BOOL InstallPayload(UINT nResourceID, LPCTSTR lpszTargetFolder);
    // Every entry of the archive file below lpszTargetFolder; failures arrive as exceptions.
    BOOL ExtractArchive(LPCTSTR lpszArchivePath, LPCTSTR lpszTargetFolder);

    void OnInitialUpdate() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnDetectFolders(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartInstall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInstallButton();
    afx_msg void OnDetectButton();
    afx_msg void OnBrowseLibDir();
    afx_msg void OnBrowseVSDir();

private:
    // The folder chooser, started at what the user typed into the field of strFolder.
    void BrowseForFolder(CString& strFolder);

    DECLARE_MESSAGE_MAP()
};

// The one installer view while it exists; the main frame's menu commands reach it through this.
extern CQENWizView* g_pWizView;

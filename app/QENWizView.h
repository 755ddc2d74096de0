// CQENWizView: the installer form. It shows the two target folders and the language-pack check
// box, fills the folders in from the machine, and runs the installation into them, showing each
// result line on the result page of the main frame's output bar. Its printed page lists the folders
// and the choice of the check box.
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

    void OnInitialUpdate() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnDetectFolders(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartInstall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInstallButton();
    afx_msg void OnDetectButton();
    afx_msg void OnBrowseLibDir();
    afx_msg void OnBrowseVSDir();
    // A double click runs the command the user bound to this view; a right click shows the
    // view's context menu, both through the application's workspace.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnFilePrintPreview();

private:
    // The folder chooser, started at what the user typed into the field of strFolder.
    void BrowseForFolder(CString& strFolder);

    DECLARE_MESSAGE_MAP()
};

// The one installer view while it exists; the main frame's menu commands reach it through this.
extern CQENWizView* g_pWizView;

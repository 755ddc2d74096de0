// CMainFrame: the installer's main window. It shows the form view with the read-only result
// window under it, and forwards the installer commands of its menus to the view.
#pragma once
#include <afxwin.h>

// The read-only multi-line window that receives the installation's result lines. It takes a
// fixed height at the bottom of its frame's client area; the view gets the rest.
class CResultEdit : public CEdit
{
public:
    static const int s_nHeight = 120;

    BOOL Create(CFrameWnd* pFrame, UINT nID);

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() = default;

public:
    static const UINT s_nResultEditID = 3;

    CResultEdit m_wndResultEdit;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMenuStartInstall();
    afx_msg void OnMenuDetectFolders();

    DECLARE_MESSAGE_MAP()
};

// The test program's main frame, with a message bar along its bottom edge.
#pragma once
#include <afxwin.h>

// A one-line bar that takes its strip of the frame in the frame's layout and shows the prompts.
class CSdiMessageBar : public CWnd
{
public:
    BOOL Create(CFrameWnd* pFrame);

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

class CSdiFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CSdiFrame)
public:
    CSdiMessageBar m_wndMessageBar;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);

    DECLARE_MESSAGE_MAP()
};

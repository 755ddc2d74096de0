// CMiniDockFrameWnd: the small frame in which a floating control bar lives. It holds one floating
// dock bar (AFX_IDW_DOCKBAR_FLOAT), sizes itself to the bars in it, takes their title, and lets
// its caption and borders drag, resize and re-dock the bar through the bar's dock context.
#pragma once
#include "MiniFrameWnd.h"
#include "DockBar.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // Creates the frame owned by pParent (the docking frame) with its floating dock bar;
    // dwBarStyle gives the orientation (CBRS_ALIGN_), CBRS_FLOAT_MULTI and CBRS_SIZE_DYNAMIC.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);

    // Sizes the frame around its bars and takes the title of its dock bar.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // The first bar docked in the floating dock bar, NULL when there is none.
    CControlBar* GetFloatingBar() const;

    CDockBar m_wndDockBar;

protected:
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);

    DECLARE_MESSAGE_MAP()
};

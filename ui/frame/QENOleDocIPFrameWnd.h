// CQENOleDocIPFrameWnd: the library's in-place frame of a document object, with the same command-bar
// support as CQENOleIPFrameWnd.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxole.h>

#include "QENFrameSupport.h"
#include "QENPopupMenuHost.h"

class CQENToolbarButton;

class CQENOleDocIPFrameWnd : public COleDocIPFrameWnd, public CQENPopupMenuHost
{
    DECLARE_DYNCREATE(CQENOleDocIPFrameWnd)
public:
    CQENOleDocIPFrameWnd();
    ~CQENOleDocIPFrameWnd() override;

    // ---- the popup menu hooks, in slot order ----
    virtual BOOL CanShowPopupMenu(CQENPopupMenu* pPopup);
    void OnPopupMenuClosed(CQENPopupMenu* pPopup) override;
    BOOL DrawMenuItemImage(CDC* pDC, CQENToolbarMenuButton* pButton, const CRect& rect) override;
    virtual BOOL MenuButtonToolHit(CQENToolbarMenuButton* pButton, TOOLINFOA* pTI);
    virtual BOOL GetButtonToolTipText(CQENToolbarButton* pButton, CString& strText);
    void DrawMenuSideImage(CDC* pDC, CQENPopupMenu* pPopup, const CRect& rect) override;
    BOOL CanTearOffMenu(CQENPopupMenu* pPopup, CControlBar* pNewBar) override;

    BOOL AnnouncePopupMenu(CQENPopupMenu* pPopup) override;
    BOOL FiltersPopupInput() const override { return TRUE; }

    // The framework's docking with the library's dock bars.
    void EnableDocking(DWORD dwDockStyle);

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // While the frame picks for context help, a pick without help goes back to picking.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    CQENFrameSupport m_Impl;
    BOOL m_bContextHelp;   // set while Shift+F1 help runs

protected:
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnToolbarCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    DECLARE_MESSAGE_MAP()
};

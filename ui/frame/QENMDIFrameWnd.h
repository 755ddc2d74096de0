// CQENMDIFrameWnd: the library's multi-document main frame. Like CQENFrameWnd it hosts the command
// bars through its CQENFrameSupport; in addition the menu bar shows the active child's document
// menu in place of the frame's window menu (the MDI client keeps its window list), and the system
// icon and caption buttons of a maximized child.
#pragma once
#include <afxwin.h>
#include <afxext.h>

#include "QENFrameSupport.h"
#include "QENPopupMenuHost.h"

class CQENToolbarButton;

class CQENMDIFrameWnd : public CMDIFrameWnd, public CQENPopupMenuHost
{
    DECLARE_DYNCREATE(CQENMDIFrameWnd)
public:
    CQENMDIFrameWnd();
    ~CQENMDIFrameWnd() override;

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
    // With a visible menu bar the menu goes to the bar; the client gets only its window popup.
    void ShowFrameMenu(HMENU hMenu) override;
    // The child's maximized state is settled whenever the title is: the menu bar follows it.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CQENFrameSupport m_Impl;
    BOOL m_bContextHelp;   // set while Shift+F1 help runs

protected:
    // The child whose icon and caption buttons the menu bar shows; NULL none.
    HWND m_hWndMaximizedChild;

    // The menu bar's caption items for the active child, if it is maximized.
    void FollowMaximizedChild();

    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnToolbarCreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    DECLARE_MESSAGE_MAP()
};

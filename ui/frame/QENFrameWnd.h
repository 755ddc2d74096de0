// CQENFrameWnd: the library's single-document main frame. It hosts the command bars through its
// CQENFrameSupport: the input filters run before the framework's pre-translation, the menu bar
// replaces the window menu, user toolbars come and go on the customization sheet's messages, and
// the popup menus that open over it announce themselves here.
#pragma once
#include <afxwin.h>
#include <afxext.h>

#include "QENFrameSupport.h"
#include "QENPopupMenuHost.h"

class CQENToolbarButton;

class CQENFrameWnd : public CFrameWnd, public CQENPopupMenuHost
{
    DECLARE_DYNCREATE(CQENFrameWnd)
public:
    CQENFrameWnd();
    ~CQENFrameWnd() override;

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

    // ---- pass-throughs to the frame support ----
    void SetUserToolbarRange(LPCTSTR lpszRegPath, UINT uiFirstId, UINT uiLastId)
    {
        m_Impl.SetUserToolbarRange(lpszRegPath, uiFirstId, uiLastId);
    }
    CQENToolBar* AddUserToolbar(LPCTSTR lpszName) { return m_Impl.AddUserToolbar(lpszName); }
    BOOL RemoveUserToolbar(CQENToolBar* pBar) { return m_Impl.RemoveUserToolbar(pBar); }
    CQENToolBar* UserToolbarAt(int iIndex) const { return m_Impl.UserToolbarAt(iIndex); }
    BOOL IsUserToolbar(const CControlBar* pBar) const { return m_Impl.IsUserToolbar(pBar); }
    void FillUserToolbarMenu(CMenu* pMenu, UINT nFirstCmd, UINT nLastCmd) const
    {
        m_Impl.FillUserToolbarMenu(pMenu, nFirstCmd, nLastCmd);
    }
    void AttachMenuBar(CQENMenuBar* pMenuBar) { m_Impl.AttachMenuBar(pMenuBar); }
    void AddTearOffBar(CControlBar* pBar) { m_Impl.AddTearOffBar(pBar); }
    void RemoveTearOffBar(CControlBar* pBar) { m_Impl.RemoveTearOffBar(pBar); }
    void RestoreUserToolbars() { m_Impl.RestoreUserToolbars(); }
    void StoreUserToolbars(BOOL bFrameOnly) { m_Impl.StoreUserToolbars(bFrameOnly); }
    void RestoreTearOffBars() { m_Impl.RestoreTearOffBars(); }
    void StoreTearOffBars(BOOL bFrameOnly) { m_Impl.StoreTearOffBars(bFrameOnly); }
    BOOL IsDockStateUsable(const CDockState& state) const { return m_Impl.IsDockStateUsable(state); }
    void ApplyDockState(const CDockState& state) { m_Impl.ApplyDockState(state); }

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

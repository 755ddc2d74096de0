// CMDIFrameWnd: a main frame whose documents live in child frames inside an MDI client window. The
// client lists the children at the end of the frame's window menu; the frame shows the menu of the
// active child's document type, offers the window commands (cascade, tile, arrange, new window), and
// gives its keys to the active child's system menu accelerators before its own.
#pragma once
#include "FrameWnd.h"

class CMDIChildWnd;
class CMenu;

// Command ids the MDI client gives its children in the window menu.
#define AFX_IDM_FIRST_MDICHILD 0xFF00
// The window commands (ID_WINDOW_NEW … ID_WINDOW_SPLIT and what follows them).
#define AFX_IDM_WINDOW_FIRST   0xE130
#define AFX_IDM_WINDOW_LAST    0xE13F

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // The MDI client, with pWindowMenu as the popup that lists the children (may be NULL).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds a window command, searched from the last; NULL when none.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // ---- the children ----
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    // nType: MDITILE_SKIPDISABLED, or 0.
    void MDICascade(int nType = 0);
    // nType: MDITILE_HORIZONTAL or MDITILE_VERTICAL, with MDITILE_SKIPDISABLED.
    void MDITile(int nType = MDITILE_VERTICAL);
    void MDIIconArrange();
    // The client's menus: NULL leaves one as it is. Returns the frame's previous menu.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    // Shows hMenu as the frame's menu and gives its window popup to the client.
    virtual void ShowFrameMenu(HMENU hMenu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    HACCEL GetDefaultAccelerator() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    // ID_WINDOW_ARRANGE, _CASCADE, _TILE_HORZ, _TILE_VERT.
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    // Another frame with a view of the active document.
    afx_msg void OnWindowNew();
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

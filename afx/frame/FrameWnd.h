// CFrameWnd: a top-level window that holds views and bars. It loads its title, menu, icon and
// accelerators from one resource id, lays its children out, keeps the active view, routes commands
// view → frame → application, updates menus through CCmdUI, shows command prompts in its message
// bar and titles itself after its document.
#pragma once
#include "Wnd.h"
#include "CreateContext.h"
#include "PtrList.h"
#include "afxres.h"
#include "ControlBar.h"

class CDocument;
class CView;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// Offsets of the help contexts that context help asks for.
#define HID_BASE_COMMAND   0x00010000UL   // + command id
#define HID_BASE_RESOURCE  0x00020000UL   // + resource id of a frame or dialog
#define HID_BASE_PROMPT    0x00030000UL   // + id of a message box prompt
#define HID_BASE_NCAREAS   0x00040000UL   // + hit-test code of a window's non-client part
#define HID_BASE_CONTROL   0x00050000UL   // + control id
#define HID_BASE_DISPATCH  0x00060000UL   // + automation dispatch id

// Frame styles (bits of the window style that windows leave to the class).
#define FWS_ADDTOTITLE   0x00008000L   // the title names the active document
#define FWS_PREFIXTITLE  0x00004000L   // … in front: "Document - App" rather than "App - Document"
#define FWS_SNAPTOBARS   0x00002000L

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;   // lets the system choose position and size

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Title from the first substring of string nIDResource, menu, class icon and accelerators of
    // the same id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // ---- views and documents ----
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // ---- layout ----
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Lays the frame out the next time the thread is idle.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    void DelayUpdateFrameMenu(HMENU hMenuAlt);

    // ---- control bars and docking ----
    // Creates the dock bars of the sides named by dwDockStyle (CBRS_ALIGN_ bits) and lets bars
    // dock there.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar in the dock bar nDockBarID (0: the first side the bar accepts), at the row and place
    // lpRect (screen) falls into, or at the end.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Like DockControlBar, but back to the bar's placeholder when the dock bar has one.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats pBar in a new floating frame whose top-left corner is point (screen); dwStyle gives the
    // orientation (CBRS_ALIGN_).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The side (CBRS_ALIGN_ bit) whose dock bar rect (screen) touches and that dwDockStyle allows,
    // with that dock bar in *ppDockBar; 0 if none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // Sends WM_FLOATSTATUS with dwFlags to the floating frames of this frame's bars.
    void NotifyFloatingWindows(DWORD dwFlags);
    // Saved bar layout (dock state) and its registry form.
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void LoadBarState(LPCTSTR lpszProfileName);

    // ---- title and menu ----
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // Shows hMenuAlt, else the active document's menu, else the frame's own.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();

    // ---- command prompts ----
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The prompt of a command: its string up to the first newline.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    // The descendant with id AFX_IDW_STATUS_BAR, where prompts are shown.
    virtual CWnd* GetMessageBar();

    // ---- context help ----
    // Shift+F1 (ID_CONTEXT_HELP): the frame holds the mouse and shows the help cursor until a click
    // picks a window, whose help context (WM_HELPHITTEST up the parents, else the frame's resource)
    // then goes to WinHelp; Esc, a click outside the program or the mouse taken away end it without
    // help. A window that answers -1 has taken the click itself (a menu that opened): the input then
    // goes its way until a command is chosen, whose help is asked for instead of running it.
    afx_msg void OnContextHelp();
    BOOL CanEnterHelpMode();
    virtual void ExitHelpMode();
    BOOL m_bHelpMode;

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    BOOL m_bAutoMenuEnable;   // disable menu items that nothing would handle
    CString m_strTitle;       // the application part of the window title
    int m_nWindow;            // number of this frame among its document's frames; -1 alone
    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;
    CPtrList m_listControlBars;
    DWORD m_dwDockStyle;                  // sides with dock bars
    CRuntimeClass* m_pFloatingFrameClass; // class of the frames that floating bars live in

protected:
    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };

    UINT m_nIDHelp;
    UINT m_nIDTracking;      // prompt to show for the menu item being tracked
    UINT m_nIDLastMessage;   // prompt shown last
    CView* m_pViewActive;
    UINT m_nIdleFlags;
    HMENU m_hMenuAlt;
    BOOL m_bInRecalcLayout;
    int m_nShowDelay;   // show command applied to this (floating) frame at idle time, -1 none
    BOOL m_bHelpPicked;      // help mode ended with a pick
    DWORD m_dwHelpContext;   // … whose help context this is

    // Floating frames of this frame's bars get no idle time while hidden: a pending show is applied
    // from here.
    void ShowDelayedFloatingFrames();

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The help context of a click at ptScreen; FALSE for a window of another thread.
    BOOL HelpContextAt(CPoint ptScreen, DWORD& dwContext);
    // While the frame holds the mouse for help: TRUE when msg was taken (a pick, Esc, the mouse);
    // bPicking goes FALSE when the window clicked took the click itself.
    BOOL PickForHelp(const MSG& msg, HCURSOR hcurHelp, BOOL& bPicking);
    afx_msg LRESULT OnExitHelpMode(WPARAM wParam, LPARAM lParam);
    void BringToTop(int nCmdShow);
    // The window class of frames that show the icon nIDResource; NULL when there is no such icon.
    static LPCTSTR PASCAL IconFrameClass(UINT nIDResource);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // Stays active while one of its floating frames is (WF_STAYACTIVE).
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    // The tip of a command's tool: its string after the first newline.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // View menu commands that show and hide bars (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR).
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Status-bar indicators of the toggle keys (ID_INDICATOR_CAPS, _NUM, _SCRL): enabled while on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// CQENPopupMenu: a borderless top-most window that shows a menu as a CQENPopupMenuBar. It opens
// next to the button that owns it, placed on the work area of the nearest monitor (upwards or to
// the left when it does not fit), scrolls when taller than the work area, may unfold, slide or
// fade in, casts a shadow and, for a menu that can be torn off, shows the tear-off strip.
//
// A popup deletes itself when its window is destroyed. It tells the frame's CQENPopupMenuHost when
// it shows and when it closes; over a frame that does not filter the input for popups it watches
// the thread's keyboard and mouse input itself while it is the outermost one.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>

#include "QENPopupMenuBar.h"

class CQENPopupMenuHost;
class CQENToolbarMenuButton;

class CQENPopupMenu : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CQENPopupMenu)
public:
    // What lies under a screen point.
    enum HitCode
    {
        HitMenu = 0,
        HitRightShadow = 1,
        HitBottomShadow = 2,
        HitSideImage = 3,
        HitOutside = 4,
        HitTearOff = 5
    };
    enum DropDirection
    {
        DropDownOrRight = 0,
        DropUp = 2,
        DropLeft = 4
    };
    enum Animation
    {
        AnimationNone = 0,
        AnimationUnfold = 1,
        AnimationSlide = 2,
        AnimationFade = 3
    };
    static const int kFrameWidth = 2;
    static const UINT kAnimationTimer = 1;
    static const UINT kScrollTimer = 2;
    static const int kAnimationStep = 30;   // ms
    static const int kScrollStep = 80;      // ms
    static const int kTearOffHeight = 14;

    CQENPopupMenu();
    ~CQENPopupMenu() override;

    // Opens at (x, y) in screen coordinates (-1, -1: 5 pixels inside pWndParent's client area). The
    // caller keeps hMenu. bLocked: the items belong to a locked bar. FALSE when the menu cannot be
    // shown; the object has deleted itself then.
    BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);

    // Places and sizes the window on the work area (see the header comment).
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CQENPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    // The popup whose item opened this one; NULL for an outermost popup.
    CQENPopupMenu* GetParentPopup() const;
    CQENPopupMenu* OutermostPopup();
    // The open submenu of this popup's highlighted item, if any.
    CQENPopupMenu* OpenSubmenu() const;
    // Closes this popup and its submenus.
    void CloseMenu();
    // In track mode the chosen command goes to s_pfnTrackedCommand instead of being sent, and the
    // menus close; FALSE outside track mode.
    BOOL HandOverTrackedCommand(UINT nCommandId);

    // The menu's rectangle on the screen, without the shadow.
    CRect MenuRect() const;
    int HitTestPoint(CPoint ptScreen) const;
    int DropDirection() const { return m_nDropDirection; }
    BOOL IsScrollable() const { return m_bScrollable; }
    BOOL IsAnimationDone() const { return m_bAnimationDone; }
    CRect TearOffRect() const { return m_rectTearOff; }
    CRect SideImageRect() const { return m_rectSideImage; }
    int ShadowDepth() const { return m_nShadowDepth; }

    // The frame the popup opens over: the top-level frame of the bar, else the main window.
    CFrameWnd* OwnerFrame() const;
    // The popup hooks of the frame of pWnd; NULL for a frame without them.
    static CQENPopupMenuHost* PASCAL HostOf(CWnd* pWnd);

    // ---- state ----
    HMENU m_hMenu;                // the menu being shown while Create runs
    CPoint m_ptRequested;
    CPoint m_ptLocation;
    CSize m_sizeFull;
    CSize m_sizeAnimated;
    BOOL m_bAnimationDone;
    int m_nDropDirection;
    BOOL m_bScrollable;
    int m_iScrollDirection;       // -1 up, 1 down, 0 none
    CRect m_rectScrollUp;
    CRect m_rectScrollDown;
    int m_nScrollButtonHeight;
    int m_nShadowDepth;
    CBitmap m_bmpShadowRight;     // the screen under the shadows, saved before showing
    CBitmap m_bmpShadowBottom;
    CToolTipCtrl m_wndToolTip;
    CQENToolbarMenuButton* m_pParentButton;
    CRect m_rectTearOff;
    // The strip at the left edge that the frame draws (DrawMenuSideImage): a frame that wants one
    // sets its width when it accepts the popup, before the popup is laid out.
    int m_nSideImageWidth;
    CRect m_rectSideImage;
    int m_nAnimation;             // this popup's animation
    int m_nFadeLevel;
    BOOL m_bGrowWidth;
    BOOL m_bOwnMessage;
    BOOL m_bTrackMode;            // set before Create: someone waits for the chosen command

    // ---- class-wide data ----
    static int s_nMenuAnimation;
    static BOOL s_bMenuShadows;
    static BOOL s_bRecentlyUsedMenus;
    static BOOL s_bShowAllMenusAfterDelay;
    // The outermost open popup menu.
    static CQENPopupMenu* s_pActivePopupMenu;
    // Takes the command chosen in a popup that runs in track mode; the context-menu manager answers.
    static void(PASCAL* s_pfnTrackedCommand)(UINT nCommandId);

protected:
    void StartAnimation();
    void AnimationStep();
    void FinishAnimation();
    void ApplyWindowRect();
    void SaveShadowBackground();
    void PaintMenu(CDC* pDC);
    // The bar that opened this popup opens its next (nStep 1) or previous (-1) menu instead.
    void MoveToNeighbourMenu(int nStep);
    void Scroll(int nDirection);
    void UpdateScrollButtons();
    // Input of the thread while the outermost popup of a frame without filters is open.
    void WatchInput(BOOL bWatch);
    static LRESULT CALLBACK InputHook(int nCode, WPARAM wParam, LPARAM lParam);
    BOOL InPopupChain(HWND hWnd) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    DECLARE_MESSAGE_MAP()

private:
    CQENPopupMenuBar m_wndMenuBar;
    DWORD m_dwAnimationStart;
    BOOL m_bInLayout;
    BOOL m_bWatchingInput;
    HWND m_hWndOwnerFrame;

    static HHOOK s_hInputHook;
};

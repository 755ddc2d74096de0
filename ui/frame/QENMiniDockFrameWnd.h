// CQENMiniDockFrameWnd: the floating frame of the library's frames. Beyond the framework's floating
// frame it keeps its caption on the work area, asks its docking frame for the bars' context menu on
// a right click, and runs the move loop that carries a bar just torn off a popup menu with the mouse.
// For a floating sizing control bar it adds the roll button that shrinks the frame to its caption and
// the automatic roll-up when the mouse has left it.
#pragma once
#include <afxwin.h>
#include <afxext.h>

class CQENPopupMenu;
class CQENSizingControlBar;
class CQENToolBar;

class CQENMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CQENMiniDockFrameWnd)
public:
    CQENMiniDockFrameWnd();
    ~CQENMiniDockFrameWnd() override;

    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;

    // Moves the frame with the mouse after pPopup was torn off into this frame's bar. TRUE when the
    // user dropped the bar; FALSE when the tear-off was cancelled (Esc, right button, the capture
    // taken by another window or lost, WM_QUIT), and then the popup is shown again and the bar and
    // this frame are destroyed and deleted.
    BOOL TrackTearOff(CQENPopupMenu* pPopup);

    // Tears pPopup off into a new floating toolbar of pFrame and moves it with the mouse: TRUE when
    // the bar was dropped and stays.
    static BOOL PASCAL TearOffPopup(CFrameWnd* pFrame, CQENPopupMenu* pPopup);

    // The sizing control bar this frame holds, NULL for any other bar.
    CQENSizingControlBar* SizingBar() const;
    // The roll button in window coordinates; empty while the bar has no roll state.
    CRect RollButtonRect() const { return m_rectRollButton; }
    // Copies the roll state and the rolled flag from the bar (after it loaded its state).
    void TakeRollState();

    static const UINT kAutoRollPeriod = 250;   // ms
    static const int kAutoRollTicks = 6;
    // A frame moved off the side of the work area keeps this many caption buttons' width on it.
    static const int kCaptionButtonsKept = 4;

protected:
    CRect m_rectRollButton;
    int m_nRollState;
    BOOL m_bRolled;
    CRect m_rectTitleWidth;     // left and right -1 until the title was measured
    int m_nAutoRollCountdown;

    // The work area of the monitor nearest to pt.
    static CRect PASCAL WorkAreaAt(CPoint pt);
    // Set while OnWindowPosChanged moves the frame back onto the work area.
    static BOOL s_bClampingPosition;

    void UpdateRollButton();
    void ApplyRollState(int nRollState, BOOL bRolled);
    BOOL IsAutoRolling() const { return m_nRollState == 2 || m_nRollState == 4; }
    // The width of a frame rolled to its title (roll state 4).
    int RolledTitleWidth();
    // The cancelled end of a tear-off: the popup back, bar and frame gone.
    void DiscardTearOff(CQENPopupMenu* pPopup, HWND hWndPopup, CControlBar* pBar);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    DECLARE_MESSAGE_MAP()
};

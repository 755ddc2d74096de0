// CQENSizingControlBar: a docking window whose size the user sets. Docked, it shares its row with
// other sizing bars, is resized by dragging its inner edges, has a gripper with its title and two
// caption buttons (hide, expand/contract) and can be expanded to take its whole row; floating, it
// lives in the library's floating frame, which can roll it up to its caption. Its sizes and roll
// state persist in the registry.
//
// Every created bar is in the library-wide array (from WM_CREATE until the window is gone) and in
// the list of all sizing bars (from WM_CREATE to WM_DESTROY), through which the workspace loads and
// saves them.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>
#include <afxcoll.h>

#include "QENCaptionButton.h"

class CQENSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CQENSizingControlBar)
public:
    // Roll states of a floating bar (its floating frame acts on them).
    enum RollState
    {
        RollNone = 0,
        RollManual = 1,              // a roll button rolls the bar up and down
        RollAuto = 2,                // rolls up when the mouse leaves
        RollAutoPinned = 3,          // … pinned open
        RollAutoTitleWide = 4,       // rolls up to a window as wide as its title
        RollAutoTitleWidePinned = 5  // … pinned open
    };
    static const UINT HitHide = 19;

    CQENSizingControlBar();
    ~CQENSizingControlBar() override;

    // The bar style keeps only CBRS_ALL of dwStyle; every size starts as sizeDefault. FALSE when the
    // window cannot be made.
    BOOL Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    // ---- the slots the class adds, in order ----
    virtual void SetMinSize(CSize size);
    // A positive component limits the floating size; non-positive leaves it unlimited.
    virtual void SetMaxSize(CSize size);
    // Under the section "<base>-SCBar-<id>"; lpszProfileName NULL: the application's own base.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = NULL);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = NULL);
    virtual BOOL CanClose() const;
    virtual void StartTracking(UINT nHitTest);
    virtual void StopTracking();
    // The edge drag follows the mouse to ptClient.
    virtual void TrackToPoint(CPoint ptClient);
    virtual void InvertTracker();
    // After a successful fit of the row: every bar of the row lays itself out again.
    virtual void CheckRowLayout();
    // Customize mode on: every child window is disabled; off: enabled again.
    virtual void SwitchCustomizeMode(BOOL bCustomizing);
    virtual BOOL ClipNcPaintToUpdateRegion() const;

    // ---- placement ----
    BOOL IsDockedTopBottom() const;
    BOOL IsDockedLeftRight() const;
    BOOL IsUndocked() const;
    BOOL IsExpanded() const { return m_bExpanded; }
    // Expands the bar over its whole row or contracts it back (bToggle FALSE: only re-applies the
    // present state). Nothing for a floating bar or one alone in its row.
    void Expand(BOOL bToggle = TRUE);

    // ---- roll state, for the floating frame ----
    int GetRollState() const { return m_nRollState; }
    void SetRollState(int nRollState) { m_nRollState = nRollState; }
    BOOL IsRolled() const { return m_bRolled; }
    void SetRolled(BOOL bRolled) { m_bRolled = bRolled; }
    BOOL IsStayOpen() const { return m_bStayOpen; }
    void SetStayOpen(BOOL bStayOpen) { m_bStayOpen = bStayOpen; }

    // ---- framework layout ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- library-wide ----
    static CObList s_listAllBars;   // the bars between WM_CREATE and WM_DESTROY
    static CPtrArray s_arrCreated;  // the bars from WM_CREATE until their window is gone
    static BOOL s_bGradientGripper; // the gripper as a gradient
    static BOOL s_bHideLoneExpand;  // no expand button while the bar is alone in its row

    // ---- fields, in their order ----
    CSize m_sizeDockedTB;
    CSize m_sizeDockedLR;
    CSize m_sizeFloating;
    DWORD m_dwEdgeBits;      // EdgeLeft … EdgeBottom: the sizing edges now; EdgesEnabled
    int m_nDragHit;
    CSize m_sizeMax;
    CSize m_sizeMin;
    CSize m_sizeDragMin;
    CSize m_sizeDragMax;
    CSize m_sizeSaved;       // before expanding, and at the start of a drag
    BOOL m_bDragging;
    BOOL m_bFirstShow;
    UINT m_nDockBarID;
    int m_nEdgeWidth;
    int m_nGripper;
    BOOL m_bExpanded;
    CToolTipCtrl m_wndTips;
    BOOL m_bFocused;
    CRect m_rectRepaint;
    int m_nInset;
    int m_nRollState;
    BOOL m_bRolled;
    BOOL m_bStayOpen;
    BOOL m_bAloneInRow;
    CQENCaptionButton m_captionButtons[2];   // hide, expand

    enum EdgeBits
    {
        EdgeLeft = 1,
        EdgeRight = 2,
        EdgeTop = 4,
        EdgeBottom = 8,
        EdgesEnabled = 0x10
    };

protected:
    enum
    {
        ButtonHide = 0,
        ButtonExpand = 1
    };

    // The thickness of the gripper strip: room for the title and the caption buttons.
    int GripperThickness(BOOL bHasGripper) const;
    // The sizing bars of this bar's row in the dock bar, in row order (only this bar when floating).
    void GetRowBars(CPtrArray& arrBars) const;
    BOOL IsHorzDocked() const;
    // The size of the docked orientation.
    CSize& DockedSize();
    // Along the row, and across it.
    LONG LengthOf(const CSize& size) const;
    LONG& LengthOf(CSize& size) const;
    LONG ThicknessOf(const CSize& size) const;
    LONG& ThicknessOf(CSize& size) const;
    // The length the sizing bars of the row may share: the dock bar's inside length less the other
    // bars of the row.
    int AvailableRowLength() const;
    // Spreads the available length over the row's bars; FALSE when it cannot hold them (the bar
    // then moves to a row of its own).
    BOOL FitRow();
    // The size the layout gives the bar in the row of arrBars.
    CSize LaidOutSize(const CPtrArray& arrBars) const;
    // Puts the row's bars one after the other along the dock bar.
    void PlaceRow(const CPtrArray& arrBars);
    // The sizing edge under ptScreen, HTNOWHERE when none.
    UINT EdgeHit(CPoint ptScreen) const;
    // The caption button under ptScreen, -1 when none.
    int ButtonAt(CPoint ptScreen) const;
    void RedrawButton(int iButton);
    void PaintGripper(CDC* pDC, const CRect& rectGripper);
    CRect GripperRect() const;
    // The frame's client area and the tracker's rectangle while an edge drag runs (frame client).
    CRect TrackerRect() const;
    CFrameWnd* DockFrame() const;
    void SendPopupMenuRequest(CPoint ptScreen);
    static CString SectionFor(LPCTSTR lpszProfileName, UINT nID);
    // All screens together: the largest size a stored value may give.
    static CSize ScreenSize();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    CPoint m_ptDragOrigin;   // client coordinates
    BOOL m_bSideTracking;    // the edge between two bars of the row
    CRect m_rectTracker;     // drawn last, frame client coordinates; empty when none
    static HCURSOR s_hcurHorzSplit;
    static HCURSOR s_hcurVertSplit;
};

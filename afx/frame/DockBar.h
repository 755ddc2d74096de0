// CDockBar: the strip along one side of a frame (or the inside of a floating frame) that holds
// docked control bars in rows. m_arrBars lists the bars row by row: entry 0 is NULL and every NULL
// entry ends a row. An entry may also be a placeholder, the id of a bar that floats at the moment
// and returns to this place when it docks again.
#pragma once
#include "ControlBar.h"
#include "PtrArray.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle: window style with the side's CBRS_ALIGN_ and CBRS_BORDER_ bits; nID one of the
    // AFX_IDW_DOCKBAR_ ids.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Docks pBar at the row and place that lpRect (screen coordinates) falls into, or at the end.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Docks pBar where its placeholder is, if this dock bar has one and lpRect is NULL; otherwise
    // like DockControlBar.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes pBar out (ignoring the entry at nPosExclude); with nAddPlaceHolder non-zero its id stays
    // in its place as a placeholder. An emptied row closes; a floating dock bar left without bars
    // destroys its floating frame.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Drops the placeholder of pBar, if there is one.
    void RemovePlaceHolder(CControlBar* pBar);

    int GetDockedCount() const;          // bars docked here, placeholders not counted
    int GetDockedVisibleCount() const;   // … of them those visible, pending delayed changes counted
    // Position of pBar (or of its placeholder when pBar is an id) in m_arrBars, -1 if absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    // The bar at nPos; NULL for a row break or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Shows or hides every docked bar at the next layout.
    void ShowAll(BOOL bShow);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override { return TRUE; }

    BOOL m_bFloating;     // the dock bar of a floating frame
    CPtrArray m_arrBars;  // see above
    BOOL m_bLayoutQuery;  // set while the frame only asks for sizes
    CRect m_rectLayout;   // the rectangle given to the last layout

protected:
    // Inserts pBar at the row and place where a bar with rectangle rect (client) and centre ptMid
    // belongs; returns its index.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    // Makes pBar, entered at nPos, a bar of this dock bar: style, parent, position (lpRect, client;
    // NULL: the start of its row), and takes it out of the dock bar it was in.
    void AttachBar(CControlBar* pBar, int nPos, LPCRECT lpRect);
    // Removes the entry at nPos, and the row break after it when its row is left empty.
    void RemoveEntry(int nPos);
    // Takes out a bar whose window is going away, leaving nothing in its place.
    void ForgetDestroyedBar(CControlBar* pBar);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();

    friend class CControlBar;

    DECLARE_MESSAGE_MAP()
};

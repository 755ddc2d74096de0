// CDockBar: the strip along one side of a frame (or the inside of a floating frame) that holds
// docked control bars in rows.
//
// The rows are a list of entries, each position holding one of:
// - a row break: entry 0 is one, and every row ends with one;
// - a bar docked here;
// - a placeholder: the place of a bar that floats for the moment and returns there when it docks
//   again (its control id, kept as a pointer-sized value below 0x10000).
// The list is read and changed only through the members below. Saved rows
// (CControlBarInfo::m_arrBarID) hold 0 for a row break, a bar's id, and a placeholder's id with
// CControlBarInfo::nPlaceHolderFlag.
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

    // ---- the entries (nPos from 0 to GetEntryCount() - 1) ----
    int GetEntryCount() const { return (int)m_arrBars.GetSize(); }
    BOOL IsRowBreak(int nPos) const { return m_arrBars[nPos] == NULL; }
    BOOL IsPlaceHolder(int nPos) const;
    // The bar at nPos; NULL for a row break or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Position of pBar (passing over the entry at nPosExclude), -1 if it is not docked here.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // Position of the placeholder that keeps pBar's place, -1 if there is none.
    int FindPlaceHolder(CControlBar* pBar) const;
    int GetDockedCount() const;          // bars docked here, placeholders not counted
    int GetDockedVisibleCount() const;   // … of them those visible, pending delayed changes counted

    // ---- docking ----
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
    // Shows or hides every docked bar at the next layout.
    void ShowAll(BOOL bShow);
    // Ends pBar's row just after it: the bars that followed it there start a row of their own below.
    // FALSE when pBar is not docked here or already ends its row.
    BOOL BreakRowAfter(CControlBar* pBar);

    // ---- saved rows ----
    // The entries after the first in their saved form.
    void SaveRows(CPtrArray& arrBarID) const;
    // Lays the saved rows down again. Bars of pFrameWnd that they name are docked here first; a
    // bar the frame does not have, a placeholder of a bar docked here, and any entry naming a bar
    // again leave nothing; emptied rows close. Bars that were here and are not named keep a row of
    // their own at the end.
    void RestoreRows(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override { return TRUE; }

    BOOL m_bFloating;     // the dock bar of a floating frame
    BOOL m_bLayoutQuery;  // set while the frame only asks for sizes
    CRect m_rectLayout;   // the rectangle given to the last layout

protected:
    // Where a layout stands as it walks the rows across the dock bar: each row starts on the last
    // line of the one before it, and bars along a row share a border line.
    class CRowCursor
    {
    public:
        // nOverlap along a row, nRowOverlap between rows.
        CRowCursor(int nOverlap, int nRowOverlap);
        int GetNextStart() const { return m_nAlong; }   // along the row, for the next bar
        int GetRowStart() const { return m_nAcross; }   // across the dock bar, for the row
        BOOL IsRowEmpty() const { return m_nThickness == 0; }
        // A bar placed in the row from nStart.
        void Place(int nStart, int nLength, int nThickness);
        // The next row begins; an empty row takes no room.
        void NextRow();
        // The longest row and all rows together, (0, 0) when no row holds a bar.
        CSize GetExtent(BOOL bHorz) const;

    private:
        int m_nOverlap;
        int m_nRowOverlap;
        int m_nAlong;
        int m_nAcross;
        int m_nThickness;   // of the row so far
        int m_nLongest;     // of all rows
        int m_nTotal;       // across the rows ended so far
    };

    // The layout mode a docked bar of this dock bar is asked for its size with.
    static DWORD GetDockedLayoutMode(CControlBar* pBar);
    void InsertRowBreak(int nPos) { m_arrBars.InsertAt(nPos, (void*)NULL); }
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

private:
    CPtrArray m_arrBars;  // the entries, see above
};

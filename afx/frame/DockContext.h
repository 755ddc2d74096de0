// CDockContext: how a dockable control bar follows the mouse. A drag runs a nested capture loop
// that draws the bar's outline on the screen (thin where it would dock, thick where it would
// float) and docks or floats the bar when the button goes up; a resize does the same for the
// borders of a floating bar of dynamic size; a double click toggles between the most recently used
// dock position and floating position.
#pragma once
#include "Rect.h"

class CControlBar;
class CDockBar;
class CFrameWnd;
class CDC;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // ---- dragging (pt in screen coordinates) ----
    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    void EndDrag();
    // Ctrl held keeps the bar floating; Shift flips its orientation.
    void OnKey(int nChar, BOOL bDown);

    // ---- resizing a floating bar with CBRS_SIZE_DYNAMIC (nHitTest: HTLEFT … HTBOTTOMRIGHT) ----
    virtual void StartResize(int nHitTest, CPoint pt);
    void Stretch(CPoint pt);
    void EndResize();

    // Docks a floating bar where it was docked last, or floats a docked one where it floated last.
    virtual void ToggleDocking();

    // Whether the physical button that gives WM_LBUTTONDOWN is down now, whatever the queue holds;
    // drag loops use it to end when the release reached another window before they took the capture.
    static BOOL PASCAL IsLeftButtonDown();

    // ---- the outline drawn last ----
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast;

    // ---- drag rectangles (screen): the bar docked horizontally or vertically, and its floating frame ----
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;       // sides the bar may dock at, with CBRS_FLOAT_MULTI
    DWORD m_dwOverDockStyle;   // the side the bar would dock at now, 0 to float
    DWORD m_dwStyle;           // the bar's style when the drag started
    BOOL m_bFlip;              // Shift: the other orientation
    BOOL m_bForceFrame;        // Ctrl: never dock
    CDC* m_pDC;                // the screen, while tracking
    BOOL m_bDragging;          // a drag, else a resize
    int m_nHitTest;            // the border being resized

    // ---- most recently used positions ----
    UINT m_uMRUDockID;         // the dock bar it was docked in, 0 none
    CRect m_rectMRUDockPos;    // its place there (dock bar client coordinates)
    DWORD m_dwMRUFloatStyle;   // orientation (CBRS_ALIGN_) and CBRS_FLOAT_MULTI when floating
    CPoint m_ptMRUFloatPos;    // the floating frame's top-left corner (screen), -1 none

    // ---- resize state ----
    CRect m_rectRequestedSize;    // the bar as the mouse asks for it
    CRect m_rectActualSize;       // the bar as its layout allows
    CRect m_rectActualFrameSize;  // its floating frame
    CRect m_rectFrameBorders;     // the size the frame adds to the bar

protected:
    void InitLoop();
    void CancelLoop();
    // Follows the mouse while the bar holds the capture; TRUE when the button went up, FALSE when
    // cancelled (Esc, right button, capture lost).
    BOOL Track();
    // The mouse's move to pt (screen) and the button going up, for a drag or a resize.
    void FollowMouse(CPoint pt);
    void EndTracking();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void UpdateState(BOOL* pFlag, BOOL bNewValue);
    // The side (CBRS_ALIGN_ bit) the bar would dock at in its present place, 0 for none.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    // The orientation the bar would float in now.
    BOOL IsFloatingHorz() const;

private:
    // How often an idle loop looks whether the button is still down (milliseconds).
    static const DWORD nButtonPollTime = 50;
    HBRUSH m_hbrHalftone;   // the pattern of the floating outline, while tracking
};

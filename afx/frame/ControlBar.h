// CControlBar: the base of the bars that line the edges of a frame (toolbars, status bars, dialog
// bars, dock bars). A bar takes its share of the frame's client area when the frame lays itself out
// (WM_SIZEPARENT), updates its items at idle time (WM_IDLEUPDATECMDUI), can be docked in one of the
// frame's dock bars or float in a small frame of its own, and can be shown or hidden at the next
// layout rather than at once.
#pragma once
#include "Wnd.h"
#include "afxres.h"

class CDC;
class CFrameWnd;
class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles (m_dwStyle; the low word and the gripper bit, kept apart from the window style).
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L

#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L

#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L

#define CBRS_GRIPPER        0x00400000L

#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

#define CBRS_ALL            0x0040FFFFL

#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Toolbar button styles (low word) and states (high word).
#define TBBS_SEPARATOR      0x00000001L
#define TBBS_CHECKBOX       0x00000002L
#define TBBS_CHECKED        0x00010000L
#define TBBS_PRESSED        0x00020000L
#define TBBS_DISABLED       0x00040000L
#define TBBS_INDETERMINATE  0x00100000L

// Modes of CalcDynamicLayout.
#define LM_STRETCH   0x01   // stretch to the frame's size (fixed layout)
#define LM_HORZ      0x02   // horizontal, else vertical
#define LM_MRUWIDTH  0x04   // the most recently used width when floating
#define LM_HORZDOCK  0x08   // the size docked horizontally
#define LM_VERTDOCK  0x10   // the size docked vertically
#define LM_LENGTHY   0x20   // nLength is the height, else the width
#define LM_COMMIT    0x40   // the size becomes the most recently used one

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();

public:
    ~CControlBar() override;

    // ---- attributes ----
    int GetCount() const { return m_nCount; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // Bar styles; changing them lets the bar react (OnBarStyleChange).
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() { return m_dwStyle; }

    // The frame the bar belongs to: its parent frame, or the frame it was docked in while floating.
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    virtual BOOL IsVisible() const;   // counts a pending delayed show or hide
    virtual BOOL IsDockBar() const { return FALSE; }

    // ---- docking ----
    // dwDockStyle: the CBRS_ALIGN_ sides the bar may dock at (0 none), with CBRS_FLOAT_MULTI.
    void EnableDocking(DWORD dwDockStyle);

    // ---- layout ----
    // The length a stretched bar asks for along its side: more than any side is long.
    static constexpr int nStretchLength = 32767;

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The client rectangle less the borders and the gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- showing ----
    // Marks the bar to be shown or hidden when its frame next lays itself out.
    virtual void DelayShow(BOOL bShow);
    // Applies a pending delayed show or hide to the layout being made; returns the bar's style
    // (alignment, borders, WS_VISIBLE) as the layout is to see it.
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // ---- painting ----
    virtual void DoPaint(CDC* pDC);
    // Draws the borders named by the bar style and shrinks rect by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);

    // ---- updates and persistence ----
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // Saved and restored bar placement (defined with the dock state).
    void GetBarInfo(CControlBarInfo* pInfo);
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // With CBRS_FLYBY, the mouse over a tool shows the tool's prompt in the owner's status bar.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Whether the bar deletes itself with its window.
    BOOL m_bAutoDelete;

    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    int m_cxDefaultGap;   // gap between elements of derived bars
    UINT m_nMRUWidth;     // most recently used width when floating

    int m_nCount;         // number of elements of a derived bar
    void* m_pData;        // element storage of a derived bar (malloc; freed with the bar)

    enum StateFlags
    {
        delayHide = 1,   // hide at the next layout
        delayShow = 2    // show at the next layout
    };
    UINT m_nStateFlags;

    DWORD m_dwStyle;              // CBRS_ styles
    DWORD m_dwDockStyle;          // sides the bar may dock at, set by EnableDocking
    CFrameWnd* m_pDockSite;       // the frame the bar docks in
    CDockBar* m_pDockBar;         // the dock bar holding the bar, NULL when neither docked nor floating
    CDockContext* m_pDockContext; // drag and float behaviour, created by EnableDocking

protected:
    // size, with its length along the side (cx when bHorz, else cy) nStretchLength when bStretch.
    static CSize ApplyStretch(CSize size, BOOL bStretch, BOOL bHorz);
    // Shows the prompt of tool nHit through the owner frame; -1 goes back to the idle prompt.
    void ShowFlybyPrompt(INT_PTR nHit);
    // The tips of the bar's tools are the owner's to answer, like its commands.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// CQENTabWnd: a child window that shows one of several page windows and a strip of tabs to switch
// between them. The 3D style has tab images and tool tips and shrinks its tabs to fit; the flat
// style scrolls its tabs with a small scroll bar and, in its shared-scroll variant, gives part of
// the strip to a horizontal scroll bar that scrolls the active page. The strip sits at the bottom
// or at the top. Tabs and the strip are drawn by the current visual manager.
//
// The parent hears of changes through three registered messages: the active tab changed (wParam:
// its index), the shared scroll bar scrolled the page (wParam: scroll code, position in the high
// word) and a tab was renamed in place (wParam: index, lParam: the new label; a parent that
// returns 0 lets the tab take the label).
#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include <afxtempl.h>

extern const UINT QENM_ONCHANGE_ACTIVE_TAB;
extern const UINT QENM_ON_HSCROLL;
extern const UINT QENM_ON_RENAME_TAB;

// One tab, in display order.
class CQENTabInfo
{
public:
    CQENTabInfo(const CString& strLabel, int iImage, CWnd* pWnd, UINT nTabID, BOOL bIsListView);

    CString m_strLabel;
    int m_iImage;           // into the tab image list; always -1 in the flat style
    CRect m_rect;           // client coordinates, made by the tab layout
    BOOL m_bVisible;        // a hidden tab takes no room and is not drawn
    CWnd* m_pWnd;           // the page shown while the tab is active
    BOOL m_bIsListView;     // the page is a list view: it scrolls by pixels
    int m_nFullWidth;       // the width the tab's label and image need
    UINT m_nTabID;          // its tool in the tool tip control
    COLORREF m_crText;      // -1: default
    COLORREF m_crBack;      // -1: default
};

class CQENTabWnd : public CWnd
{
    DECLARE_DYNAMIC(CQENTabWnd)
public:
    enum Style
    {
        STYLE_3D = 0,
        STYLE_FLAT = 1,
        STYLE_FLAT_SHARED_HORZ_SCROLL = 2
    };
    enum Location
    {
        LOCATION_BOTTOM = 0,
        LOCATION_TOP = 1
    };

    CQENTabWnd();
    ~CQENTabWnd() override;

    BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM);

    // ---- tabs ----
    void AppendTab(CWnd* pTabWnd, LPCTSTR lpszLabel, int iImage = -1);
    // A negative index or one beyond the count appends.
    void InsertTabAt(CWnd* pTabWnd, LPCTSTR lpszLabel, int iInsertAt, int iImage = -1);
    BOOL DeleteTab(int iTab);
    void DeleteAllTabs();
    BOOL ShowTab(int iTab, BOOL bShow = TRUE);
    BOOL IsTabVisible(int iTab) const;

    BOOL ActivateTab(int iTab);
    int GetActiveTab() const { return m_iActiveTab; }
    CWnd* GetActivePage() const;
    CWnd* GetPage(int iTab) const;
    int GetTabCount() const { return m_nTabs; }
    int GetVisibleTabCount() const;

    BOOL GetLabel(int iTab, CString& strLabel) const;
    // An empty label is refused.
    BOOL SetLabel(int iTab, const CString& strLabel);
    int GetImage(int iTab) const;
    BOOL SetImage(int iTab, int iImage);
    COLORREF GetTextColour(int iTab) const;
    COLORREF GetBackColour(int iTab) const;
    BOOL SetTextColour(int iTab, COLORREF crText);
    BOOL SetBackColour(int iTab, COLORREF crBack);
    BOOL GetTabRect(int iTab, CRect& rect) const;

    // (COLORREF)-1: the system window colour and window text colour.
    void SetActiveTabColour(COLORREF crBack);
    void SetActiveTabTextColour(COLORREF crText);
    COLORREF GetActiveTabColour() const;
    COLORREF GetActiveTabTextColour() const;
    // Flat style: the brush of the active tab's background; NULL otherwise.
    CBrush* GetActiveTabBrush() { return m_brActiveTab.GetSafeHandle() == NULL ? NULL : &m_brActiveTab; }

    // Refused in the flat style. The image size comes from the bitmap's height.
    BOOL LoadTabImages(UINT nBitmapID);
    CImageList* GetImageList() { return m_images.GetSafeHandle() == NULL ? NULL : &m_images; }
    CSize GetImageSize() const { return m_sizeImage; }

    // The visible tab under point (client coordinates), or -1.
    int TabAt(CPoint point) const;
    int TabOfPage(const CWnd* pPage) const;

    BOOL IsFlatStyle() const { return m_bFlat; }
    BOOL IsSharedScroll() const { return m_bSharedScroll; }
    Location GetLocation() const { return m_location; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    CRect GetTabsArea() const { return m_rectTabsArea; }
    CRect GetPageArea() const { return m_rectPageArea; }
    int GetTabsOffset() const { return m_nTabsHorzOffset; }
    CFont* GetTabFont();

    // Lays the window out again (after the options or the tabs changed).
    void RecalcLayout();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // ---- slots of this class ----
    // Opens the edit over the tab; FALSE when it cannot be made.
    virtual BOOL StartRenameTab(int iTab);
    // Whether strLabel may become the tab's label.
    virtual BOOL OnRenameTab(int iTab, CString& strLabel);
    virtual void Draw3DTab(CDC* pDC, int iTab, BOOL bActive);
    virtual void DrawFlatTab(CDC* pDC, int iTab, BOOL bActive);

    int m_nBorderSize;
    BOOL m_bHidePassivePages;
    BOOL m_bFitPages;
    BOOL m_bDeletePages;
    BOOL m_bNoErase;            // transparent
    BOOL m_bStripOffForOne;
    BOOL m_bStripOffForNone;
    BOOL m_bRenameInPlace;
    BOOL m_bScrollOnDemand;

protected:
    static const UINT kTabScrollBarID = 1;
    static const UINT kSharedScrollBarID = 2;
    static const UINT kRenameEditID = 3;
    static const int kTabScrollStep = 20;
    static const int kSplitterWidth = 5;

    CQENTabInfo* Tab(int iTab) const { return m_tabs[iTab]; }
    BOOL IsValidTab(int iTab) const { return iTab >= 0 && iTab < m_nTabs; }

    void SetTabsHeight();
    void MakeTabFonts();
    // Measures and places the tabs in the strip.
    void AdjustTabs();
    // 3D style: cuts the widths of tabs that do not fit; the cut ones get their label as tool tip.
    void ShrinkTabs(int* pWidths, int nVisible);
    void SizeSharedScrollBar();
    void FitPage(CWnd* pPage);
    // Shows the tab's page in place of the active one; bGiveFocus also focuses it.
    void SwitchToTab(int iTab, BOOL bGiveFocus);
    void EnsureVisible(int iTab);
    void UpdateTabScrollBar();
    // Mirrors the active page's horizontal scroll information on the shared scroll bar.
    void SynchronizeScrollBar();
    void ScrollActivePage(UINT nSBCode, UINT nPos);
    void ActivateByUser(int iTab);
    void NotifyActiveTab();
    void ActivateNeighbour(int nStep);
    void PassToParent(UINT message, UINT nFlags, CPoint point);
    void MakeActiveTabBrush();

    // In-place renaming.
    BOOL HandleRenameMessage(MSG* pMsg);
    void FinishRename();
    void CloseRenameEdit();
    void SetSplitterWidth(int nMouseX);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);

    CTypedPtrArray<CPtrArray, CQENTabInfo*> m_tabs;
    int m_nTabs;
    int m_iActiveTab;               // -1: none
    BOOL m_bFlat;
    BOOL m_bSharedScroll;
    Location m_location;
    CRect m_rectTabsArea;           // the strip
    CRect m_rectTabs;               // the part of the strip the tabs are placed in
    CRect m_rectPageArea;
    int m_nTabsHeight;
    CImageList m_images;
    UINT m_nImagesResID;
    CSize m_sizeImage;
    CToolTipCtrl m_toolTip;         // 3D style
    CScrollBar m_wndScrollTabs;     // flat style
    BOOL m_bTabScrollRoom;          // the strip is wide enough for it
    CScrollBar m_wndScrollWnd;      // shared-scroll style
    int m_nTabsHorzOffset;
    int m_nTabsHorzOffsetMax;
    int m_nTabsTotalWidth;
    int m_nHorzScrollWidth;
    CRect m_rectTabSplitter;
    BOOL m_bTrackSplitter;
    COLORREF m_crActiveTabBack;     // -1: COLOR_WINDOW
    COLORREF m_crActiveTabText;     // -1: COLOR_WINDOWTEXT
    CBrush m_brActiveTab;
    CFont m_fontTabs;               // flat style
    CFont m_fontTabsBold;
    UINT m_nNextTabID;
    CEdit* m_pRenameEdit;
    int m_iRenamedTab;

    DECLARE_MESSAGE_MAP()
};

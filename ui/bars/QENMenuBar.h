// CQENMenuBar: the frame's menu as a command bar. Each top-level item of the menu the frame shows is
// a menu button (or a plain command button); the bar keeps one customized item list per menu in
// the menu cache, shows the system icon and caption buttons of a maximized MDI child, is driven by
// the keyboard while it has the focus, and stores the lists of every menu in the registry.
//
// The frame creates the bar, hands it each new menu (RebuildFromMenu), tells it when an MDI child is
// maximized (SetChildMaximized), gives it the focus on Alt or F10 and passes Alt+letter to
// MapCharKey.
#pragma once
#include "QENToolBar.h"

class CQENToolbarSystemMenuButton;

class CQENMenuBar : public CQENToolBar
{
    DECLARE_SERIAL(CQENMenuBar)
public:
    // The control id frames give their menu bar.
    static const UINT kMenuBarId = 0xE806;

    CQENMenuBar();
    ~CQENMenuBar() override;

    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = kMenuBarId) override;

    // The items of hMenu, from the cache when the bar has shown that menu before. bDefault: hMenu is
    // the frame's default menu. Without bForce nothing changes when hMenu is the menu shown already.
    void RebuildFromMenu(HMENU hMenu, BOOL bDefault = FALSE, BOOL bForce = FALSE);
    // The system icon and caption buttons of pChild (an MDI child) on or off.
    void SetChildMaximized(BOOL bOn, CWnd* pChild, BOOL bRecalcLayout = TRUE);
    // The caption items again after WriteState removed them.
    void RestoreChildMaximized();
    void SetDefaultMenuId(UINT nId) { m_nDefaultMenuId = nId; }
    HMENU GetMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }

    // Opens the popup of (or runs the command of) the item whose mnemonic is nChar; FALSE for none.
    BOOL MapCharKey(UINT nChar);
    // Sends a system command to the active MDI child; beeps when the frame has none.
    void SendToActiveChild(UINT nSysCommand);
    // Appends the MDI children to hPopup when it is the frame's window menu.
    void AppendWindowList(HMENU hPopup) const;

    BOOL ReadState(LPCTSTR lpszProfile = NULL, int nBarId = -1, UINT nExtraId = (UINT)-1) override;
    BOOL WriteState(LPCTSTR lpszProfile = NULL, int nBarId = -1, UINT nExtraId = (UINT)-1) override;
    // Every menu anew from its resource.
    void ResetToResource() override;

    int RowHeight() const override;
    int ColumnWidth() const override;
    BOOL UsesExtraBorder() const override { return FALSE; }
    BOOL SupportsTextLabels() const override { return FALSE; }
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    void PositionButtons() override;
    void HotButtonChanged(int iHot) override;
    void ReturnFocus() override;
    // The item whose menu is open stays highlighted while the pointer is in the menu.
    void ResetHot() override;

    // The menu cache: the list of hMenu into a temporary file, and back. FALSE when nothing is
    // stored, or the file cannot be written or read back.
    BOOL StoreInCache(HMENU hMenu);
    BOOL LoadFromCache(HMENU hMenu);
    // Closes (and so deletes) every cache file.
    static void PASCAL ReleaseMenuCache();

    // ---- fields, in their order ----
    BOOL m_bPerDocumentMenus;
    CFrameWnd* m_pOwnerFrame;
    CQENToolbarSystemMenuButton* m_pSystemMenuButton;
    HMENU m_hMenu;
    HMENU m_hDefaultMenu;
    HMENU m_hChildSysMenu;
    HICON m_hChildIcon;
    UINT m_nDefaultMenuId;
    int m_nCaptionButtons;
    int m_nSavedCaptionButtons;
    BOOL m_bHaveImages;
    CSize m_sizeCaptionButton;

    // ---- class-wide data ----
    static CMap<HMENU, HMENU, CFile*, CFile*> s_MenuCache;
    static BOOL s_bMenuBarKeyboardMode;
    static const LPCTSTR s_strMenuBarSection;
    // The bar its dock context drags, and the thread's mouse hook that sees the button go up.
    static CQENMenuBar* s_pDraggedBar;
    static HHOOK s_hDragHook;

protected:
    static const UINT kPopupTimer = 1;
    static const UINT kPopupTimerPeriod = 5000;

    // The items built anew from hMenu.
    void BuildItemsFrom(HMENU hMenu);
    // Destroys the default menu when it is the bar's own; the bar shows no menu then.
    void DestroyOwnMenu();
    // While the dock context drags the bar its floating outline has the bar's own shape; the drag
    // state ends when the left button goes up, wherever that happens.
    void BeginDockDrag();
    static void PASCAL EndDockDrag();
    static LRESULT CALLBACK DragMouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    // Removes the system icon and caption items; their count is kept for RestoreChildMaximized.
    void RemoveCaptionItems();
    BOOL IsCaptionItem(const CQENToolbarButton* pButton) const;
    // The menu items the arrows move through, in order: no separators, no caption items.
    BOOL IsMenuItem(int iIndex) const;
    void Highlight(int iIndex);
    // Drops down the item's popup, or runs its command; bFromKeyboard highlights the first entry.
    void ActivateItem(int iIndex, BOOL bFromKeyboard);
    BOOL IsAnyPopupOpen() const;
    void RebuildMnemonics();
    // The MDI client of the owner frame and its active child; NULL when the frame is not MDI.
    HWND MDIClient() const;
    HWND ActiveMDIChild() const;
    // The shared menus of the application's multi-document templates with their resource ids.
    void TemplateMenus(CArray<HMENU, HMENU>& menus, CArray<UINT, UINT>& ids) const;
    void UpdateHaveImages();
    // The items of hMenu become the bar's items and its original items.
    void SetOriginalItemsFrom(HMENU hMenu);
    // The list of m_hMenu, from the cache or the menu, laid out, with the caption items.
    void ShowCurrentMenu();
    BOOL WriteMenuState(HMENU hMenu, LPCTSTR lpszPath, int nBarId, UINT nExtraId);
    void ReadMenuState(HMENU hMenu, UINT nResourceId, LPCTSTR lpszPath, int nBarId, UINT nExtraId);

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CMap<UINT, UINT, int, int> m_mnemonics;   // upper-cased character → item index
    HWND m_hWndFocusBefore;
};

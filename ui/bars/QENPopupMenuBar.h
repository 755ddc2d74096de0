// CQENPopupMenuBar: the client of a popup menu, a vertical list of menu items in columns. It is
// built from a menu handle: rarely used commands stay hidden until the whole menu is asked for
// (a CQENShowAllButton at the end does that), the recent-file placeholder becomes the recent files,
// the user tools' placeholder the tools. An item with a submenu opens it when the highlight rests
// on it for the show delay; the submenu of an item the highlight leaves closes after it.
//
// CQENUserToolsMenuSource: the user tools as menu items; the user-tools manager answers once it
// exists, until then s_pActive is NULL and the tools' placeholder is left out of menus.
#pragma once
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"

#include <utility>

class CQENPopupMenu;

class CQENUserToolsMenuSource
{
public:
    virtual int ToolCount() const = 0;
    virtual BOOL ToolAt(int iTool, UINT& nCommandId, CString& strName) const = 0;

    static CQENUserToolsMenuSource* s_pActive;

protected:
    ~CQENUserToolsMenuSource() = default;
};

class CQENPopupMenuBar : public CQENToolBar
{
    DECLARE_SERIAL(CQENPopupMenuBar)
public:
    CQENPopupMenuBar();
    ~CQENPopupMenuBar() override;

    // The frame's WM_INITMENUPOPUP first, then one menu item per shown item of hMenu. bShowAll
    // shows the rarely used commands as well. FALSE when hMenu is no menu.
    BOOL BuildFromMenuHandle(HMENU hMenu, BOOL bShowAll);
    // A new menu of the items, submenus included; the caller destroys it.
    HMENU BuildMenuHandle() const;
    // The whole menu again, hidden items included.
    void ShowAllItems();
    // Appends the show-all item unless the list already ends with one.
    void AppendShowAllButton();
    // The items, as the menu of pButton from now on (what they showed for the moment left out).
    void CopyItemsTo(CQENToolbarMenuButton* pButton) const;

    // The popup this bar is the client of; NULL when its parent is no popup.
    CQENPopupMenu* GetPopupMenu() const;

    // ---- keyboard ----
    // VK_UP, VK_DOWN, VK_HOME or VK_END; FALSE when nothing can be highlighted.
    BOOL MoveHighlight(UINT nKey);
    // Enter: the highlighted item opens its submenu (its first item highlighted) or runs its command.
    BOOL ActivateHighlighted();
    // The item whose mnemonic is nChar, if any, as Enter on it; TRUE when there was one.
    BOOL HandleMnemonic(UINT nChar);
    // The highlighted item, as a menu button; NULL when there is none or it is no menu button.
    CQENToolbarMenuButton* HighlightedMenuButton() const;
    // Highlights an item; bFromKeyboard closes the submenu of the one before at once.
    void SetHighlight(int iItem, BOOL bFromKeyboard);
    // Opens the item's submenu after the show delay, at once when it is scheduled already.
    void ScheduleOpen(CQENToolbarMenuButton* pButton);

    // ---- scrolling ----
    int FirstVisibleItem() const { return m_iFirstVisible; }
    void SetFirstVisibleItem(int iItem);
    // Scrolls so that the item is wholly visible in the bar's window.
    void EnsureVisible(int iItem);
    // Whether the last item is wholly visible.
    BOOL IsLastItemVisible() const;

    // ---- the toolbar ----
    int RowHeight() const override;
    int ColumnWidth() const override;
    BOOL UsesExtraBorder() const override { return FALSE; }
    BOOL SupportsTextLabels() const override { return FALSE; }
    void ClearButtons() override;
    void ResetHot() override;
    CSize CalcSize(BOOL bVertical) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    void PositionButtons() override;
    void HotButtonChanged(int iHot) override;
    void DrawButtonAt(CDC* pDC, CQENToolbarButton* pButton, CQENButtonImageList* pImages, BOOL bHighlighted,
                      BOOL bGrayDisabled) override;
    void PaintSeparatorAt(CDC* pDC, const CQENToolbarButton* pButton, BOOL bHorizontal) override;
    void DrawInsertMark(CDC* pDC) override;
    // ---- customize mode: items dragged in and out ----
    int DropIndexAt(CPoint point, CRect& rectMark) override;
    BOOL ButtonsRunAcross() const override { return FALSE; }
    // Whatever is dropped becomes a menu item with its text.
    CQENToolbarButton* MakeDroppedButton(COleDataObject* pDataObject) override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    BOOL OnCustomizeCommand(UINT nCommandId) override;

    // The menu show delay in ms: read once, when first asked.
    static int PASCAL MenuShowDelay();
    // 500 ms, or "MenuShowDelay" of the current user's "Control Panel\Desktop" (at most 5000).
    static int PASCAL ReadMenuShowDelay();
    // The keyboard shortcut of a command in a frame; NULL until the keyboard manager answers.
    static BOOL(PASCAL* s_pfnFindShortcut)(CFrameWnd* pFrame, UINT nCommandId, CString& strShortcut);
    // The command's shortcut in the frame, else in the frame's active child.
    static BOOL PASCAL FindFrameShortcut(CFrameWnd* pFrame, UINT nCommandId, CString& strShortcut);

    // ---- fields ----
    BOOL m_bAllShown;                         // no item is hidden
    CQENToolbarMenuButton* m_pPendingClose;   // its submenu closes when the close timer fires
    CQENToolbarMenuButton* m_pDelayedOpen;    // its submenu opens when the open timer fires
    UINT m_nDefaultCommand;                   // drawn in bold; 0 none
    int m_nMaxWidth;                          // 0: none
    BOOL m_bOpenedFromKeyboard;
    BOOL m_bWholeMenuShown;                   // the rarely used items are shown on request
    BOOL m_bItemsChanged;                     // customized: the menu's button takes the items
    CArray<int, int> m_columnLefts;           // the left edge of each column

    static int s_nMenuShowDelay;              // -1 until read

    static const UINT kOpenTimer = 1;
    static const UINT kCloseTimer = 2;
    static const UINT kShowAllTimer = 3;   // the highlight rests on the show-all item

protected:
    // Measures (and with bPlace positions) the items; returns the bar's size.
    CSize LayOutItems(BOOL bPlace);
    int IndexOfMenuButton(const CQENToolbarMenuButton* pButton) const;
    void AddMenuItem(UINT nCommandId, HMENU hSubMenu, const CString& strText, UINT nState);
    void AddRecentFiles();
    void AddUserTools();
    void RunCommand(CQENToolbarButton* pButton);
    void OpenSubmenuOf(CQENToolbarMenuButton* pButton, BOOL bHighlightFirst);
    BOOL IsSelectable(int iItem) const;
    void StopTimer(UINT nTimer);
    // The highest first visible item that still fills the bar's window.
    int LastFirstVisibleItem() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    CQENToolbarMenuButton m_menuSource;   // every item of the menu, for rebuilding it whole
    int m_iFirstVisible;
    BOOL m_bKeyboardMove;                 // the highlight change in progress came from a key
    BOOL m_bSkipNextSeparator;            // the recent-file placeholder before it had no files
    CList<std::pair<TCHAR, UINT>, const std::pair<TCHAR, UINT>&> m_hiddenMnemonics;
};

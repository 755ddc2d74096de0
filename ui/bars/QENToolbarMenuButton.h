// CQENToolbarMenuButton: a button that owns a submenu. In the menu bar it is a top-level menu, in a
// popup menu a menu item (menu-item mode: image column, text, shortcut column, submenu arrow), on a
// toolbar a drop-down button. A button with both a command and a menu splits into the command part
// and the arrow part at its right (or bottom) edge. Clicking the menu opens a CQENPopupMenu; the
// popup is closed when the button goes.
#pragma once
#include "QENToolbarButton.h"

// An item of a popup menu that starts a new column to the right of the one before.
#define TBBS_COLUMNBREAK 0x02000000L

class CQENPopupMenu;

class CQENToolbarMenuButton : public CQENToolbarButton
{
    DECLARE_SERIAL(CQENToolbarMenuButton)
public:
    CQENToolbarMenuButton();
    // The sub-items are those of hMenu (NULL: none).
    CQENToolbarMenuButton(UINT nCommandId, HMENU hMenu, int iImage, LPCTSTR lpszText = NULL,
                          BOOL bUserImage = FALSE);
    ~CQENToolbarMenuButton() override;

    // The button record, then the tear-off id (stored state of version 4.71 and later only), then
    // the sub-items as an object list.
    void Serialize(CArchive& ar) override;
    // Sub-items are deep copies.
    void AssignFrom(const CQENToolbarButton& source) override;
    void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                    BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled) override;
    CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal) override;
    BOOL HandleClick(CWnd* pWndBar, BOOL bDelayed) override;
    void AttachToParent(CWnd* pWndParent) override;
    BOOL HasHotBorder() const override { return FALSE; }
    void CancelTracking() override;
    BOOL HandleContextHelp(CWnd* pWnd) override;
    BOOL IsPopupOpen() const override { return m_pPopupMenu != NULL; }
    BOOL BeforeDragStart() override;
    // A submenu, which has no command of its own, is customized as a whole.
    BOOL IsCustomizable() const override;
    void CloseOwnerPopups() override;
    void InvalidateOwnerArea() override;

    // Opens the submenu next to the button in pWndBar (NULL: the bar that shows the button). FALSE
    // when the frame refuses the popup or the menu cannot be made; the button stays closed then.
    virtual BOOL OpenPopupMenu(CWnd* pWndBar = NULL);

    // The sub-items anew from a menu (by position; submenus become menu buttons).
    void ImportMenu(HMENU hMenu);
    // A new menu of the sub-items, the tear-off id in its submenus' texts; the caller destroys it.
    HMENU BuildMenu() const;
    void ClearSubItems();
    BOOL HasSubItems() const { return !m_SubItems.IsEmpty(); }

    void SetTearOffId(UINT nTearOffId) { m_uiTearOffId = nTearOffId; }
    UINT TearOffId() const { return m_uiTearOffId; }
    CQENPopupMenu* GetPopupMenu() const { return m_pPopupMenu; }

    // The part of m_rect a click must hit to open the menu of a button that also has a command.
    CRect ArrowPartRect() const;
    // The arrow glyph of menus, doubled with large icons.
    static CSize PASCAL MenuArrowSize();
    // The glyph at the centre of rect: down (TRUE) or to the right.
    static void PASCAL DrawMenuArrow(CDC* pDC, const CRect& rect, BOOL bDown, COLORREF crArrow);
    // The MF_ flags of the item at iPosition of hMenu.
    static UINT PASCAL MenuItemState(HMENU hMenu, int iPosition);

    // ---- fields, in their order ----
    CObList m_SubItems;          // CQENToolbarButton objects, owned
    BOOL m_bHasMenu;
    BOOL m_bMenuItemMode;
    CQENPopupMenu* m_pPopupMenu;
    CWnd* m_pWndParent;
    BOOL m_bClickedOnMenu;
    BOOL m_bMenuRight;
    UINT m_uiTearOffId;
    BOOL m_bToBeClosed;

    // ---- class-wide data ----
    // Shortcut keys in a column of menu items.
    static BOOL s_bShortcutsInMenus;
    // The version of the stored state being read or written (-1, -1: this program's own).
    static int s_nStateVersionMajor;
    static int s_nStateVersionMinor;

private:
    // Whether the stored state of s_nStateVersion... carries tear-off ids.
    static BOOL StateHasTearOffIds();
    void DrawMenuItem(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHighlighted,
                      BOOL bGrayDisabled);
};

// CQENPopupMenuHost: what a frame of the library does for the popup menus that open over it. The
// library frames implement it; a popup finds it on the top-level frame of the bar it opens from (the
// main window when there is none). A plain framework frame does not implement it: the popup then
// takes the defaults below and watches the keyboard and the mouse itself while it is open.
#pragma once
#include <afxwin.h>

class CQENPopupMenu;
class CQENToolbarMenuButton;

class CQENPopupMenuHost
{
public:
    // The popup is about to show: it becomes the active popup menu, and the frame may refuse it.
    virtual BOOL AnnouncePopupMenu(CQENPopupMenu* pPopup) = 0;
    virtual void OnPopupMenuClosed(CQENPopupMenu* pPopup) = 0;
    // TRUE when the frame drew the item's image itself.
    virtual BOOL DrawMenuItemImage(CDC* pDC, CQENToolbarMenuButton* pButton, const CRect& rect) = 0;
    // The strip at the left edge of a popup menu.
    virtual void DrawMenuSideImage(CDC* pDC, CQENPopupMenu* pPopup, const CRect& rect) = 0;
    virtual BOOL CanTearOffMenu(CQENPopupMenu* pPopup, CControlBar* pNewBar) = 0;
    // TRUE when the frame's message filters send keys to the active popup and close it on clicks
    // outside, so that the popup need not watch the input itself.
    virtual BOOL FiltersPopupInput() const = 0;

protected:
    ~CQENPopupMenuHost() = default;
};

// CQENContextMenuManager: the application's context menus, registered by name and menu resource,
// shown as the library's popup menus, run modally when the caller wants the chosen command back, and
// kept in the registry as the contents of popup menu bars, one bar per menu.
//
// One manager serves the application: constructing it sets g_pContextMenuManager, destroying it
// destroys every registered menu and clears the pointer.
#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CQENPopupMenu;

class CQENContextMenuManager
{
public:
    CQENContextMenuManager();
    virtual ~CQENContextMenuManager();
    CQENContextMenuManager(const CQENContextMenuManager&) = delete;
    CQENContextMenuManager& operator=(const CQENContextMenuManager&) = delete;

    // Loads the menu resource nMenuId; FALSE when it cannot be loaded or nMenuId is registered already.
    BOOL RegisterContextMenu(LPCTSTR lpszName, UINT nMenuId);

    // Shows the first submenu of the registered menu at (x, y) in screen coordinates; (-1, -1) with a
    // window means 5 pixels right of and below the window's client origin.
    BOOL ShowContextMenu(UINT nMenuId, int x, int y, CWnd* pWnd, BOOL bOwnMessage = FALSE);
    // Shows hMenu (the caller keeps it) for pWnd with bOwnMessage, else for pWnd's top-level
    // ancestor; an open popup menu closes first. The popup deletes itself when it closes; NULL when
    // it could not be shown.
    CQENPopupMenu* ShowContextMenu(HMENU hMenu, int x, int y, CWnd* pWnd, BOOL bOwnMessage = FALSE);
    // Shows hMenu and returns once it has closed: the command the user chose, which is not sent to
    // any window, or 0 when the menu was dismissed.
    UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pWnd);

    void ListMenuNames(CStringList& names) const;
    // NULL for an unknown name; *pnMenuId gets the menu's resource id.
    HMENU FindMenuByName(LPCTSTR lpszName, UINT* pnMenuId = NULL) const;

    // Under lpszPath, or the manager's own section when it is NULL or empty: each menu as the state
    // of a popup menu bar with index 0 and the menu's resource id. A menu whose stored state cannot
    // be loaded keeps its items.
    BOOL ReadState(LPCTSTR lpszPath = NULL);
    BOOL WriteState(LPCTSTR lpszPath = NULL);
    // The registered menu nMenuId as its resource has it again; its handle stays. FALSE for an
    // unknown id or a resource without a submenu.
    BOOL ResetMenu(UINT nMenuId);

    // hMenu's first submenu becomes hNewSubMenu (NULL: nothing changes); hMenu keeps its handle.
    static void ReplaceFirstSubMenu(HMENU hMenu, HMENU hNewSubMenu);

protected:
    CMap<UINT, UINT, HMENU, HMENU> m_menuMap;                // owned
    CMap<CString, LPCTSTR, HMENU, HMENU> m_menuNameMap;
    UINT m_nLastCommand;                                     // chosen while TrackPopupMenu runs
    BOOL m_bTrackMode;                                       // TrackPopupMenu is showing its menu

private:
    static void PASCAL TakeTrackedCommand(UINT nCommandId);
    // Runs the thread's messages until the popup window hPopup is gone.
    static void RunUntilClosed(CWinApp* pApp, HWND hPopup);
};

extern CQENContextMenuManager* g_pContextMenuManager;

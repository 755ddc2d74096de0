// CCmdUI: updates the state of one user-interface item (menu item, toolbar button, status pane…)
// from the ON_UPDATE_COMMAND_UI handler of its command.
#pragma once
#include "CmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI
{
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;           // menu item index, or control index in a bar
    CMenu* m_pMenu = NULL;       // the menu being updated, else NULL
    CMenu* m_pSubMenu = NULL;    // the popup of this item, when it is one
    CMenu* m_pParentMenu = NULL; // the menu a popup's first item belongs to
    CWnd* m_pOther = NULL;       // the window being updated (bar or control), else NULL
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);     // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this item; without any handler and with bDisableIfNoHndler, a command
    // that has no command handler either is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

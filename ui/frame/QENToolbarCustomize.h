// CQENToolbarCustomize: the modeless sheet in which the user customizes the command bars of a frame.
// While it is open the whole library is in customization mode: the toolbars take drags and edits,
// the frame refuses commands and its other child windows are disabled. Closing it destroys the
// window; the sheet then leaves customization mode and deletes itself.
//
// The sheet keeps every command it offers in categories: lists of button copies by name, in the
// order the categories came, and one more category that holds every command. The commands page
// shows them and lets them be dragged onto bars and menus.
//
// g_pToolbarCustomize names the open sheet; NULL while none is open.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxdlgs.h>
#include <afxtempl.h>

#include "QENCustomizePage.h"
#include "QENKeyboardPage.h"
#include "QENMenuPage.h"
#include "QENMousePage.h"
#include "QENOptionsPage.h"
#include "QENToolBar.h"
#include "QENToolbarsPage.h"
#include "QENUserToolsPage.h"

class CQENToolbarCustomize : public CPropertySheet, public CQENCustomizeSheetLink
{
    DECLARE_DYNAMIC(CQENToolbarCustomize)
public:
    // Option bits given at construction.
    enum Option
    {
        MenuShadowsOption = 0x01,     // the menu page shows the menu-shadows check box
        TextLabelsOption = 0x02,      // the toolbars page shows the text-labels check box
        Look2000Option = 0x04,        // the options page shows the 2000 look (when the look has it)
        MenuAnimationOption = 0x08,   // the menu page shows the menu-animation controls
        NoHelpOption = 0x10,          // no help button
        ContextHelpOption = 0x20,     // a context-help button in the caption
        ReservedOption = 0x40         // never kept
    };

    // bAutoSetFromMenus: the categories come from the frame's menus. pExtraPages: pages of the
    // application, shown after the library's own (the caller keeps them).
    CQENToolbarCustomize(CFrameWnd* pFrame, BOOL bAutoSetFromMenus = FALSE, UINT uiFlags = 0x0F,
                         const CList<CPropertyPage*, CPropertyPage*>* pExtraPages = NULL);
    ~CQENToolbarCustomize() override;

    // A copy of the button in the category (and in the all-commands category), at iIndex (-1: the
    // end). FALSE when the command is never listed, or the category holds it already.
    BOOL AddButton(LPCTSTR lpszCategory, const CQENToolbarButton& button, int iIndex = -1);
    // The toolbars page may create, rename and delete user-defined toolbars.
    void EnableUserToolbars(BOOL bEnable = TRUE) { m_bUserToolbars = bEnable; }
    BOOL UserToolbarsEnabled() const { return m_bUserToolbars; }

    // Modeless over the frame (pParentWnd is ignored); on success customization mode is on.
    BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0) override;

    CFrameWnd* GetFrame() const;
    UINT GetFlags() const { return m_uiFlags; }
    // The categories, and the menus the menu page offers, come from the frame's menus.
    BOOL IsAutoSetFromMenus() const { return m_bAutoSetFromMenus; }
    const CStringList& Categories() const { return m_lstCategories; }
    const CString& AllCommandsCategory() const { return m_strAllCommands; }
    // The buttons of a category; NULL when there is no such category.
    CObList* ButtonsOf(LPCTSTR lpszCategory) const;
    // How many categories (the all-commands one not counted) hold the command.
    int CategoriesHolding(UINT nCommandId) const;

    void BarVisibilityChanged(CQENToolBar* pBar, BOOL bVisible) override;

    BOOL OnInitDialog() override;

protected:
    // The items of a menu into the category (NULL at the top level: one per popup); strPath is the
    // menu path walked so far.
    void AddMenuCommands(HMENU hMenu, BOOL bNested, LPCTSTR lpszCategory, const CString& strPath);
    // Customization mode of the whole library on or off.
    void SetCustomizationMode(BOOL bOn);
    // Close at the right, help at the left, OK and Apply gone.
    void ArrangeButtons();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Deletes the sheet: it is always made with new.
    void PostNcDestroy() override;

    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CMap<CString, LPCTSTR, CObList*, CObList*> m_ButtonsByCategory;
    CStringList m_lstCategories;
    CList<CPropertyPage*, CPropertyPage*> m_lstExtraPages;
    CString m_strAllCommands;
    CFrameWnd* m_pFrame;
    HWND m_hWndFrame;   // tells whether m_pFrame still lives
    BOOL m_bAutoSetFromMenus;
    UINT m_uiFlags;
    BOOL m_bUserToolbars;
    CBitmap m_bmpHelp;

    CQENCustomizePage m_CustomizePage;
    CQENToolbarsPage m_ToolbarsPage;
    CQENUserToolsPage m_UserToolsPage;
    CQENKeyboardPage m_KeyboardPage;
    CQENMenuPage m_MenuPage;
    CQENMousePage m_MousePage;
    CQENOptionsPage m_OptionsPage;
};

extern CQENToolbarCustomize* g_pToolbarCustomize;

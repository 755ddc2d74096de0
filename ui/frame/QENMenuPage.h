// CQENMenuPage: the menus page of the customization sheet.
//
// Frame menus: the menu bar shows the menu chosen in the list (the default menu, or the shared menu
// of a document type), so that its items can be customized on the bar; each menu keeps its own
// list, and a menu can be reset to its resource. Context menus: the one chosen opens as a popup menu
// whose items are customized like those of any menu; what is done to it becomes the registered menu
// of the context-menu manager when it closes. Below, the menu animation and the menu shadows.
//
// Leaving the page (or closing the sheet) stores the animation and shadows, puts the menu bar back on
// the menu it showed when the page was entered and closes the context menu being edited.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>

#include <vector>

class CQENMenuBar;
class CQENToolbarCustomize;

class CQENMenuPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENMenuPage)
public:
    static const UINT IDD = 16134;
    enum ControlId
    {
        IDC_MENU_DESCRIPTION = 16506,
        IDC_MENU_ICON = 16507,
        IDC_FRAME_MENUS = 16621,
        IDC_CONTEXT_MENUS = 16622,
        IDC_RESET_CONTEXT_MENU = 16623,
        IDC_RESET_FRAME_MENU = 16624,
        IDC_ANIMATION = 16625,
        IDC_SHADOWS = 16626,
        IDC_CONTEXT_GROUP = 16627,
        IDC_CONTEXT_LABEL = 16628,
        IDC_ANIMATION_LABEL = 16629
    };

    CQENMenuPage();

    void SetSheet(CQENToolbarCustomize* pSheet) { m_pSheet = pSheet; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

protected:
    // A menu the frame may show: the default menu or a document type's.
    struct FrameMenu
    {
        HMENU hMenu;
        UINT nResourceId;
        CString strDescription;
        HICON hIcon;   // shared, never destroyed
    };

    // The menu bar being customized; NULL without one, or when its window has gone.
    CQENMenuBar* MenuBar() const;
    CFrameWnd* Frame() const;
    void FillFrameMenus(CQENMenuBar* pMenuBar);
    // The entry of the menu the bar shows is selected (else the default's), with its description.
    void SelectShownFrameMenu();
    void ShowFrameMenuInfo(int iEntry);
    // The bar shows hMenu; the list of the menu it showed before is kept for that menu.
    void ShowOnMenuBar(HMENU hMenu);
    void FillContextMenus();
    void UpdateContextButtons();
    void OpenContextMenu(const CString& strName);
    void CloseContextMenu();
    void ShowControl(UINT nId, BOOL bShow);
    // Stores the options, puts the bar back on its menu and closes the context menu being edited.
    void LeavePage();
    int AskYesNo(UINT nIDPrompt, LPCTSTR lpszName) const;

    afx_msg void OnFrameMenuChanged();
    afx_msg void OnResetFrameMenu();
    afx_msg void OnContextMenuChanged();
    afx_msg void OnResetContextMenu();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    HWND m_hWndMenuBar;
    std::vector<FrameMenu> m_frameMenus;   // in the order of the list's entries
    HMENU m_hMenuOnEntry;                  // what the bar showed when the page was entered
    BOOL m_bEntered;
    HWND m_hWndContextMenu;                // the context menu being edited
    CComboBox m_wndFrameMenus;
    CComboBox m_wndContextMenus;
    CComboBox m_wndAnimation;
};

// CQENMousePage: the mouse page of the customization sheet. It lists the views the mouse manager
// knows, each with its icon, and binds the command a double click on the chosen view runs: none, or
// one of the sheet's commands. Every choice is stored in the mouse manager at once.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include <afxdlgs.h>

#include "QENCustomizePage.h"

class CQENToolbarCustomize;

class CQENMousePage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENMousePage)
public:
    static const UINT IDD = 16135;
    enum ControlId
    {
        IDC_DESCRIPTION = 16514,
        IDC_VIEWS = 16631,
        IDC_NO_DOUBLE_CLICK = 16632,
        IDC_DOUBLE_CLICK_COMMAND = 16633,
        IDC_COMMANDS = 16634
    };

    CQENMousePage();

    void SetSheet(CQENToolbarCustomize* pSheet) { m_pSheet = pSheet; }

    BOOL OnInitDialog() override;

protected:
    void FillViews();
    void FillCommands();
    // The id of the selected view; -1 when none is selected.
    int SelectedView() const;
    // The options and the command list as the selected view's binding has them.
    void ShowBinding();
    void ShowPrompt(UINT nCommandId);
    // Neither option, the list off: no view is chosen.
    void ShowNoView();

    afx_msg void OnViewChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnNoDoubleClick();
    afx_msg void OnDoubleClickCommand();
    afx_msg void OnCommandChanged();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    CListCtrl m_wndViews;
    CImageList m_viewIcons;
    CQENCommandListBox m_wndCommands;
    CObList m_lstCommands;   // the sheet's buttons that run a command, not owned
};

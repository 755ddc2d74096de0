// CQENOptionsPage: the options page of the customization sheet: tool tips and their shortcut keys,
// large icons, the 2000 look, the personalised menus and the reset of the record of used commands.
// Every check box takes effect at once.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>

class CQENToolbarCustomize;

class CQENOptionsPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENOptionsPage)
public:
    static const UINT IDD = 16137;
    enum ControlId
    {
        IDC_TOOLTIPS = 16651,
        IDC_SHORTCUTS_IN_TIPS = 16652,
        IDC_LARGE_ICONS = 16653,
        IDC_LOOK_2000 = 16654,
        IDC_RECENT_COMMANDS_FIRST = 16655,
        IDC_SHOW_ALL_AFTER_DELAY = 16656,
        IDC_RESET_USAGE = 16657,
        IDC_PERSONALIZED_CAPTION = 16538,
        IDC_PERSONALIZED_LINE = 16539,
        IDC_VISUALIZATIONS = 17001
    };

    CQENOptionsPage();

    void SetSheet(CQENToolbarCustomize* pSheet) { m_pSheet = pSheet; }

    BOOL OnInitDialog() override;

protected:
    void ShowControl(UINT nId, BOOL bShow);
    void UpdateDependentBoxes();
    BOOL IsChecked(UINT nId) const { return IsDlgButtonChecked(nId) == BST_CHECKED; }

    afx_msg void OnTooltips();
    afx_msg void OnShortcutsInTips();
    afx_msg void OnLargeIcons();
    afx_msg void OnLook2000();
    afx_msg void OnRecentCommandsFirst();
    afx_msg void OnShowAllAfterDelay();
    afx_msg void OnResetUsage();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    BOOL m_bPersonalized;   // the personalised-menu group is shown
};

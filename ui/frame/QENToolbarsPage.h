// CQENToolbarsPage: the toolbars page of the customization sheet. It lists the toolbars of the
// customized frame, ticked while shown; ticking shows or hides a toolbar at once. It resets one
// toolbar or all of them and, when the sheet allows user-defined toolbars, creates, renames and
// deletes them through the frame. Destructive actions ask first.
//
// CQENToolbarNameDlg: the small dialog that asks for a toolbar's name.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>
#include <afxcmn.h>

class CQENToolBar;
class CQENToolbarCustomize;

class CQENToolbarNameDlg : public CDialog
{
public:
    static const UINT IDD = 16130;
    static const UINT IDC_NAME = 16516;

    explicit CQENToolbarNameDlg(LPCTSTR lpszName, CWnd* pParent = NULL);

    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnNameChanged();
    DECLARE_MESSAGE_MAP()
};

class CQENToolbarsPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENToolbarsPage)
public:
    static const UINT IDD = 16105;
    enum ControlId
    {
        IDC_TOOLBARS = 16611,
        IDC_TEXT_LABELS = 16612,
        IDC_RESET = 16613,
        IDC_RESET_ALL = 16614,
        IDC_NEW = 16615,
        IDC_RENAME = 16616,
        IDC_DELETE = 16617
    };

    CQENToolbarsPage();

    void SetSheet(CQENToolbarCustomize* pSheet) { m_pSheet = pSheet; }
    // A toolbar was shown or hidden elsewhere: its entry follows.
    void ShowVisibility(CQENToolBar* pBar, BOOL bVisible);

    BOOL OnInitDialog() override;

protected:
    // The toolbar of a list entry, NULL when its window is gone.
    CQENToolBar* BarAt(int iItem) const;
    int FindBar(const CQENToolBar* pBar) const;
    // A new entry for the bar, ticked as the bar shows; its index.
    int AddEntry(CQENToolBar* pBar);
    void SelectEntry(int iItem);
    void UpdateButtons();
    BOOL IsListed(CQENToolBar* pBar) const;
    BOOL IsUserToolbar(CQENToolBar* pBar) const;
    CFrameWnd* Frame() const;
    int AskYesNo(UINT nIDPrompt, LPCTSTR lpszName) const;

    afx_msg void OnSelectionChanged();
    afx_msg void OnCheckChanged();
    afx_msg void OnTextLabels();
    afx_msg void OnReset();
    afx_msg void OnResetAll();
    afx_msg void OnNewToolbar();
    afx_msg void OnRenameToolbar();
    afx_msg void OnDeleteToolbar();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    CCheckListBox m_wndToolbars;
};

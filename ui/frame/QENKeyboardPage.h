// CQENKeyboardPage: the keyboard page of the customization sheet. The user picks a command (by
// category, as on the commands page) and the accelerator table to edit (the frame's, or that of a
// document type with a menu of its own), sees the keys bound to the command, presses a new key
// combination, and assigns it or removes a key; the keyboard manager puts each changed table in
// force at once. Reset brings every table back from the resources after asking.
//
// The page edits a copy of the table, taken from the table in force before each change and again
// after it, so that it always shows what the keys really do. A key already bound to another command
// moves to the chosen one: a table never holds a key twice.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>

#include "QENCustomizePage.h"
#include "QENKeyCaptureEdit.h"

#include <vector>

class CMultiDocTemplate;
class CQENToolbarCustomize;

class CQENKeyboardPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENKeyboardPage)
public:
    static const UINT IDD = 16136;
    enum ControlId
    {
        IDC_CATEGORIES = 16601,
        IDC_COMMANDS = 16641,
        IDC_DESCRIPTION = 16514,
        IDC_TABLES = 16642,
        IDC_TABLE_ICON = 16526,
        IDC_CURRENT_KEYS = 16643,
        IDC_NEW_KEY = 16644,
        IDC_ASSIGN = 16645,
        IDC_REMOVE = 16646,
        IDC_RESET = 16614,
        IDC_ASSIGNED_CAPTION = 16528,
        IDC_ASSIGNED_TO = 16527
    };

    CQENKeyboardPage();

    // The sheet the page belongs to, and the name of its all-commands category.
    void SetSheet(CQENToolbarCustomize* pSheet, LPCTSTR lpszAllCommands);

    BOOL OnInitDialog() override;
    // The tables may have changed while another page was shown.
    BOOL OnSetActive() override;

protected:
    CFrameWnd* Frame() const;
    // The document type whose table is edited; NULL for the frame's own table.
    CMultiDocTemplate* EditedTemplate() const;
    HACCEL TableInForce() const;
    // The copy from the table in force; entries that bind no command are left out.
    void LoadTable();
    // The copy becomes the table in force; the copy is then taken again from whatever is in force.
    BOOL ReplaceTable();
    // The index in the copy of the entry for the same key and modifiers, -1 when there is none.
    int FindKey(const ACCEL& key) const;
    CString CommandLabel(UINT nCommandId) const;

    void FillTables();
    void ShowTableIcon();
    void ShowCategory(int iCategory);
    // The keys of the chosen command; iSelect (an index in the copy) is selected when listed.
    void ShowCurrentKeys(int iSelect = -1);
    void ShowTypedKeyBinding();
    void UpdateButtons();

    afx_msg void OnCategoryChanged();
    afx_msg void OnCommandChanged();
    afx_msg void OnTableChanged();
    afx_msg void OnCurrentKeyChanged();
    afx_msg void OnNewKeyChanged();
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    CString m_strAllCommands;
    CComboBox m_wndCategories;
    CQENCommandListBox m_wndCommands;
    CComboBox m_wndTables;
    CListBox m_wndCurrentKeys;
    CQENKeyCaptureEdit m_wndNewKey;
    // The commands of the shown category that a key can be bound to (the sheet owns them).
    CObList m_lstBindable;
    std::vector<ACCEL> m_entries;
};

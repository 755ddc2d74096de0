// CQENUserToolsPage: the tools page of the customization sheet. It lists the user tools in their
// menu order and edits the chosen one at once: its menu text, its program (typed, or chosen with the
// file dialog), its arguments and its initial folder, the last two with the application's menus of
// ready-made entries when it has them. New, delete, up and down change the list through the user
// tools manager, which keeps the number of tools within its range of commands.
//
// A tool needs both a menu text and a program. While one lacks either, the page cannot be left and
// the sheet cannot be closed: the page comes to the front with that tool and its empty field.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>

class CQENUserTool;

class CQENUserToolsPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENUserToolsPage)
public:
    static const UINT IDD = 16138;
    enum ControlId
    {
        IDC_TOOLS = 16661,
        IDC_NEW = 16662,
        IDC_DELETE = 16663,
        IDC_MOVE_UP = 16664,
        IDC_MOVE_DOWN = 16665,
        IDC_LABEL = 16666,
        IDC_COMMAND = 16667,
        IDC_BROWSE = 16668,
        IDC_ARGUMENTS = 16669,
        IDC_ARGUMENTS_MENU = 16670,
        IDC_FOLDER = 16671,
        IDC_FOLDER_MENU = 16672
    };

    CQENUserToolsPage();

    // TRUE when every tool is complete; otherwise the page is brought to the front of pSheet,
    // pointing at the first incomplete tool, and FALSE.
    BOOL MayClose(CPropertySheet* pSheet);

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;

protected:
    static BOOL IsComplete(const CQENUserTool* pTool);
    static CQENUserTool* FirstIncompleteTool();
    // Selects the tool, focuses its empty field and beeps.
    void PointAtTool(CQENUserTool* pTool);

    CQENUserTool* SelectedTool() const;
    // The list anew from the manager, pSelect selected.
    void FillList(CQENUserTool* pSelect);
    // The fields show the selected tool.
    void ShowTool();
    void UpdateButtons();
    // The chosen entry of the menu resource, dropped down beside the button, goes into the edit.
    void InsertFromMenu(UINT nMenuId, UINT nButtonId, UINT nEditId);
    CString FieldText(UINT nId) const;

    afx_msg void OnToolChanged();
    afx_msg void OnNewTool();
    afx_msg void OnDeleteTool();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnLabelChanged();
    afx_msg void OnCommandChanged();
    afx_msg void OnArgumentsChanged();
    afx_msg void OnFolderChanged();
    afx_msg void OnBrowse();
    afx_msg void OnArgumentsMenu();
    afx_msg void OnFolderMenu();
    DECLARE_MESSAGE_MAP()

    CListBox m_wndTools;
    BOOL m_bShowingTool;   // the fields are being filled: their changes are not the user's
};

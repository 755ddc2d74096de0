// CQENCustomizePage: the commands page of the customization sheet. On the left the categories, on
// the right the commands of the chosen one, each drawn as its button draws itself in a command list;
// below them the chosen command's prompt. A command dragged out of the list and dropped on a toolbar,
// the menu bar or an open menu is inserted there as a copy.
//
// CQENCommandListBox: the owner-drawn list of commands that the page (and any page listing
// commands) fills with the sheet's buttons as item data and the label to show as item text.
#pragma once
#include <afxwin.h>
#include <afxdlgs.h>
#include <afxole.h>

class CQENToolbarButton;
class CQENToolbarCustomize;

class CQENCommandListBox : public CListBox
{
public:
    CQENCommandListBox();

    // Fills the list with the buttons of lstButtons (sorted by label when bSorted); a command that
    // also sits in another category, or any command with bFullPaths, shows its menu path.
    void Fill(CQENToolbarCustomize* pSheet, const CObList& lstButtons, BOOL bFullPaths, BOOL bSorted);
    CQENToolbarButton* ButtonAt(int iItem) const;
    CQENToolbarButton* SelectedButton() const { return ButtonAt(GetCurSel()); }
    // Dragging an item out of the list carries a copy of its button.
    void EnableDragging(BOOL bEnable) { m_bDragSource = bEnable; }

    // Items as tall as a menu image with its frame, and the font's line.
    void FitItemHeight();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void DragItem(int iItem);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bDragSource;
    int m_iPressedItem;   // the item the left button went down on, -1: none
    CPoint m_ptPressed;
};

class CQENCustomizePage : public CPropertyPage
{
    DECLARE_DYNAMIC(CQENCustomizePage)
public:
    static const UINT IDD = 16104;
    enum ControlId
    {
        IDC_CATEGORIES = 16601,
        IDC_COMMANDS = 16602,
        IDC_DESCRIPTION = 16603
    };

    CQENCustomizePage();

    // The sheet the page belongs to, and the name of its all-commands category.
    void SetSheet(CQENToolbarCustomize* pSheet, LPCTSTR lpszAllCommands);

    BOOL OnInitDialog() override;

protected:
    void ShowCategory(int iCategory);

    afx_msg void OnCategoryChanged();
    afx_msg void OnCommandChanged();
    DECLARE_MESSAGE_MAP()

    CQENToolbarCustomize* m_pSheet;
    CString m_strAllCommands;
    CListBox m_wndCategories;
    CQENCommandListBox m_wndCommands;
};

// CCheckListBox: an owner-drawn list box with a check box in front of each item.
//
// The box is drawn here in the classic look. A click on the box or the space bar toggles the check of
// an enabled item (the caret item, or every selected item of a multiple-selection list) and sends
// CLBN_CHKCHANGE to the parent in a WM_COMMAND. The list box keeps a block of check state per item;
// GetItemData and SetItemData (and LB_GETITEMDATA, LB_SETITEMDATA) still reach the caller's own value,
// and the owner-draw virtual functions see that value too.
#pragma once
#include "ListBox.h"
#include <vector>

// Notification code of a check change, sent with WM_COMMAND like the list box's own LBN_ codes.
#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    // Destroys the window while this class's handlers still run, so that the check blocks are freed.
    ~CCheckListBox() override;

    // dwStyle must include LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE. With the non-automatic
    // styles a click only notifies the parent, which sets the check itself.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nStyle; }
    // 0 clear, 1 checked, 2 indeterminate (three-state styles).
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    // A disabled item is drawn grey and cannot be toggled by the user.
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;
    // The height that fits both the check box and a line of the list box's font.
    UINT CalcMinimumItemHeight();

    // Draws an item's text right of its check box; derived classes draw their own content there.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    // Where the check box of an item goes; rectCheckBox is the default place at the item's left.
    virtual CRect OnGetCheckPosition(CRect rectItem, CRect rectCheckBox);

    enum { CHECKBOX_SIZE = 13 };

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFindString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct CHECK_DATA
    {
        int nCheck;
        BOOL bEnabled;
        DWORD_PTR dwUserData;
    };

    UINT m_nStyle;

    CHECK_DATA* GetCheckData(int nIndex) const;
    CHECK_DATA* EnsureCheckData(int nIndex);
    int NextCheck(int nCheck) const;
    CRect CheckBoxRect(int nIndex);
    CRect CheckBoxRect(const RECT& rectItem);
    void NotifyCheckChange();
    void FitItemHeight();
    void DrawCheckBox(CDC* pDC, const CRect& rectBox, int nCheck, BOOL bEnabled);
    void CollectCheckData(std::vector<CHECK_DATA*>& items) const;
};

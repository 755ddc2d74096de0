// CListBox: a list box control. Owner-drawn list boxes draw, measure, compare and delete their items
// in the virtual functions below and MeasureItem, reached through the parent's reflected WM_DRAWITEM, WM_MEASUREITEM,
// WM_COMPAREITEM and WM_DELETEITEM.
#pragma once
#include "Wnd.h"

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- items ----
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int AddString(LPCTSTR lpszItem) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int InsertString(int nIndex, LPCTSTR lpszItem) { return (int)SendMessage(LB_INSERTSTRING, nIndex, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const { return (int)SendMessage(LB_GETTEXT, nIndex, (LPARAM)lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, nIndex); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendMessage(LB_SETITEMDATA, nIndex, (LPARAM)dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int InitStorage(int nItems, UINT nBytes) { return (int)SendMessage(LB_INITSTORAGE, nItems, nBytes); }

    // ---- searching (case-insensitive; nStartAfter -1 searches from the top and wraps around) ----
    int FindString(int nStartAfter, LPCTSTR lpszItem) const
        { return (int)SendMessage(LB_FINDSTRING, nStartAfter, (LPARAM)lpszItem); }
    int FindStringExact(int nStartAfter, LPCTSTR lpszFind) const
        { return (int)SendMessage(LB_FINDSTRINGEXACT, nStartAfter, (LPARAM)lpszFind); }
    int SelectString(int nStartAfter, LPCTSTR lpszItem)
        { return (int)SendMessage(LB_SELECTSTRING, nStartAfter, (LPARAM)lpszItem); }

    // ---- selection ----
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, nSelect); }
    // Multiple-selection list boxes; nIndex -1 selects or clears every item.
    int GetSel(int nIndex) const { return (int)SendMessage(LB_GETSEL, nIndex); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)SendMessage(LB_SETSEL, bSelect, nIndex); }
    int GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)SendMessage(LB_GETSELITEMS, nMaxItems, (LPARAM)rgIndex); }
    int SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
        { return (int)SendMessage(LB_SELITEMRANGE, bSelect, MAKELONG(nFirstItem, nLastItem)); }
    int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return (int)SendMessage(LB_SETCARETINDEX, nIndex, bScroll); }
    int GetAnchorIndex() const { return (int)SendMessage(LB_GETANCHORINDEX); }
    void SetAnchorIndex(int nIndex) { SendMessage(LB_SETANCHORINDEX, nIndex); }

    // ---- geometry and scrolling ----
    int GetItemHeight(int nIndex) const { return (int)SendMessage(LB_GETITEMHEIGHT, nIndex); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendMessage(LB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0)); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)SendMessage(LB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    // The item nearest to pt (client coordinates); bOutside tells whether pt lies outside every item.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return (int)SendMessage(LB_SETTOPINDEX, nIndex); }
    int GetHorizontalExtent() const { return (int)SendMessage(LB_GETHORIZONTALEXTENT); }
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, cxExtent); }
    void SetColumnWidth(int cxWidth) { SendMessage(LB_SETCOLUMNWIDTH, cxWidth); }
    // Tab stops in dialog template units; without arguments every 32 units.
    void SetTabStops() { SendMessage(LB_SETTABSTOPS); }
    BOOL SetTabStops(const int& cxEachStop) { return (BOOL)SendMessage(LB_SETTABSTOPS, 1, (LPARAM)&cxEachStop); }
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops) { return (BOOL)SendMessage(LB_SETTABSTOPS, nTabStops, (LPARAM)rgTabStops); }

    // ---- owner draw (MeasureItem is CWnd's: by default items keep the height the control gives) ----
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Negative, zero or positive as item 1 sorts before, with or after item 2 (sorted list boxes
    // without LBS_HASSTRINGS).
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

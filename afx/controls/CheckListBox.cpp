#include "CheckListBox.h"
#include "DC.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_NCDESTROY()
    ON_MESSAGE(LB_ADDSTRING, OnAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnAddString)
    ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
    ON_MESSAGE(LB_GETITEMDATA, OnGetItemData)
    ON_MESSAGE(LB_SETITEMDATA, OnSetItemData)
    ON_MESSAGE(LB_FINDSTRING, OnFindString)
    ON_MESSAGE(LB_FINDSTRINGEXACT, OnFindString)
    ON_MESSAGE(LB_SELECTSTRING, OnSelectString)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

namespace {

const int TEXT_GAP = 2;   // pixels between the check box and the item's content

} // namespace

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX)
{
}

CCheckListBox::~CCheckListBox()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    ASSERT(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    ASSERT(GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
    // A list box from a dialog template got its font before it became ours.
    FitItemHeight();
}

int CCheckListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    FitItemHeight();
    return 0;
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    ASSERT(nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE || nStyle == BS_AUTO3STATE);
    m_nStyle = nStyle;
}

CCheckListBox::CHECK_DATA* CCheckListBox::GetCheckData(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    // Past our own LB_GETITEMDATA handler, which answers with the caller's value.
    return (CHECK_DATA*)const_cast<CCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, nIndex, 0);
}

CCheckListBox::CHECK_DATA* CCheckListBox::EnsureCheckData(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    CHECK_DATA* pData = GetCheckData(nIndex);
    if (pData == NULL)
    {
        pData = new CHECK_DATA{0, TRUE, 0};
        DefWindowProc(LB_SETITEMDATA, nIndex, (LPARAM)pData);
    }
    return pData;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CHECK_DATA* pData = EnsureCheckData(nIndex);
    if (pData == NULL || pData->nCheck == nCheck)
        return;
    pData->nCheck = nCheck;
    CRect rectBox = CheckBoxRect(nIndex);
    InvalidateRect(&rectBox, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData == NULL ? 0 : pData->nCheck;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CHECK_DATA* pData = EnsureCheckData(nIndex);
    if (pData == NULL || pData->bEnabled == bEnabled)
        return;
    pData->bEnabled = bEnabled;
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) != LB_ERR)
        InvalidateRect(&rectItem, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData == NULL || pData->bEnabled;
}

UINT CCheckListBox::CalcMinimumItemHeight()
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    int nHeight = tm.tmHeight > CHECKBOX_SIZE + 2 ? tm.tmHeight : CHECKBOX_SIZE + 2;
    return (UINT)nHeight;
}

void CCheckListBox::FitItemHeight()
{
    if (!(GetStyle() & LBS_OWNERDRAWFIXED))
        return;
    UINT nMinimum = CalcMinimumItemHeight();
    if ((UINT)GetItemHeight(0) < nMinimum)
        SetItemHeight(0, nMinimum);
}

CRect CCheckListBox::OnGetCheckPosition(CRect, CRect rectCheckBox)
{
    return rectCheckBox;
}

CRect CCheckListBox::CheckBoxRect(const RECT& rectItem)
{
    int nTop = rectItem.top + (rectItem.bottom - rectItem.top - CHECKBOX_SIZE) / 2;
    CRect rectBox(rectItem.left + 1, nTop, rectItem.left + 1 + CHECKBOX_SIZE, nTop + CHECKBOX_SIZE);
    return OnGetCheckPosition(CRect(rectItem), rectBox);
}

CRect CCheckListBox::CheckBoxRect(int nIndex)
{
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) == LB_ERR)
        return CRect(0, 0, 0, 0);
    return CheckBoxRect(rectItem);
}

void CCheckListBox::DrawCheckBox(CDC* pDC, const CRect& rectBox, int nCheck, BOOL bEnabled)
{
    // The classic sunken box: a shadow/highlight frame outside a dark-shadow/light frame.
    CRect rect = rectBox;
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    rect.DeflateRect(1, 1);
    BOOL bPlain = bEnabled && nCheck != 2;
    pDC->FillSolidRect(&rect, ::GetSysColor(bPlain ? COLOR_WINDOW : COLOR_BTNFACE));
    if (nCheck == 0)
        return;

    // The check mark: seven columns three pixels high, down to the fourth column and up again.
    COLORREF crMark = ::GetSysColor(bPlain ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
    for (int nColumn = 0; nColumn < 7; ++nColumn)
    {
        int nTop = nColumn <= 2 ? 5 + nColumn : 9 - nColumn;
        pDC->FillSolidRect(rectBox.left + 3 + nColumn, rectBox.top + nTop, 1, 3, crMark);
    }
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    int nItem = (int)lpDrawItemStruct->itemID;
    if (nItem >= 0 && (lpDrawItemStruct->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
    {
        BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
        BOOL bEnabled = IsEnabled(nItem) && IsWindowEnabled();
        pDC->FillSolidRect(&rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (GetStyle() & LBS_HASSTRINGS)
        {
            CString strText;
            GetText(nItem, strText);
            int nOldMode = pDC->SetBkMode(TRANSPARENT);
            COLORREF crOldText = pDC->SetTextColor(
                ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            CRect rectText = rect;
            rectText.left += TEXT_GAP;
            UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
            if (GetStyle() & LBS_USETABSTOPS)
                nFormat |= DT_EXPANDTABS;
            pDC->DrawText(strText, &rectText, nFormat);
            pDC->SetTextColor(crOldText);
            pDC->SetBkMode(nOldMode);
        }
    }
    // A focus change alone toggles the dotted frame; a full redraw of the focused item draws it anew.
    if ((lpDrawItemStruct->itemAction & ODA_FOCUS) ||
        ((lpDrawItemStruct->itemAction & ODA_DRAWENTIRE) && (lpDrawItemStruct->itemState & ODS_FOCUS)))
        pDC->DrawFocusRect(&rect);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = CalcMinimumItemHeight();
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
    {
        DRAWITEMSTRUCT drawItem = *(LPDRAWITEMSTRUCT)lParam;
        int nItem = (int)drawItem.itemID;
        if (nItem >= 0)
        {
            CHECK_DATA* pData = (CHECK_DATA*)drawItem.itemData;
            CRect rectBox = CheckBoxRect(drawItem.rcItem);
            if (drawItem.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
            {
                CDC* pDC = CDC::FromHandle(drawItem.hDC);
                CRect rectColumn(drawItem.rcItem.left, drawItem.rcItem.top, rectBox.right + TEXT_GAP,
                                 drawItem.rcItem.bottom);
                pDC->FillSolidRect(&rectColumn, ::GetSysColor(COLOR_WINDOW));
                DrawCheckBox(pDC, rectBox, pData != NULL ? pData->nCheck : 0,
                             (pData == NULL || pData->bEnabled) && IsWindowEnabled());
            }
            drawItem.rcItem.left = rectBox.right + TEXT_GAP;
            drawItem.itemData = pData != NULL ? pData->dwUserData : 0;
        }
        DrawItem(&drawItem);
        break;
    }
    case WM_MEASUREITEM:
    {
        LPMEASUREITEMSTRUCT lpMeasure = (LPMEASUREITEMSTRUCT)lParam;
        MEASUREITEMSTRUCT measure = *lpMeasure;
        // Without LBS_HASSTRINGS the item being added carries our block in place of the caller's value.
        if (!(GetStyle() & LBS_HASSTRINGS) && measure.itemData != 0)
            measure.itemData = ((CHECK_DATA*)measure.itemData)->dwUserData;
        MeasureItem(&measure);
        UINT nMinimum = CalcMinimumItemHeight();
        lpMeasure->itemHeight = measure.itemHeight > nMinimum ? measure.itemHeight : nMinimum;
        break;
    }
    case WM_COMPAREITEM:
    {
        COMPAREITEMSTRUCT compare = *(LPCOMPAREITEMSTRUCT)lParam;
        if (compare.itemData1 != 0)
            compare.itemData1 = ((CHECK_DATA*)compare.itemData1)->dwUserData;
        if (compare.itemData2 != 0)
            compare.itemData2 = ((CHECK_DATA*)compare.itemData2)->dwUserData;
        LRESULT lResult = CompareItem(&compare);
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    case WM_DELETEITEM:
    {
        DELETEITEMSTRUCT deleteItem = *(LPDELETEITEMSTRUCT)lParam;
        CHECK_DATA* pData = (CHECK_DATA*)deleteItem.itemData;
        deleteItem.itemData = pData != NULL ? pData->dwUserData : 0;
        DeleteItem(&deleteItem);
        break;
    }
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

int CCheckListBox::NextCheck(int nCheck) const
{
    switch (m_nStyle)
    {
    case BS_AUTOCHECKBOX:
        return nCheck == 1 ? 0 : 1;
    case BS_AUTO3STATE:
        return (nCheck + 1) % 3;
    default:
        return nCheck;   // the parent decides on CLBN_CHKCHANGE
    }
}

void CCheckListBox::NotifyCheckChange()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (!bOutside && IsEnabled(nIndex) && CheckBoxRect(nIndex).PtInRect(point))
    {
        SetCheck(nIndex, NextCheck(GetCheck(nIndex)));
        NotifyCheckChange();
    }
    Default();
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The second press of a double click on a box toggles it once more.
    OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    int nCaret = GetCaretIndex();
    if (nChar != VK_SPACE || nCaret < 0 || !IsEnabled(nCaret))
    {
        Default();
        return;
    }
    int nCheck = NextCheck(GetCheck(nCaret));
    if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
    {
        // The whole selection follows the caret item.
        int nSelected = GetSelCount();
        std::vector<int> selected(nSelected > 0 ? nSelected : 0);
        if (nSelected > 0)
            GetSelItems(nSelected, selected.data());
        for (int nIndex : selected)
        {
            if (IsEnabled(nIndex))
                SetCheck(nIndex, nCheck);
        }
    }
    SetCheck(nCaret, nCheck);
    NotifyCheckChange();
}

void CCheckListBox::CollectCheckData(std::vector<CHECK_DATA*>& items) const
{
    int nCount = GetCount();
    for (int nIndex = 0; nIndex < nCount; ++nIndex)
    {
        CHECK_DATA* pData = GetCheckData(nIndex);
        if (pData != NULL)
            items.push_back(pData);
    }
}

void CCheckListBox::OnNcDestroy()
{
    // The blocks outlive the list box's own WM_DELETEITEM notifications, which still read them.
    std::vector<CHECK_DATA*> items;
    CollectCheckData(items);
    CListBox::OnNcDestroy();
    for (CHECK_DATA* pData : items)
        delete pData;
}

LRESULT CCheckListBox::OnAddString(WPARAM wParam, LPARAM lParam)
{
    UINT message = GetCurrentMessage()->message;
    CHECK_DATA* pData = new CHECK_DATA{0, TRUE, 0};
    LRESULT lResult;
    if (GetStyle() & LBS_HASSTRINGS)
    {
        lResult = DefWindowProc(message, wParam, lParam);
        if (lResult >= 0)
            DefWindowProc(LB_SETITEMDATA, lResult, (LPARAM)pData);
    }
    else
    {
        // The "string" is the caller's value; the list box keeps our block, which carries it.
        pData->dwUserData = (DWORD_PTR)lParam;
        lResult = DefWindowProc(message, wParam, (LPARAM)pData);
    }
    if (lResult < 0)
        delete pData;
    return lResult;
}

LRESULT CCheckListBox::OnDeleteString(WPARAM wParam, LPARAM)
{
    CHECK_DATA* pData = GetCheckData((int)wParam);
    LRESULT lResult = Default();
    if (lResult != LB_ERR)
        delete pData;
    return lResult;
}

LRESULT CCheckListBox::OnResetContent(WPARAM, LPARAM)
{
    std::vector<CHECK_DATA*> items;
    CollectCheckData(items);
    LRESULT lResult = Default();
    for (CHECK_DATA* pData : items)
        delete pData;
    return lResult;
}

LRESULT CCheckListBox::OnGetItemData(WPARAM wParam, LPARAM)
{
    int nIndex = (int)wParam;
    if (nIndex < 0 || nIndex >= GetCount())
        return LB_ERR;
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData != NULL ? (LRESULT)pData->dwUserData : 0;
}

LRESULT CCheckListBox::OnSetItemData(WPARAM wParam, LPARAM lParam)
{
    CHECK_DATA* pData = EnsureCheckData((int)wParam);
    if (pData == NULL)
        return LB_ERR;
    pData->dwUserData = (DWORD_PTR)lParam;
    return 0;
}

LRESULT CCheckListBox::OnFindString(WPARAM wParam, LPARAM lParam)
{
    if (GetStyle() & LBS_HASSTRINGS)
        return Default();
    // Without strings the list box would compare our blocks: search the callers' values instead.
    int nCount = GetCount();
    int nStartAfter = (int)wParam < nCount ? (int)wParam : -1;
    for (int nStep = 1; nStep <= nCount; ++nStep)
    {
        int nIndex = (nStartAfter + nStep) % nCount;
        CHECK_DATA* pData = GetCheckData(nIndex);
        if (pData != NULL && pData->dwUserData == (DWORD_PTR)lParam)
            return nIndex;
    }
    return LB_ERR;
}

LRESULT CCheckListBox::OnSelectString(WPARAM wParam, LPARAM lParam)
{
    if (GetStyle() & LBS_HASSTRINGS)
        return Default();
    int nIndex = (int)OnFindString(wParam, lParam);
    if (nIndex != LB_ERR)
        SetCurSel(nIndex);
    return nIndex;
}

LRESULT CCheckListBox::OnSetFont(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    FitItemHeight();
    return lResult;
}

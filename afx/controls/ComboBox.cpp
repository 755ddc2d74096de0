#include "ComboBox.h"
#include "OwnerDrawItems.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox()
{
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return;
    }
    nLength = GetLBText(nIndex, rString.GetBuffer(nLength));
    rString.ReleaseBuffer(nLength == CB_ERR ? 0 : nLength);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE);   // an owner-drawn combo box needs a class that draws it
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE);   // sorted owner-drawn items without strings need a class that compares them
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxReflectOwnerDrawItem(*this, message, lParam, pResult) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

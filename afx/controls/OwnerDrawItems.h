// The owner-draw messages that a list or combo box's parent reflects back to the control, handed to
// the control's own DrawItem, MeasureItem, CompareItem and DeleteItem.
#pragma once
#include "AfxDefs.h"

// FALSE when the message is none of the four.
template <class TItemControl>
BOOL AfxReflectOwnerDrawItem(TItemControl& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message)
    {
    case WM_DRAWITEM:
        control.DrawItem((LPDRAWITEMSTRUCT)lParam);
        break;
    case WM_MEASUREITEM:
        control.MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        break;
    case WM_COMPAREITEM:
        lResult = control.CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case WM_DELETEITEM:
        control.DeleteItem((LPDELETEITEMSTRUCT)lParam);
        break;
    default:
        return FALSE;
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

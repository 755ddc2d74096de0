#include "DataExchange.h"
#include "Exception.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "afxres.h"

#include <errno.h>
#include <float.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

// Sets a window's text only when it differs, so that unchanged fields neither flicker nor notify.
CString WindowText(HWND hWnd)
{
    CString strText;
    CWnd::FromHandle(hWnd)->GetWindowText(strText);
    return strText;
}

void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew)
{
    if (WindowText(hWnd) != lpszNew)
        ::SetWindowTextA(hWnd, lpszNew);
}

BOOL IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Reads a whole decimal number, blanks around it allowed; FALSE for anything else or a value outside
// [nMin, nMax].
BOOL ParseWholeNumber(LPCTSTR lpsz, long long nMin, long long nMax, long long& nValue)
{
    while (IsBlank(*lpsz))
        ++lpsz;
    BOOL bNegative = FALSE;
    if (*lpsz == '-' || *lpsz == '+')
        bNegative = *lpsz++ == '-';
    if (*lpsz < '0' || *lpsz > '9')
        return FALSE;
    unsigned long long nMagnitude = 0;
    for (; *lpsz >= '0' && *lpsz <= '9'; ++lpsz)
    {
        nMagnitude = nMagnitude * 10 + (unsigned)(*lpsz - '0');
        if (nMagnitude > 0xFFFFFFFFull + 1)
            return FALSE;   // beyond every type exchanged here; also keeps the product from overflowing
    }
    while (IsBlank(*lpsz))
        ++lpsz;
    if (*lpsz != '\0')
        return FALSE;
    long long nResult = bNegative ? -(long long)nMagnitude : (long long)nMagnitude;
    if (nResult < nMin || nResult > nMax)
        return FALSE;
    nValue = nResult;
    return TRUE;
}

BOOL ParseReal(LPCTSTR lpsz, double dMax, double& dValue)
{
    while (IsBlank(*lpsz))
        ++lpsz;
    if (*lpsz == '\0')
        return FALSE;
    char* pEnd = NULL;
    errno = 0;
    double d = strtod(lpsz, &pEnd);
    if (pEnd == lpsz || errno == ERANGE || !isfinite(d) || fabs(d) > dMax)
        return FALSE;
    while (IsBlank(*pEnd))
        ++pEnd;
    if (*pEnd != '\0')
        return FALSE;
    dValue = d;
    return TRUE;
}

[[noreturn]] void FailWithPrompt(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The exchange shared by all integer types: the text is parsed into [nMin, nMax] when saving.
long long ExchangeWholeNumber(CDataExchange* pDX, int nIDC, long long nValue, long long nMin, long long nMax,
                              UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (!ParseWholeNumber(WindowText(hWndCtrl), nMin, nMax, nValue))
            FailWithPrompt(pDX, nIDPrompt);
        return nValue;
    }
    char szText[32];
    snprintf(szText, sizeof szText, "%lld", nValue);
    SetWindowTextIfChanged(hWndCtrl, szText);
    return nValue;
}

double ExchangeReal(CDataExchange* pDX, int nIDC, double dValue, double dMax, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (!ParseReal(WindowText(hWndCtrl), dMax, dValue))
            FailWithPrompt(pDX, AFX_IDP_PARSE_REAL);
        return dValue;
    }
    char szText[64];
    snprintf(szText, sizeof szText, "%.*g", nDigits, dValue);
    SetWindowTextIfChanged(hWndCtrl, szText);
    return dValue;
}

// The item text of a list or combo box, by the messages that box understands.
CString ItemText(HWND hWndCtrl, int nIndex, UINT nMsgGetLen, UINT nMsgGetText)
{
    CString strText;
    int nLen = (int)::SendMessageA(hWndCtrl, nMsgGetLen, nIndex, 0);
    if (nLen > 0)
    {
        int nGot = (int)::SendMessageA(hWndCtrl, nMsgGetText, nIndex, (LPARAM)strText.GetBuffer(nLen + 1));
        strText.ReleaseBuffer(nGot > 0 ? nGot : 0);
    }
    return strText;
}

// Ends the lock-out of control notifications however the exchange ends.
class CNotifyLockout
{
public:
    explicit CNotifyLockout(HWND hWnd)
        : m_pState(AfxGetThreadState()), m_hWndOld(m_pState->m_hLockoutNotifyWindow)
    {
        m_pState->m_hLockoutNotifyWindow = hWnd;
    }
    ~CNotifyLockout() { m_pState->m_hLockoutNotifyWindow = m_hWndOld; }
    CNotifyLockout(const CNotifyLockout&) = delete;
    CNotifyLockout& operator=(const CNotifyLockout&) = delete;

private:
    AFX_THREAD_STATE* m_pState;
    HWND m_hWndOld;
};

} // namespace

// ---------------------------------------------------------------------------------------------------
// CDataExchange and UpdateData

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl != NULL)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Setting the controls makes them notify this window; its handlers must not act on that.
    CNotifyLockout lockout(m_hWnd);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();   // validation failed; the user has been told and the control has the focus
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

// ---------------------------------------------------------------------------------------------------
// DDX_Text

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    value = (int)ExchangeWholeNumber(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    value = (UINT)ExchangeWholeNumber(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    value = (long)ExchangeWholeNumber(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    value = (DWORD)ExchangeWholeNumber(pDX, nIDC, value, 0, ULONG_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    value = (BYTE)ExchangeWholeNumber(pDX, nIDC, value, 0, 255, AFX_IDP_PARSE_BYTE);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    value = (short)ExchangeWholeNumber(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    value = ExchangeReal(pDX, nIDC, value, DBL_MAX, DBL_DIG);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    value = (float)ExchangeReal(pDX, nIDC, value, FLT_MAX, FLT_DIG);
}

// ---------------------------------------------------------------------------------------------------
// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
    {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndFirst = pDX->PrepareCtrl(nIDC);
    ASSERT(::GetWindowLongA(hWndFirst, GWL_STYLE) & WS_GROUP);
    if (pDX->m_bSaveAndValidate)
        value = -1;

    int iButton = 0;
    for (HWND hWndCtrl = hWndFirst; hWndCtrl != NULL; hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT))
    {
        if (hWndCtrl != hWndFirst && (::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP))
            break;   // the next group begins
        if (!(::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                value = iButton;
        }
        else
            ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
        ++iButton;
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

// ---------------------------------------------------------------------------------------------------
// List and combo boxes

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        // A drop-down list has no edit field; its text is that of the selected item.
        if ((::GetWindowLongA(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST)
        {
            int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
            value = nIndex != CB_ERR ? ItemText(hWndCtrl, nIndex, CB_GETLBTEXTLEN, CB_GETLBTEXT) : CString();
        }
        else
            value = WindowText(hWndCtrl);
    }
    else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
        SetWindowTextIfChanged(hWndCtrl, value);   // no item matches: the edit field shows the text
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        value = nIndex != LB_ERR ? ItemText(hWndCtrl, nIndex, LB_GETTEXTLEN, LB_GETTEXT) : CString();
    }
    else
        ::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
}

// ---------------------------------------------------------------------------------------------------
// Validation

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        char szChars[16];
        wsprintfA(szChars, "%d", nChars);
        CString strPrompt;
        AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, szChars);
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
        pDX->Fail();
    }
    // The edit field itself then refuses longer input.
    if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl)
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[16];
    char szMax[16];
    wsprintfA(szMin, "%d", minVal);
    wsprintfA(szMax, "%d", maxVal);
    CString strPrompt;
    AfxFormatString2(strPrompt, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_INT_RANGE);
    pDX->Fail();
}

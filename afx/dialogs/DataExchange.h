// Dialog data exchange: CDataExchange carries the direction of one UpdateData pass; the DDX_
// functions move a value between a control and a member, the DDV_ functions validate it.
#pragma once
#include "Wnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls to members, with validation; FALSE: members to controls
    CWnd* m_pDlgWnd;           // the window whose controls are exchanged
    HWND m_hWndLastControl;    // the control of the latest DDX call, which a failure focuses
    BOOL m_bEditLastControl;   // that control is an edit field (a failure selects its text)

    // Finds control nIDC of the window and remembers it for Fail; throws CNotSupportedException
    // when the window has no such control.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);

    // Ends the exchange after a validation failure the user has been told about: focuses the last
    // prepared control and throws a CUserException, which UpdateData catches.
    [[noreturn]] void Fail();
};

// Text of an edit field (or any window); numbers are parsed and written in the C locale's notation.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);

// Check state of a check box: 0, 1 or 2 (indeterminate); a stored value outside 0..2 shows as 0.
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked button in the group of radio buttons starting at nIDC (WS_GROUP); -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses control nIDC with rControl the first time; later passes leave it alone.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Selection of a combo box or list box by index (-1 for none) or by text (loading selects the first
// item that begins with the text).
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);

// Validation, called right after the DDX call of the same member.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

#include "Edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::CEdit()
{
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessage(EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    nStartChar = (int)dwStart;
    nEndChar = (int)dwEnd;
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (nMaxLength < (int)sizeof(WORD))
    {
        // Too small for the size word the control reads; copy through a buffer of our own.
        char szLine[sizeof(WORD)];
        *(WORD*)szLine = sizeof(WORD);
        int nCopied = (int)SendMessage(EM_GETLINE, nIndex, (LPARAM)szLine);
        nCopied = nCopied < nMaxLength ? nCopied : nMaxLength;
        memcpy(lpszBuffer, szLine, nCopied);
        return nCopied;
    }
    *(WORD*)lpszBuffer = (WORD)nMaxLength;
    return (int)SendMessage(EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    DWORD dwPos = (DWORD)SendMessage(EM_POSFROMCHAR, nChar);
    return CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos));
}

#include "OleException.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(COleException, CException)

COleException::COleException(SCODE sc)
    : m_sc(sc)
{
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    char szSystem[512];
    DWORD nLength = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                   (DWORD)m_sc, 0, szSystem, sizeof(szSystem), NULL);
    // The system's texts end with a line break that a message box would show as an empty line.
    while (nLength > 0 && (szSystem[nLength - 1] == '\n' || szSystem[nLength - 1] == '\r'))
        szSystem[--nLength] = '\0';
    if (nLength == 0)
        snprintf(szSystem, sizeof(szSystem), "OLE 错误 0x%08lX", (unsigned long)m_sc);
    AfxCopyTextBounded(lpszError, (int)nMaxError, szSystem);
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

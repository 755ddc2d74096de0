// COleException: an OLE operation failed with a status code.
#pragma once
#include "Exception.h"
#include "OleDefs.h"

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = E_UNEXPECTED);

    // The status code that stands for any framework exception: the code of an OLE exception,
    // E_OUTOFMEMORY for memory, E_NOTIMPL for an unsupported operation, E_UNEXPECTED otherwise.
    static SCODE PASCAL Process(const CException* pAnyException);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// Runs the body of a COM method that the system's OLE calls: a framework exception must not cross
// into the system, so it becomes the method's status code.
template <class Body>
HRESULT AfxOleGuard(Body body)
{
    try
    {
        return body();
    }
    catch (CException* e)
    {
        SCODE sc = COleException::Process(e);
        e->Delete();
        return sc;
    }
}

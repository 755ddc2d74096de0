// The test program's document: a note, the name of its writer and a counter.
#pragma once
#include <afxwin.h>

class CSdiDoc : public CDocument
{
    DECLARE_DYNCREATE(CSdiDoc)
public:
    CString m_strNote;
    CString m_strName;
    int m_nCount = 0;

    void DeleteContents() override;
    void Serialize(CArchive& ar) override;
};

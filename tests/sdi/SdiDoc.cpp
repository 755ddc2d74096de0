#include "SdiDoc.h"

IMPLEMENT_DYNCREATE(CSdiDoc, CDocument)

void CSdiDoc::DeleteContents()
{
    m_strNote.Empty();
    m_strName.Empty();
    m_nCount = 0;
}

void CSdiDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strNote << m_strName << (LONG)m_nCount;
    else
    {
        LONG nCount;
        ar >> m_strNote >> m_strName >> nCount;
        m_nCount = (int)nCount;
    }
}

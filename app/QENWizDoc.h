// CQENWizDoc: the document of the single-document installer. It holds nothing: the program never
// loads or saves documents of its own, so the framework's new-document and (empty) serialization
// behaviour is all it needs.
#pragma once
#include <afxwin.h>

class CQENWizDoc : public CDocument
{
    DECLARE_DYNCREATE(CQENWizDoc)
protected:
    CQENWizDoc() = default;
};

// The test program's form view: the note, the counter and the writer's name of the document.
#pragma once
#include <afxwin.h>

class CSdiDoc;

class CSdiView : public CFormView
{
    DECLARE_DYNCREATE(CSdiView)
protected:
    CSdiView();

public:
    CSdiDoc* GetDocument() const;

    CString m_strNote;
    int m_nCount = 0;
    CString m_strShownName;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    afx_msg void OnViewCount();
    afx_msg void OnEditName();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Copies the document into the members and shows them.
    void ShowDocument();
    // Takes what the user typed into the document.
    void StoreNote();

    DECLARE_MESSAGE_MAP()
};

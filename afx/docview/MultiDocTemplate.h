// CMultiDocTemplate: a template whose every File New or Open makes another document with a frame
// of its own; untitled documents are numbered.
#pragma once
#include "DocTemplate.h"
#include "PtrList.h"

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    // The menu the frame shows while a document of this template is active: the menu resource of
    // the template's id, NULL when there is none. Destroyed with the template.
    HMENU m_hMenuShared;
    // The accelerators the template's frames share: the table of the template's id, NULL when there
    // is none. Destroyed with the template.
    HACCEL m_hAccelTable;

protected:
    CPtrList m_docList;
    UINT m_nUntitledCount;   // untitled documents made so far
};

#include "SingleDocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // A document still open at the end is unlinked, not deleted: its frame owns it.
    if (m_pOnlyDoc != NULL)
        RemoveDocument(m_pOnlyDoc);
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == NULL);
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == pDoc);
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != NULL ? reinterpret_cast<POSITION>(1) : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    rPos = NULL;
    return m_pOnlyDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    pDocument->SetTitle(GetUntitledName());
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = pDocument == NULL;

    if (!bCreated)
    {
        // The one document is reused: it must be saved first if the user wants to.
        if (!pDocument->SaveModified())
            return NULL;
        pFrame = static_cast<CFrameWnd*>(AfxGetMainWnd());
        ASSERT(pFrame != NULL && pFrame->IsFrameWnd());
    }
    else
    {
        pFrame = CreateNewDocumentAndFrame(pDocument);
        if (pFrame == NULL)
            return NULL;
    }

    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            if (bCreated)
                pFrame->DestroyWindow();   // takes the view and with it the document
            return NULL;
        }
    }
    else
    {
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (bCreated)
                pFrame->DestroyWindow();
            else if (!pDocument->IsModified())
                pDocument->SetModifiedFlag(bWasModified);   // the old contents are intact
            else
            {
                // Loading emptied the old contents: what is left is a new, untitled document.
                SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;   // shown by InitialUpdateFrame with the start-up show command
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

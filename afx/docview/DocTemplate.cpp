#include "DocTemplate.h"
#include "CreateContext.h"
#include "Document.h"
#include "FrameWnd.h"
#include "WinApp.h"
#include "afxres.h"

#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_bAutoDelete(TRUE), m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(m_nIDResource);
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index) && !rString.IsEmpty();
}

CString CDocTemplate::GetUntitledName() const
{
    CString strName;
    if (!GetDocString(strName, docName))
        strName.LoadString(AFX_IDS_UNTITLED);
    return strName;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == NULL);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CDocument* pDocument = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (pDocument == NULL)
        return NULL;
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == NULL)
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (pFrame == NULL)
        return NULL;
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

CFrameWnd* CDocTemplate::CreateNewDocumentAndFrame(CDocument*& rpDocument)
{
    rpDocument = CreateNewDocument();
    if (rpDocument == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }
    // The document must not delete itself when a frame that fails takes its view away.
    BOOL bAutoDelete = rpDocument->m_bAutoDelete;
    rpDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(rpDocument, NULL);
    rpDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete rpDocument;
        rpDocument = NULL;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // The position moves on before the document it named is closed and unlinked.
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        GetNextDoc(pos)->OnCloseDocument();
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (AfxComparePath(pDoc->GetPathName(), lpszPathName))
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }

    // The filter extension may list several (".txt;.log"); any of them makes the file native.
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt))
    {
        LPCTSTR lpszDot = ::PathFindExtensionA(lpszPathName);
        CString strExt;
        for (int i = 0; AfxExtractSubString(strExt, strFilterExt, i, ';'); i++)
        {
            strExt.TrimLeft('*');
            if (!strExt.IsEmpty() && *lpszDot != '\0' && strExt.CompareNoCase(lpszDot) == 0)
                return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

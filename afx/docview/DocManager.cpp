#include "DocManager.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "View.h"
#include "WinApp.h"
#include "afxres.h"

#include <commdlg.h>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(m_templateList.Find(pTemplate) == NULL);
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetOpenDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL; nCount++)
            pTemplate->GetNextDoc(posDoc);
    }
    return nCount;
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CString strPath;
    if (!AfxFullPath(strPath, lpszFileName))
    {
        AfxMessageBox(AFX_IDP_INVALID_FILENAME);
        return NULL;
    }

    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatchingDoc = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pMatchingDoc);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
        {
            pOpenDocument = pMatchingDoc;
            break;
        }
    }

    if (pOpenDocument != NULL)
    {
        // Already open: bring its frame forward instead of opening it twice.
        POSITION posView = pOpenDocument->GetFirstViewPosition();
        if (posView != NULL)
        {
            CFrameWnd* pFrame = pOpenDocument->GetNextView(posView)->GetParentFrame();
            if (pFrame != NULL)
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(strPath);
}

// Appends "name\npatterns\n" of one template to a filter under construction. The first template
// with an extension gives the default extension and the filter entry selected at first.
static void AppendFilterSuffix(CString& strFilter, int& nEntries, CDocTemplate* pTemplate, CString& strDefaultExt,
                               DWORD& nFilterIndex)
{
    CString strFilterExt;
    CString strFilterName;
    if (!pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) ||
        !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName))
        return;

    CString strPattern;
    CString strExt;
    for (int i = 0; AfxExtractSubString(strExt, strFilterExt, i, ';'); i++)
    {
        strExt.TrimLeft('*');
        if (strExt.IsEmpty())
            continue;
        if (!strPattern.IsEmpty())
            strPattern += ';';
        strPattern += '*';
        strPattern += strExt;
        if (strDefaultExt.IsEmpty())
        {
            strDefaultExt = strExt.Mid(strExt[0] == '.' ? 1 : 0);
            nFilterIndex = (DWORD)nEntries + 1;
        }
    }
    strFilter += strFilterName;
    strFilter += '\n';
    strFilter += strPattern;
    strFilter += '\n';
    nEntries++;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = CWnd::GetSafeOwner(NULL, NULL)->GetSafeHwnd();
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_ENABLESIZING | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);

    CString strTitle;
    strTitle.LoadString(nIDSTitle);
    ofn.lpstrTitle = strTitle.IsEmpty() ? NULL : (LPCTSTR)strTitle;

    // The filter is built with '\n' between its parts and turned into the '\0' form at the end.
    CString strFilter;
    CString strDefaultExt;
    int nEntries = 0;
    if (pTemplate != NULL)
        AppendFilterSuffix(strFilter, nEntries, pTemplate, strDefaultExt, ofn.nFilterIndex);
    else
    {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
            AppendFilterSuffix(strFilter, nEntries, GetNextDocTemplate(pos), strDefaultExt, ofn.nFilterIndex);
    }
    ofn.lpstrDefExt = strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt;
    CString strAllFilter;
    if (!strAllFilter.LoadString(AFX_IDS_ALLFILTER))
        strAllFilter = "*.*";
    strFilter += strAllFilter;
    strFilter += "\n*.*\n";

    // A newline is never part of a double-byte character, so the bytes can be replaced one by one.
    int nFilterLength = strFilter.GetLength();
    LPTSTR lpszFilter = strFilter.GetBuffer(nFilterLength + 1);
    for (int i = 0; i < nFilterLength; i++)
    {
        if (lpszFilter[i] == '\n')
            lpszFilter[i] = '\0';
    }
    ofn.lpstrFilter = lpszFilter;

    char szFile[MAX_PATH * 2];
    AfxCopyTextBounded(szFile, sizeof szFile, fileName);
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof szFile;

    BOOL bResult = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    strFilter.ReleaseBuffer(0);
    if (bResult)
        fileName = szFile;
    return bResult;
}

void CDocManager::OnFileNew()
{
    // With several templates the first one is taken; there is no chooser.
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    GetNextDocTemplate(pos)->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString strNewName;
    if (!DoPromptFileName(strNewName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    AfxGetApp()->OpenDocumentFile(strNewName);
}

#include "Document.h"
#include "Archive.h"
#include "DocTemplate.h"
#include "Exception.h"
#include "File.h"
#include "FrameWnd.h"
#include "View.h"
#include "WinApp.h"
#include "afxres.h"

#include <commdlg.h>
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

BOOL AFXAPI AfxFullPath(CString& strPathOut, LPCTSTR lpszFileIn)
{
    char szPath[MAX_PATH];
    LPSTR lpszFilePart;
    DWORD nLen = ::GetFullPathNameA(lpszFileIn, MAX_PATH, szPath, &lpszFilePart);
    if (nLen == 0 || nLen >= MAX_PATH)
    {
        strPathOut = lpszFileIn;
        return FALSE;
    }
    strPathOut = szPath;
    return TRUE;
}

BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    // CompareString knows double-byte characters; lstrcmpi alone would fold trail bytes.
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lpszPath1, -1, lpszPath2, -1) == CSTR_EQUAL;
}

CDocument::CDocument()
    : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(NULL), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    // Views that outlive their document must not point at it.
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = NULL;
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    AfxFullPath(m_strPathName, lpszPathName);
    m_bEmbedded = FALSE;
    SetTitle(::PathFindFileNameA(m_strPathName));
    if (bAddToMRU && AfxGetApp() != NULL)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

// ---------------------------------------------------------------------------------------------------
// Views

void CDocument::AddView(CView* pView)
{
    ASSERT(pView->m_pDocument == NULL);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // Each frame counts once however many of the document's views it holds.
    CPtrList frames;
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != NULL && frames.Find(pFrame) == NULL)
            frames.AddTail(pFrame);
    }
    int nFrame = 0;
    for (POSITION pos = frames.GetHeadPosition(); pos != NULL;)
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = frames.GetCount() == 1 ? -1 : ++nFrame;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

// ---------------------------------------------------------------------------------------------------
// Commands

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}

// ---------------------------------------------------------------------------------------------------
// Life cycle

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    SetModifiedFlag();   // the contents are in flux until loading succeeds
    try
    {
        CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        BeginWaitCursor();
        if (pFile->GetLength() != 0)
            Serialize(ar);
        ar.Close();
        EndWaitCursor();
        ReleaseFile(pFile, FALSE);
    }
    catch (CException* e)
    {
        EndWaitCursor();
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    try
    {
        CArchive ar(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        BeginWaitCursor();
        Serialize(ar);
        ar.Close();
        EndWaitCursor();
        ReleaseFile(pFile, FALSE);
    }
    catch (CException* e)
    {
        EndWaitCursor();
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;   // the user has been told already
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_FAILED_MEMORY_ALLOC);
        return;
    }

    UINT nIDP = nIDPDefault;
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CFileException)))
    {
        switch (static_cast<CFileException*>(e)->m_cause)
        {
        case CFileException::fileNotFound:
        case CFileException::badPath:
            nIDP = AFX_IDP_FAILED_INVALID_PATH;
            break;
        case CFileException::diskFull:
            nIDP = AFX_IDP_FAILED_DISK_FULL;
            break;
        case CFileException::accessDenied:
        case CFileException::sharingViolation:
        case CFileException::lockViolation:
            nIDP = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
            break;
        case CFileException::generic:
        case CFileException::hardIO:
        case CFileException::badSeek:
        case CFileException::endOfFile:
            nIDP = bSaving ? AFX_IDP_FAILED_IO_ERROR_WRITE : AFX_IDP_FAILED_IO_ERROR_READ;
            break;
        default:
            break;
        }
    }
    else if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CArchiveException)))
    {
        switch (static_cast<CArchiveException*>(e)->m_cause)
        {
        case CArchiveException::badSchema:
        case CArchiveException::badClass:
        case CArchiveException::badIndex:
        case CArchiveException::endOfFile:
            nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
            break;
        default:
            break;
        }
    }

    CString strPrompt;
    AfxFormatString1(strPrompt, nIDP, lpszPathName);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDP);
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName = m_strPathName.IsEmpty() ? m_strTitle : CString(::PathFindFileNameA(m_strPathName));
    if (strName.IsEmpty())
        strName.LoadString(AFX_IDS_UNTITLED);
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoFileSave()
{
    // A document never saved, or whose file has gone or become read-only, asks for a new name.
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            // Suggest the title, cut at anything that would make it a path, with the default extension.
            strNewName = m_strTitle;
            int nBad = strNewName.FindOneOf(":/\\");
            if (nBad != -1)
                strNewName = strNewName.Left(nBad);
            CString strExt;
            if (m_pDocTemplate != NULL && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt))
            {
                int nSep = strExt.Find(';');
                strNewName += nSep == -1 ? strExt : strExt.Left(nSep);
            }
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL ||
            !pApp->DoPromptFileName(strNewName, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE,
                                    m_pDocTemplate))
            return FALSE;
    }

    if (!OnSaveDocument(strNewName))
    {
        // A file made under a new name must not stay behind half written.
        if (lpszPathName == NULL)
            ::DeleteFileA(strNewName);
        return FALSE;
    }
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Closing one of several frames loses nothing.
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        if (GetNextView(pos)->GetParentFrame() != pFrame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames takes the views with them; the document must survive that.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        else
            pView->DestroyWindow();
        // A view whose window was already gone is dropped by hand.
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

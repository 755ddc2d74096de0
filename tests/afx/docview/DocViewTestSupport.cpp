#include "DocViewTestSupport.h"

#include <gtest/gtest.h>

std::vector<std::string>& HandledCommands()
{
    static std::vector<std::string> s_handled;
    return s_handled;
}

static void Record(const char* pszWho, UINT nID)
{
    HandledCommands().push_back(std::string(pszWho) + ":" + std::to_string(nID));
}

// ---------------------------------------------------------------------------------------------------
// CTestDoc

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC_ONLY, OnDocOnly)
    ON_COMMAND(ID_TEST_VIEW_AND_DOC, OnViewAndDoc)
    ON_COMMAND(ID_TEST_DOC_AND_FRAME, OnDocAndFrame)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

BOOL CTestDoc::OnNewDocument()
{
    m_nNewDocuments++;
    return CDocument::OnNewDocument();
}

void CTestDoc::DeleteContents()
{
    m_nDeleteContents++;
    m_strText.Empty();
}

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strText;
    else
        ar >> m_strText;
}

void CTestDoc::OnDocOnly() { Record("doc", ID_TEST_DOC_ONLY); }
void CTestDoc::OnViewAndDoc() { Record("doc", ID_TEST_VIEW_AND_DOC); }
void CTestDoc::OnDocAndFrame() { Record("doc", ID_TEST_DOC_AND_FRAME); }
void CTestDoc::OnDisabled() { Record("doc", ID_TEST_DISABLED); }
void CTestDoc::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bDisabledCommandEnabled); }

// ---------------------------------------------------------------------------------------------------
// CTestView

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_TEST_VIEW_ONLY, OnViewOnly)
    ON_COMMAND(ID_TEST_VIEW_AND_DOC, OnViewAndDoc)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_RENAMED, OnUpdateRenamed)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

void CTestView::OnDraw(CDC* pDC)
{
    if (pDC->GetSafeHdc() != NULL)
        m_nDraws++;
}

void CTestView::OnInitialUpdate()
{
    m_nInitialUpdates++;
    CView::OnInitialUpdate();
}

void CTestView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    m_nUpdates++;
    m_lLastHint = lHint;
    CView::OnUpdate(pSender, lHint, pHint);
}

BOOL CTestView::OnPreparePrinting(CPrintInfo* pInfo)
{
    m_printSteps.push_back(pInfo->m_bDirect ? "prepare:direct" : "prepare");
    pInfo->SetMaxPage(m_nPrintPages);
    return DoPreparePrinting(pInfo);
}

void CTestView::OnBeginPrinting(CDC*, CPrintInfo* pInfo)
{
    m_printSteps.push_back("begin:" + std::to_string(pInfo->GetMaxPage()));
}

void CTestView::OnPrint(CDC*, CPrintInfo* pInfo)
{
    m_printSteps.push_back("print:" + std::to_string(pInfo->m_nCurPage));
}

void CTestView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_printSteps.push_back("end");
}

void CTestView::OnViewOnly() { Record("view", ID_TEST_VIEW_ONLY); }
void CTestView::OnViewAndDoc() { Record("view", ID_TEST_VIEW_AND_DOC); }
void CTestView::OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
void CTestView::OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("新名"); }

// ---------------------------------------------------------------------------------------------------
// CTestFrame

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_FRAME_ONLY, OnFrameOnly)
    ON_COMMAND(ID_TEST_DOC_AND_FRAME, OnDocAndFrame)
    ON_COMMAND(ID_TEST_ACCEL, OnAccel)
END_MESSAGE_MAP()

void CTestFrame::OnFrameOnly() { Record("frame", ID_TEST_FRAME_ONLY); }
void CTestFrame::OnDocAndFrame() { Record("frame", ID_TEST_DOC_AND_FRAME); }
void CTestFrame::OnAccel() { Record("frame", ID_TEST_ACCEL); }

// ---------------------------------------------------------------------------------------------------
// CSdiTest

void CSdiTest::SetUp()
{
    HandledCommands().clear();
    TestApp().m_nLastAppCommand = 0;
    TestApp().m_nCmdShow = SW_SHOWNOACTIVATE;   // showing without activating spares waits on the X server
    UseTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CTestView));
}

void CSdiTest::UseTemplate(UINT nIDResource, CRuntimeClass* pViewClass)
{
    delete m_pTemplate;
    m_pTemplate = new CSingleDocTemplate(nIDResource, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame), pViewClass);
}

void CSdiTest::TearDown()
{
    POSITION pos = m_pTemplate->GetFirstDocPosition();
    if (pos != NULL)
        m_pTemplate->GetNextDoc(pos)->OnCloseDocument();
    if (TestApp().m_pMainWnd != NULL)
        TestApp().m_pMainWnd->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pTemplate;
}

CTestDoc* CSdiTest::NewDocument()
{
    return static_cast<CTestDoc*>(m_pTemplate->OpenDocumentFile(NULL));
}

CFrameWnd* CSdiTest::Frame() const
{
    return static_cast<CFrameWnd*>(TestApp().m_pMainWnd);
}

CView* CSdiTest::View() const
{
    return Frame()->GetActiveView();
}

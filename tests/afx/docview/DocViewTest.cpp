// Documents, templates, the document manager, command routing and printing, on real windows and
// real files.
#include "DocViewTestSupport.h"
#include "ScratchFolder.h"
#include "RecentFileList.h"

#include <gtest/gtest.h>

namespace {

std::string Text(const CString& str)
{
    return std::string((LPCTSTR)str);
}

// ---------------------------------------------------------------------------------------------------
// Templates

TEST(CDocTemplate, DocumentStringSplitsIntoItsSevenParts)
{
    CSingleDocTemplate docTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                   RUNTIME_CLASS(CTestView));
    const char* expected[] = { "测试程序", "测试文档", "Test", "测试文件 (*.tst)", ".tst", "Test.Document",
                               "Test Document" };
    for (int i = CDocTemplate::windowTitle; i <= CDocTemplate::regFileTypeName; i++)
    {
        CString str;
        EXPECT_TRUE(docTemplate.GetDocString(str, (CDocTemplate::DocStringIndex)i)) << i;
        EXPECT_EQ(expected[i], Text(str)) << i;
    }

    CSingleDocTemplate titleOnly(IDR_TEST_PLAIN, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                 RUNTIME_CLASS(CTestView));
    CString str;
    EXPECT_TRUE(titleOnly.GetDocString(str, CDocTemplate::windowTitle));
    EXPECT_FALSE(titleOnly.GetDocString(str, CDocTemplate::docName));
    EXPECT_FALSE(titleOnly.GetDocString(str, CDocTemplate::regFileTypeName));
}

TEST_F(CSdiTest, TemplateMatchesFilesByExtensionAndKnowsItsOpenDocument)
{
    CScratchFolder folder;
    CDocument* pMatch = NULL;
    EXPECT_EQ(CDocTemplate::yesAttemptNative, m_pTemplate->MatchDocType(folder.Path("a.TST"), pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, m_pTemplate->MatchDocType(folder.Path("a.txt"), pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, m_pTemplate->MatchDocType(folder.Path("tst"), pMatch));
    EXPECT_EQ(nullptr, pMatch);

    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    ASSERT_TRUE(pDoc->DoSave(folder.Path("已开.tst")));
    CString strUpper = folder.Path("已开.TST");
    EXPECT_EQ(CDocTemplate::yesAlreadyOpen, m_pTemplate->MatchDocType(strUpper, pMatch));
    EXPECT_EQ(pDoc, pMatch);
}

// ---------------------------------------------------------------------------------------------------
// The single document

TEST_F(CSdiTest, FileNewMakesDocumentFrameAndViewOnceAndThenReusesThem)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    CFrameWnd* pFrame = Frame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
    CTestView* pView = static_cast<CTestView*>(View());
    ASSERT_NE(nullptr, pView);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(1, pDoc->m_nNewDocuments);
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_EQ("测试文档", Text(pDoc->GetTitle()));
    int nDraws = pView->m_nDraws;
    pView->Invalidate();
    pView->UpdateWindow();
    EXPECT_EQ(nDraws + 1, pView->m_nDraws);

    pDoc->m_strText = "旧内容";
    EXPECT_EQ(pDoc, NewDocument());
    EXPECT_EQ(pFrame, Frame());
    EXPECT_EQ(pView, View());
    EXPECT_EQ(2, pDoc->m_nNewDocuments);
    EXPECT_TRUE(pDoc->m_strText.IsEmpty());
    EXPECT_EQ(2, pView->m_nInitialUpdates);
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pView, pDoc->GetNextView(pos));
    EXPECT_EQ(nullptr, pos);
}

TEST_F(CSdiTest, ModifiedDocumentAsksBeforeItIsReused)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "未保存";
    pDoc->SetModifiedFlag();
    {
        CDialogResponder answer(IDCANCEL);
        EXPECT_EQ(nullptr, NewDocument());
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ("是否保存对 测试文档 的更改？", answer.m_boxes[0].strText);
    }
    EXPECT_EQ("未保存", Text(pDoc->m_strText));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(1, pDoc->m_nNewDocuments);

    CDialogResponder answer(IDNO);
    EXPECT_EQ(pDoc, NewDocument());
    EXPECT_TRUE(answer.Answered());
    EXPECT_TRUE(pDoc->m_strText.IsEmpty());
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(CSdiTest, SavedDocumentOpensAgainThroughSerializeAndJoinsTheRecentFiles)
{
    CScratchFolder folder;
    CString strPath = folder.Path("记录.tst");
    TestApp().m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);

    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "中文内容";
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->DoSave(strPath));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(Text(strPath), Text(pDoc->GetPathName()));
    EXPECT_EQ("记录.tst", Text(pDoc->GetTitle()));
    EXPECT_EQ("记录.tst - 测试程序", WindowText(*Frame()));
    EXPECT_EQ(std::string("\x08") + "中文内容", folder.Contents("记录.tst"));
    EXPECT_EQ(Text(strPath), Text((*TestApp().m_pRecentFileList)[0]));

    pDoc->m_strText = "改过";
    int nDeletes = pDoc->m_nDeleteContents;
    EXPECT_EQ(pDoc, m_pTemplate->OpenDocumentFile(strPath));
    EXPECT_EQ("中文内容", Text(pDoc->m_strText));
    EXPECT_EQ(nDeletes + 1, pDoc->m_nDeleteContents);
    EXPECT_FALSE(pDoc->IsModified());

    delete TestApp().m_pRecentFileList;
    TestApp().m_pRecentFileList = NULL;
}

TEST_F(CSdiTest, FailedOpenReportsAndKeepsOrResetsTheDocument)
{
    CScratchFolder folder;
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "保留";

    // A missing file fails before anything is read: the document stays as it was.
    CString strMissing = folder.Path("没有.tst");
    {
        CDialogResponder answer(IDOK);
        EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(strMissing));
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ("无法打开 " + Text(strMissing) + "：路径或文件不存在。", answer.m_boxes[0].strText);
    }
    EXPECT_EQ("保留", Text(pDoc->m_strText));
    EXPECT_EQ(1, pDoc->m_nDeleteContents);

    // A damaged file has emptied the document: it starts again as a new one.
    folder.CreateWithContents("坏.tst", "\x09" "abc");
    CString strDamaged = folder.Path("坏.tst");
    CDialogResponder answer(IDOK);
    EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(strDamaged));
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("文件 " + Text(strDamaged) + " 的格式不对。", answer.m_boxes[0].strText);
    EXPECT_TRUE(pDoc->m_strText.IsEmpty());
    EXPECT_EQ("测试文档", Text(pDoc->GetTitle()));
    EXPECT_EQ(2, pDoc->m_nNewDocuments);
}

TEST_F(CSdiTest, SaveAsAsksForANameSaveKeepsItAndCloseEndsTheDocument)
{
    CScratchFolder folder;
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "第一版";
    {
        // The name typed without an extension gets the template's.
        CDialogResponder answer(IDOK, 1148, folder.Path("另存"));
        Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ("另存为", answer.m_boxes[0].strCaption);
    }
    EXPECT_EQ(Text(folder.Path("另存.tst")), Text(pDoc->GetPathName()));
    EXPECT_EQ(std::string("\x06") + "第一版", folder.Contents("另存.tst"));

    pDoc->m_strText = "第二版";
    pDoc->SetModifiedFlag();
    CDialogResponder noDialog(IDCANCEL);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_FALSE(noDialog.Answered());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(std::string("\x06") + "第二版", folder.Contents("另存.tst"));

    Frame()->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_EQ(nullptr, m_pTemplate->GetFirstDocPosition());
    EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
}

TEST_F(CSdiTest, UpdateAllViewsSkipsTheSender)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    CTestView* pView = static_cast<CTestView*>(View());
    int nUpdates = pView->m_nUpdates;
    pDoc->UpdateAllViews(NULL, 42);
    EXPECT_EQ(nUpdates + 1, pView->m_nUpdates);
    EXPECT_EQ(42, pView->m_lLastHint);
    pDoc->UpdateAllViews(pView, 7);
    EXPECT_EQ(nUpdates + 1, pView->m_nUpdates);
}

// ---------------------------------------------------------------------------------------------------
// Command routing

TEST_F(CSdiTest, CommandsRouteViewDocumentFrameApplication)
{
    ASSERT_NE(nullptr, NewDocument());
    for (UINT nID : { ID_TEST_VIEW_ONLY, ID_TEST_DOC_ONLY, ID_TEST_FRAME_ONLY, ID_TEST_VIEW_AND_DOC,
                      ID_TEST_DOC_AND_FRAME, ID_TEST_APP_ONLY })
        Frame()->SendMessage(WM_COMMAND, nID);
    std::vector<std::string> expected = {
        "view:" + std::to_string(ID_TEST_VIEW_ONLY),     "doc:" + std::to_string(ID_TEST_DOC_ONLY),
        "frame:" + std::to_string(ID_TEST_FRAME_ONLY),   "view:" + std::to_string(ID_TEST_VIEW_AND_DOC),
        "doc:" + std::to_string(ID_TEST_DOC_AND_FRAME) };
    EXPECT_EQ(expected, HandledCommands());
    EXPECT_EQ((UINT)ID_TEST_APP_ONLY, TestApp().m_nLastAppCommand);

    // Without an active view the document is out of the route.
    HandledCommands().clear();
    CView* pView = View();
    Frame()->SetActiveView(NULL);
    Frame()->SendMessage(WM_COMMAND, ID_TEST_DOC_AND_FRAME);
    Frame()->SendMessage(WM_COMMAND, ID_TEST_DOC_ONLY);
    EXPECT_EQ(std::vector<std::string>{ "frame:" + std::to_string(ID_TEST_DOC_AND_FRAME) }, HandledCommands());

    // A click makes the view active again.
    pView->SendMessage(WM_MOUSEACTIVATE, (WPARAM)Frame()->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pView, View());
}

TEST_F(CSdiTest, CommandDisabledByItsUpdateHandlerIsIgnored)
{
    CTestDoc* pDoc = NewDocument();
    ASSERT_NE(nullptr, pDoc);
    Frame()->SendMessage(WM_COMMAND, ID_TEST_DISABLED);
    EXPECT_TRUE(HandledCommands().empty());

    pDoc->m_bDisabledCommandEnabled = TRUE;
    Frame()->SendMessage(WM_COMMAND, ID_TEST_DISABLED);
    EXPECT_EQ(std::vector<std::string>{ "doc:" + std::to_string(ID_TEST_DISABLED) }, HandledCommands());
}

// ---------------------------------------------------------------------------------------------------
// Several documents

TEST(CMultiDocTemplate, EachNewDocumentGetsANumberedTitleAndAFrameOfItsOwn)
{
    TestApp().m_nCmdShow = -1;
    CMultiDocTemplate docTemplate(IDR_TEST_PLAIN, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                  RUNTIME_CLASS(CTestView));
    CDocument* pFirst = docTemplate.OpenDocumentFile(NULL);
    CDocument* pSecond = docTemplate.OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ("无标题1", Text(pFirst->GetTitle()));
    EXPECT_EQ("无标题2", Text(pSecond->GetTitle()));

    POSITION pos = pFirst->GetFirstViewPosition();
    CFrameWnd* pFirstFrame = pFirst->GetNextView(pos)->GetParentFrame();
    pos = pSecond->GetFirstViewPosition();
    CFrameWnd* pSecondFrame = pSecond->GetNextView(pos)->GetParentFrame();
    ASSERT_NE(pFirstFrame, pSecondFrame);
    EXPECT_EQ("无标题2 - 纯框架", WindowText(*pSecondFrame));

    // A frame that is not the main window still gets its idle work done.
    pSecondFrame->SetTitle("别名");
    pSecondFrame->DelayUpdateFrameTitle();
    RunIdleCycle();
    EXPECT_EQ("无标题2 - 别名", WindowText(*pSecondFrame));

    // Closing a document's only frame closes the document.
    HWND hFirstFrame = pFirstFrame->m_hWnd;
    pFirstFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hFirstFrame));
    pos = docTemplate.GetFirstDocPosition();
    EXPECT_EQ(pSecond, docTemplate.GetNextDoc(pos));
    EXPECT_EQ(nullptr, pos);

    docTemplate.CloseAllDocuments(FALSE);
    EXPECT_EQ(nullptr, docTemplate.GetFirstDocPosition());
    PumpPendingMessages();
}

// ---------------------------------------------------------------------------------------------------
// The document manager

class CDocManagerTest : public ::testing::Test
{
protected:
    CDocManager m_manager;
    CDocManager* m_pAppManager = nullptr;
    CMultiDocTemplate* m_pTstTemplate = nullptr;
    CMultiDocTemplate* m_pAbcTemplate = nullptr;

    void SetUp() override
    {
        TestApp().m_nCmdShow = -1;
        m_pTstTemplate = new CMultiDocTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                               RUNTIME_CLASS(CTestView));
        m_pAbcTemplate = new CMultiDocTemplate(IDR_TEST_OTHER, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                               RUNTIME_CLASS(CTestView));
        m_manager.AddDocTemplate(m_pTstTemplate);
        m_manager.AddDocTemplate(m_pAbcTemplate);
        // The application's file commands go to this manager for the test.
        m_pAppManager = TestApp().m_pDocManager;
        TestApp().m_pDocManager = &m_manager;
    }

    void TearDown() override
    {
        m_manager.CloseAllDocuments(FALSE);
        TestApp().m_pDocManager = m_pAppManager;
        PumpPendingMessages();
    }
};

TEST_F(CDocManagerTest, OpenChoosesTheTemplateOfTheExtensionAndReusesAnOpenDocument)
{
    CScratchFolder folder;
    folder.CreateWithContents("数据.abc", "\x04" "abcd");
    CDocument* pDoc = m_manager.OpenDocumentFile(folder.Path("数据.abc"));
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(m_pAbcTemplate, pDoc->GetDocTemplate());
    EXPECT_EQ("abcd", Text(static_cast<CTestDoc*>(pDoc)->m_strText));
    EXPECT_EQ(1, m_manager.GetOpenDocumentCount());

    EXPECT_EQ(pDoc, m_manager.OpenDocumentFile(folder.Path("数据.ABC")));
    EXPECT_EQ(1, m_manager.GetOpenDocumentCount());

    // A file no template claims goes to the first one that will try it.
    folder.CreateWithContents("其他.dat", "\x02" "xy");
    CDocument* pOther = m_manager.OpenDocumentFile(folder.Path("其他.dat"));
    ASSERT_NE(nullptr, pOther);
    EXPECT_EQ(m_pTstTemplate, pOther->GetDocTemplate());
    EXPECT_EQ(2, m_manager.GetOpenDocumentCount());
}

TEST_F(CDocManagerTest, FileNewUsesTheFirstTemplate)
{
    m_manager.OnFileNew();
    ASSERT_EQ(1, m_manager.GetOpenDocumentCount());
    EXPECT_NE(nullptr, m_pTstTemplate->GetFirstDocPosition());
}

TEST_F(CDocManagerTest, FileOpenAsksForTheFileWithTheTemplatesFilters)
{
    CScratchFolder folder;
    folder.CreateWithContents("选中.tst", "\x03" "xyz");
    CString strPath = folder.Path("选中.tst");

    CDialogResponder answer(IDOK, 1148, strPath);   // the file name box of the explorer dialog
    m_manager.OnFileOpen();
    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ("打开", answer.m_boxes[0].strCaption);
    ASSERT_NE(nullptr, m_pTstTemplate->GetFirstDocPosition());
    POSITION pos = m_pTstTemplate->GetFirstDocPosition();
    CTestDoc* pDoc = static_cast<CTestDoc*>(m_pTstTemplate->GetNextDoc(pos));
    EXPECT_EQ("xyz", Text(pDoc->m_strText));
    EXPECT_EQ(Text(strPath), Text(pDoc->GetPathName()));
}

// ---------------------------------------------------------------------------------------------------
// Printing

TEST_F(CSdiTest, PrintAsksThePrintDialogAndPrintDirectDoesNot)
{
    ASSERT_NE(nullptr, NewDocument());
    CTestView* pView = static_cast<CTestView*>(View());
    {
        CDialogResponder answer(IDCANCEL);
        Frame()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ(std::vector<std::string>{ "prepare" }, pView->m_printSteps);

    pView->m_printSteps.clear();
    CDialogResponder noDialog(IDCANCEL);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_FALSE(noDialog.Answered());
    ASSERT_FALSE(pView->m_printSteps.empty());
    EXPECT_EQ("prepare:direct", pView->m_printSteps[0]);
}

} // namespace

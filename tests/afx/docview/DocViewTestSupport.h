// A document, view and frame for the document/view and frame tests. Each handles its own share of
// the test commands and records what reached it.
#pragma once
#include "GuiTestSupport.h"
#include "DocViewTestResource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The commands handled so far, as "view:33000", "doc:33001", …, in order.
std::vector<std::string>& HandledCommands();

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CString m_strText;
    int m_nNewDocuments = 0;
    int m_nDeleteContents = 0;
    BOOL m_bDisabledCommandEnabled = FALSE;

    BOOL OnNewDocument() override;
    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

    afx_msg void OnDocOnly();
    afx_msg void OnViewAndDoc();
    afx_msg void OnDocAndFrame();
    afx_msg void OnDisabled();
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    int m_nInitialUpdates = 0;
    int m_nUpdates = 0;
    int m_nDraws = 0;
    LPARAM m_lLastHint = 0;
    std::vector<std::string> m_printSteps;   // "prepare", "begin:<pages>", "print:<page>", "end"
    UINT m_nPrintPages = 2;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    afx_msg void OnViewOnly();
    afx_msg void OnViewAndDoc();
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

class CTestFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    afx_msg void OnFrameOnly();
    afx_msg void OnDocAndFrame();
    afx_msg void OnAccel();

    DECLARE_MESSAGE_MAP()
};

// A single-document template of the test classes; the frame it makes is the application's main
// window until the test ends.
class CSdiTest : public ::testing::Test
{
protected:
    CSingleDocTemplate* m_pTemplate = nullptr;

    void SetUp() override;
    void TearDown() override;
    void UseTemplate(UINT nIDResource, CRuntimeClass* pViewClass);

    CTestDoc* NewDocument();
    CFrameWnd* Frame() const;
    CView* View() const;
};

// The form view: a dialog template as a frame's view, its data exchange, dialog keys and fitting
// the frame to the form.
#include "DocViewTestSupport.h"
#include "DataExchange.h"

#include <gtest/gtest.h>

namespace {

class CTestFormView : public CFormView
{
    DECLARE_DYNCREATE(CTestFormView)
protected:
    CTestFormView() : CFormView(IDD_TEST_FORM) {}

public:
    CString m_strName = "张三";
    int m_nCount = 7;
    BOOL m_bOption = TRUE;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEST_NAME, m_strName);
        DDX_Text(pDX, IDC_TEST_COUNT, m_nCount);
        DDX_Check(pDX, IDC_TEST_OPTION, m_bOption);
    }
};

IMPLEMENT_DYNCREATE(CTestFormView, CFormView)

std::string ControlText(CWnd* pParent, int nID)
{
    CString str;
    pParent->GetDlgItemText(nID, str);
    return std::string((LPCTSTR)str);
}

class CFormViewTest : public CSdiTest
{
protected:
    CTestFormView* Form() const { return static_cast<CTestFormView*>(View()); }

    void SetUp() override
    {
        CSdiTest::SetUp();
        UseTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CTestFormView));
    }
};

TEST_F(CFormViewTest, TemplateBecomesTheViewAndShowsTheMembersAtInitialUpdate)
{
    ASSERT_NE(nullptr, NewDocument());
    CTestFormView* pForm = Form();
    ASSERT_NE(nullptr, pForm);
    EXPECT_TRUE(pForm->IsKindOf(RUNTIME_CLASS(CTestFormView)));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pForm->GetDlgCtrlID());
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    EXPECT_TRUE(pForm->GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ("张三", ControlText(pForm, IDC_TEST_NAME));
    EXPECT_EQ("7", ControlText(pForm, IDC_TEST_COUNT));
    EXPECT_EQ((UINT)BST_CHECKED, pForm->IsDlgButtonChecked(IDC_TEST_OPTION));

    LOGFONTA lf = {};
    ASSERT_NE(0, ::GetObjectA((HFONT)pForm->SendMessage(WM_GETFONT), sizeof lf, &lf));
    EXPECT_STREQ("宋体", lf.lfFaceName);

    pForm->SetDlgItemText(IDC_TEST_NAME, "李四");
    pForm->CheckDlgButton(IDC_TEST_OPTION, BST_UNCHECKED);
    EXPECT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_EQ("李四", std::string((LPCTSTR)pForm->m_strName));
    EXPECT_FALSE(pForm->m_bOption);
}

TEST_F(CFormViewTest, ResizeParentToFitGivesTheViewTheFormsSize)
{
    ASSERT_NE(nullptr, NewDocument());
    CTestFormView* pForm = Form();
    CSize sizeForm = pForm->GetTotalSize();
    ASSERT_GT(sizeForm.cx, 0);

    Frame()->SetWindowPos(NULL, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pForm->ResizeParentToFit(TRUE);
    CRect rectClient;
    pForm->GetClientRect(&rectClient);
    EXPECT_EQ(sizeForm, rectClient.Size());

    // Shrinking only: a frame smaller than the form stays as it is.
    Frame()->SetWindowPos(NULL, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectSmall;
    pForm->GetClientRect(&rectSmall);
    pForm->ResizeParentToFit(TRUE);
    pForm->GetClientRect(&rectClient);
    EXPECT_EQ(rectSmall.Size(), rectClient.Size());

    pForm->ResizeParentToFit(FALSE);
    pForm->GetClientRect(&rectClient);
    EXPECT_EQ(sizeForm, rectClient.Size());
}

TEST_F(CFormViewTest, DialogKeysMoveBetweenControlsAndFrameAcceleratorsStillWork)
{
    ASSERT_NE(nullptr, NewDocument());
    CTestFormView* pForm = Form();
    CWnd* pName = pForm->GetDlgItem(IDC_TEST_NAME);
    pName->SetFocus();
    ASSERT_EQ(pName->m_hWnd, ::GetFocus());

    pName->PostMessage(WM_KEYDOWN, VK_TAB, 1);
    PumpPendingMessages();
    EXPECT_EQ(pForm->GetDlgItem(IDC_TEST_COUNT)->m_hWnd, ::GetFocus());

    pName->PostMessage(WM_KEYDOWN, VK_F5, 1);
    PumpPendingMessages();
    EXPECT_EQ(std::vector<std::string>{ "frame:" + std::to_string(ID_TEST_ACCEL) }, HandledCommands());
}

} // namespace

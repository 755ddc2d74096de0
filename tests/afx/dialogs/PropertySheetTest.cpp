// Property sheets over two pages from dialog templates: the windows attached to their objects,
// page switches with OnKillActive and OnSetActive, Apply, and modal runs ended by OK, Cancel and
// EndDialog.
#include "GuiTestSupport.h"
#include "dialogs_resource.h"

#include <afxdlgs.h>
#include <gtest/gtest.h>

namespace {

// Counts what the sheet tells it; typing into its field marks it changed through its message map.
class CNumberPage : public CPropertyPage
{
public:
    CNumberPage() : CPropertyPage(IDD_PAGE_NUMBER) {}

    int m_nNumber = 9;
    int m_nInit = 0;
    int m_nSetActive = 0;
    int m_nKillActive = 0;
    int m_nApply = 0;
    int m_nReset = 0;
    BOOL m_bAttachedAtInit = FALSE;
    UINT m_nPressOnFirstActivation = 0;   // a PSBTN_ button posted to the sheet, after typing "10"
    BOOL m_bOwnerEnabledWhileUp = TRUE;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_NUMBER, m_nNumber); }
    BOOL OnInitDialog() override
    {
        ++m_nInit;
        m_bAttachedAtInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        if (++m_nSetActive == 1 && m_nPressOnFirstActivation != 0)
        {
            HWND hWndSheet = ::GetParent(m_hWnd);
            m_bOwnerEnabledWhileUp = ::IsWindowEnabled(::GetWindow(hWndSheet, GW_OWNER));
            SetDlgItemText(IDC_PAGE_NUMBER, "10");
            ::PostMessageA(hWndSheet, PSM_PRESSBUTTON, m_nPressOnFirstActivation, 0);
        }
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++m_nKillActive;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++m_nApply;
        return CPropertyPage::OnApply();
    }
    void OnReset() override { ++m_nReset; }
    afx_msg void OnNumberChange() { SetModified(TRUE); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNumberPage, CPropertyPage)
    ON_EN_CHANGE(IDC_PAGE_NUMBER, OnNumberChange)
END_MESSAGE_MAP()

class COptionPage : public CPropertyPage
{
public:
    COptionPage() : CPropertyPage(IDD_PAGE_OPTION, IDS_PAGE_OPTION_TITLE) {}

    int m_nOption = BST_CHECKED;
    int m_nSetActive = 0;
    int m_nApply = 0;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_PAGE_OPTION, m_nOption); }
    BOOL OnSetActive() override
    {
        ++m_nSetActive;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        ++m_nApply;
        return CPropertyPage::OnApply();
    }
};

CString TabText(CPropertySheet& sheet, int nTab)
{
    char szText[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof szText;
    sheet.GetTabControl()->SendMessage(TCM_GETITEMA, (WPARAM)nTab, (LPARAM)&item);
    return szText;
}

BOOL ApplyEnabled(CPropertySheet& sheet)
{
    return ::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW));
}

TEST(CPropertySheetTest, ModelessSheetAttachesItsWindowAndItsPages)
{
    CTestTopWindow owner;
    ASSERT_TRUE(owner.CreateHidden());
    CNumberPage number;
    COptionPage option;
    CPropertySheet sheet(IDS_SHEET_CAPTION, &owner);
    sheet.AddPage(&number);
    sheet.AddPage(&option);
    ASSERT_TRUE(sheet.Create());

    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(sheet.m_hWnd, GW_OWNER));
    CString strCaption;
    sheet.GetWindowText(strCaption);
    EXPECT_STREQ("属性表", strCaption);
    EXPECT_STREQ("数字页", TabText(sheet, 0));   // the template's caption
    EXPECT_STREQ("选项页", TabText(sheet, 1));   // the page's caption string

    // Only the first page exists yet; it was attached before it initialised, and has its own font.
    EXPECT_EQ(&number, sheet.GetActivePage());
    EXPECT_TRUE(number.m_bAttachedAtInit);
    EXPECT_EQ(sheet.m_hWnd, ::GetParent(number.m_hWnd));
    EXPECT_EQ(1, number.m_nSetActive);
    EXPECT_EQ(nullptr, option.m_hWnd);
    LOGFONTA lf = {};
    ::GetObjectA((HFONT)number.SendMessage(WM_GETFONT), sizeof lf, &lf);
    EXPECT_STREQ("宋体", lf.lfFaceName);

    // A page added later, shown and removed again.
    CNumberPage added;
    sheet.AddPage(&added);
    EXPECT_TRUE(sheet.SetActivePage(&added));
    EXPECT_EQ(2, sheet.GetActiveIndex());
    EXPECT_EQ(1, added.m_nInit);
    sheet.RemovePage(&added);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(2, (int)sheet.GetTabControl()->SendMessage(TCM_GETITEMCOUNT));
    EXPECT_EQ(nullptr, added.m_hWnd);

    HWND hWndNumber = number.m_hWnd;
    sheet.DestroyWindow();
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, number.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWndNumber));
}

TEST(CPropertySheetTest, SwitchingPagesTakesTheDataOfTheOldPageAndActivatesTheNew)
{
    CNumberPage number;
    COptionPage option;
    CPropertySheet sheet("切换");
    sheet.AddPage(&number);
    sheet.AddPage(&option);
    ASSERT_TRUE(sheet.Create());

    number.SetDlgItemText(IDC_PAGE_NUMBER, "321");
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(1, number.m_nKillActive);
    EXPECT_EQ(321, number.m_nNumber);
    EXPECT_EQ(&option, sheet.GetActivePage());
    EXPECT_EQ(&option, CWnd::FromHandlePermanent(option.m_hWnd));
    EXPECT_EQ(1, option.m_nSetActive);
    EXPECT_EQ((UINT)BST_CHECKED, option.IsDlgButtonChecked(IDC_PAGE_OPTION));

    // Coming back shows the members again.
    number.m_nNumber = 654;
    EXPECT_TRUE(sheet.SetActivePage(&number));
    CString strNumber;
    number.GetDlgItemText(IDC_PAGE_NUMBER, strNumber);
    EXPECT_STREQ("654", strNumber);

    // Data the page cannot take keeps it active, with the prompt shown.
    number.SetDlgItemText(IDC_PAGE_NUMBER, "不是数字");
    CMessageBoxRecorder boxes;
    sheet.SetActivePage(1);
    EXPECT_EQ(0, sheet.GetActiveIndex());
    ASSERT_EQ(1u, boxes.m_prompts.size());
    EXPECT_EQ((UINT)AFX_IDP_PARSE_INT, boxes.m_promptIDs[0]);
}

TEST(CPropertySheetTest, ApplyReachesEveryCreatedPage)
{
    CNumberPage number;
    COptionPage option;
    CPropertySheet sheet("应用");
    sheet.AddPage(&number);
    sheet.AddPage(&option);
    ASSERT_TRUE(sheet.Create());
    EXPECT_FALSE(ApplyEnabled(sheet));
    number.SetDlgItemText(IDC_PAGE_NUMBER, "5");
    EXPECT_TRUE(ApplyEnabled(sheet));

    sheet.PressButton(PSBTN_APPLYNOW);
    PumpPendingMessages();
    EXPECT_EQ(1, number.m_nApply);
    EXPECT_EQ(0, option.m_nApply);   // never shown, so never created
    EXPECT_EQ(5, number.m_nNumber);
    EXPECT_FALSE(ApplyEnabled(sheet));
    EXPECT_EQ(&number, sheet.GetActivePage());   // Apply keeps the sheet up

    sheet.SetActivePage(1);
    option.CheckDlgButton(IDC_PAGE_OPTION, BST_UNCHECKED);
    sheet.PressButton(PSBTN_APPLYNOW);
    PumpPendingMessages();
    EXPECT_EQ(2, number.m_nApply);
    EXPECT_EQ(1, option.m_nApply);
    EXPECT_EQ(BST_UNCHECKED, option.m_nOption);
}

TEST(CPropertySheetTest, ModalSheetEndsWithOkOrCancel)
{
    CTestTopWindow owner;
    ASSERT_TRUE(owner.CreateHidden());
    CNumberPage number;
    number.m_nPressOnFirstActivation = PSBTN_OK;
    CPropertySheet sheet("模态", &owner);
    sheet.AddPage(&number);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_FALSE(number.m_bOwnerEnabledWhileUp);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(10, number.m_nNumber);
    EXPECT_EQ(1, number.m_nApply);
    EXPECT_EQ(0, number.m_nReset);
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, number.m_hWnd);

    CNumberPage cancelled;
    cancelled.m_nPressOnFirstActivation = PSBTN_CANCEL;
    CPropertySheet cancelSheet("取消", &owner);
    cancelSheet.AddPage(&cancelled);
    EXPECT_EQ(IDCANCEL, cancelSheet.DoModal());
    EXPECT_EQ(9, cancelled.m_nNumber);
    EXPECT_EQ(1, cancelled.m_nReset);
}

// Ends its modal run from a timer it sets once the system has built it.
class CTimedSheet : public CPropertySheet
{
public:
    CTimedSheet() : CPropertySheet("定时", NULL, 1) {}
    int m_nActiveAtEnd = -1;

    BOOL OnInitDialog() override
    {
        SetTimer(1, 30, NULL);
        return CPropertySheet::OnInitDialog();
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        m_nActiveAtEnd = GetActiveIndex();
        EndDialog(IDRETRY);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimedSheet, CPropertySheet)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(CPropertySheetTest, ModalSheetEndedByEndDialogStartsOnTheChosenPage)
{
    CNumberPage number;
    COptionPage option;
    CTimedSheet sheet;
    sheet.AddPage(&number);
    sheet.AddPage(&option);
    EXPECT_EQ(IDRETRY, sheet.DoModal());
    EXPECT_EQ(1, sheet.m_nActiveAtEnd);
    EXPECT_EQ(0, number.m_nInit);
    EXPECT_EQ(1, option.m_nSetActive);
}

} // namespace

// Data exchange between a dialog's controls and its members, both ways, for every DDX kind; parse
// and validation failures with their prompts and the focus they leave; notifications locked out.
#include "GuiTestSupport.h"
#include "dialogs_resource.h"

#include <afxdlgs.h>
#include <gtest/gtest.h>

namespace {

class CExchangeDialog : public CDialog
{
public:
    CString m_strText = "初始文本";
    int m_nInt = -42;
    UINT m_nUInt = 4000000000u;
    long m_lLong = -2000000000L;
    DWORD m_dwDword = 4294967295ul;
    BYTE m_byByte = 200;
    short m_sShort = -32768;
    double m_dDouble = 3.141592653589793;
    float m_fFloat = 0.1f;
    int m_nCheck = BST_INDETERMINATE;
    int m_nRadio = 2;
    int m_nComboIndex = 1;
    CString m_strComboList = "丙";
    CString m_strComboEdit = "乙";
    int m_nListIndex = 2;
    CString m_strListString = "乙";
    CWnd m_wndSubclassed;
    BOOL m_bValidate = FALSE;   // DDV_MaxChars(4) on the text, DDV_MinMaxInt(-100, 100) on the int
    int m_nTextChanges = 0;

    BOOL OnInitDialog() override
    {
        for (const char* pszItem : { "甲一", "乙二", "丙三" })
        {
            for (int nID : { IDC_COMBO_INDEX, IDC_COMBO_LIST_STRING, IDC_COMBO_EDIT_STRING })
                SendDlgItemMessage(nID, CB_ADDSTRING, 0, (LPARAM)pszItem);
            for (int nID : { IDC_LIST_INDEX, IDC_LIST_STRING })
                SendDlgItemMessage(nID, LB_ADDSTRING, 0, (LPARAM)pszItem);
        }
        // A radio button of the next group: the exchange of the first group must leave it alone.
        CheckDlgButton(IDC_RADIO_OTHER, BST_CHECKED);
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEXT, m_strText);
        if (m_bValidate)
            DDV_MaxChars(pDX, m_strText, 4);
        DDX_Text(pDX, IDC_INT, m_nInt);
        if (m_bValidate)
            DDV_MinMaxInt(pDX, m_nInt, -100, 100);
        DDX_Text(pDX, IDC_UINT, m_nUInt);
        DDX_Text(pDX, IDC_LONG, m_lLong);
        DDX_Text(pDX, IDC_DWORD, m_dwDword);
        DDX_Text(pDX, IDC_BYTE, m_byByte);
        DDX_Text(pDX, IDC_SHORT, m_sShort);
        DDX_Text(pDX, IDC_DOUBLE, m_dDouble);
        DDX_Text(pDX, IDC_FLOAT, m_fFloat);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO_FIRST, m_nRadio);
        DDX_CBIndex(pDX, IDC_COMBO_INDEX, m_nComboIndex);
        DDX_CBString(pDX, IDC_COMBO_LIST_STRING, m_strComboList);
        DDX_CBString(pDX, IDC_COMBO_EDIT_STRING, m_strComboEdit);
        DDX_LBIndex(pDX, IDC_LIST_INDEX, m_nListIndex);
        DDX_LBString(pDX, IDC_LIST_STRING, m_strListString);
        DDX_Control(pDX, IDC_SUBCLASSED, m_wndSubclassed);
    }

    afx_msg void OnTextChange() { ++m_nTextChanges; }

    CString Text(int nID) const
    {
        CString strText;
        GetDlgItemText(nID, strText);
        return strText;
    }
    LRESULT Send(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendDlgItemMessage(nID, message, wParam, lParam);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_EN_CHANGE(IDC_TEXT, OnTextChange)
END_MESSAGE_MAP()

TEST(CDataExchangeTest, MembersAreShownInEveryKindOfControl)
{
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));

    const struct { int nID; const char* pszText; } texts[] = {
        { IDC_TEXT, "初始文本" }, { IDC_INT, "-42" }, { IDC_UINT, "4000000000" }, { IDC_LONG, "-2000000000" },
        { IDC_DWORD, "4294967295" }, { IDC_BYTE, "200" }, { IDC_SHORT, "-32768" },
        { IDC_DOUBLE, "3.14159265358979" }, { IDC_FLOAT, "0.1" }, { IDC_COMBO_EDIT_STRING, "乙二" },
    };
    for (const auto& text : texts)
        EXPECT_STREQ(text.pszText, dlg.Text(text.nID));
    EXPECT_EQ((UINT)BST_INDETERMINATE, dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ((UINT)BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_FIRST));
    EXPECT_EQ((UINT)BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_SECOND));
    EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_THIRD));   // the push button is no radio
    EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_RADIO_OTHER));
    EXPECT_EQ(1, dlg.Send(IDC_COMBO_INDEX, CB_GETCURSEL));
    EXPECT_EQ(2, dlg.Send(IDC_COMBO_LIST_STRING, CB_GETCURSEL));   // the item beginning with the text
    EXPECT_EQ(2, dlg.Send(IDC_LIST_INDEX, LB_GETCURSEL));
    EXPECT_EQ(1, dlg.Send(IDC_LIST_STRING, LB_GETCURSEL));
    EXPECT_EQ(&dlg.m_wndSubclassed, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_SUBCLASSED)));

    // No matching item: the drop-down's edit field shows the text. A check state outside 0..2 shows
    // unchecked, and the member follows.
    dlg.m_strComboEdit = "无此项";
    dlg.m_nCheck = 7;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("无此项", dlg.Text(IDC_COMBO_EDIT_STRING));
    EXPECT_EQ((UINT)BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(0, dlg.m_nCheck);
}

TEST(CDataExchangeTest, ControlsAreTakenIntoEveryKindOfMember)
{
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    const struct { int nID; const char* pszText; } texts[] = {
        { IDC_TEXT, "新的文本" }, { IDC_INT, "  -17 " }, { IDC_UINT, "+4294967295" }, { IDC_LONG, "2147483647" },
        { IDC_DWORD, "0" }, { IDC_BYTE, "255" }, { IDC_SHORT, "32767" }, { IDC_DOUBLE, " 2.5e3 " },
        { IDC_FLOAT, "-0.25" },
    };
    for (const auto& text : texts)
        dlg.SetDlgItemText(text.nID, text.pszText);
    dlg.CheckDlgButton(IDC_CHECK, BST_CHECKED);
    dlg.CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
    dlg.Send(IDC_COMBO_INDEX, CB_SETCURSEL, 2);
    dlg.Send(IDC_COMBO_LIST_STRING, CB_SETCURSEL, 0);
    dlg.Send(IDC_COMBO_EDIT_STRING, CB_SETCURSEL, (WPARAM)-1);
    dlg.SetDlgItemText(IDC_COMBO_EDIT_STRING, "自由文本");
    dlg.Send(IDC_LIST_INDEX, LB_SETCURSEL, 0);
    dlg.Send(IDC_LIST_STRING, LB_SETCURSEL, 2);

    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("新的文本", dlg.m_strText);
    EXPECT_EQ(-17, dlg.m_nInt);
    EXPECT_EQ(4294967295u, dlg.m_nUInt);
    EXPECT_EQ(2147483647L, dlg.m_lLong);
    EXPECT_EQ(0ul, dlg.m_dwDword);
    EXPECT_EQ(255, dlg.m_byByte);
    EXPECT_EQ(32767, dlg.m_sShort);
    EXPECT_EQ(2500.0, dlg.m_dDouble);
    EXPECT_EQ(-0.25f, dlg.m_fFloat);
    EXPECT_EQ(BST_CHECKED, dlg.m_nCheck);
    EXPECT_EQ(0, dlg.m_nRadio);
    EXPECT_EQ(2, dlg.m_nComboIndex);
    EXPECT_STREQ("甲一", dlg.m_strComboList);
    EXPECT_STREQ("自由文本", dlg.m_strComboEdit);
    EXPECT_EQ(0, dlg.m_nListIndex);
    EXPECT_STREQ("丙三", dlg.m_strListString);

    // Nothing checked or selected reads as -1 and as empty text.
    dlg.CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, 0);
    dlg.Send(IDC_COMBO_LIST_STRING, CB_SETCURSEL, (WPARAM)-1);
    dlg.Send(IDC_LIST_STRING, LB_SETCURSEL, (WPARAM)-1);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_nRadio);
    EXPECT_STREQ("", dlg.m_strComboList);
    EXPECT_STREQ("", dlg.m_strListString);

    // The control was subclassed once, by the first exchange, and is let go with the dialog.
    EXPECT_EQ(&dlg.m_wndSubclassed, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_SUBCLASSED)));
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_wndSubclassed.m_hWnd);
}

TEST(CDataExchangeTest, UnreadableNumbersFailWithTheirPromptAndKeepTheFocus)
{
    const struct { int nIDC; const char* pszText; UINT nIDPrompt; } failures[] = {
        { IDC_INT, "12abc", AFX_IDP_PARSE_INT },      { IDC_INT, "", AFX_IDP_PARSE_INT },
        { IDC_INT, "2147483648", AFX_IDP_PARSE_INT }, { IDC_UINT, "-1", AFX_IDP_PARSE_UINT },
        { IDC_UINT, "4294967296", AFX_IDP_PARSE_UINT }, { IDC_LONG, "1 2", AFX_IDP_PARSE_INT },
        { IDC_DWORD, "0x10", AFX_IDP_PARSE_UINT },    { IDC_BYTE, "256", AFX_IDP_PARSE_BYTE },
        { IDC_SHORT, "32768", AFX_IDP_PARSE_INT },    { IDC_DOUBLE, "1.5e", AFX_IDP_PARSE_REAL },
        { IDC_DOUBLE, "一点五", AFX_IDP_PARSE_REAL },  { IDC_FLOAT, "1e39", AFX_IDP_PARSE_REAL },
    };
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    for (const auto& failure : failures)
    {
        SCOPED_TRACE(failure.pszText);
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        dlg.SetDlgItemText(failure.nIDC, failure.pszText);
        dlg.m_strText = "未读";

        CMessageBoxRecorder boxes;
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_EQ(1u, boxes.m_prompts.size());
        EXPECT_EQ(failure.nIDPrompt, boxes.m_promptIDs[0]);
        EXPECT_STREQ(CString(MAKEINTRESOURCEA(failure.nIDPrompt)), boxes.m_prompts[0].c_str());
        EXPECT_STREQ("初始文本", dlg.m_strText);   // the controls before the failing one were read
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, failure.nIDC), ::GetFocus());
        // The whole text is selected: typing replaces all of it.
        dlg.Send(failure.nIDC, EM_REPLACESEL, FALSE, (LPARAM)"0");
        EXPECT_STREQ("0", dlg.Text(failure.nIDC));
    }
}

TEST(CDataExchangeTest, ValidationFailsWithTheLimitsInThePrompt)
{
    CExchangeDialog dlg;
    dlg.m_bValidate = TRUE;
    dlg.m_nInt = 0;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    EXPECT_EQ(4, dlg.Send(IDC_TEXT, EM_GETLIMITTEXT));   // loading limits the edit field itself

    const struct { const char* pszText; const char* pszInt; int nIDFocus; const char* pszPrompt; } cases[] = {
        { "五个汉字", "0", IDC_TEXT, "请输入不超过 4 个字符。" },   // eight bytes
        { "四字", "101", IDC_INT, "请输入一个介于 -100 和 100 之间的整数。" },
        { "四字", "-100", 0, NULL },
    };
    for (const auto& test : cases)
    {
        dlg.SetDlgItemText(IDC_TEXT, test.pszText);
        dlg.SetDlgItemText(IDC_INT, test.pszInt);
        CMessageBoxRecorder boxes;
        EXPECT_EQ(test.pszPrompt == NULL ? TRUE : FALSE, dlg.UpdateData(TRUE));
        if (test.pszPrompt == NULL)
        {
            EXPECT_TRUE(boxes.m_prompts.empty());
            continue;
        }
        ASSERT_EQ(1u, boxes.m_prompts.size());
        EXPECT_EQ(test.pszPrompt, boxes.m_prompts[0]);
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, test.nIDFocus), ::GetFocus());
    }
    EXPECT_EQ(-100, dlg.m_nInt);
}

TEST(CDataExchangeTest, ControlNotificationsAreLockedOutDuringTheExchange)
{
    CExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    EXPECT_EQ(0, dlg.m_nTextChanges);
    dlg.SetDlgItemText(IDC_TEXT, "用户输入");
    EXPECT_EQ(1, dlg.m_nTextChanges);

    dlg.m_strText = "程序设置";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("程序设置", dlg.Text(IDC_TEXT));
    EXPECT_EQ(1, dlg.m_nTextChanges);

    // The lock-out ends with the exchange, a failed one too.
    dlg.SetDlgItemText(IDC_INT, "x");
    {
        CMessageBoxRecorder boxes;
        EXPECT_FALSE(dlg.UpdateData(TRUE));
    }
    dlg.SetDlgItemText(IDC_TEXT, "又一次");
    EXPECT_EQ(2, dlg.m_nTextChanges);
}

} // namespace

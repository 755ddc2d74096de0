// Dialogs from templates: the template's font, modeless and modal runs, ending a run from inside,
// owners disabled and enabled again, idle work, dialog keys and command routing.
#include "GuiTestSupport.h"
#include "dialogs_resource.h"

#include <afxdlgs.h>
#include <gtest/gtest.h>

namespace {

LOGFONTA FontOf(HWND hWnd)
{
    LOGFONTA lf = {};
    ::GetObjectA((HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0), sizeof lf, &lf);
    return lf;
}

int PointsToHeight(int nPoints)
{
    HDC hDC = ::GetDC(NULL);
    int nHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    ::ReleaseDC(NULL, hDC);
    return nHeight;
}

// Records its initialisation and the font the dialog manager gave it.
class CFontDialog : public CDialog
{
public:
    int m_nInitDialog = 0;
    BOOL m_bAttachedAtInit = FALSE;
    HFONT m_hFontSet = NULL;

    BOOL OnInitDialog() override
    {
        ++m_nInitDialog;
        m_bAttachedAtInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CDialog::OnInitDialog();
    }
    void OnSetFont(CFont* pFont) override { m_hFontSet = (HFONT)pFont->GetSafeHandle(); }
};

TEST(CDialogTest, ModelessDialogsHaveTheirTemplatesFont)
{
    CTestTopWindow owner;
    ASSERT_TRUE(owner.CreateHidden());
    CFontDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FONT_DIALOG, &owner));
    EXPECT_EQ(1, dlg.m_nInitDialog);
    EXPECT_TRUE(dlg.m_bAttachedAtInit);
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    CString strTitle;
    dlg.GetWindowText(strTitle);
    EXPECT_STREQ("字体测试", strTitle);

    LOGFONTA lf = FontOf(dlg.m_hWnd);
    EXPECT_STREQ("宋体", lf.lfFaceName);
    EXPECT_EQ(PointsToHeight(9), lf.lfHeight);
    EXPECT_EQ((HFONT)dlg.SendMessage(WM_GETFONT), dlg.m_hFontSet);
    EXPECT_EQ(dlg.m_hFontSet, (HFONT)dlg.SendDlgItemMessage(IDC_FONT_EDIT, WM_GETFONT));
    HWND hWnd = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, dlg.m_hWnd);

    // An extended template carries weight and italic as well.
    CFontDialog dlgEx;
    ASSERT_TRUE(dlgEx.Create(IDD_FONT_DIALOGEX));
    lf = FontOf(dlgEx.m_hWnd);
    EXPECT_STREQ("黑体", lf.lfFaceName);
    EXPECT_EQ(PointsToHeight(12), lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);

    CDialog missing;
    EXPECT_FALSE(missing.Create(IDD_FONT_DIALOG + 100));
    EXPECT_EQ(-1, CDialog(IDD_FONT_DIALOG + 100).DoModal());
}

// A modal dialog that ends itself with m_nEndCode when its timer fires, noting what it saw.
class CTimedDialog : public CDialog
{
public:
    CTimedDialog(int nEndCode, CWnd* pParentWnd) : CDialog(IDD_MODAL, pParentWnd), m_nEndCode(nEndCode) {}

    int m_nEndCode;
    HWND m_hWndOwnerWhileUp = NULL;
    BOOL m_bOwnerEnabledWhileUp = TRUE;
    BOOL m_bVisibleWhileUp = FALSE;

    BOOL OnInitDialog() override
    {
        SetTimer(1, 30, NULL);
        return CDialog::OnInitDialog();
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        m_hWndOwnerWhileUp = ::GetWindow(m_hWnd, GW_OWNER);
        m_bOwnerEnabledWhileUp = ::IsWindowEnabled(m_hWndOwnerWhileUp);
        m_bVisibleWhileUp = IsWindowVisible();
        EndDialog(m_nEndCode);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimedDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(CDialogTest, ModalDialogEndedFromATimerReturnsItsCodeAndEnablesTheOwner)
{
    CTestTopWindow owner;
    ASSERT_TRUE(owner.CreateHidden());
    CTimedDialog dlg(4242, &owner);
    EXPECT_EQ(4242, dlg.DoModal());
    EXPECT_EQ(owner.m_hWnd, dlg.m_hWndOwnerWhileUp);
    EXPECT_FALSE(dlg.m_bOwnerEnabledWhileUp);
    EXPECT_TRUE(dlg.m_bVisibleWhileUp);   // the template is not visible: the loop shows it when idle
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

// The main window counts the idle updates that reach it.
class CIdleCountingWindow : public CTestTopWindow
{
public:
    int m_nIdleUpdates = 0;
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleCountingWindow, CTestTopWindow)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST(CDialogTest, ModalDialogWithoutParentIsOwnedByTheMainWindowWhichKeepsItsIdleUpdates)
{
    CIdleCountingWindow mainWnd;
    ASSERT_TRUE(mainWnd.CreateHidden());
    mainWnd.ShowWindow(SW_SHOWNA);
    TestThread().m_pMainWnd = &mainWnd;
    CTimedDialog dlg(IDOK, NULL);
    INT_PTR nResult = dlg.DoModal();
    TestThread().m_pMainWnd = NULL;

    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(mainWnd.m_hWnd, dlg.m_hWndOwnerWhileUp);
    EXPECT_FALSE(dlg.m_bOwnerEnabledWhileUp);
    EXPECT_TRUE(mainWnd.IsWindowEnabled());
    EXPECT_GT(mainWnd.m_nIdleUpdates, 0);
}

// Types a value and posts a command to itself while it initialises (or ends at once).
class CPostingDialog : public CDialog
{
public:
    CPostingDialog(UINT nCommand, BOOL bEndAtInit = FALSE)
        : CDialog(IDD_MODAL), m_nCommand(nCommand), m_bEndAtInit(bEndAtInit) {}

    UINT m_nCommand;
    BOOL m_bEndAtInit;
    int m_nValue = 5;
    CString m_strShown;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_MODAL_VALUE, m_nValue); }
    BOOL OnInitDialog() override
    {
        BOOL bResult = CDialog::OnInitDialog();
        GetDlgItemText(IDC_MODAL_VALUE, m_strShown);
        SetDlgItemText(IDC_MODAL_VALUE, "77");
        if (m_bEndAtInit)
            EndDialog((int)m_nCommand);
        else
            PostMessage(WM_COMMAND, m_nCommand);
        return bResult;
    }
};

TEST(CDialogTest, OkTakesTheControlsIntoTheMembersAndCancelDoesNot)
{
    CPostingDialog ok(IDOK);
    EXPECT_EQ(IDOK, ok.DoModal());
    EXPECT_STREQ("5", ok.m_strShown);
    EXPECT_EQ(77, ok.m_nValue);

    CPostingDialog cancel(IDCANCEL);
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
    EXPECT_EQ(5, cancel.m_nValue);

    // EndDialog while initialising ends the run before it starts.
    CPostingDialog ended(IDABORT, TRUE);
    EXPECT_EQ(IDABORT, ended.DoModal());
    EXPECT_EQ(5, ended.m_nValue);
    EXPECT_EQ(nullptr, ended.m_hWnd);
}

class CKeyboardDialog : public CDialog
{
public:
    int m_nOK = 0;
    int m_nCancel = 0;
    void OnOK() override { ++m_nOK; }
    void OnCancel() override { ++m_nCancel; }
};

void PressKey(HWND hWnd, UINT nVirtKey)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, nVirtKey, 1);
    ::PostMessageA(hWnd, WM_KEYUP, nVirtKey, 0xC0000001);
    PumpPendingMessages();
}

TEST(CDialogTest, ModelessDialogGetsTheDialogKeysThroughPreTranslateMessage)
{
    CKeyboardDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FONT_DIALOG));
    dlg.ShowWindow(SW_SHOW);
    HWND hWndEdit = ::GetDlgItem(dlg.m_hWnd, IDC_FONT_EDIT);

    PressKey(hWndEdit, VK_ESCAPE);
    EXPECT_EQ(1, dlg.m_nCancel);
    PressKey(hWndEdit, VK_RETURN);
    EXPECT_EQ(1, dlg.m_nOK);
    dlg.SetDefID(IDCANCEL);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), dlg.GetDefID());
    PressKey(hWndEdit, VK_RETURN);
    EXPECT_EQ(2, dlg.m_nCancel);

    dlg.GotoDlgCtrl(CWnd::FromHandle(hWndEdit));
    EXPECT_EQ(hWndEdit, ::GetFocus());
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDOK), ::GetFocus());
    dlg.PrevDlgCtrl();
    EXPECT_EQ(hWndEdit, ::GetFocus());
}

// Handles a range of ids, as an application handles its commands.
class CCommandThread : public CWinThread
{
public:
    UINT m_nHandled = 0;
    afx_msg void OnThreadCommand(UINT nID) { m_nHandled = nID; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandThread, CWinThread)
    ON_COMMAND_RANGE(0x0F00, 0x8F00, OnThreadCommand)
END_MESSAGE_MAP()

TEST(CDialogTest, CommandsTheDialogLeavesGoToTheThreadObject)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FONT_DIALOG));
    CCommandThread thread;
    AfxSetThread(&thread);
    dlg.SendMessage(WM_COMMAND, 0x8F00);
    UINT nAfterCommand = thread.m_nHandled;
    thread.m_nHandled = 0;
    dlg.SendMessage(WM_COMMAND, 0x0F00);   // below the command range lie control ids: they stay
    AfxSetThread(&TestThread());

    EXPECT_EQ(0x8F00u, nAfterCommand);
    EXPECT_EQ(0u, thread.m_nHandled);
}

} // namespace

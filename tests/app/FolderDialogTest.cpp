// The folder chooser behind the form's browse buttons, driven under the real explorer dialog: its
// layout after set-up, and OK taking the folder the dialog shows.
#include "AppTestSupport.h"
#include "FolderDialog.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the chooser looked like while it was up, and how it was answered.
struct ChooserVisit
{
    bool bSeen = false;
    bool bFileNameFieldFound = false;
    bool bFileFieldsHidden = true;
    CRect rectOK;
    CRect rectCancel;
    CRect rectList;
    std::string strOKText;
    std::string strTitle;
    int nAnswer = IDOK;
};

ChooserVisit* s_pVisit = NULL;

CRect ClientRectOf(HWND hWndDialog, int nID)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hWndDialog, nID), &rect);
    ::MapWindowPoints(NULL, hWndDialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

BOOL CALLBACK InspectChooser(HWND hWnd, LPARAM)
{
    char szText[256];
    if (::GetClassNameA(hWnd, szText, sizeof szText) == 0 || lstrcmpA(szText, "#32770") != 0 ||
        !::IsWindowVisible(hWnd))
        return TRUE;
    ChooserVisit& visit = *s_pVisit;
    visit.bSeen = true;
    for (int nID : {1152, 1148, 1090, 1136, 1089})
    {
        HWND hWndControl = ::GetDlgItem(hWnd, nID);
        if (hWndControl == NULL)
            continue;
        visit.bFileNameFieldFound |= nID == 1152 || nID == 1148;
        visit.bFileFieldsHidden &= !::IsWindowVisible(hWndControl);
    }
    visit.rectOK = ClientRectOf(hWnd, IDOK);
    visit.rectCancel = ClientRectOf(hWnd, IDCANCEL);
    visit.rectList = ClientRectOf(hWnd, 1120);
    ::GetDlgItemTextA(hWnd, IDOK, szText, sizeof szText);
    visit.strOKText = szText;
    ::GetWindowTextA(hWnd, szText, sizeof szText);
    visit.strTitle = szText;
    ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(visit.nAnswer, 0), 0);
    return FALSE;
}

void CALLBACK OnChooserTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pVisit != NULL && !s_pVisit->bSeen)
        ::EnumThreadWindows(::GetCurrentThreadId(), InspectChooser, 0);
}

class FolderDialogTest : public ::testing::Test
{
protected:
    CAppPathEntry m_appPath;
    CScratchFolder m_scratch;
    CString m_strOldCurrentFolder;
    std::unique_ptr<CInstallerWindow> m_pWindow;

    void SetUp() override
    {
        char szOld[MAX_PATH];
        ::GetCurrentDirectoryA(sizeof szOld, szOld);
        m_strOldCurrentFolder = szOld;
        m_pWindow.reset(new CInstallerWindow);
        ASSERT_NE(nullptr, m_pWindow->Frame());
        PumpPendingMessages();
    }

    void TearDown() override
    {
        m_pWindow.reset();
        ::SetCurrentDirectoryA(m_strOldCurrentFolder);
    }

    // Presses a browse button and answers the chooser with nAnswer once it is up.
    ChooserVisit Browse(int nButton, int nAnswer)
    {
        ChooserVisit visit;
        visit.nAnswer = nAnswer;
        s_pVisit = &visit;
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, OnChooserTimer);
        m_pWindow->ClickButton(nButton);
        ::KillTimer(NULL, nTimer);
        s_pVisit = NULL;
        return visit;
    }
};

} // namespace

TEST_F(FolderDialogTest, ShowsOnlyTheFolderListWithOKBesideCancel)
{
    m_pWindow->SetFieldText(IDC_VSDIR, m_scratch.Path(""));
    ChooserVisit visit = Browse(IDC_BROWSE_VSDIR, IDCANCEL);
    ASSERT_TRUE(visit.bSeen);
    EXPECT_EQ("请选择目录", visit.strTitle);
    EXPECT_TRUE(visit.bFileNameFieldFound);
    EXPECT_TRUE(visit.bFileFieldsHidden);
    EXPECT_EQ("确定", visit.strOKText);
    EXPECT_EQ(visit.rectCancel.top, visit.rectOK.top);
    EXPECT_EQ(visit.rectCancel.left - 4, visit.rectOK.right);
    EXPECT_EQ(visit.rectCancel.Height(), visit.rectOK.Height());
    EXPECT_EQ(visit.rectCancel.top - 4, visit.rectList.bottom);
}

TEST_F(FolderDialogTest, OKTakesTheFolderShownAndCancelKeepsTheField)
{
    ::CreateDirectoryA(m_scratch.Path("选择"), NULL);
    CString strTyped = m_scratch.Path("选择\\");
    m_pWindow->SetFieldText(IDC_LIBDIR, strTyped);
    ChooserVisit visit = Browse(IDC_BROWSE_LIBDIR, IDOK);
    ASSERT_TRUE(visit.bSeen);
    // The chooser starts at the typed folder and gives it back without the trailing separator.
    EXPECT_EQ(std::string(m_scratch.Path("选择")), m_pWindow->FieldText(IDC_LIBDIR));
    EXPECT_EQ(std::string(m_scratch.Path("选择")), std::string(m_pWindow->View()->m_strLibDir));

    m_pWindow->SetFieldText(IDC_VSDIR, "");
    m_pWindow->SetFieldText(IDC_LIBDIR, "F:\\输入的");
    visit = Browse(IDC_BROWSE_LIBDIR, IDCANCEL);
    ASSERT_TRUE(visit.bSeen);
    EXPECT_EQ("F:\\输入的", m_pWindow->FieldText(IDC_LIBDIR));
    EXPECT_EQ("", m_pWindow->FieldText(IDC_VSDIR));
}

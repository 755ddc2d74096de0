// The folder chooser behind the form's browse buttons, under the system's explorer dialog: its
// layout after set-up, OK taking the folder the dialog shows, and Cancel.
#include "AppTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

CRect ControlRect(HWND hWndDialog, int nID)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hWndDialog, nID), &rect);
    ::MapWindowPoints(NULL, hWndDialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

// The layout of the chooser once it is up.
void CheckChooser(HWND hWnd)
{
    EXPECT_EQ("请选择目录", WindowText(hWnd));
    // The file-name field is the edit 1152 or, in some versions of the dialog, the combo 1148.
    int nFileNameFields = 0;
    for (int nID : {1152, 1148, 1090, 1136, 1089})
    {
        if (HWND hWndControl = ::GetDlgItem(hWnd, nID))
        {
            nFileNameFields += nID == 1152 || nID == 1148;
            EXPECT_FALSE(::IsWindowVisible(hWndControl)) << nID;
        }
    }
    EXPECT_EQ(1, nFileNameFields);
    EXPECT_EQ("确定", WindowText(::GetDlgItem(hWnd, IDOK)));
    CRect rectOK = ControlRect(hWnd, IDOK), rectCancel = ControlRect(hWnd, IDCANCEL);
    EXPECT_EQ(rectCancel.top, rectOK.top);
    EXPECT_EQ(rectCancel.left - 4, rectOK.right);
    EXPECT_EQ(rectCancel.top - 4, ControlRect(hWnd, 1120).bottom);
}

// Presses a browse button of the form and answers the chooser with nAnswer; FALSE when no chooser
// came up. The chooser moves the current directory, which is put back.
bool Browse(CInstallerWindow& window, int nButton, int nAnswer)
{
    char szCurrent[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    CDialogResponder chooser(nAnswer, CheckChooser);
    window.Click(nButton);
    ::SetCurrentDirectoryA(szCurrent);
    return chooser.m_boxes.size() == 1;
}

} // namespace

TEST(FolderDialogTest, ShowsTheFolderListWithOKBesideCancelAndOKTakesTheFolderShown)
{
    CScratchFolder scratch;
    ::CreateDirectoryA(scratch.Path("选择"), NULL);
    CInstallerWindow window;
    window.SetText(IDC_LIBDIR, scratch.Path("选择\\"));
    ASSERT_TRUE(Browse(window, IDC_BROWSE_LIBDIR, IDOK));
    // Started at the typed folder, the chooser gives it back without the trailing separator.
    EXPECT_EQ(std::string(scratch.Path("选择")), window.Text(IDC_LIBDIR));

    window.SetText(IDC_VSDIR, "F:\\输入的");
    ASSERT_TRUE(Browse(window, IDC_BROWSE_VSDIR, IDCANCEL));
    EXPECT_EQ("F:\\输入的", window.Text(IDC_VSDIR));
}

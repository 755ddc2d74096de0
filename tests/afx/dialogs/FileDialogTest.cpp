// The explorer-style file dialog with the framework's hook: the object attached to the explorer's
// child dialog, OnInitDone and OnFileNameOK, the chosen path in its parts, multiple selections.
#include "GuiTestSupport.h"
#include "ScratchFolder.h"

#include <afxdlgs.h>
#include <dlgs.h>
#include <gtest/gtest.h>

namespace {

// The explorer dialog's file name box: a combo box (cmb13) in newer systems, an edit field (edt1) in
// older ones.
int FileNameControl(HWND hWndExplorer)
{
    return ::GetDlgItem(hWndExplorer, cmb13) != NULL ? cmb13 : edt1;
}

CString FolderOf(const CScratchFolder& folder)
{
    CString strPath = folder.Path("");
    return strPath.Left(strPath.GetLength() - 1);
}

// Notes what it sees when the explorer dialog is ready, then either types a name and presses
// Open, or cancels.
class CScriptedFileDialog : public CFileDialog
{
public:
    CScriptedFileDialog(LPCTSTR lpszInitialDir, LPCTSTR lpszTypeName, DWORD dwFlags = OFN_HIDEREADONLY)
        : CFileDialog(TRUE, NULL, NULL, dwFlags, "文本文件 (*.txt)|*.txt|所有文件|*.*||"),
          m_strInitialDir(lpszInitialDir), m_lpszTypeName(lpszTypeName)
    {
        m_ofn.lpstrInitialDir = m_strInitialDir;
    }

    CString m_strInitialDir;
    LPCTSTR m_lpszTypeName;   // NULL: cancel
    BOOL m_bRefuseName = FALSE;

    int m_nInitDone = 0;
    BOOL m_bAttached = FALSE;
    CString m_strParentClass;
    BOOL m_bParentIsOwnerOfChild = FALSE;
    CString m_strFolderAtInit;
    int m_nFileNameOK = 0;
    CString m_strPathAtOK;
    CString m_strNameAtOK;

    void OnInitDone() override
    {
        ++m_nInitDone;
        m_bAttached = CWnd::FromHandlePermanent(m_hWnd) == this;
        CWnd* pExplorer = GetParent();
        char szClass[32] = {};
        ::GetClassNameA(pExplorer->m_hWnd, szClass, sizeof szClass);
        m_strParentClass = szClass;
        m_bParentIsOwnerOfChild = (GetStyle() & WS_CHILD) && pExplorer->m_hWnd != m_hWnd;
        m_strFolderAtInit = GetFolderPath();
        if (m_lpszTypeName != NULL)
        {
            SetControlText(FileNameControl(pExplorer->m_hWnd), m_lpszTypeName);
            pExplorer->PostMessage(WM_COMMAND, IDOK);
        }
        else
            pExplorer->PostMessage(WM_COMMAND, IDCANCEL);
    }

    BOOL OnFileNameOK() override
    {
        ++m_nFileNameOK;
        m_strPathAtOK = GetPathName();
        m_strNameAtOK = GetFileName();
        if (m_bRefuseName)
            GetParent()->PostMessage(WM_COMMAND, IDCANCEL);   // the refused dialog is still up
        return m_bRefuseName;
    }
};

TEST(CFileDialogTest, InitDoneReachesTheObjectAttachedToTheExplorersChild)
{
    CScratchFolder folder;
    CScriptedFileDialog dlg(FolderOf(folder), NULL);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());

    EXPECT_EQ(1, dlg.m_nInitDone);
    EXPECT_TRUE(dlg.m_bAttached);
    EXPECT_STREQ("#32770", dlg.m_strParentClass);
    EXPECT_TRUE(dlg.m_bParentIsOwnerOfChild);
    EXPECT_STREQ(FolderOf(folder), dlg.m_strFolderAtInit);
    EXPECT_EQ(0, dlg.m_nFileNameOK);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(CFileDialogTest, ChosenFileIsReadInItsParts)
{
    CScratchFolder folder;
    folder.CreateWithContents("选择的文件.txt", "内容");
    CScriptedFileDialog dlg(FolderOf(folder), "选择的文件.txt");
    ASSERT_EQ(IDOK, dlg.DoModal());

    EXPECT_EQ(1, dlg.m_nFileNameOK);
    EXPECT_STREQ(folder.Path("选择的文件.txt"), dlg.m_strPathAtOK);   // asked while the dialog was up
    EXPECT_STREQ("选择的文件.txt", dlg.m_strNameAtOK);
    EXPECT_STREQ(folder.Path("选择的文件.txt"), dlg.GetPathName());
    EXPECT_STREQ("选择的文件.txt", dlg.GetFileName());
    EXPECT_STREQ("txt", dlg.GetFileExt());
    EXPECT_STREQ("选择的文件", dlg.GetFileTitle());

    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ(folder.Path("选择的文件.txt"), dlg.GetNextPathName(pos));
    EXPECT_EQ(nullptr, pos);
}

TEST(CFileDialogTest, RefusedNameKeepsTheDialogUp)
{
    CScratchFolder folder;
    folder.CreateWithContents("拒绝.txt", "");
    CScriptedFileDialog dlg(FolderOf(folder), "拒绝.txt");
    dlg.m_bRefuseName = TRUE;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nFileNameOK);
}

TEST(CFileDialogTest, MultipleSelectionGivesEachFileWithItsFolder)
{
    CScratchFolder folder;
    folder.CreateWithContents("甲.txt", "");
    folder.CreateWithContents("乙.txt", "");
    CScriptedFileDialog dlg(FolderOf(folder), "\"甲.txt\" \"乙.txt\"", OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT);
    ASSERT_EQ(IDOK, dlg.DoModal());

    POSITION pos = dlg.GetStartPosition();
    ASSERT_NE(nullptr, pos);
    CString strFirst = dlg.GetNextPathName(pos);
    ASSERT_NE(nullptr, pos);
    CString strSecond = dlg.GetNextPathName(pos);
    EXPECT_EQ(nullptr, pos);
    EXPECT_STREQ(folder.Path("甲.txt"), strFirst);
    EXPECT_STREQ(folder.Path("乙.txt"), strSecond);
}

TEST(CFileDialogTest, NamesAreJoinedToAFolderEndingInADoubleByteCharacter)
{
    // 0x81 0x5C is one GBK character whose second byte is a backslash: the folder does not end in one.
    CFileDialog dlg(TRUE, NULL, NULL, OFN_ALLOWMULTISELECT);
    static const char buffer[] = "C:\\\x81\x5C\0a.txt\0b.txt\0";
    memcpy(dlg.m_ofn.lpstrFile, buffer, sizeof buffer);

    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\\x81\x5C\\a.txt", dlg.GetNextPathName(pos));
    EXPECT_STREQ("C:\\\x81\x5C\\b.txt", dlg.GetNextPathName(pos));
    EXPECT_EQ(nullptr, pos);

    static const char root[] = "C:\\\0c.txt\0d.txt\0";
    memcpy(dlg.m_ofn.lpstrFile, root, sizeof root);
    pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\c.txt", dlg.GetNextPathName(pos));
}

TEST(CFileDialogTest, FilterAndDefaultExtensionReachTheSystemForm)
{
    // 0x81 0x7C is one GBK character whose second byte is the separator '|'.
    CFileDialog dlg(FALSE, "txt", "默认.txt", OFN_HIDEREADONLY, "文本\x81\x7C|*.txt|全部|*.*||");
    const char expected[] = "文本\x81\x7C\0*.txt\0全部\0*.*\0";
    EXPECT_EQ(0, memcmp(expected, dlg.m_ofn.lpstrFilter, sizeof expected));
    EXPECT_STREQ("txt", dlg.m_ofn.lpstrDefExt);
    EXPECT_STREQ("默认.txt", dlg.m_ofn.lpstrFile);
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_ENABLEHOOK);
}

} // namespace

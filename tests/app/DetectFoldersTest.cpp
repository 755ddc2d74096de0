// Finding the target folders: the App Paths entry of msdev.exe and the folder in which the system
// loader finds VEVER58.dll, after creation and on request; and the links to the maker's address.
#include "AboutBox.h"
#include "AppTestSupport.h"
#include "QENWizConstants.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

class DetectFoldersTest : public ::testing::Test
{
protected:
    void SetUp() override { m_appPath.Remove(); }
    void TearDown() override { ::SetDllDirectoryA(NULL); }

    void SetAppPath(const std::string& strValue, bool bTerminated = true)
    {
        m_appPath.SetDefaultValue("", strValue.c_str(), bTerminated);
    }

    CScratchRegistryKey m_appPath{HKEY_LOCAL_MACHINE, s_szAppPathKey};
};

} // namespace

TEST_F(DetectFoldersTest, VisualStudioFolderComesFromAnAppPathValueThatFitsTwoHundredBytes)
{
    SetAppPath("C:\\VS6\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    CInstallerWindow window;
    EXPECT_EQ("C:\\VS6\\", window.Text(IDC_VSDIR)) << "detection runs once after creation";

    SetAppPath("D:\\Other\\Common\\MSDev98\\Bin", false);
    window.SetText(IDC_LIBDIR, "E:\\已输入\\");
    window.Click(IDC_DETECT_FOLDERS);
    EXPECT_EQ("C:\\VS6\\", window.Text(IDC_VSDIR)) << "the button only posts the request";
    PumpPendingMessages();
    EXPECT_EQ("D:\\Other\\", window.Text(IDC_VSDIR));
    EXPECT_EQ("E:\\已输入\\", window.Text(IDC_LIBDIR)) << "a source not found keeps what was typed";

    // 199 characters and the terminator fill the buffer exactly.
    const std::string strTail = "Common\\MSDev98\\Bin\\MSDEV.EXE";
    const std::string strRoot = "F:\\" + std::string(199 - 4 - strTail.size(), 'v') + "\\";
    SetAppPath(strRoot + strTail);
    window.Frame()->SendMessage(WM_COMMAND, ID_TOOLS_DETECT_FOLDERS, 0);
    PumpPendingMessages();
    EXPECT_EQ(strRoot, window.Text(IDC_VSDIR));

    // 200 characters without a terminator, one far too long, and no entry at all are not read.
    const std::string strFull = "H:\\" + std::string(200 - 4 - strTail.size(), 'w') + "\\" + strTail;
    for (const std::string& strValue : {strFull, "J:\\" + std::string(300, 'x') + "\\" + strTail, std::string()})
    {
        window.SetText(IDC_VSDIR, "E:\\Typed\\");
        if (strValue.empty())
            m_appPath.Remove();
        else
            SetAppPath(strValue, false);
        window.View()->SendMessage(WM_DETECTFOLDERS, 0, 0);
        EXPECT_EQ("E:\\Typed\\", window.Text(IDC_VSDIR)) << strValue.size() << " characters";
    }
}

TEST_F(DetectFoldersTest, LibraryFolderIsTheParentOfWhereTheLoaderFindsTheLibrary)
{
    // The built library lies in a folder of its own, given relative to the test program's.
    char szProgram[MAX_PATH];
    ::GetModuleFileNameA(NULL, szProgram, sizeof szProgram);
    CString strBuilt = szProgram;
    strBuilt = strBuilt.Left(strBuilt.ReverseFind('\\') + 1) + QENWIZ_TEST_LIBRARY;

    CScratchFolder scratch;
    CInstallerWindow window;
    EXPECT_EQ("", window.Text(IDC_LIBDIR)) << "the library is nowhere to be found";
    ::CreateDirectoryA(scratch.Path("库"), NULL);
    ::CreateDirectoryA(scratch.Path("库\\Bin"), NULL);
    ASSERT_TRUE(::CopyFileA(strBuilt, scratch.Path("库\\Bin\\VEVER58.dll"), FALSE)) << (LPCTSTR)strBuilt;
    ::SetDllDirectoryA(scratch.Path("库\\Bin"));
    window.View()->SendMessage(WM_DETECTFOLDERS, 0, 0);
    EXPECT_EQ(std::string(scratch.Path("库\\")), window.Text(IDC_LIBDIR));
    EXPECT_EQ(NULL, ::GetModuleHandleA("VEVER58.dll")) << "loaded only to learn its folder";

    // Directly in a drive's root folder there is no parent folder to install into.
    ASSERT_TRUE(::CopyFileA(strBuilt, "C:\\VEVER58.dll", FALSE));
    ::SetDllDirectoryA("C:\\");
    window.View()->SendMessage(WM_DETECTFOLDERS, 0, 0);
    ::SetDllDirectoryA(NULL);
    ::DeleteFileA("C:\\VEVER58.dll");
    EXPECT_EQ("", window.Text(IDC_LIBDIR));
}

TEST(LinkTest, FormAndAboutBoxLinksOpenTheMakersAddress)
{
    CInstallerWindow window;
    EXPECT_EQ(&window.View()->m_wndLink, CWnd::FromHandlePermanent(::GetDlgItem(*window.View(), IDC_WEB_LINK)));
    EXPECT_EQ(QENWIZ_WEB_ADDRESS, std::string(window.View()->m_wndLink.GetTarget()));
    CAboutBox about(window.Frame());
    ASSERT_TRUE(about.Create(CAboutBox::IDD, window.Frame()));
    EXPECT_EQ(&about.m_wndLink, CWnd::FromHandlePermanent(::GetDlgItem(about, IDC_ABOUT_LINK)));
    EXPECT_EQ(QENWIZ_WEB_ADDRESS, std::string(about.m_wndLink.GetTarget()));
    about.DestroyWindow();
}

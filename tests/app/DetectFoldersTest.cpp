// Finding the target folders: the App Paths entry of msdev.exe in the registry and the folder the
// system loader finds VEVER58.dll in, after creation and on request.
#include "AppTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The built library, in a folder of its own (given relative to the test program's folder), so the
// loader does not find it next to the program.
CString BuiltLibraryPath()
{
    char szPath[MAX_PATH];
    ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind('\\') + 1) + QENWIZ_TEST_LIBRARY;
}

class DetectFoldersTest : public ::testing::Test
{
protected:
    CAppPathEntry m_appPath;
    CScratchFolder m_scratch;
    std::unique_ptr<CInstallerWindow> m_pWindow;

    void OpenWindow()
    {
        m_pWindow.reset(new CInstallerWindow);
        ASSERT_NE(nullptr, m_pWindow->Frame());
        PumpPendingMessages();
    }

    void Detect()
    {
        m_pWindow->View()->SendMessage(WM_DETECTFOLDERS, 0, 0);
    }

    // Puts the library in a folder (given with its trailing separator) and has the loader search there.
    CString PlaceLibrary(const CString& strFolder)
    {
        ::CreateDirectoryA(strFolder, NULL);
        CString strLibrary = strFolder + "VEVER58.dll";
        EXPECT_TRUE(::CopyFileA(BuiltLibraryPath(), strLibrary, FALSE)) << (LPCTSTR)BuiltLibraryPath();
        ::SetDllDirectoryA(strFolder);
        return strLibrary;
    }

    void TearDown() override
    {
        m_pWindow.reset();
        ::SetDllDirectoryA(NULL);
    }
};

} // namespace

TEST_F(DetectFoldersTest, RunsOnceAfterCreationAndAgainOnTheButtonAndTheToolsCommand)
{
    m_appPath.SetDefaultValue("C:\\VS6\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    OpenWindow();
    EXPECT_EQ("C:\\VS6\\", m_pWindow->FieldText(IDC_VSDIR));
    EXPECT_EQ("", m_pWindow->FieldText(IDC_LIBDIR));

    m_appPath.SetDefaultValue("D:\\Other\\Common\\MSDev98\\Bin");
    m_pWindow->SetFieldText(IDC_LIBDIR, "E:\\已输入\\");
    m_pWindow->ClickButton(IDC_DETECT_FOLDERS);
    EXPECT_EQ("C:\\VS6\\", m_pWindow->FieldText(IDC_VSDIR)) << "the button only posts the request";
    PumpPendingMessages();
    EXPECT_EQ("D:\\Other\\", m_pWindow->FieldText(IDC_VSDIR));
    EXPECT_EQ("E:\\已输入\\", m_pWindow->FieldText(IDC_LIBDIR)) << "a source not found keeps what was typed";

    m_appPath.SetDefaultValue("F:\\Third\\Common\\MSDev98\\Bin\\");
    m_pWindow->Frame()->SendMessage(WM_COMMAND, ID_TOOLS_DETECT_FOLDERS, 0);
    PumpPendingMessages();
    EXPECT_EQ("F:\\Third\\", m_pWindow->FieldText(IDC_VSDIR));
}

TEST_F(DetectFoldersTest, AppPathValueIsReadOnlyWhenItAndItsTerminatorFitTwoHundredBytes)
{
    OpenWindow();
    const char szTyped[] = "E:\\Typed\\";
    m_pWindow->SetFieldText(IDC_VSDIR, szTyped);
    Detect();
    EXPECT_EQ(szTyped, m_pWindow->FieldText(IDC_VSDIR)) << "no App Paths entry";

    // 199 characters and the terminator fill the buffer exactly.
    const std::string strTail = "Common\\MSDev98\\Bin\\MSDEV.EXE";
    const std::string strRoot = "C:\\" + std::string(199 - 3 - 1 - strTail.size(), 'v') + "\\";
    ASSERT_EQ(199u, (strRoot + strTail).size());
    m_appPath.SetDefaultValue(strRoot + strTail);
    Detect();
    EXPECT_EQ(strRoot, m_pWindow->FieldText(IDC_VSDIR));

    // Stored without a terminator: the value ends where its bytes end.
    const std::string strShort = "G:\\NoNul\\Common\\MSDev98\\Bin\\MSDEV.EXE";
    m_appPath.SetUnterminatedDefaultValue(strShort);
    Detect();
    EXPECT_EQ("G:\\NoNul\\", m_pWindow->FieldText(IDC_VSDIR));

    // 200 characters without a terminator, and a value far too long, are not read.
    const std::string strFull = "H:\\" + std::string(200 - 3 - 1 - strTail.size(), 'w') + "\\" + strTail;
    ASSERT_EQ(200u, strFull.size());
    for (const std::string& strValue : {strFull, std::string("J:\\") + std::string(300, 'x') + "\\" + strTail})
    {
        m_pWindow->SetFieldText(IDC_VSDIR, szTyped);
        m_appPath.SetUnterminatedDefaultValue(strValue);
        Detect();
        EXPECT_EQ(szTyped, m_pWindow->FieldText(IDC_VSDIR)) << strValue.size() << " characters";
    }
}

TEST_F(DetectFoldersTest, LibraryFolderIsTheParentOfWhereTheLoaderFindsTheLibrary)
{
    OpenWindow();
    m_pWindow->SetFieldText(IDC_LIBDIR, "E:\\Typed\\");
    Detect();
    EXPECT_EQ("E:\\Typed\\", m_pWindow->FieldText(IDC_LIBDIR)) << "the library is nowhere to be found";

    ::CreateDirectoryA(m_scratch.Path("库"), NULL);
    PlaceLibrary(m_scratch.Path("库\\Bin\\"));
    Detect();
    EXPECT_EQ(std::string(m_scratch.Path("库\\")), m_pWindow->FieldText(IDC_LIBDIR));
    EXPECT_EQ(NULL, ::GetModuleHandleA("VEVER58.dll")) << "loaded only to learn its folder";

    // Directly in a drive's root folder there is no parent folder to install into.
    CString strRootLibrary = PlaceLibrary("C:\\");
    Detect();
    EXPECT_EQ("", m_pWindow->FieldText(IDC_LIBDIR));
    ::SetDllDirectoryA(NULL);
    ::DeleteFileA(strRootLibrary);
}

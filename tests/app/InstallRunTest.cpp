// The installation run: result lines and caption for each combination of the check box and the
// two folders, payloads that fail for real reasons, and the temporary copy of each payload.
#include "AppTestResource.h"
#include "AppTestSupport.h"
#include "QENWizConstants.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char s_szSuccessCaption[] = "安装完成！- " QENWIZ_WEB_ADDRESS;
const char s_szVSFile[] = "Common\\MSDev98\\Template\\QENBAppWizardCHS.awx";
const char s_szLibFiles[][40] = {"QENControlBar\\L.chs\\QENCBRes.dsp", "QENControlBar\\L.chs\\QENCBRes.dsw",
                                 "QENControlBar\\L.chs\\QENControlBar.rc", "Bin\\QENCBResCHS.dll"};

std::string Join(const std::vector<std::string>& lines)
{
    std::string strText;
    for (const std::string& strLine : lines)
        strText += strLine + "\r\n";
    return strText;
}

// An installer window with a temporary folder and a current folder of its own, and no source for
// the folder detection, so the fields hold what the test types.
class InstallRunFixture
{
protected:
    CAppPathEntry m_appPath;
    CScratchFolder m_scratch;
    CString m_strTempFolder;
    CString m_strCurrentFolder;
    CString m_strOldCurrentFolder;
    std::unique_ptr<CTemporaryFolderOverride> m_pTempOverride;
    std::unique_ptr<CInstallerWindow> m_pWindow;

    void OpenWindow()
    {
        m_strTempFolder = m_scratch.Path("tmp");
        m_strCurrentFolder = m_scratch.Path("cwd");
        ::CreateDirectoryA(m_strTempFolder, NULL);
        ::CreateDirectoryA(m_strCurrentFolder, NULL);
        char szOld[MAX_PATH];
        ::GetCurrentDirectoryA(sizeof szOld, szOld);
        m_strOldCurrentFolder = szOld;
        ::SetCurrentDirectoryA(m_strCurrentFolder);
        m_pTempOverride.reset(new CTemporaryFolderOverride(m_strTempFolder));
        m_pWindow.reset(new CInstallerWindow);
        ASSERT_NE(nullptr, m_pWindow->Frame());
        PumpPendingMessages();
    }

    void CloseWindow()
    {
        m_pWindow.reset();
        m_pTempOverride.reset();
        ::SetCurrentDirectoryA(m_strOldCurrentFolder);
    }

    void Fill(LPCTSTR lpszVSDir, LPCTSTR lpszLibDir, BOOL bLangPack)
    {
        m_pWindow->SetFieldText(IDC_VSDIR, lpszVSDir);
        m_pWindow->SetFieldText(IDC_LIBDIR, lpszLibDir);
        m_pWindow->SetLangPackChecked(bLangPack);
    }

    void Install()
    {
        m_pWindow->View()->SendMessage(WM_STARTINSTALL, 0, 0);
    }

    CString Target(LPCTSTR lpszFolder, LPCTSTR lpszFile)
    {
        return m_scratch.Path(lpszFolder) + "\\" + lpszFile;
    }

    BOOL LibraryPartInstalled(LPCTSTR lpszFolder)
    {
        for (LPCTSTR lpszFile : s_szLibFiles)
            if (!FileExists(Target(lpszFolder, lpszFile)))
                return FALSE;
        return TRUE;
    }
};

enum FolderKind
{
    folderEmpty,
    folderValid,
    folderRelative
};

struct RunCase
{
    const char* pszName;
    BOOL bLangPack;
    FolderKind vsFolder;
    FolderKind libFolder;
    std::vector<std::string> lines;
};

class InstallRunTest : public InstallRunFixture, public ::testing::TestWithParam<RunCase>
{
protected:
    void SetUp() override { OpenWindow(); }
    void TearDown() override { CloseWindow(); }

    CString Folder(FolderKind kind, LPCTSTR lpszName)
    {
        switch (kind)
        {
        case folderValid:
            return m_scratch.Path(lpszName) + "\\";
        case folderRelative:
            return CString("relative\\") + lpszName;
        default:
            return CString();
        }
    }
};

} // namespace

TEST_P(InstallRunTest, WritesTheLinesOfTheOutcomeAndChangesTheCaptionOnlyOnSuccess)
{
    const RunCase& run = GetParam();
    std::string strCaption = m_pWindow->Caption();
    Fill(Folder(run.vsFolder, "VS"), Folder(run.libFolder, "Lib"), run.bLangPack);
    Install();

    EXPECT_EQ(Join(run.lines), m_pWindow->ResultText());
    bool bSucceeded = run.lines.back() == "安装成功！";
    EXPECT_EQ(bSucceeded ? s_szSuccessCaption : strCaption, m_pWindow->Caption());
    EXPECT_EQ(run.vsFolder == folderValid, FileExists(Target("VS", s_szVSFile)));
    EXPECT_EQ(run.bLangPack && run.libFolder == folderValid, LibraryPartInstalled("Lib"));
    EXPECT_TRUE(FolderEntries(m_strCurrentFolder).empty()) << "a relative folder is never extracted into";
    EXPECT_TRUE(FolderEntries(m_strTempFolder).empty()) << "temporary copies are removed";
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, InstallRunTest,
    ::testing::Values(
        RunCase{"VSOnly", FALSE, folderValid, folderEmpty, {"安装成功！"}},
        RunCase{"NoFolder", FALSE, folderEmpty, folderValid, {"安装失败！"}},
        RunCase{"RelativeVS", FALSE, folderRelative, folderEmpty, {"安装Visual Studio部件失败！", "安装失败！"}},
        RunCase{"LibraryAlone", TRUE, folderEmpty, folderValid, {"安装失败！"}},
        RunCase{"Both", TRUE, folderValid, folderValid, {"安装成功！"}},
        RunCase{"BothFail", TRUE, folderRelative, folderEmpty,
                {"安装Visual Studio部件失败！", "安装QEN中文部件失败！", "安装失败！"}},
        RunCase{"RelativeLibrary", TRUE, folderValid, folderRelative, {"安装QEN中文部件失败！", "安装失败！"}},
        RunCase{"NoFolderWithLibrary", TRUE, folderEmpty, folderEmpty, {"安装QEN中文部件失败！", "安装失败！"}}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.pszName); });

namespace {

class InstallPayloadTest : public InstallRunFixture, public ::testing::Test
{
protected:
    void SetUp() override { OpenWindow(); }
    void TearDown() override { CloseWindow(); }
};

std::string FileContents(LPCTSTR lpszPath)
{
    CFile file(lpszPath, CFile::modeRead | CFile::shareDenyNone);
    std::string strContents((size_t)file.GetLength(), '\0');
    file.Read(&strContents[0], (UINT)strContents.size());
    return strContents;
}

} // namespace

TEST_F(InstallPayloadTest, ASecondRunOverwritesTheFilesAndAddsItsLinesBelowTheFirst)
{
    CString strVSFolder = m_scratch.Path("VS");
    Fill(strVSFolder, "", FALSE);
    m_pWindow->ClickButton(IDC_START_INSTALL);
    EXPECT_EQ("", m_pWindow->ResultText()) << "the button only posts the request";
    PumpPendingMessages();
    std::string strInstalled = FileContents(Target("VS", s_szVSFile));
    ASSERT_FALSE(strInstalled.empty());

    CFile changed(Target("VS", s_szVSFile), CFile::modeCreate | CFile::modeWrite);
    changed.Write("changed", 7);
    changed.Close();
    m_pWindow->Frame()->SendMessage(WM_COMMAND, ID_TOOLS_START_INSTALL, 0);
    PumpPendingMessages();
    EXPECT_EQ("安装成功！\r\n安装成功！\r\n", m_pWindow->ResultText());
    EXPECT_EQ(strInstalled, FileContents(Target("VS", s_szVSFile)));
}

TEST_F(InstallPayloadTest, AnExtractionErrorIsReportedByTheFrameworkAndLeavesNoTemporaryCopy)
{
    // A read-only file where the wizard template goes cannot be replaced.
    ::CreateDirectoryA(m_scratch.Path("VS"), NULL);
    ::CreateDirectoryA(m_scratch.Path("VS\\Common"), NULL);
    ::CreateDirectoryA(m_scratch.Path("VS\\Common\\MSDev98"), NULL);
    ::CreateDirectoryA(m_scratch.Path("VS\\Common\\MSDev98\\Template"), NULL);
    CString strBlocked = Target("VS", s_szVSFile);
    m_scratch.CreateWithContents(CString("VS\\") + s_szVSFile, "old");
    ::SetFileAttributesA(strBlocked, FILE_ATTRIBUTE_READONLY);
    std::string strCaption = m_pWindow->Caption();
    Fill(m_scratch.Path("VS"), m_scratch.Path("Lib"), TRUE);
    {
        CMessageBoxCatcher catcher;
        Install();
        ASSERT_EQ(1u, catcher.m_boxes.size());
        EXPECT_EQ(::LoadIconA(NULL, (LPCSTR)IDI_HAND), catcher.m_boxes[0].hIcon);
    }
    EXPECT_EQ("", m_pWindow->ResultText()) << "the run ends at the exception";
    EXPECT_EQ(strCaption, m_pWindow->Caption());
    EXPECT_FALSE(LibraryPartInstalled("Lib"));
    EXPECT_TRUE(FolderEntries(m_strTempFolder).empty());

    // The program goes on, and the run can be started again.
    ::SetFileAttributesA(strBlocked, FILE_ATTRIBUTE_NORMAL);
    Install();
    EXPECT_EQ("安装成功！\r\n", m_pWindow->ResultText());
    EXPECT_TRUE(LibraryPartInstalled("Lib"));
}

TEST_F(InstallPayloadTest, DamagedArchiveThrowsAfterTheGoodEntriesAndTheCopyIsStillRemoved)
{
    CString strTarget = m_scratch.Path("Damaged") + "\\";
    BOOL bThrown = FALSE;
    try
    {
        m_pWindow->View()->InstallPayload(IDR_TEST_DAMAGED_PAYLOAD, strTarget);
    }
    catch (CException* e)
    {
        bThrown = TRUE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_TRUE(FileExists(strTarget + "Good\\first.txt"));
    EXPECT_FALSE(FileExists(strTarget + "Good\\second.txt"));
    EXPECT_TRUE(FolderEntries(m_strTempFolder).empty());
}

TEST_F(InstallPayloadTest, MissingResourceOrUnusableTemporaryFolderFailsWithoutExtracting)
{
    CString strTarget = m_scratch.Path("Target");
    {
        CMessageBoxCatcher catcher;
        EXPECT_FALSE(m_pWindow->View()->InstallPayload(IDR_TEST_MISSING_PAYLOAD, strTarget));
        EXPECT_TRUE(catcher.m_boxes.empty()) << "a missing payload fails silently";
    }

    CTemporaryFolderOverride missingTemp(m_scratch.Path("no-such-folder"));
    {
        CMessageBoxCatcher catcher;
        EXPECT_FALSE(m_pWindow->View()->InstallPayload(IDR_PAYLOAD_VS, strTarget));
        ASSERT_EQ(1u, catcher.m_boxes.size());
        EXPECT_EQ("运行时错误", catcher.m_boxes[0].strCaption);
        EXPECT_EQ("写文件失败！", catcher.m_boxes[0].strText);
        EXPECT_EQ(::LoadIconA(NULL, (LPCSTR)IDI_HAND), catcher.m_boxes[0].hIcon);
    }
    EXPECT_EQ(0xFFFFFFFF, ::GetFileAttributesA(strTarget));
    EXPECT_TRUE(FolderEntries(m_strTempFolder).empty());
}

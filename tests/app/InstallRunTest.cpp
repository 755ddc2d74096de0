// The installation run: result lines and caption for each combination of the check box and the
// folders, payloads that fail for real reasons, and the temporary copy of each payload.
#include "AppTestResource.h"
#include "AppTestSupport.h"
#include "PayloadInstaller.h"
#include "QENWizConstants.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char s_szVSFile[] = "\\Common\\MSDev98\\Template\\QENBAppWizardCHS.awx";
const char s_szLibFile[] = "\\Bin\\QENCBResCHS.dll";   // the last entry of the library part

// An installer window with a temporary and a current folder of its own, and no App Paths entry.
class InstallFixture : public ::testing::Test
{
protected:
    CScratchFolder m_scratch, m_temp, m_current;
    CScratchRegistryKey m_appPath{HKEY_LOCAL_MACHINE, s_szAppPathKey};
    std::unique_ptr<CInstallerWindow> m_pWindow;

    void SetUp() override
    {
        m_appPath.Remove();
        m_temp.UseAsTemporaryFolder();
        m_current.UseAsCurrentFolder();
        m_pWindow.reset(new CInstallerWindow);
    }

    void TearDown() override { m_pWindow.reset(); }

    void Install(LPCTSTR lpszVSDir, LPCTSTR lpszLibDir, BOOL bLangPack)
    {
        m_pWindow->SetText(IDC_VSDIR, lpszVSDir);
        m_pWindow->SetText(IDC_LIBDIR, lpszLibDir);
        m_pWindow->View()->CheckDlgButton(IDC_INSTALL_LANGPACK, bLangPack);
        m_pWindow->View()->SendMessage(WM_STARTINSTALL, 0, 0);
    }

    std::string Result() const { return WindowText(m_pWindow->Frame()->m_wndOutputBar.m_wndResultEdit); }
    std::string Caption() const { return WindowText(*m_pWindow->Frame()); }
    bool Installed(LPCTSTR lpszFile) { return ::GetFileAttributesA(m_scratch.Path(lpszFile)) != INVALID_FILE_ATTRIBUTES; }
};

struct RunCase
{
    const char* pszName;
    BOOL bLangPack;
    const char* pszVSDir;    // "" empty, "*" a fresh folder, else as given
    const char* pszLibDir;
    const char* pszLines;
};

void PrintTo(const RunCase& run, std::ostream* pStream)
{
    *pStream << run.pszName;
}

class InstallRunTest : public InstallFixture, public ::testing::WithParamInterface<RunCase>
{
};

} // namespace

TEST_P(InstallRunTest, WritesTheLinesOfTheOutcomeAndChangesTheCaptionOnlyOnSuccess)
{
    const RunCase& run = GetParam();
    std::string strCaption = Caption();
    auto folder = [&](const char* psz, LPCTSTR lpszName) { return *psz == '*' ? m_scratch.Path(lpszName) : CString(psz); };
    Install(folder(run.pszVSDir, "VS"), folder(run.pszLibDir, "Lib"), run.bLangPack);

    EXPECT_EQ(run.pszLines, Result());
    bool bSuccess = strcmp(run.pszLines, "安装成功！\r\n") == 0;
    EXPECT_EQ(bSuccess ? "安装完成！- " QENWIZ_WEB_ADDRESS : strCaption, Caption());
    EXPECT_EQ(*run.pszVSDir == '*', Installed(CString("VS") + s_szVSFile));
    EXPECT_EQ(run.bLangPack && *run.pszLibDir == '*', Installed(CString("Lib") + s_szLibFile));
    EXPECT_TRUE(::PathIsDirectoryEmptyA(m_current.Folder())) << "a relative folder is never extracted into";
    EXPECT_TRUE(::PathIsDirectoryEmptyA(m_temp.Folder())) << "temporary copies are removed";
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, InstallRunTest,
    ::testing::Values(RunCase{"VSOnly", FALSE, "*", "", "安装成功！\r\n"},
                      RunCase{"NoFolder", FALSE, "", "*", "安装失败！\r\n"},
                      RunCase{"RelativeVS", FALSE, "VS", "", "安装Visual Studio部件失败！\r\n安装失败！\r\n"},
                      RunCase{"LibraryAlone", TRUE, "", "*", "安装失败！\r\n"},
                      RunCase{"Both", TRUE, "*", "*", "安装成功！\r\n"},
                      RunCase{"BothFail", TRUE, "VS", "",
                              "安装Visual Studio部件失败！\r\n安装QEN中文部件失败！\r\n安装失败！\r\n"},
                      RunCase{"RelativeLibrary", TRUE, "*", "Lib", "安装QEN中文部件失败！\r\n安装失败！\r\n"}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.pszName); });

using InstallFailureTest = InstallFixture;

TEST_F(InstallFailureTest, ExtractionErrorIsReportedByTheFrameworkAndTheRunCanBeRepeated)
{
    // A read-only file where the wizard template goes cannot be replaced.
    for (LPCTSTR lpszFolder : {"VS", "VS\\Common", "VS\\Common\\MSDev98", "VS\\Common\\MSDev98\\Template"})
        ::CreateDirectoryA(m_scratch.Path(lpszFolder), NULL);
    m_scratch.CreateWithContents(CString("VS") + s_szVSFile, "old");
    ::SetFileAttributesA(m_scratch.Path(CString("VS") + s_szVSFile), FILE_ATTRIBUTE_READONLY);
    std::string strCaption = Caption();
    {
        CDialogResponder catcher;
        Install(m_scratch.Path("VS"), m_scratch.Path("Lib"), TRUE);
        ASSERT_EQ(1u, catcher.m_boxes.size());
        EXPECT_EQ(::LoadIconA(NULL, (LPCSTR)IDI_HAND), catcher.m_boxes[0].hIcon);
    }
    EXPECT_EQ("", Result()) << "the run ends at the exception";
    EXPECT_EQ(strCaption, Caption());
    EXPECT_FALSE(Installed(CString("Lib") + s_szLibFile));
    EXPECT_TRUE(::PathIsDirectoryEmptyA(m_temp.Folder()));

    ::SetFileAttributesA(m_scratch.Path(CString("VS") + s_szVSFile), FILE_ATTRIBUTE_NORMAL);
    m_pWindow->Click(IDC_START_INSTALL);
    EXPECT_EQ("", Result()) << "the button only posts the request";
    PumpPendingMessages();
    m_pWindow->Frame()->SendMessage(WM_COMMAND, ID_TOOLS_START_INSTALL, 0);
    PumpPendingMessages();
    EXPECT_EQ("安装成功！\r\n安装成功！\r\n", Result());
    EXPECT_NE("old", m_scratch.Contents(CString("VS") + s_szVSFile));
    EXPECT_TRUE(Installed(CString("Lib") + s_szLibFile));
}

TEST_F(InstallFailureTest, LinesWrittenBeforeAnExtractionErrorStayAndNoneFollow)
{
    // The Visual Studio part fails on its relative folder; then the library's resource library, the
    // last entry of its payload, cannot replace a read-only file.
    for (LPCTSTR lpszFolder : {"Lib", "Lib\\Bin"})
        ::CreateDirectoryA(m_scratch.Path(lpszFolder), NULL);
    m_scratch.CreateWithContents(CString("Lib") + s_szLibFile, "old");
    ::SetFileAttributesA(m_scratch.Path(CString("Lib") + s_szLibFile), FILE_ATTRIBUTE_READONLY);
    std::string strCaption = Caption();
    CDialogResponder catcher;
    Install("VS", m_scratch.Path("Lib"), TRUE);
    EXPECT_EQ(1u, catcher.m_boxes.size()) << "the framework reports the exception";
    EXPECT_EQ("安装Visual Studio部件失败！\r\n", Result());
    EXPECT_EQ(strCaption, Caption());
    EXPECT_EQ("old", m_scratch.Contents(CString("Lib") + s_szLibFile));
    EXPECT_TRUE(::PathIsDirectoryEmptyA(m_temp.Folder()));
}

TEST_F(InstallFailureTest, DamagedMissingOrUncopiablePayloadsLeaveNoTemporaryFile)
{
    CPayloadInstaller installer(m_pWindow->View(), [](LPCTSTR) {});
    CString strTarget = m_scratch.Path("Damaged");
    bool bThrown = false;
    try
    {
        installer.InstallPayload(IDR_TEST_DAMAGED_PAYLOAD, strTarget);
    }
    catch (CException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_TRUE(Installed("Damaged\\Good\\first.txt"));
    EXPECT_FALSE(Installed("Damaged\\Good\\second.txt"));
    EXPECT_TRUE(::PathIsDirectoryEmptyA(m_temp.Folder()));

    CDialogResponder catcher;
    EXPECT_FALSE(installer.InstallPayload(IDR_TEST_MISSING_PAYLOAD, m_scratch.Path("Missing")));
    EXPECT_TRUE(catcher.m_boxes.empty()) << "a missing payload fails silently";
    ::SetEnvironmentVariableA("TMP", m_scratch.Path("no-such-folder"));
    EXPECT_FALSE(installer.InstallPayload(IDR_PAYLOAD_VS, m_scratch.Path("NoTemp")));
    ASSERT_EQ(1u, catcher.m_boxes.size());
    EXPECT_EQ("运行时错误", catcher.m_boxes[0].strCaption);
    EXPECT_EQ("写文件失败！", catcher.m_boxes[0].strText);
    EXPECT_EQ(::LoadIconA(NULL, (LPCSTR)IDI_HAND), catcher.m_boxes[0].hIcon);
    EXPECT_FALSE(Installed("Missing") || Installed("NoTemp"));
}

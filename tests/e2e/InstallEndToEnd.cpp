// Installs with QENWiz.exe as a user would, in a Wine prefix that has a Visual Studio 98 registration and
// a QEN library folder, and checks what lands on disk and what the program reports; then goes through
// the main window (bars, pages, skins, menus, customization sheet) and restarts the program to find its
// layout as it was left.
//   InstallEndToEnd PROGRAM VS_ROOT LIB_ROOT FILE...
// Each FILE is "vs:RELATIVE=SOURCE" or "lib:RELATIVE=SOURCE": an installed file below the Visual Studio
// or library folder and the payload source it must equal byte for byte. Exit code 0 when all holds.
#include "Failures.h"
#include "InstallerSession.h"
#include "MainWindowChecks.h"
#include "QENWizConstants.h"
#include "resource.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
struct InstalledFile
{
    std::string installed;
    std::string source;
};

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

void ExpectInstalled(const std::vector<InstalledFile>& files, const char* round)
{
    for (const InstalledFile& file : files)
    {
        std::vector<char> installed, source;
        if (!ReadWholeFile(file.source, source))
            Fail(std::string("cannot read the payload source ") + file.source);
        else if (!ReadWholeFile(file.installed, installed))
            Fail(std::string(round) + ": not installed: " + file.installed);
        else if (installed != source)
            Fail(std::string(round) + ": differs from its source: " + file.installed);
    }
}

// Gives every installed file other contents (shorter than before), so a second run must rewrite them.
void AlterInstalled(const std::vector<InstalledFile>& files)
{
    for (const InstalledFile& file : files)
    {
        std::ofstream out(file.installed, std::ios::binary | std::ios::trunc);
        out << "altered";
        if (!out)
            Fail("cannot alter " + file.installed);
    }
}

int CountTemporaryPayloadCopies()
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof(folder), folder);
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((std::string(folder) + "_QE*.TMP").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return count;
}

bool ParseFiles(int argc, char** argv, const std::string& vsRoot, const std::string& libRoot,
                std::vector<InstalledFile>& files)
{
    for (int i = 4; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const size_t colon = arg.find(':');
        const size_t equals = arg.find('=');
        if (colon == std::string::npos || equals == std::string::npos || equals < colon)
            return false;
        const std::string root = arg.substr(0, colon);
        if (root != "vs" && root != "lib")
            return false;
        files.push_back({(root == "vs" ? vsRoot : libRoot) + arg.substr(colon + 1, equals - colon - 1),
                         arg.substr(equals + 1)});
    }
    return !files.empty();
}

// One press of "开始安装(&B)"; the result window must then read exactly as expected.
void InstallOnce(CInstallerSession& session, const std::string& expectedLines, const char* round)
{
    const int copiesBefore = CountTemporaryPayloadCopies();
    session.Press(IDC_START_INSTALL);
    HWND hResult = session.ResultWindow();
    if (hResult == NULL)
    {
        Fail("no read-only multi-line result window");
        return;
    }
    const bool complete = CInstallerSession::WaitForText(hResult, [&](const std::string& text) {
        return text.size() >= expectedLines.size() || text.find("安装失败！") != std::string::npos;
    }, 60000);
    const std::string lines = WindowText(hResult);
    if (!complete || lines != expectedLines)
        Fail(std::string(round) + ": result lines are \"" + lines + "\"");
    if (!IsWindowVisible(hResult))
        Fail(std::string(round) + ": the result page is not in front");
    if (CountTemporaryPayloadCopies() != copiesBefore)
        Fail(std::string(round) + ": a temporary payload copy was left behind");
}

// Starts the program, lets it detect both folders and installs twice; false when it did not start.
bool StartAndInstall(CInstallerSession& session, const std::string& program, const std::string& vsRoot,
                     const std::string& libRoot, const std::vector<InstalledFile>& files)
{
    // The program starts in the root folder, where no library file lies, so the loader finds
    // VEVER58.dll only through the system's search path.
    if (!session.Start(program, "C:\\", 60000))
    {
        Fail("the program did not show its form");
        return false;
    }

    HWND hVSDir = session.Control(IDC_VSDIR), hLibDir = session.Control(IDC_LIBDIR);
    const auto filled = [](const std::string& text) { return !text.empty(); };
    if (!CInstallerSession::WaitForText(hVSDir, filled, 30000) ||
        !CInstallerSession::WaitForText(hLibDir, filled, 30000))
        Fail("detection did not fill both folders");
    if (WindowText(hVSDir) != vsRoot)
        Fail("Visual Studio folder detected as \"" + WindowText(hVSDir) + "\"");
    if (WindowText(hLibDir) != libRoot)
        Fail("library folder detected as \"" + WindowText(hLibDir) + "\"");

    session.SetCheck(IDC_INSTALL_LANGPACK, true);
    InstallOnce(session, "安装成功！\r\n", "first run");
    const std::string caption = WindowText(session.MainWindow());
    if (caption != std::string("安装完成！- ") + QENWIZ_WEB_ADDRESS)
        Fail("main window caption is \"" + caption + "\"");
    ExpectInstalled(files, "first run");

    AlterInstalled(files);
    InstallOnce(session, "安装成功！\r\n安装成功！\r\n", "second run");
    ExpectInstalled(files, "second run");
    return true;
}
}

int main(int argc, char** argv)
{
    if (argc < 5)
    {
        std::fprintf(stderr, "usage: InstallEndToEnd PROGRAM VS_ROOT LIB_ROOT FILE...\n");
        return 2;
    }
    const std::string program = argv[1], vsRoot = argv[2], libRoot = argv[3];
    std::vector<InstalledFile> files;
    if (!ParseFiles(argc, argv, vsRoot, libRoot, files))
    {
        std::fprintf(stderr, "InstallEndToEnd: a FILE argument is not vs:RELATIVE=SOURCE or lib:RELATIVE=SOURCE\n");
        return 2;
    }

    // The first run starts on a stored skin other than the default; it installs, goes through the
    // main window and leaves two bars hidden for the second run.
    StoreViewType(3);
    {
        CInstallerSession session;
        if (!StartAndInstall(session, program, vsRoot, libRoot, files))
            return 1;
        CheckBarsAroundForm(session);
        CheckOutputPages(session);
        CheckSkinSwitching(session);
        // The sheet is opened before the keyboard and mouse input: opened right after it, the sheet
        // at times vanished at once and left the frame refusing commands.
        CheckCustomizeSheet(session);
        CheckKeyboardMenu(session);
        CheckFormContextMenu(session);
        HideCaptionAndOutputBars(session);
        if (!session.Close(60000))
            Fail("the program did not end with exit code 0 when its window was closed");
    }

    // A skin number out of range must still give a window, laid out as the first run left it.
    StoreViewType(9);
    {
        CInstallerSession session;
        if (!session.Start(program, "C:\\", 60000))
            Fail("restarted with ViewType 9 stored, the program did not show its window");
        else
        {
            CheckBarsAsLeft(session);
            if (!session.Close(60000))
                Fail("the restarted program did not end with exit code 0 when its window was closed");
        }
    }

    if (FailureCount() == 0)
        std::printf("QENWiz installed %u files twice and showed its main window as expected\n",
                    static_cast<unsigned>(files.size()));
    return FailureCount() == 0 ? 0 : 1;
}

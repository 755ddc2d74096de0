#include "InstallerSession.h"
#include "resource.h"

#include <vector>

namespace
{
struct WindowSearch
{
    DWORD processId;
    int controlId;
    bool (*accept)(HWND);
    HWND found;
};

BOOL CALLBACK FindControl(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != search->controlId || (search->accept != nullptr && !search->accept(hWnd)))
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

HWND FindDescendant(HWND hWndParent, int controlId, bool (*accept)(HWND) = nullptr)
{
    WindowSearch search = {0, controlId, accept, NULL};
    EnumChildWindows(hWndParent, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsReadOnlyMultiLineEdit(HWND hWnd)
{
    char className[16] = "";
    GetClassNameA(hWnd, className, sizeof(className));
    const LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    return lstrcmpiA(className, "Edit") == 0 && (style & ES_MULTILINE) != 0 && (style & ES_READONLY) != 0;
}

// The process's visible top-level window that holds the installer form (its folder edit).
BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId != search->processId || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    if (FindDescendant(hWnd, search->controlId) == NULL)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

// The main frame's output bar, the tab window in it, and the edit of its result page.
const int kOutputBarId = ID_VIEW_OUTPUT;
const int kOutputTabsId = 1;
const int kResultEditId = 3;
}

CInstallerSession::~CInstallerSession()
{
    if (m_process.hProcess != NULL)
    {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
}

bool CInstallerSession::Start(const std::string& program, const std::string& folder, DWORD timeoutMs)
{
    std::string commandLine = "\"" + program + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(program.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                        &startup, &m_process))
        return false;

    const DWORD start = GetTickCount();
    while (GetTickCount() - start <= timeoutMs)
    {
        if (WaitForSingleObject(m_process.hProcess, 100) != WAIT_TIMEOUT)
            return false;
        WindowSearch search = {m_process.dwProcessId, IDC_VSDIR, nullptr, NULL};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != NULL)
        {
            m_hMainWnd = search.found;
            return true;
        }
    }
    return false;
}

HWND CInstallerSession::Control(int id) const
{
    return FindDescendant(m_hMainWnd, id);
}

HWND CInstallerSession::ResultWindow() const
{
    HWND hOutputBar = FindDescendant(m_hMainWnd, kOutputBarId);
    HWND hTabs = hOutputBar != NULL ? FindDescendant(hOutputBar, kOutputTabsId) : NULL;
    return hTabs != NULL ? FindDescendant(hTabs, kResultEditId, IsReadOnlyMultiLineEdit) : NULL;
}

void CInstallerSession::SetCheck(int id, bool checked) const
{
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CInstallerSession::Press(int id) const
{
    SendMessageA(Control(id), BM_CLICK, 0, 0);
}

bool CInstallerSession::Close(DWORD timeoutMs)
{
    PostMessageA(m_hMainWnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD exitCode = 1;
    GetExitCodeProcess(m_process.hProcess, &exitCode);
    return exitCode == 0;
}

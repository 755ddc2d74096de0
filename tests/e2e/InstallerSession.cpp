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

HWND FindDescendant(HWND hWndParent, int controlId, bool (*accept)(HWND))
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
    if (FindDescendant(hWnd, search->controlId, nullptr) == NULL)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

struct ThreadWindows
{
    HWND except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND hWnd, LPARAM lParam)
{
    ThreadWindows* windows = reinterpret_cast<ThreadWindows*>(lParam);
    if (hWnd != windows->except && IsWindowVisible(hWnd))
        windows->found.push_back(hWnd);
    return TRUE;
}
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
    return Descendant(m_hMainWnd, id);
}

HWND CInstallerSession::Descendant(HWND hWndParent, int id)
{
    return FindDescendant(hWndParent, id, nullptr);
}

HWND CInstallerSession::OutputTabs() const
{
    HWND hOutputBar = Control(ID_VIEW_OUTPUT);
    return hOutputBar != NULL ? Descendant(hOutputBar, kOutputTabsId) : NULL;
}

HWND CInstallerSession::ResultWindow() const
{
    HWND hTabs = OutputTabs();
    return hTabs != NULL ? FindDescendant(hTabs, kResultPageId, IsReadOnlyMultiLineEdit) : NULL;
}

void CInstallerSession::SetCheck(int id, bool checked) const
{
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CInstallerSession::Press(int id) const
{
    SendMessageA(Control(id), BM_CLICK, 0, 0);
}

bool CInstallerSession::Responds(DWORD timeoutMs) const
{
    DWORD_PTR result = 0;
    return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT &&
           SendMessageTimeoutA(m_hMainWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool CInstallerSession::Command(UINT id) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(m_hMainWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

std::vector<HWND> CInstallerSession::OtherTopLevelWindows() const
{
    ThreadWindows windows = {m_hMainWnd, {}};
    EnumThreadWindows(GetWindowThreadProcessId(m_hMainWnd, NULL), CollectVisibleWindow,
                      reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

bool CInstallerSession::BringToFront() const
{
    SetForegroundWindow(m_hMainWnd);
    return WaitUntil([&] { return GetForegroundWindow() == m_hMainWnd; }, 5000);
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

// CInstallerSession: QENWiz.exe started as a process of its own, and its windows found and driven from
// outside through window messages, as a user's clicks would reach them.
#pragma once
#include "WindowText.h"

#include <windows.h>
#include <string>
#include <vector>

// Waits until the condition holds; false after the timeout.
template <class Condition>
bool WaitUntil(Condition holds, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        if (holds())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
}

class CInstallerSession
{
public:
    CInstallerSession() = default;
    CInstallerSession(const CInstallerSession&) = delete;
    CInstallerSession& operator=(const CInstallerSession&) = delete;
    // Ends the program if it is still running.
    ~CInstallerSession();

    // Starts the program in the given current folder and waits until its main window shows the form.
    bool Start(const std::string& program, const std::string& folder, DWORD timeoutMs);

    HWND MainWindow() const { return m_hMainWnd; }
    // The control with this id anywhere below the main window, or NULL.
    HWND Control(int id) const;
    // The window with this id anywhere below hWndParent, or NULL.
    static HWND Descendant(HWND hWndParent, int id);
    // The control ids of the output bar's tab window and of its three pages below it.
    static const int kOutputTabsId = 1;
    static const int kVersionPageId = 2;
    static const int kResultPageId = 3;
    static const int kOutputListPageId = 4;
    // The tab window of the output bar, or NULL.
    HWND OutputTabs() const;
    // The read-only multi-line edit of the output bar's result page, which receives the
    // installation's result lines, or NULL.
    HWND ResultWindow() const;

    // Waits until the text of the window satisfies the predicate; false after the timeout.
    template <class Predicate>
    static bool WaitForText(HWND hWnd, Predicate satisfied, DWORD timeoutMs);

    void SetCheck(int id, bool checked) const;
    // Presses a push button the way the keyboard or mouse would: the button notifies its parent.
    void Press(int id) const;

    // True while the program runs and its user-interface thread answers within the time.
    bool Responds(DWORD timeoutMs = 5000) const;
    // Gives the main window the command, as choosing it in a menu would; false if it went unanswered.
    bool Command(UINT id) const;
    // The program's visible top-level windows other than the main window (popups, sheets, dialogs).
    std::vector<HWND> OtherTopLevelWindows() const;
    // Makes the main window the foreground window, so that keyboard input reaches the program.
    bool BringToFront() const;

    // Asks the main window to close and waits for the process to end; false if it did not end or
    // ended with a code other than 0.
    bool Close(DWORD timeoutMs);

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_hMainWnd = NULL;
};

template <class Predicate>
bool CInstallerSession::WaitForText(HWND hWnd, Predicate satisfied, DWORD timeoutMs)
{
    return WaitUntil([&] { return satisfied(WindowText(hWnd)); }, timeoutMs);
}

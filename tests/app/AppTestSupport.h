// Support for the installer tests: the installer window as the program builds it, a catcher of
// message boxes and the App Paths entry in the registry of the test's Wine prefix.
#pragma once
#include <afxwin.h>
#include <shlwapi.h>
#include "MainFrame.h"
#include "QENWizView.h"
#include "../afx/ScratchFolder.h"

#include <string>
#include <vector>

// Dispatches the messages already queued for this thread (posted detection and installation runs).
void PumpPendingMessages();
std::string WindowText(const CWnd* pWnd);

// The installer window from the program's template 128, shown without activation; destroyed with
// the object.
class CInstallerWindow
{
public:
    CInstallerWindow();
    ~CInstallerWindow();

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(AfxGetMainWnd()); }
    CQENWizView* View() const { return static_cast<CQENWizView*>(Frame()->GetActiveView()); }
    std::string Text(int nID) const { return WindowText(View()->GetDlgItem(nID)); }
    void SetText(int nID, LPCTSTR lpszText) { View()->SetDlgItemText(nID, lpszText); }
    void Click(int nID) { View()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }

private:
    CSingleDocTemplate* m_pTemplate;
};

// While it lives, answers every message box of this thread with OK (from a thread timer, which the
// box's modal loop runs) and keeps its caption, text and icon.
class CMessageBoxCatcher
{
public:
    struct Box
    {
        std::string strCaption, strText;
        HICON hIcon;
    };
    std::vector<Box> m_boxes;

    CMessageBoxCatcher();
    ~CMessageBoxCatcher();
};

// The default value of the App Paths entry of msdev.exe, stored with or without its terminator.
void SetAppPath(const std::string& strValue, bool bTerminated = true);
void RemoveAppPath();

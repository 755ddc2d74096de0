// Support for the installer tests: the installer window as the program builds it, and the App Paths
// entry of msdev.exe in the registry of the test's Wine prefix.
#pragma once
#include <afxwin.h>
#include <shlwapi.h>
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "QENWizView.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <string>

// Below HKEY_LOCAL_MACHINE: the entry whose default value names the Visual Studio program.
const char s_szAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msdev.exe";

// The installer window from the program's template 128, shown without activation; destroyed with
// the object.
class CInstallerWindow
{
public:
    CInstallerWindow();
    ~CInstallerWindow();

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(AfxGetMainWnd()); }
    CQENWizView* View() const { return static_cast<CQENWizView*>(Frame()->GetActiveView()); }
    std::string Text(int nID) const { return WindowText(::GetDlgItem(*View(), nID)); }
    void SetText(int nID, LPCTSTR lpszText) { View()->SetDlgItemText(nID, lpszText); }
    void Click(int nID) { View()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0); }

private:
    CSingleDocTemplate* m_pTemplate;
};

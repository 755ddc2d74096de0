// Support for the installer tests: the installer window as the program builds it, the App Paths
// entry of msdev.exe in the registry of the test's Wine prefix, the skin setting in QENWiz.ini, and
// real mouse and keyboard input.
#pragma once
#include <afxwin.h>
#include <shlwapi.h>
#include "GuiTestSupport.h"
#include "MainFrame.h"
#include "QENWizView.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <string>
#include <vector>

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

// QENWiz.ini in the Windows folder, put back as it was when the object goes.
class CViewTypeSetting
{
public:
    CViewTypeSetting();
    ~CViewTypeSetting();
    CViewTypeSetting(const CViewTypeSetting&) = delete;
    CViewTypeSetting& operator=(const CViewTypeSetting&) = delete;

    // The file holds only "ViewType" with this text in section "QENWiz".
    void Store(const char* pszViewType);
    void Remove();
    bool Exists() const;
    // The file's bytes; "" when there is none.
    std::string Contents() const;
    // The value of "ViewType"; "" when there is none.
    std::string ViewType() const;

private:
    CString m_strPath;
    bool m_bExisted;
    std::string m_strSaved;
};

// Dispatches this thread's messages for a while, as the message loop would.
void PumpFor(DWORD dwMilliseconds);
// A real click of the left (or, with bRight, the right) mouse button at a client point of pWnd.
void ClickAt(CWnd* pWnd, CPoint ptClient, bool bRight = false);
// A real key press and release.
void PressKey(WORD wKey);
// How many pixels of the client rectangle rect of pWnd are dark on the screen, as ink on paper.
int DarkPixels(CWnd* pWnd, CRect rect);

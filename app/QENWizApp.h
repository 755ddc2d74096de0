// CQENWizApp: the installer's application object, theApp. It starts the single-document program
// (document CQENWizDoc, frame CMainFrame, view CQENWizView from resource 128), keeps the settings
// in the registry under the company key, shows the about box and releases the UI library's shared
// resources at exit.
//
// The UI library's workspace becomes its second base once it exists (built with resource-change
// tracking on), and with it the BeforeStateLoad hook that registers view 128 with the mouse manager
// and menu 130 with the context-menu manager.
#pragma once
#include <afxwin.h>

class CQENWizApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    afx_msg void OnHelpAbout();

    DECLARE_MESSAGE_MAP()
};

extern CQENWizApp theApp;

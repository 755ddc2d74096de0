// CQENWizApp: the installer's application object, theApp. It starts the single-document program
// (document CQENWizDoc, frame CMainFrame, view CQENWizView from resource 128), keeps the settings
// in the registry under the company key, shows the about box and releases the UI library's shared
// resources at exit.
//
// Its second base is the UI library's workspace (with resource-change tracking), which keeps the
// whole user interface under the sub-key "Settings" and owns the mouse, context-menu, keyboard and
// user-tools managers; before each load it registers the view and the view's context menu.
#pragma once
#include <afxwin.h>

#include "QENWorkspace.h"

class CQENWizApp : public CWinApp, public CQENWorkspace
{
public:
    CQENWizApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    void BeforeStateLoad() override;

    afx_msg void OnHelpAbout();

    DECLARE_MESSAGE_MAP()
};

extern CQENWizApp theApp;

// The single-document test program: a form view, a menu, accelerators and a modal dialog on the
// framework. Started with /selftest it drives itself and ends with 0 when every check passed.
#pragma once
#include <afxwin.h>
#include "SelfTest.h"

class CSdiApp : public CWinApp
{
public:
    CSelfTest m_selfTest;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    DECLARE_MESSAGE_MAP()
};

extern CSdiApp theApp;

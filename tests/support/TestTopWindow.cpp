#include "TestTopWindow.h"

BOOL CTestTopWindow::CreateHidden(LPCTSTR lpszTitle)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1)),
                    lpszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL);
}

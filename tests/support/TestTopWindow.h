// CTestTopWindow: a parent or probe window for tests that need a real top-level window.
#pragma once
#include <afxwin.h>

// A top-level window of a registered framework class, created hidden, destroyed with the object.
class CTestTopWindow : public CWnd
{
public:
    BOOL CreateHidden(LPCTSTR lpszTitle = "test");
};

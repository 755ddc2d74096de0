// Support for the UI library's tests that drive real windows: the test process's application
// object, a hidden top-level window and a catcher of message boxes.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

// The application object of the test process (its user-interface thread): message boxes are the
// application's, and take their caption from it.
class CUiTestApp : public CWinApp
{
};

// A top-level window of a registered framework class, created hidden, destroyed with the object.
class CTestTopWindow : public CWnd
{
public:
    BOOL CreateHidden(LPCTSTR lpszTitle = "test");
};

// While it lives, closes every message box this thread shows (from a thread timer, which the box's
// own modal loop runs) and keeps what each one said.
class CMessageBoxCatcher
{
public:
    struct Box
    {
        std::string strText;   // the static texts, joined
        HICON hIcon = NULL;    // the icon shown, NULL without one
    };

    CMessageBoxCatcher();
    ~CMessageBoxCatcher();
    CMessageBoxCatcher(const CMessageBoxCatcher&) = delete;
    CMessageBoxCatcher& operator=(const CMessageBoxCatcher&) = delete;

    std::vector<Box> m_boxes;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CloseBox(HWND hWnd, LPARAM lParam);
    static BOOL CALLBACK ReadControl(HWND hWnd, LPARAM lParam);

    static CMessageBoxCatcher* s_pActive;
    UINT_PTR m_nTimer;
    HWND m_hLastBox = NULL;   // closed already, though it may still be visible for a moment
};

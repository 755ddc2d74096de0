// CToolTipCtrl: a tool tip common control and the tools it shows tips for.
//
// A tool is a window (nIDTool 0: the whole window, identified by its handle) or a rectangle of a
// window with an id of its own. Tools are added with TTF_SUBCLASS, so the control sees their mouse
// messages without RelayEvent.
#pragma once
#include "Wnd.h"

// Tool information with room for the tip's text.
class CToolInfo : public TOOLINFOA
{
public:
    TCHAR szText[256];
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();

    // A popup owned by pParentWnd; dwStyle may add TTS_ALWAYSTIP, TTS_NOPREFIX…
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // ---- tools ----
    // lpszText LPSTR_TEXTCALLBACK: the tool's window is asked with TTN_NEEDTEXT each time.
    // lpRectTool NULL: the client area of pWnd (tools with an id).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    // The text is string resource nIDText of AfxGetResourceHandle().
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    BOOL GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFOA lpToolInfo) { SendMessage(TTM_SETTOOLINFOA, 0, (LPARAM)lpToolInfo); }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    // The tool of pWnd under pt (client coordinates of pWnd), copied to lpToolInfo.
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOA lpToolInfo) const;

    // ---- showing ----
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }
    // All three delays from one (initial = nDelay, pop-up = 10 × nDelay, reshow = nDelay / 5).
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    // dwDuration: TTDT_AUTOPOP, TTDT_INITIAL or TTDT_RESHOW; iTime in milliseconds (-1: default).
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)SendMessage(TTM_GETDELAYTIME, dwDuration); }
    // Returns the width set before; -1 allows any width.
    int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
    int GetMaxTipWidth() const { return (int)SendMessage(TTM_GETMAXTIPWIDTH); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    COLORREF GetTipBkColor() const { return (COLORREF)SendMessage(TTM_GETTIPBKCOLOR); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
    COLORREF GetTipTextColor() const { return (COLORREF)SendMessage(TTM_GETTIPTEXTCOLOR); }
    void SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, (LPARAM)lprc); }
    void GetMargin(LPRECT lprc) const { SendMessage(TTM_GETMARGIN, 0, (LPARAM)lprc); }

protected:
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

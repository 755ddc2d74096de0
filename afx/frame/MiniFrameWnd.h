// CMiniFrameWnd: a frame with a small caption (a tool window), as palettes and floating bars use.
// The MFS_ styles choose how it sizes and moves and whether its caption stays active together with
// the frame that owns it.
#pragma once
#include "FrameWnd.h"

// Mini-frame styles (bits of the window style that windows leave to the class).
#define MFS_SYNCACTIVE    0x00000100L   // caption active whenever the owner frame is
#define MFS_4THICKFRAME   0x00000200L   // sizing borders, but no diagonal sizing at the corners
#define MFS_THICKFRAME    0x00000400L   // sizing borders
#define MFS_MOVEFRAME     0x00000800L   // the sizing borders move the window instead
#define MFS_BLOCKSYSMENU  0x00001000L   // the system menu icon is part of the caption

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    ~CMiniFrameWnd() override;

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);

    // Grows a client rectangle to the window rectangle of a mini frame of that style.
    static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                   DWORD dwExStyle = 0);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // Brings the owning top-level frame to the foreground unless this window or the top-level
    // frame is already there, so that clicking a palette keeps the application active.
    void ActivateTopParent();
    // Passes the keyboard system commands (menu keys, window switching) of a popup mini frame on
    // to its top-level owner; TRUE when it did.
    BOOL HandleFloatingSysCommand(UINT nID, LPARAM lParam);

    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQueryCenterWnd(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

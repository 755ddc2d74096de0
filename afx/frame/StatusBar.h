// CStatusBar: the bar of text panes along the bottom of a frame, over the system's status control.
// Each pane has a command id whose update handler sets its text and state at idle time; the first
// ID_SEPARATOR pane is the message pane, where the frame shows command prompts (the bar's window
// text is that pane's text).
#pragma once
#include "ControlBar.h"
#include "String.h"

#include <commctrl.h>
#include <vector>

// Pane styles.
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS   // drawn flat
#define SBPS_POPOUT     SBT_POPOUT      // drawn raised
#define SBPS_DISABLED   0x04000000      // the text is not shown
#define SBPS_STRETCH    0x08000000      // takes the width the other panes leave

class CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // dwCtrlStyle: styles of the status control (SBARS_SIZEGRIP…); a sizable parent gets the size
    // grip anyway.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id; the text of each pane is the string of its id (none for ID_SEPARATOR) and
    // its width that text's. A separator first in the list stretches. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;   // -1 when no pane has the id
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar's client area.
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane
    {
        UINT nID;
        UINT nStyle;
        int cxText;   // width of the text area, without borders
        CString strText;
    };

    std::vector<Pane> m_panes;   // m_nCount of them

    // Gives the status control the parts' right edges, and the texts when bUpdateText.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int TextWidth(LPCTSTR lpszText) const;
    int MessagePaneIndex() const { return CommandToIndex(ID_SEPARATOR); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// COutputBar: the docking output window under the form. Its flat tab window holds three pages: the
// welcome text ("版本信息"), the installation's result lines ("安装结果") and a list ("输出三").
#pragma once
#include <afxwin.h>
#include <afxcmn.h>
#include "QENSizingControlBar.h"
#include "QENTabWnd.h"

class COutputBar : public CQENSizingControlBar
{
public:
    // The pages' indices in the tab window and their control ids below it.
    enum Page
    {
        VersionPage = 0,
        ResultPage = 1,
        OutputPage = 2
    };
    static const UINT kTabsId = 1;
    static const UINT kVersionEditId = 2;
    static const UINT kResultEditId = 3;
    static const UINT kOutputListId = 4;

    CQENTabWnd m_wndTabs;
    CEdit m_wndVersionEdit;
    CEdit m_wndResultEdit;
    CListCtrl m_wndOutputList;

    // Brings the result page to the front; the result lines go to m_wndResultEdit.
    void ActivateResultPage() { m_wndTabs.ActivateTab(ResultPage); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};

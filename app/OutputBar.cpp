#include "OutputBar.h"
#include "QENDrawingCache.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(COutputBar, CQENSizingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int COutputBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQENSizingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;

    // The tab window sizes its pages; they start empty.
    const CRect rectEmpty(0, 0, 0, 0);
    const DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL;
    const DWORD dwListStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_LIST | LVS_AUTOARRANGE;
    if (!m_wndTabs.Create(CQENTabWnd::STYLE_FLAT, rectEmpty, this, kTabsId, CQENTabWnd::LOCATION_BOTTOM) ||
        !m_wndVersionEdit.Create(dwEditStyle, rectEmpty, &m_wndTabs, kVersionEditId) ||
        !m_wndResultEdit.Create(dwEditStyle, rectEmpty, &m_wndTabs, kResultEditId) ||
        !m_wndOutputList.Create(dwListStyle, rectEmpty, &m_wndTabs, kOutputListId))
        return -1;

    // The pages speak in the bars' font rather than the system's.
    for (CWnd* pPage : {static_cast<CWnd*>(&m_wndVersionEdit), static_cast<CWnd*>(&m_wndResultEdit),
                        static_cast<CWnd*>(&m_wndOutputList)})
        pPage->SetFont(&theDrawingCache.m_fontMenu, FALSE);

    CString strVersion;
    strVersion.LoadString(IDS_VERSION_INFO);
    m_wndVersionEdit.SetWindowText(strVersion);

    m_wndTabs.AppendTab(&m_wndVersionEdit, "版本信息");
    m_wndTabs.AppendTab(&m_wndResultEdit, "安装结果");
    m_wndTabs.AppendTab(&m_wndOutputList, "输出三");
    return 0;
}

void COutputBar::OnSize(UINT nType, int cx, int cy)
{
    CQENSizingControlBar::OnSize(nType, cx, cy);
    m_wndTabs.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

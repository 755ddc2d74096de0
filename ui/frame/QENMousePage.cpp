#include "QENMousePage.h"

#include "QENMouseManager.h"
#include "QENToolbarButton.h"
#include "QENToolbarCustomize.h"

#include <string.h>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CQENMousePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENMousePage, CPropertyPage)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_VIEWS, OnViewChanged)
    ON_BN_CLICKED(IDC_NO_DOUBLE_CLICK, OnNoDoubleClick)
    ON_BN_CLICKED(IDC_DOUBLE_CLICK_COMMAND, OnDoubleClickCommand)
    ON_LBN_SELCHANGE(IDC_COMMANDS, OnCommandChanged)
END_MESSAGE_MAP()

CQENMousePage::CQENMousePage() : CPropertyPage(IDD), m_pSheet(NULL)
{
}

BOOL CQENMousePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndViews.SubclassDlgItem(IDC_VIEWS, this);
    m_wndCommands.SubclassDlgItem(IDC_COMMANDS, this);
    m_wndCommands.FitItemHeight();
    FillViews();
    FillCommands();
    ShowNoView();
    return TRUE;
}

void CQENMousePage::FillViews()
{
    CRect rectList;
    m_wndViews.GetClientRect(&rectList);
    m_wndViews.InsertColumn(0, "", LVCFMT_LEFT, rectList.Width());
    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_viewIcons.Create(cxIcon, cyIcon, ILC_COLOR32 | ILC_MASK, 0, 4);
    // The page keeps the icons: the list only shows them.
    m_wndViews.ModifyStyle(0, LVS_SHAREIMAGELISTS);
    m_wndViews.SetImageList(&m_viewIcons, LVSIL_SMALL);
    if (g_pMouseManager == NULL)
        return;

    CStringList lstNames;
    g_pMouseManager->ListViewNames(lstNames);
    std::vector<CString> names;
    for (POSITION pos = lstNames.GetHeadPosition(); pos != NULL;)
        names.push_back(lstNames.GetNext(pos));
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return strcmp(a, b) < 0; });
    for (const CString& strName : names)
    {
        const int nViewId = g_pMouseManager->ViewIdOf(strName);
        int iImage = I_IMAGENONE;
        const UINT nIconId = g_pMouseManager->ViewIconOf(nViewId);
        HICON hIcon = nIconId != 0 ? (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIconId), IMAGE_ICON,
                                                          cxIcon, cyIcon, 0)
                                   : NULL;
        if (hIcon != NULL)
        {
            iImage = m_viewIcons.Add(hIcon);
            ::DestroyIcon(hIcon);
        }
        m_wndViews.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, m_wndViews.GetItemCount(), strName, 0, 0, iImage,
                              (LPARAM)nViewId);
    }
}

void CQENMousePage::FillCommands()
{
    const CObList* pAll = m_pSheet != NULL ? m_pSheet->ButtonsOf(m_pSheet->AllCommandsCategory()) : NULL;
    for (POSITION pos = pAll != NULL ? pAll->GetHeadPosition() : NULL; pos != NULL;)
    {
        CObject* pButton = pAll->GetNext(pos);
        const UINT nCommandId = static_cast<CQENToolbarButton*>(pButton)->m_nCommandId;
        if (nCommandId != 0 && nCommandId != (UINT)-1)
            m_lstCommands.AddTail(pButton);
    }
    m_wndCommands.Fill(m_pSheet, m_lstCommands, TRUE, TRUE);
}

int CQENMousePage::SelectedView() const
{
    const int iItem = m_wndViews.GetNextItem(-1, LVNI_SELECTED);
    return iItem >= 0 ? (int)m_wndViews.GetItemData(iItem) : -1;
}

void CQENMousePage::ShowNoView()
{
    CheckRadioButton(IDC_NO_DOUBLE_CLICK, IDC_DOUBLE_CLICK_COMMAND, 0);
    m_wndCommands.SetCurSel(-1);
    m_wndCommands.EnableWindow(FALSE);
    ShowPrompt(0);
}

void CQENMousePage::ShowBinding()
{
    const int nViewId = SelectedView();
    if (nViewId < 0 || g_pMouseManager == NULL)
    {
        ShowNoView();
        return;
    }
    const UINT nCommandId = g_pMouseManager->DoubleClickCommandOf(nViewId);
    CheckRadioButton(IDC_NO_DOUBLE_CLICK, IDC_DOUBLE_CLICK_COMMAND,
                     nCommandId != 0 ? IDC_DOUBLE_CLICK_COMMAND : IDC_NO_DOUBLE_CLICK);
    m_wndCommands.EnableWindow(nCommandId != 0);
    int iCommand = -1;
    for (int i = 0; nCommandId != 0 && i < m_wndCommands.GetCount() && iCommand < 0; i++)
        if (m_wndCommands.ButtonAt(i)->m_nCommandId == nCommandId)
            iCommand = i;
    m_wndCommands.SetCurSel(iCommand);
    ShowPrompt(nCommandId);
}

void CQENMousePage::ShowPrompt(UINT nCommandId)
{
    CString strPrompt;
    CFrameWnd* pFrame = m_pSheet != NULL ? m_pSheet->GetFrame() : NULL;
    if (nCommandId != 0 && pFrame != NULL)
        pFrame->GetMessageString(nCommandId, strPrompt);
    SetDlgItemText(IDC_DESCRIPTION, strPrompt);
}

void CQENMousePage::OnViewChanged(NMHDR* pNotify, LRESULT* pResult)
{
    const NMLISTVIEW* pChange = reinterpret_cast<const NMLISTVIEW*>(pNotify);
    if ((pChange->uChanged & LVIF_STATE) && ((pChange->uNewState ^ pChange->uOldState) & LVIS_SELECTED))
        ShowBinding();
    *pResult = 0;
}

void CQENMousePage::OnNoDoubleClick()
{
    const int nViewId = SelectedView();
    if (nViewId < 0 || g_pMouseManager == NULL)
    {
        ::MessageBeep((UINT)-1);
        ShowNoView();
        return;
    }
    g_pMouseManager->BindDoubleClickCommand(nViewId, 0);
    m_wndCommands.SetCurSel(-1);
    m_wndCommands.EnableWindow(FALSE);
    ShowPrompt(0);
}

void CQENMousePage::OnDoubleClickCommand()
{
    const int nViewId = SelectedView();
    if (nViewId < 0 || g_pMouseManager == NULL)
    {
        ::MessageBeep((UINT)-1);
        ShowNoView();
        return;
    }
    // Until a command is chosen, a double click runs none.
    g_pMouseManager->BindDoubleClickCommand(nViewId, 0);
    m_wndCommands.SetCurSel(-1);
    m_wndCommands.EnableWindow(TRUE);
    ShowPrompt(0);
}

void CQENMousePage::OnCommandChanged()
{
    const int nViewId = SelectedView();
    const CQENToolbarButton* pButton = m_wndCommands.SelectedButton();
    if (nViewId < 0 || g_pMouseManager == NULL)
    {
        ::MessageBeep((UINT)-1);
        m_wndCommands.SetCurSel(-1);
        return;
    }
    if (pButton == NULL)
        return;
    ShowPrompt(pButton->m_nCommandId);
    g_pMouseManager->BindDoubleClickCommand(nViewId, pButton->m_nCommandId);
}

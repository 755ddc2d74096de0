#include "QENToolbarsPage.h"

#include "QENCommandManager.h"
#include "QENFrameSupport.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENToolbarCustomize.h"

namespace {

const UINT kUntitledString = 16104;
const UINT kDeleteToolbarString = 16109;
const UINT kResetToolbarString = 16111;
const UINT kResetAllString = 16112;

BOOL IsLive(const CWnd* pWnd)
{
    return pWnd != NULL && ::IsWindow(pWnd->m_hWnd);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// CQENToolbarNameDlg

BEGIN_MESSAGE_MAP(CQENToolbarNameDlg, CDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChanged)
END_MESSAGE_MAP()

CQENToolbarNameDlg::CQENToolbarNameDlg(LPCTSTR lpszName, CWnd* pParent) : CDialog(IDD, pParent), m_strName(lpszName)
{
}

BOOL CQENToolbarNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_NAME, m_strName);
    OnNameChanged();
    CWnd* pEdit = GetDlgItem(IDC_NAME);
    GotoDlgCtrl(pEdit);
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    return FALSE;
}

void CQENToolbarNameDlg::OnNameChanged()
{
    CString strName;
    GetDlgItemText(IDC_NAME, strName);
    strName.TrimLeft();
    strName.TrimRight();
    GetDlgItem(IDOK)->EnableWindow(!strName.IsEmpty());
}

void CQENToolbarNameDlg::OnOK()
{
    GetDlgItemText(IDC_NAME, m_strName);
    m_strName.TrimLeft();
    m_strName.TrimRight();
    if (m_strName.IsEmpty())
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    CDialog::OnOK();
}

// ---------------------------------------------------------------------------------------------------
// CQENToolbarsPage

IMPLEMENT_DYNAMIC(CQENToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENToolbarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_TOOLBARS, OnSelectionChanged)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_TOOLBARS, OnCheckChanged)
    ON_BN_CLICKED(IDC_TEXT_LABELS, OnTextLabels)
    ON_BN_CLICKED(IDC_RESET, OnReset)
    ON_BN_CLICKED(IDC_RESET_ALL, OnResetAll)
    ON_BN_CLICKED(IDC_NEW, OnNewToolbar)
    ON_BN_CLICKED(IDC_RENAME, OnRenameToolbar)
    ON_BN_CLICKED(IDC_DELETE, OnDeleteToolbar)
END_MESSAGE_MAP()

CQENToolbarsPage::CQENToolbarsPage() : CPropertyPage(IDD), m_pSheet(NULL)
{
}

BOOL CQENToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndToolbars.SubclassDlgItem(IDC_TOOLBARS, this);

    const BOOL bUserToolbars = m_pSheet != NULL && m_pSheet->UserToolbarsEnabled();
    for (UINT nId : {IDC_NEW, IDC_RENAME, IDC_DELETE})
        GetDlgItem(nId)->ShowWindow(bUserToolbars ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_NEW)->EnableWindow(bUserToolbars);
    const BOOL bTextLabels = m_pSheet != NULL && (m_pSheet->GetFlags() & CQENToolbarCustomize::TextLabelsOption);
    GetDlgItem(IDC_TEXT_LABELS)->ShowWindow(bTextLabels ? SW_SHOW : SW_HIDE);

    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (IsListed(pBar))
            AddEntry(pBar);
    }
    SelectEntry(0);
    return TRUE;
}

CFrameWnd* CQENToolbarsPage::Frame() const
{
    return m_pSheet != NULL ? m_pSheet->GetFrame() : NULL;
}

BOOL CQENToolbarsPage::IsListed(CQENToolBar* pBar) const
{
    CFrameWnd* pFrame = Frame();
    // Popup menus are bars too, but they come and go with their menus.
    return pFrame != NULL && IsLive(pBar) && !pBar->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)) &&
           pBar->GetTopLevelFrame() == pFrame->GetTopLevelFrame();
}

BOOL CQENToolbarsPage::IsUserToolbar(CQENToolBar* pBar) const
{
    const CQENFrameSupport* pSupport = CQENFrameSupport::Of(Frame());
    return pSupport != NULL && pSupport->IsUserToolbar(pBar);
}

CQENToolBar* CQENToolbarsPage::BarAt(int iItem) const
{
    if (iItem < 0 || iItem >= m_wndToolbars.GetCount())
        return NULL;
    CQENToolBar* pBar = static_cast<CQENToolBar*>(m_wndToolbars.GetItemDataPtr(iItem));
    // The entry may outlive its bar.
    if (CQENToolBar::s_toolbarRegistry.Find(pBar) == NULL || !IsLive(pBar))
        return NULL;
    return pBar;
}

int CQENToolbarsPage::FindBar(const CQENToolBar* pBar) const
{
    for (int i = 0; i < m_wndToolbars.GetCount(); i++)
        if (m_wndToolbars.GetItemDataPtr(i) == pBar)
            return i;
    return -1;
}

int CQENToolbarsPage::AddEntry(CQENToolBar* pBar)
{
    CString strName;
    pBar->GetWindowText(strName);
    if (strName.IsEmpty())
        strName.LoadString(kUntitledString);
    const int iItem = m_wndToolbars.AddString(strName);
    if (iItem < 0)
        return -1;
    m_wndToolbars.SetItemDataPtr(iItem, pBar);
    m_wndToolbars.SetCheck(iItem, pBar->IsVisible() ? 1 : 0);
    return iItem;
}

void CQENToolbarsPage::SelectEntry(int iItem)
{
    m_wndToolbars.SetCurSel(iItem < m_wndToolbars.GetCount() ? iItem : -1);
    UpdateButtons();
}

void CQENToolbarsPage::ShowVisibility(CQENToolBar* pBar, BOOL bVisible)
{
    const int iItem = m_hWnd != NULL ? FindBar(pBar) : -1;
    if (iItem >= 0)
        m_wndToolbars.SetCheck(iItem, bVisible ? 1 : 0);
}

void CQENToolbarsPage::UpdateButtons()
{
    CQENToolBar* pBar = BarAt(m_wndToolbars.GetCurSel());
    const BOOL bUserBar = pBar != NULL && IsUserToolbar(pBar);
    GetDlgItem(IDC_RESET)->EnableWindow(pBar != NULL && pBar->CanRestore());
    GetDlgItem(IDC_RENAME)->EnableWindow(bUserBar);
    GetDlgItem(IDC_DELETE)->EnableWindow(bUserBar);
    const BOOL bLabels = pBar != NULL && pBar->SupportsTextLabels();
    GetDlgItem(IDC_TEXT_LABELS)->EnableWindow(bLabels);
    CheckDlgButton(IDC_TEXT_LABELS, bLabels && pBar->m_bLabelsAllowed ? BST_CHECKED : BST_UNCHECKED);
}

void CQENToolbarsPage::OnSelectionChanged()
{
    UpdateButtons();
}

void CQENToolbarsPage::OnCheckChanged()
{
    for (int i = 0; i < m_wndToolbars.GetCount(); i++)
    {
        CQENToolBar* pBar = BarAt(i);
        const BOOL bTicked = m_wndToolbars.GetCheck(i) == 1;
        if (pBar == NULL || bTicked == (pBar->IsVisible() != FALSE))
            continue;
        if (!bTicked && !pBar->CanClose())
        {
            m_wndToolbars.SetCheck(i, 1);
            ::MessageBeep((UINT)-1);
            continue;
        }
        CFrameWnd* pFrame = pBar->GetDockingFrame() != NULL ? pBar->GetDockingFrame() : Frame();
        if (pFrame != NULL)
            pFrame->ShowControlBar(pBar, bTicked, FALSE);
    }
}

void CQENToolbarsPage::OnTextLabels()
{
    CQENToolBar* pBar = BarAt(m_wndToolbars.GetCurSel());
    if (pBar == NULL)
        return;
    pBar->EnableTextLabels(IsDlgButtonChecked(IDC_TEXT_LABELS) == BST_CHECKED);
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

int CQENToolbarsPage::AskYesNo(UINT nIDPrompt, LPCTSTR lpszName) const
{
    CString strFormat;
    strFormat.LoadString(nIDPrompt);
    CString strPrompt;
    if (lpszName != NULL)
        strPrompt.Format(strFormat, lpszName);
    else
        strPrompt = strFormat;
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION);
}

void CQENToolbarsPage::OnReset()
{
    CQENToolBar* pBar = BarAt(m_wndToolbars.GetCurSel());
    if (pBar == NULL || !pBar->CanRestore())
        return;
    CString strName;
    pBar->GetWindowText(strName);
    if (AskYesNo(kResetToolbarString, strName) != IDYES)
        return;
    pBar->ResetToResource();
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

void CQENToolbarsPage::OnResetAll()
{
    if (AskYesNo(kResetAllString, NULL) != IDYES)
        return;
    // The user images given to commands go; the standard ones come back with the resources.
    CQENCommandManager& manager = CQENCommandManager::Instance();
    const CObList* pAll = m_pSheet != NULL ? m_pSheet->ButtonsOf(m_pSheet->AllCommandsCategory()) : NULL;
    for (POSITION pos = pAll != NULL ? pAll->GetHeadPosition() : NULL; pos != NULL;)
        manager.UnbindCommandImage(static_cast<const CQENToolbarButton*>(pAll->GetNext(pos))->m_nCommandId);
    for (int i = 0; i < m_wndToolbars.GetCount(); i++)
    {
        CQENToolBar* pBar = BarAt(i);
        for (int iButton = 0; pBar != NULL && iButton < pBar->ButtonCount(); iButton++)
            manager.UnbindCommandImage(pBar->ButtonAt(iButton)->m_nCommandId);
    }
    for (int i = 0; i < m_wndToolbars.GetCount(); i++)
    {
        CQENToolBar* pBar = BarAt(i);
        if (pBar != NULL && pBar->CanRestore())
            pBar->ResetToResource();
    }
    CFrameWnd* pFrame = Frame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    UpdateButtons();
}

void CQENToolbarsPage::OnNewToolbar()
{
    CQENToolbarNameDlg dlg("", this);
    if (dlg.DoModal() != IDOK)
        return;
    CFrameWnd* pFrame = Frame();
    CQENToolBar* pBar = pFrame != NULL
                            ? reinterpret_cast<CQENToolBar*>(
                                  pFrame->SendMessage(QENM_TOOLBAR_CREATE, 0, (LPARAM)(LPCTSTR)dlg.m_strName))
                            : NULL;
    if (pBar == NULL)
    {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    const int iItem = AddEntry(pBar);
    m_wndToolbars.SetCheck(iItem, 1);
    SelectEntry(iItem);
}

void CQENToolbarsPage::OnRenameToolbar()
{
    const int iItem = m_wndToolbars.GetCurSel();
    CQENToolBar* pBar = BarAt(iItem);
    if (pBar == NULL || !IsUserToolbar(pBar))
        return;
    CString strName;
    pBar->GetWindowText(strName);
    CQENToolbarNameDlg dlg(strName, this);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetWindowText(dlg.m_strName);
    if (pBar->IsFloating())
    {
        CFrameWnd* pFloatingFrame = pBar->GetParentFrame();
        if (pFloatingFrame != NULL)
            pFloatingFrame->SetWindowText(dlg.m_strName);
        if (pBar->m_pDockBar != NULL)
            pBar->m_pDockBar->SetWindowText(dlg.m_strName);
    }
    // Taken out and put in again, so that the sorted list places the new name.
    const int nCheck = m_wndToolbars.GetCheck(iItem);
    m_wndToolbars.DeleteString((UINT)iItem);
    const int iNew = AddEntry(pBar);
    m_wndToolbars.SetCheck(iNew, nCheck);
    SelectEntry(iNew);
}

void CQENToolbarsPage::OnDeleteToolbar()
{
    const int iItem = m_wndToolbars.GetCurSel();
    CQENToolBar* pBar = BarAt(iItem);
    if (pBar == NULL || !IsUserToolbar(pBar))
        return;
    CString strName;
    pBar->GetWindowText(strName);
    if (AskYesNo(kDeleteToolbarString, strName) != IDYES)
        return;
    CFrameWnd* pFrame = Frame();
    if (pFrame == NULL || !pFrame->SendMessage(QENM_TOOLBAR_DELETE, 0, (LPARAM)pBar))
    {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    m_wndToolbars.DeleteString((UINT)iItem);
    SelectEntry(0);
}

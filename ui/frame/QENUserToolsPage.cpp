#include "QENUserToolsPage.h"

#include "QENUserToolsManager.h"

namespace {

const UINT kToolsLimitString = 16024;
const int kMenuTextLimit = 256;

void Beep()
{
    ::MessageBeep(MB_ICONASTERISK);
}

BOOL IsBlank(CString strText)
{
    strText.TrimLeft();
    strText.TrimRight();
    return strText.IsEmpty();
}

// What a menu entry puts into a field: the part after its tab ("文件名\t$(FileName)"), or, without
// one, its text less the mnemonic marks.
CString EntryValue(const CString& strEntry)
{
    const int iTab = strEntry.Find('\t');
    if (iTab >= 0)
        return strEntry.Mid(iTab + 1);
    CString strValue = strEntry;
    strValue.Remove('&');
    return strValue;
}

} // namespace

IMPLEMENT_DYNAMIC(CQENUserToolsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENUserToolsPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_TOOLS, OnToolChanged)
    ON_BN_CLICKED(IDC_NEW, OnNewTool)
    ON_BN_CLICKED(IDC_DELETE, OnDeleteTool)
    ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
    ON_EN_CHANGE(IDC_LABEL, OnLabelChanged)
    ON_EN_CHANGE(IDC_COMMAND, OnCommandChanged)
    ON_EN_CHANGE(IDC_ARGUMENTS, OnArgumentsChanged)
    ON_EN_CHANGE(IDC_FOLDER, OnFolderChanged)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ARGUMENTS_MENU, OnArgumentsMenu)
    ON_BN_CLICKED(IDC_FOLDER_MENU, OnFolderMenu)
END_MESSAGE_MAP()

CQENUserToolsPage::CQENUserToolsPage() : CPropertyPage(IDD), m_bShowingTool(FALSE)
{
}

BOOL CQENUserToolsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndTools.SubclassDlgItem(IDC_TOOLS, this);
    const UINT nArgsMenuId = g_pUserToolsManager != NULL ? g_pUserToolsManager->m_nArgsMenuId : 0;
    const UINT nFolderMenuId = g_pUserToolsManager != NULL ? g_pUserToolsManager->m_nFolderMenuId : 0;
    GetDlgItem(IDC_ARGUMENTS_MENU)->ShowWindow(nArgsMenuId != 0 ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_FOLDER_MENU)->ShowWindow(nFolderMenuId != 0 ? SW_SHOW : SW_HIDE);
    const CObList* pTools = g_pUserToolsManager != NULL ? &g_pUserToolsManager->GetUserTools() : NULL;
    FillList(pTools != NULL && !pTools->IsEmpty() ? static_cast<CQENUserTool*>(pTools->GetHead()) : NULL);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Incomplete tools

BOOL CQENUserToolsPage::IsComplete(const CQENUserTool* pTool)
{
    return !IsBlank(pTool->m_strLabel) && !IsBlank(pTool->GetCommand());
}

CQENUserTool* CQENUserToolsPage::FirstIncompleteTool()
{
    const CObList* pTools = g_pUserToolsManager != NULL ? &g_pUserToolsManager->GetUserTools() : NULL;
    for (POSITION pos = pTools != NULL ? pTools->GetHeadPosition() : NULL; pos != NULL;)
    {
        CQENUserTool* pTool = static_cast<CQENUserTool*>(pTools->GetNext(pos));
        if (!IsComplete(pTool))
            return pTool;
    }
    return NULL;
}

void CQENUserToolsPage::PointAtTool(CQENUserTool* pTool)
{
    for (int i = 0; i < m_wndTools.GetCount(); i++)
    {
        if (m_wndTools.GetItemDataPtr(i) == pTool)
            m_wndTools.SetCurSel(i);
    }
    ShowTool();
    GotoDlgCtrl(GetDlgItem(IsBlank(pTool->m_strLabel) ? IDC_LABEL : IDC_COMMAND));
    Beep();
}

BOOL CQENUserToolsPage::MayClose(CPropertySheet* pSheet)
{
    CQENUserTool* pTool = FirstIncompleteTool();
    if (pTool == NULL)
        return TRUE;
    if (pSheet != NULL && pSheet->GetActivePage() != this)
        pSheet->SetActivePage(this);
    if (::IsWindow(m_hWnd))
        PointAtTool(pTool);
    return FALSE;
}

BOOL CQENUserToolsPage::OnKillActive()
{
    if (CQENUserTool* pTool = FirstIncompleteTool())
    {
        PointAtTool(pTool);
        return FALSE;
    }
    return CPropertyPage::OnKillActive();
}

// ---------------------------------------------------------------------------------------------------
// The list and the fields

CQENUserTool* CQENUserToolsPage::SelectedTool() const
{
    const int iItem = m_wndTools.GetCurSel();
    return iItem >= 0 ? static_cast<CQENUserTool*>(m_wndTools.GetItemDataPtr(iItem)) : NULL;
}

CString CQENUserToolsPage::FieldText(UINT nId) const
{
    CString strText;
    GetDlgItemText(nId, strText);
    return strText;
}

void CQENUserToolsPage::FillList(CQENUserTool* pSelect)
{
    m_wndTools.ResetContent();
    const CObList* pTools = g_pUserToolsManager != NULL ? &g_pUserToolsManager->GetUserTools() : NULL;
    for (POSITION pos = pTools != NULL ? pTools->GetHeadPosition() : NULL; pos != NULL;)
    {
        CQENUserTool* pTool = static_cast<CQENUserTool*>(pTools->GetNext(pos));
        const int iItem = m_wndTools.AddString(pTool->m_strLabel);
        m_wndTools.SetItemDataPtr(iItem, pTool);
        if (pTool == pSelect)
            m_wndTools.SetCurSel(iItem);
    }
    ShowTool();
}

void CQENUserToolsPage::ShowTool()
{
    const CQENUserTool* pTool = SelectedTool();
    m_bShowingTool = TRUE;
    SetDlgItemText(IDC_LABEL, pTool != NULL ? (LPCTSTR)pTool->m_strLabel : "");
    SetDlgItemText(IDC_COMMAND, pTool != NULL ? (LPCTSTR)pTool->GetCommand() : "");
    SetDlgItemText(IDC_ARGUMENTS, pTool != NULL ? (LPCTSTR)pTool->m_strArguments : "");
    SetDlgItemText(IDC_FOLDER, pTool != NULL ? (LPCTSTR)pTool->m_strInitialDirectory : "");
    m_bShowingTool = FALSE;
    UpdateButtons();
}

void CQENUserToolsPage::UpdateButtons()
{
    const int iItem = m_wndTools.GetCurSel();
    const BOOL bSelected = iItem >= 0;
    GetDlgItem(IDC_DELETE)->EnableWindow(bSelected);
    GetDlgItem(IDC_MOVE_UP)->EnableWindow(iItem > 0);
    GetDlgItem(IDC_MOVE_DOWN)->EnableWindow(bSelected && iItem < m_wndTools.GetCount() - 1);
    for (UINT nId : {IDC_LABEL, IDC_COMMAND, IDC_BROWSE, IDC_ARGUMENTS, IDC_FOLDER})
        GetDlgItem(nId)->EnableWindow(bSelected);
    const BOOL bArgsMenu = g_pUserToolsManager != NULL && g_pUserToolsManager->m_nArgsMenuId != 0;
    const BOOL bFolderMenu = g_pUserToolsManager != NULL && g_pUserToolsManager->m_nFolderMenuId != 0;
    GetDlgItem(IDC_ARGUMENTS_MENU)->EnableWindow(bSelected && bArgsMenu);
    GetDlgItem(IDC_FOLDER_MENU)->EnableWindow(bSelected && bFolderMenu);
}

void CQENUserToolsPage::InsertFromMenu(UINT nMenuId, UINT nButtonId, UINT nEditId)
{
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nMenuId));
    if (hMenu == NULL)
    {
        Beep();
        return;
    }
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    if (hPopup == NULL)
        hPopup = hMenu;
    CRect rectButton;
    GetDlgItem(nButtonId)->GetWindowRect(&rectButton);
    const UINT nChosen = (UINT)::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                                            TPM_NONOTIFY,
                                                rectButton.right, rectButton.top, 0, m_hWnd, NULL);
    char szEntry[kMenuTextLimit + 1] = "";
    if (nChosen != 0)
        ::GetMenuStringA(hPopup, nChosen, szEntry, kMenuTextLimit, MF_BYCOMMAND);
    ::DestroyMenu(hMenu);
    if (szEntry[0] == '\0')
        return;
    // Into the field where its caret was left, which keeps what was typed around it.
    CEdit* pEdit = static_cast<CEdit*>(GetDlgItem(nEditId));
    pEdit->SetFocus();
    pEdit->ReplaceSel(EntryValue(szEntry), TRUE);
}

// ---------------------------------------------------------------------------------------------------
// What the user does

void CQENUserToolsPage::OnToolChanged()
{
    ShowTool();
}

void CQENUserToolsPage::OnNewTool()
{
    if (g_pUserToolsManager == NULL)
        return;
    CQENUserTool* pTool = g_pUserToolsManager->AddNewTool();
    if (pTool == NULL)
    {
        CString strFormat;
        strFormat.LoadString(kToolsLimitString);
        CString strMessage;
        strMessage.Format(strFormat, g_pUserToolsManager->MaxTools());
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return;
    }
    FillList(pTool);
    GotoDlgCtrl(GetDlgItem(IDC_LABEL));
}

void CQENUserToolsPage::OnDeleteTool()
{
    CQENUserTool* pTool = SelectedTool();
    if (pTool == NULL || g_pUserToolsManager == NULL)
        return;
    const int iItem = m_wndTools.GetCurSel();
    g_pUserToolsManager->DeleteTool(pTool);
    const CObList& lstTools = g_pUserToolsManager->GetUserTools();
    // The tool that took its place, else the one before.
    const int iNext = iItem < (int)lstTools.GetCount() ? iItem : iItem - 1;
    POSITION pos = iNext >= 0 ? lstTools.FindIndex(iNext) : NULL;
    FillList(pos != NULL ? static_cast<CQENUserTool*>(lstTools.GetAt(pos)) : NULL);
}

void CQENUserToolsPage::OnMoveUp()
{
    CQENUserTool* pTool = SelectedTool();
    if (pTool != NULL && g_pUserToolsManager != NULL && g_pUserToolsManager->RaiseTool(pTool))
        FillList(pTool);
}

void CQENUserToolsPage::OnMoveDown()
{
    CQENUserTool* pTool = SelectedTool();
    if (pTool != NULL && g_pUserToolsManager != NULL && g_pUserToolsManager->LowerTool(pTool))
        FillList(pTool);
}

void CQENUserToolsPage::OnLabelChanged()
{
    CQENUserTool* pTool = SelectedTool();
    if (m_bShowingTool || pTool == NULL)
        return;
    pTool->m_strLabel = FieldText(IDC_LABEL);
    const int iItem = m_wndTools.GetCurSel();
    m_wndTools.DeleteString(iItem);
    m_wndTools.InsertString(iItem, pTool->m_strLabel);
    m_wndTools.SetItemDataPtr(iItem, pTool);
    m_wndTools.SetCurSel(iItem);
}

void CQENUserToolsPage::OnCommandChanged()
{
    CQENUserTool* pTool = SelectedTool();
    if (!m_bShowingTool && pTool != NULL)
        pTool->SetToolCommand(FieldText(IDC_COMMAND));
}

void CQENUserToolsPage::OnArgumentsChanged()
{
    CQENUserTool* pTool = SelectedTool();
    if (!m_bShowingTool && pTool != NULL)
        pTool->m_strArguments = FieldText(IDC_ARGUMENTS);
}

void CQENUserToolsPage::OnFolderChanged()
{
    CQENUserTool* pTool = SelectedTool();
    if (!m_bShowingTool && pTool != NULL)
        pTool->m_strInitialDirectory = FieldText(IDC_FOLDER);
}

void CQENUserToolsPage::OnBrowse()
{
    const CQENUserTool* pTool = SelectedTool();
    if (pTool == NULL || g_pUserToolsManager == NULL)
        return;
    // The default pattern ("*.exe") starts the file name and gives the extension a bare name gets.
    const CString strPattern = g_pUserToolsManager->m_strDefExt;
    CString strExtension = strPattern.Mid(strPattern.ReverseFind('.') + 1);
    if (strExtension.FindOneOf("*?") >= 0)
        strExtension.Empty();
    const CString strName = pTool->GetCommand().IsEmpty() ? strPattern : pTool->GetCommand();
    CFileDialog dialog(TRUE, strExtension.IsEmpty() ? NULL : (LPCTSTR)strExtension, strName,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, g_pUserToolsManager->m_strFilter, this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_COMMAND, dialog.GetPathName());
}

void CQENUserToolsPage::OnArgumentsMenu()
{
    if (g_pUserToolsManager != NULL && SelectedTool() != NULL)
        InsertFromMenu(g_pUserToolsManager->m_nArgsMenuId, IDC_ARGUMENTS_MENU, IDC_ARGUMENTS);
}

void CQENUserToolsPage::OnFolderMenu()
{
    if (g_pUserToolsManager != NULL && SelectedTool() != NULL)
        InsertFromMenu(g_pUserToolsManager->m_nFolderMenuId, IDC_FOLDER_MENU, IDC_FOLDER);
}

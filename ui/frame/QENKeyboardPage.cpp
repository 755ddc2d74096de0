#include "QENKeyboardPage.h"

#include "QENKeyHelper.h"
#include "QENKeyboardManager.h"
#include "QENToolBar.h"
#include "QENToolbarButton.h"
#include "QENToolbarCustomize.h"

namespace {

const UINT kUnassignedString = 16009;
const UINT kDefaultTableString = 16114;
const UINT kResetKeyboardString = 16115;
const BYTE kModifierFlags = FVIRTKEY | FSHIFT | FCONTROL | FALT;

// Commands a key can be bound to: real ones that the application does not keep from being bound.
BOOL IsBindable(UINT nCommandId)
{
    return nCommandId != 0 && nCommandId != (UINT)-1 && nCommandId <= 0xFFFF &&
           CQENToolBar::s_blockedCommands.Find(nCommandId) == NULL;
}

void Beep()
{
    ::MessageBeep(MB_ICONASTERISK);
}

} // namespace

IMPLEMENT_DYNAMIC(CQENKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENKeyboardPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_CATEGORIES, OnCategoryChanged)
    ON_LBN_SELCHANGE(IDC_COMMANDS, OnCommandChanged)
    ON_CBN_SELCHANGE(IDC_TABLES, OnTableChanged)
    ON_LBN_SELCHANGE(IDC_CURRENT_KEYS, OnCurrentKeyChanged)
    ON_EN_CHANGE(IDC_NEW_KEY, OnNewKeyChanged)
    ON_BN_CLICKED(IDC_ASSIGN, OnAssign)
    ON_BN_CLICKED(IDC_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_RESET, OnReset)
END_MESSAGE_MAP()

CQENKeyboardPage::CQENKeyboardPage() : CPropertyPage(IDD), m_pSheet(NULL)
{
}

void CQENKeyboardPage::SetSheet(CQENToolbarCustomize* pSheet, LPCTSTR lpszAllCommands)
{
    m_pSheet = pSheet;
    m_strAllCommands = lpszAllCommands;
}

CFrameWnd* CQENKeyboardPage::Frame() const
{
    return m_pSheet != NULL ? m_pSheet->GetFrame() : NULL;
}

BOOL CQENKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategories.SubclassDlgItem(IDC_CATEGORIES, this);
    m_wndCommands.SubclassDlgItem(IDC_COMMANDS, this);
    m_wndCommands.FitItemHeight();
    m_wndTables.SubclassDlgItem(IDC_TABLES, this);
    m_wndCurrentKeys.SubclassDlgItem(IDC_CURRENT_KEYS, this);
    m_wndNewKey.SubclassDlgItem(IDC_NEW_KEY, this);

    if (m_pSheet != NULL)
    {
        const CStringList& lstCategories = m_pSheet->Categories();
        for (POSITION pos = lstCategories.GetHeadPosition(); pos != NULL;)
        {
            const CString& strCategory = lstCategories.GetNext(pos);
            m_wndCategories.SetItemDataPtr(m_wndCategories.AddString(strCategory), m_pSheet->ButtonsOf(strCategory));
        }
        m_wndCategories.SetItemDataPtr(m_wndCategories.AddString(m_strAllCommands),
                                       m_pSheet->ButtonsOf(m_strAllCommands));
    }
    m_wndCategories.SetCurSel(0);
    ShowCategory(0);
    FillTables();
    ShowTableIcon();
    return TRUE;
}

BOOL CQENKeyboardPage::OnSetActive()
{
    if (!CPropertyPage::OnSetActive())
        return FALSE;
    LoadTable();
    ShowCurrentKeys();
    ShowTypedKeyBinding();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// The edited table

void CQENKeyboardPage::FillTables()
{
    CWinApp* pApp = AfxGetApp();
    CList<UINT, UINT> lstListed;
    for (POSITION pos = pApp != NULL ? pApp->GetFirstDocTemplatePosition() : NULL; pos != NULL;)
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate == NULL || pTemplate->m_hMenuShared == NULL || lstListed.Find(pTemplate->GetResourceID()) != NULL)
            continue;
        lstListed.AddTail(pTemplate->GetResourceID());
        CString strName;
        pTemplate->GetDocString(strName, CDocTemplate::docName);
        m_wndTables.SetItemDataPtr(m_wndTables.AddString(strName), pTemplate);
    }
    CFrameWnd* pFrame = Frame();
    if (pFrame != NULL && pFrame->m_hAccelTable != NULL)
    {
        CString strDefault;
        strDefault.LoadString(kDefaultTableString);
        const int iDefault = m_wndTables.AddString(strDefault);
        m_wndTables.SetItemDataPtr(iDefault, NULL);
        m_wndTables.SetCurSel(iDefault);
    }
    else
        m_wndTables.SetCurSel(0);
}

CMultiDocTemplate* CQENKeyboardPage::EditedTemplate() const
{
    const int iTable = m_wndTables.GetCurSel();
    return iTable >= 0 ? static_cast<CMultiDocTemplate*>(m_wndTables.GetItemDataPtr(iTable)) : NULL;
}

HACCEL CQENKeyboardPage::TableInForce() const
{
    if (m_wndTables.GetCurSel() < 0)
        return NULL;
    if (CMultiDocTemplate* pTemplate = EditedTemplate())
        return pTemplate->m_hAccelTable;
    CFrameWnd* pFrame = Frame();
    return pFrame != NULL ? pFrame->m_hAccelTable : NULL;
}

void CQENKeyboardPage::LoadTable()
{
    m_entries.clear();
    HACCEL hAccel = TableInForce();
    const int nCount = hAccel != NULL ? ::CopyAcceleratorTableA(hAccel, NULL, 0) : 0;
    if (nCount <= 0)
        return;
    std::vector<ACCEL> entries(nCount);
    entries.resize(::CopyAcceleratorTableA(hAccel, entries.data(), nCount));
    for (const ACCEL& entry : entries)
    {
        if (entry.cmd != 0)
            m_entries.push_back(entry);
    }
}

BOOL CQENKeyboardPage::ReplaceTable()
{
    CMultiDocTemplate* pTemplate = EditedTemplate();
    CFrameWnd* pFrame = pTemplate == NULL ? Frame() : NULL;
    // Without the frame the manager would take the main window's table instead.
    const BOOL bReplaced = g_pKeyboardManager != NULL && m_wndTables.GetCurSel() >= 0 &&
                           (pTemplate != NULL || pFrame != NULL) &&
                           g_pKeyboardManager->ReloadAcceleratorTable(pTemplate, m_entries.data(),
                                                                      (int)m_entries.size(), pFrame);
    LoadTable();
    if (!bReplaced)
        Beep();
    return bReplaced;
}

int CQENKeyboardPage::FindKey(const ACCEL& key) const
{
    for (size_t i = 0; i < m_entries.size(); i++)
    {
        const ACCEL& entry = m_entries[i];
        if ((entry.fVirt & FVIRTKEY) && entry.key == key.key &&
            (entry.fVirt & kModifierFlags) == (key.fVirt & kModifierFlags))
            return (int)i;
    }
    return -1;
}

CString CQENKeyboardPage::CommandLabel(UINT nCommandId) const
{
    const CObList* pAll = m_pSheet != NULL ? m_pSheet->ButtonsOf(m_strAllCommands) : NULL;
    for (POSITION pos = pAll != NULL ? pAll->GetHeadPosition() : NULL; pos != NULL;)
    {
        const CQENToolbarButton* pButton = static_cast<const CQENToolbarButton*>(pAll->GetNext(pos));
        if (pButton->m_nCommandId == nCommandId && !pButton->m_strLabel.IsEmpty())
            return pButton->m_strLabel;
    }
    CString strLabel;
    if (!CQENToolbarButton::LoadCommandMenuText(nCommandId, strLabel))
        strLabel.Format("%u", nCommandId);
    return strLabel;
}

// ---------------------------------------------------------------------------------------------------
// What the page shows

void CQENKeyboardPage::ShowTableIcon()
{
    HICON hIcon = NULL;
    if (CMultiDocTemplate* pTemplate = EditedTemplate())
        hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pTemplate->GetResourceID()));
    CFrameWnd* pFrame = Frame();
    if (hIcon == NULL && pFrame != NULL)
        hIcon = (HICON)::GetClassLongPtrA(pFrame->m_hWnd, GCLP_HICON);
    if (hIcon == NULL)
        hIcon = ::LoadIconA(NULL, IDI_APPLICATION);
    SendDlgItemMessage(IDC_TABLE_ICON, STM_SETICON, (WPARAM)hIcon);
}

void CQENKeyboardPage::ShowCategory(int iCategory)
{
    m_lstBindable.RemoveAll();
    CString strCategory;
    const CObList* pButtons = NULL;
    if (iCategory >= 0 && iCategory < m_wndCategories.GetCount())
    {
        m_wndCategories.GetLBText(iCategory, strCategory);
        pButtons = static_cast<const CObList*>(m_wndCategories.GetItemDataPtr(iCategory));
    }
    for (POSITION pos = pButtons != NULL ? pButtons->GetHeadPosition() : NULL; pos != NULL;)
    {
        CObject* pButton = pButtons->GetNext(pos);
        if (IsBindable(static_cast<CQENToolbarButton*>(pButton)->m_nCommandId))
            m_lstBindable.AddTail(pButton);
    }
    const BOOL bAll = strCategory == m_strAllCommands;
    m_wndCommands.SetRedraw(FALSE);
    m_wndCommands.Fill(m_pSheet, m_lstBindable, bAll, bAll);
    m_wndCommands.SetRedraw(TRUE);
    m_wndCommands.Invalidate();
    OnCommandChanged();
}

void CQENKeyboardPage::ShowCurrentKeys(int iSelect)
{
    m_wndCurrentKeys.ResetContent();
    const CQENToolbarButton* pCommand = m_wndCommands.SelectedButton();
    for (size_t i = 0; pCommand != NULL && i < m_entries.size(); i++)
    {
        if (m_entries[i].cmd != pCommand->m_nCommandId)
            continue;
        const int iItem = m_wndCurrentKeys.AddString(CQENKeyHelper(m_entries[i]).Format());
        m_wndCurrentKeys.SetItemData(iItem, i);
        if ((int)i == iSelect)
            m_wndCurrentKeys.SetCurSel(iItem);
    }
    UpdateButtons();
}

void CQENKeyboardPage::ShowTypedKeyBinding()
{
    const BOOL bTyped = m_wndNewKey.HasKey();
    CString strBinding;
    if (bTyped)
    {
        const int iEntry = FindKey(m_wndNewKey.Key());
        if (iEntry >= 0)
            strBinding = CommandLabel(m_entries[iEntry].cmd);
        else
            strBinding.LoadString(kUnassignedString);
    }
    SetDlgItemText(IDC_ASSIGNED_TO, strBinding);
    for (UINT nId : {(UINT)IDC_ASSIGNED_CAPTION, (UINT)IDC_ASSIGNED_TO})
        GetDlgItem(nId)->ShowWindow(bTyped ? SW_SHOW : SW_HIDE);
    UpdateButtons();
}

void CQENKeyboardPage::UpdateButtons()
{
    GetDlgItem(IDC_ASSIGN)->EnableWindow(m_wndCommands.SelectedButton() != NULL && m_wndNewKey.HasKey());
    GetDlgItem(IDC_REMOVE)->EnableWindow(m_wndCurrentKeys.GetCurSel() >= 0);
}

// ---------------------------------------------------------------------------------------------------
// What the user does

void CQENKeyboardPage::OnCategoryChanged()
{
    ShowCategory(m_wndCategories.GetCurSel());
}

void CQENKeyboardPage::OnCommandChanged()
{
    CString strPrompt;
    const CQENToolbarButton* pCommand = m_wndCommands.SelectedButton();
    CFrameWnd* pFrame = Frame();
    if (pCommand != NULL && pFrame != NULL)
        pFrame->GetMessageString(pCommand->m_nCommandId, strPrompt);
    SetDlgItemText(IDC_DESCRIPTION, strPrompt);
    ShowCurrentKeys();
}

void CQENKeyboardPage::OnTableChanged()
{
    LoadTable();
    ShowTableIcon();
    ShowCurrentKeys();
    ShowTypedKeyBinding();
}

void CQENKeyboardPage::OnCurrentKeyChanged()
{
    UpdateButtons();
}

void CQENKeyboardPage::OnNewKeyChanged()
{
    ShowTypedKeyBinding();
}

void CQENKeyboardPage::OnAssign()
{
    const CQENToolbarButton* pCommand = m_wndCommands.SelectedButton();
    if (pCommand == NULL || !m_wndNewKey.HasKey())
    {
        Beep();
        return;
    }
    ACCEL entry = m_wndNewKey.Key();
    entry.cmd = (WORD)pCommand->m_nCommandId;
    LoadTable();
    // The key leaves the command it was bound to.
    for (int iOld = FindKey(entry); iOld >= 0; iOld = FindKey(entry))
        m_entries.erase(m_entries.begin() + iOld);
    m_entries.push_back(entry);
    ReplaceTable();
    ShowCurrentKeys(FindKey(entry));
    m_wndNewKey.ResetKey();
    GotoDlgCtrl(&m_wndCommands);
}

void CQENKeyboardPage::OnRemove()
{
    const int iItem = m_wndCurrentKeys.GetCurSel();
    if (iItem < 0)
        return;
    const size_t iEntry = m_wndCurrentKeys.GetItemData(iItem);
    if (iEntry >= m_entries.size())
        return;
    const ACCEL removed = m_entries[iEntry];
    LoadTable();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
    {
        if (it->fVirt == removed.fVirt && it->key == removed.key && it->cmd == removed.cmd)
        {
            m_entries.erase(it);
            break;
        }
    }
    ReplaceTable();
    ShowCurrentKeys();
    ShowTypedKeyBinding();
}

void CQENKeyboardPage::OnReset()
{
    CString strPrompt;
    strPrompt.LoadString(kResetKeyboardString);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (g_pKeyboardManager != NULL)
        g_pKeyboardManager->ResetAllTables();
    if (CFrameWnd* pFrame = Frame())
        pFrame->SendMessage(QENM_TOOLBAR_RESETKEYBOARD);
    LoadTable();
    ShowCurrentKeys();
    ShowTypedKeyBinding();
}
